// marlinex-bench-data [folder] [catalogues] [parts]: writes a large data folder for the benchmarks.
#include "BenchData.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    BenchData::Size size;
    if (args.size() > 2) size.catalogues = args[2].toInt();
    if (args.size() > 3) size.parts = args[3].toInt();
    const QString folder = args.size() > 1 ? args[1] : BenchData::DefaultFolder(size);
    QElapsedTimer timer;
    timer.start();
    try {
        const QString data = BenchData::LargeDataFolder(folder, size);
        std::printf("%s: %d catalogues x %d parts (%.1f s)\n", qPrintable(data), size.catalogues, size.parts,
                    timer.elapsed() / 1000.0);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
