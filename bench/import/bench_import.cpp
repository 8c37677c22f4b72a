// Times the price import window on a large data folder and the same updates applied with the bare SQLite
// API (one transaction per catalogue, one prepared statement), and checks both give the same catalogues.
//
//   bench_import [catalogues=100] [parts=20000] [rows=20000]
#include "ModExplor.h"
#include "catalogue/CatalogueSchema.h"
#include "import/PriceImport.h"
#include "import/frmImportPrice.h"
#include "startup/Dialogs.h"
#include "startup/Forms.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <sqlite3.h>
#include <xlsxwriter.h>

namespace {

// Seconds of processor time this process used: the machine is shared, so wall time alone says little.
double CpuSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

QString Part(int i) { return QStringLiteral("%1-%2").arg(100 + i % 97).arg(i, 5, 10, QLatin1Char('0')); }

void Check(int rc, sqlite3* db, const char* what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "%s: %s\n", what, db ? sqlite3_errmsg(db) : "failed");
        std::exit(1);
    }
}

// One catalogue file of `parts` part rows, copied into every folder afterwards.
void WriteCatalogue(const QString& path, int parts)
{
    sqlite3* db = nullptr;
    Check(sqlite3_open(QFile::encodeName(path).constData(), &db), db, "create");
    Check(sqlite3_exec(db, CatalogueSchema::CreateTable, nullptr, nullptr, nullptr), db, "schema");
    Check(sqlite3_exec(db, CatalogueSchema::CreateIndexes, nullptr, nullptr, nullptr), db, "indexes");
    Check(sqlite3_exec(db, "begin", nullptr, nullptr, nullptr), db, "begin");
    sqlite3_stmt* st = nullptr;
    Check(sqlite3_prepare_v2(db, "insert into tblBook (级, 图号, 名称, 归属, 序号, 数量, 价格) values ('P', ?, '零件 Part', ?, ?, 1, 1)",
                             -1, &st, nullptr), db, "prepare");
    for (int i = 0; i < parts; ++i) {
        const QByteArray number = Part(i).toUtf8();
        const QByteArray drawing = QStringLiteral("D%1").arg(i / 40).toUtf8();
        sqlite3_bind_text(st, 1, number.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, drawing.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 3, i % 40 + 1);
        Check(sqlite3_step(st), db, "insert");
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    Check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr), db, "commit");
    sqlite3_close(db);
}

// Two thirds of the price list's part numbers are in the catalogues; the rest match nothing.
QVector<PriceUpdate> PriceRows(int rows, int parts)
{
    QVector<PriceUpdate> list;
    for (int j = 0; j < rows; ++j) list.push_back({Part((j * 3) % (parts * 3 / 2)), 10 + j % 1000 / 8.0});
    return list;
}

void WritePriceList(const QString& path, const QVector<PriceUpdate>& rows)
{
    lxw_workbook* wb = workbook_new(QFile::encodeName(path).constData());
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Sheet1");
    worksheet_write_string(ws, 0, 0, "部件图号", nullptr);
    worksheet_write_string(ws, 0, 1, "价格", nullptr);
    for (int i = 0; i < rows.size(); ++i) {
        worksheet_write_string(ws, i + 1, 0, rows[i].part.toUtf8().constData(), nullptr);
        worksheet_write_number(ws, i + 1, 1, rows[i].price, nullptr);
    }
    workbook_close(wb);
}

QStringList MakeDataFolder(const QString& root, const QString& master, int catalogues)
{
    QStringList books;
    QDir().mkpath(root);
    for (int c = 0; c < catalogues; ++c) {
        const QString folder = root + QStringLiteral("/book%1").arg(c, 3, 10, QLatin1Char('0'));
        QDir().mkpath(folder);
        books << folder + QStringLiteral("/book.sd");
        QFile::copy(master, books.last());
    }
    return books;
}

