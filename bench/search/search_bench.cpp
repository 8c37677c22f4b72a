// search-bench [data folder]: a search with exact matching off for a part-number fragment over every
// catalogue of a large data folder, through the search window, against the floor: the same statement run
// with the sqlite3 API over the same files in one loop without any window. Prints medians.
#include "BenchData.h"
#include "ModExplor.h"
#include "search/frmQuery.h"
#include "startup/Forms.h"
#include "startup/ReportList.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr double kTargetSeconds = 1.5;
const QString kFragment = QStringLiteral("-37-5");

int PlainSqliteLoop(const QByteArray& data, const QByteArray& sql)
{
    int hits = 0;
    DIR* dir = opendir(data.constData());
    if (!dir) return 0;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        const QByteArray file = data + e->d_name + "/book.sd";
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* stmt = nullptr;
            if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) == SQLITE_OK) {
                while (sqlite3_step(stmt) == SQLITE_ROW) {
                    for (int c = 0; c < sqlite3_column_count(stmt); ++c) sqlite3_column_text(stmt, c);
                    ++hits;
                }
                sqlite3_finalize(stmt);
            }
        }
        sqlite3_close(db);
    }
    closedir(dir);
    return hits;
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

    frmQuery* query = Forms::get<frmQuery>();
    if (qEnvironmentVariableIsEmpty("BENCH_HIDDEN")) query->show();
    query->txtNO->setText(kFragment);
    query->chk1->setChecked(false);
    query->cmdQuery_Click();   // warms the file caches
    const double search = BenchData::MedianSeconds([&] { query->cmdQuery_Click(); });
    const int hits = query->lvResult->Count();

    const QByteArray sql = frmQuery::BuildQueryText(kFragment, QString(), false).toUtf8();
    int floorHits = 0;
    const double floor = BenchData::MedianSeconds([&] { floorHits = PlainSqliteLoop(QFile::encodeName(data), sql); });

    std::printf("part search, fragment \"%s\", exact matching off, %d catalogues x %d part rows (%d hits; floor %d):\n",
                qPrintable(kFragment), size.catalogues, size.parts, hits, floorHits);
    std::printf("  search window %.3f s, floor (sqlite3 loop) %.3f s, ratio %.2f, target < %.1f s: %s\n", search,
                floor, search / floor, kTargetSeconds, search < kTargetSeconds ? "met" : "MISSED");
    Forms::unload<frmQuery>();
    return 0;
}
