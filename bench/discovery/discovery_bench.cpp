// discovery-bench [data folder]: rebuilds the library tree of the main window (shown, repainting) from a
// large data folder and compares it with the floor, a plain sqlite3 loop that opens each book.sd and reads
// its Root row. Prints the median of several runs of each.
#include "BenchData.h"
#include "ModExplor.h"
#include "catalogue/frmExplore.h"
#include "startup/Forms.h"
#include "startup/KeyedTree.h"

#include <QApplication>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr double kTargetSeconds = 1.0;

// The floor: every sub-folder, its book.sd opened read-only, the Root row read, closed.
int PlainSqliteLoop(const QByteArray& data)
{
    int found = 0;
    DIR* dir = opendir(data.constData());
    if (!dir) return 0;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        const QByteArray file = data + e->d_name + "/book.sd";
        struct stat st;
        if (stat(file.constData(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* stmt = nullptr;
            if (sqlite3_prepare_v2(db, "Select * from tblBook where 级 ='Root' ", -1, &stmt, nullptr) == SQLITE_OK) {
                if (sqlite3_step(stmt) == SQLITE_ROW) {
                    const int columns = sqlite3_column_count(stmt);
                    for (int c = 0; c < columns; ++c) sqlite3_column_text(stmt, c);
                    ++found;
                }
                sqlite3_finalize(stmt);
            }
        }
        sqlite3_close(db);
    }
    closedir(dir);
    return found;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const BenchData::Size size;
    QString data;
    try {
        data = BenchData::FolderFromArguments(app.arguments(), size);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }

    ModExplor::DataPath = data;
    frmExplore* window = Forms::get<frmExplore>();   // its load handler reads the library once (warms the caches)
    window->resize(1200, 800);
    window->show();
    const int nodes = window->TVbooks->Count();

    const QByteArray encoded = QFile::encodeName(data);
    int floorFound = 0;
    const double floor = BenchData::MedianSeconds([&] { floorFound = PlainSqliteLoop(encoded); });
    const double discovery = BenchData::MedianSeconds([&] { window->RefreshLibrary(); });
    const QList<QTreeWidgetItem*> all = window->TVbooks->findItems("*", Qt::MatchWildcard | Qt::MatchRecursive);
    const auto catalogues =
        std::count_if(all.begin(), all.end(), [](QTreeWidgetItem* n) { return KeyedTree::Picture(n) == 4; });

    std::printf("library discovery, %d catalogues x %d part rows (%d catalogue nodes, %d nodes; floor read %d):\n",
                size.catalogues, size.parts, int(catalogues), nodes, floorFound);
    std::printf("  RefreshLibrary %.3f s, floor (plain sqlite3 loop) %.3f s, ratio %.2f, target < %.0f s: %s\n",
                discovery, floor, discovery / floor, kTargetSeconds, discovery < kTargetSeconds ? "met" : "MISSED");
    Forms::unload<frmExplore>();
    return 0;
}