void Floor(const QStringList& books, const QVector<PriceUpdate>& rows)
{
    for (const QString& book : books) {
        sqlite3* db = nullptr;
        Check(sqlite3_open_v2(QFile::encodeName(book).constData(), &db, SQLITE_OPEN_READWRITE, nullptr), db, "open");
        Check(sqlite3_exec(db, "begin immediate", nullptr, nullptr, nullptr), db, "begin");
        sqlite3_stmt* st = nullptr;
        Check(sqlite3_prepare_v2(db, "update tblBook set 价格=? where 图号=?", -1, &st, nullptr), db, "prepare");
        for (const PriceUpdate& r : rows) {
            const QByteArray part = r.part.toUtf8();
            sqlite3_bind_double(st, 1, r.price);
            sqlite3_bind_text(st, 2, part.constData(), -1, SQLITE_TRANSIENT);
            Check(sqlite3_step(st), db, "update");
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        Check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr), db, "commit");
        sqlite3_close(db);
    }
}

// A fingerprint of every catalogue's prices.
QString Fingerprint(const QStringList& books)
{
    double sum = 0;
    qint64 count = 0;
    for (const QString& book : books) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(QFile::encodeName(book).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "select total(价格 * rowid), count(*) from tblBook where 价格 <> 1", -1, &st, nullptr);
        if (sqlite3_step(st) == SQLITE_ROW) {
            sum += sqlite3_column_double(st, 0);
            count += sqlite3_column_int64(st, 1);
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
    }
    return QStringLiteral("%1 changed rows, weighted sum %2").arg(count).arg(sum, 0, 'f', 2);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int catalogues = argc > 1 ? std::atoi(argv[1]) : 100;
    const int parts = argc > 2 ? std::atoi(argv[2]) : 20000;
    const int rows = argc > 3 ? std::atoi(argv[3]) : 20000;
    Dialogs::Script::Enable();   // the completion message answers itself

    QTemporaryDir scratch;
    const QString master = scratch.filePath(QStringLiteral("master.sd"));
    const QString sheet = scratch.filePath(QStringLiteral("prices.xlsx"));
    QElapsedTimer t;
    t.start();
    WriteCatalogue(master, parts);
    const QVector<PriceUpdate> list = PriceRows(rows, parts);
    WritePriceList(sheet, list);
    const QStringList windowBooks = MakeDataFolder(scratch.filePath(QStringLiteral("window")), master, catalogues);
    const QStringList floorBooks = MakeDataFolder(scratch.filePath(QStringLiteral("floor")), master, catalogues);
    std::printf("setup: %d catalogues of %d parts, %d price rows, %.1f s\n", catalogues, parts, rows, t.elapsed() / 1000.0);

    ModExplor::LanguageFlag = QStringLiteral("1");
    ModExplor::DataPath = scratch.filePath(QStringLiteral("window")) + QLatin1Char('/');
    frmImportPrice* w = Forms::get<frmImportPrice>();
    w->show();
    w->txtFile->setText(sheet);
    t.restart();
    double cpu = CpuSeconds();
    w->cmdApp_Click();
    const double window = t.elapsed() / 1000.0, windowCpu = CpuSeconds() - cpu;
    const QStringList shown = Dialogs::Script::Prompts();

    t.restart();
    cpu = CpuSeconds();
    Floor(floorBooks, list);
    const double floor = t.elapsed() / 1000.0, floorCpu = CpuSeconds() - cpu;

    const QString a = Fingerprint(windowBooks), b = Fingerprint(floorBooks);
    std::printf("import window (read the list, %d catalogues, one transaction each): %.2f s wall, %.2f s cpu\n",
                catalogues, window, windowCpu);
    std::printf("floor (sqlite3, prepared statement, one transaction per catalogue): %.2f s wall, %.2f s cpu\n", floor,
                floorCpu);
    std::printf("ratio: %.2f wall, %.2f cpu\n", floor > 0 ? window / floor : 0.0, floorCpu > 0 ? windowCpu / floorCpu : 0.0);
    std::printf("window: %s\nfloor:  %s\n", qPrintable(a), qPrintable(b));
    std::printf("message: %s\n", qPrintable(shown.value(0).replace(QLatin1Char('\n'), QLatin1String(" | "))));
    const bool same = a == b;
    std::printf("%s\n", same ? "same catalogues" : "CATALOGUES DIFFER");
    return same ? 0 : 1;
}
