// jet_bench: how fast Jet catalogues convert and open.
//  1. Converting a Jet 4 catalogue of 20,000 part rows (marlinex-jet, a process, as the viewer runs it),
//     against mdb-export of the same table to CSV.
//  2. Opening a catalogue a second time (converted copy cached) against opening a SQLite catalogue.
//  3. Library discovery's work (open, read the Root row, close) over 200 Jet catalogues on a warm cache,
//     against 200 SQLite catalogues.
#include "JetWriter.h"
#include "ModExplor.h"
#include "startup/DataAccess.h"
#include "startup/JetFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

jet::Table Catalogue(int parts, const std::string& id)
{
    using jet::ColumnType;
    jet::Table t{"tblBook",
                 {{"级", ColumnType::Text, 10}, {"图号", ColumnType::Text, 50}, {"名称", ColumnType::Text},
                  {"归属", ColumnType::Text}, {"序号", ColumnType::Long}, {"备注", ColumnType::Memo},
                  {"数量", ColumnType::Text, 20}, {"价格", ColumnType::Double}, {"单重", ColumnType::Double},
                  {"文件", ColumnType::Text}, {"x", ColumnType::Long}, {"y", ColumnType::Long}},
                 {}};
    t.rows.push_back({std::string("Root"), id, std::string("推土机 Bulldozer ") + id, std::string("S1:推土机 Dozers"),
                      0LL, std::string("V1.0"), jet::Null, jet::Null, jet::Null, jet::Null, jet::Null, jet::Null});
    for (int i = 0; i < parts; ++i)
        t.rows.push_back({std::string("P"), "175-" + std::to_string(10000 + i), std::string("螺栓 BOLT M12x40"),
                          "D" + std::to_string(i / 40), static_cast<long long>(i % 40 + 1),
                          i % 10 ? jet::Null : jet::Value(std::string("备注 remark")), std::string("2"),
                          i % 7 ? jet::Value(12.5 + i) : jet::Null, 0.35, jet::Null,
                          static_cast<long long>(i % 800), static_cast<long long>(i % 600)});
    return t;
}

// Best of several runs, in milliseconds.
double Best(int runs, const std::function<void()>& work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

void Run(const QString& program, const QStringList& args, const QString& output = QString())
{
    QProcess p;
    if (!output.isEmpty()) p.setStandardOutputFile(output);
    p.start(program, args);
    if (!p.waitForFinished(-1) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
        std::exit(1);
    }
}

// What library discovery does for one catalogue.
void ReadRoot(const QString& path)
{
    Connection c;
    c.Open(DatabaseConnectionText(path));
    Recordset rs;
    rs.Open(QStringLiteral("Select * from tblBook where 级 ='Root' "), c);
    if (rs.Eof() || rs.Fields(QStringLiteral("图号")).toString().isEmpty()) std::exit(1);
    rs.Close();
    c.Close();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch;
    ModExplor::SetProgramFolder(scratch.path());
    const QString converter = JetFiles::ConverterPath();

    // 1. Conversion.
    const QString big = scratch.filePath("big.sd");
    jet::WriteJet4(big.toStdString(), {Catalogue(20000, "D65")});
    const QString target = scratch.filePath("big.sqlite");
    const double convert = Best(5, [&] {
        QFile::remove(target);
        Run(converter, {big, target});
    });
    const double exportCsv = Best(5, [&] { Run("mdb-export", {big, "tblBook"}, scratch.filePath("big.csv")); });
    std::printf("convert 20,000 part rows: marlinex-jet %.1f ms, mdb-export to CSV %.1f ms, ratio %.2f\n", convert,
                exportCsv, convert / exportCsv);

    // 2. Second opening of the big catalogue (cached copy) against the same catalogue in SQLite form.
    JetFiles::ConvertedCopy(big);
    const int opens = 200;
    const double jetOpen = Best(3, [&] { for (int i = 0; i < opens; ++i) ReadRoot(big); }) / opens;
    const double sqliteOpen = Best(3, [&] { for (int i = 0; i < opens; ++i) ReadRoot(target); }) / opens;
    std::printf("open again (20,000 rows): Jet through the cache %.3f ms, SQLite %.3f ms, ratio %.2f\n", jetOpen,
                sqliteOpen, jetOpen / sqliteOpen);

    // 3. Discovery over 200 catalogues of each kind.
    QDir(scratch.path()).mkpath("jet");
    QDir(scratch.path()).mkpath("sqlite");
    QStringList jets, sqlites;
    for (int i = 0; i < 200; ++i) {
        const QString id = QStringLiteral("C%1").arg(i);
        const QString jetFile = scratch.filePath("jet/" + id + ".sd");
        jet::WriteJet4(jetFile.toStdString(), {Catalogue(300, id.toStdString())});
        const QString sqliteFile = scratch.filePath("sqlite/" + id + ".sd");
        Run(converter, {jetFile, sqliteFile});
        jets << jetFile;
        sqlites << sqliteFile;
    }
    QElapsedTimer cold;
    cold.start();
    for (const QString& f : jets) ReadRoot(f);
    const double coldMs = cold.nsecsElapsed() / 1e6;
    const double jetScan = Best(3, [&] { for (const QString& f : jets) ReadRoot(f); });
    const double sqliteScan = Best(3, [&] { for (const QString& f : sqlites) ReadRoot(f); });
    std::printf("discovery of 200 catalogues: Jet cold %.1f ms, Jet warm %.1f ms, SQLite %.1f ms, warm ratio %.2f\n",
                coldMs, jetScan, sqliteScan, jetScan / sqliteScan);
    return 0;
}
