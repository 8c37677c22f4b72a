// marlinex-demo <data folder>: writes the demo catalogues into the data folder.
#include "DemoData.h"

#include <QGuiApplication>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    // Pictures carry text, which needs a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: marlinex-demo <data folder>\n");
        return 2;
    }
    try {
        const QStringList folders = Fixtures::WriteDemoData(QString::fromLocal8Bit(argv[1]));
        for (const QString& folder : folders) std::printf("%s\n", folder.toLocal8Bit().constData());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "marlinex-demo: %s\n", e.what());
        return 1;
    }
    return 0;
}
