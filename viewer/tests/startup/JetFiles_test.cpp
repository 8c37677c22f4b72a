// Jet files read through cached converted copies, converted in a child process, upgraded before writing.
#include "JetWriter.h"
#include "TestSupport.h"
#include "ModExplor.h"
#include "basket/BasketStore.h"
#include "startup/DataAccess.h"
#include "startup/JetFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <utime.h>

using TestSupport::ScratchDir;

namespace {

jet::Table Parts(int rows, const std::string& prefix)
{
    jet::Table t{"tblBook", {{"级", jet::ColumnType::Text}, {"图号", jet::ColumnType::Text}, {"价格", jet::ColumnType::Double}}, {}};
    t.rows.push_back({std::string("Root"), prefix + "-ROOT", jet::Null});
    for (int i = 1; i < rows; ++i) t.rows.push_back({std::string("P"), prefix + "-" + std::to_string(i), i * 0.5});
    return t;
}

QString WriteJet(const QString& path, int rows, const std::string& prefix = "D65")
{
    jet::WriteJet4(QFile::encodeName(path).toStdString(), {Parts(rows, prefix)});
    return path;
}

// The first value of a query on a SQLite file, as text.
QString Query(const QString& file, const char* sql)
{
    sqlite3* db = nullptr;
    QString value = QStringLiteral("<cannot open>");
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        value = QStringLiteral("<error>");
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
            value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return value;
}

QByteArray Head(const QString& file, int bytes)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return f.read(bytes);
}

QString Script(const ScratchDir& dir, const QString& name, const QByteArray& body)
{
    QFile f(dir.file(name));
    f.open(QIODevice::WriteOnly);
    f.write("#!/bin/sh\n" + body + "\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return f.fileName();
}

QString ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const DataError& e) {
        return e.Cause();
    }
    return QString();
}

class JetFilesTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        JetFiles::SetConverterPath(QString());
        JetFiles::SetTimeLimit(20000);
        JetFiles::TakeUpgradedOriginals();
    }
    QStringList CacheEntries() const
    {
        return QDir(JetFiles::CacheFolder()).entryList(QDir::Files | QDir::Hidden);
    }
};

TEST_F(JetFilesTest, CopiesAreConvertedOnceAndRefreshedWhenTheFileChanges)
{
    ScratchDir dir;
    const QString book = WriteJet(dir.file("book.sd"), 300);
    const QString copy = JetFiles::ConvertedCopy(book);
    EXPECT_TRUE(copy.startsWith(JetFiles::CacheFolder()));
    EXPECT_EQ(Query(copy, "select count(*) from tblBook"), "300");
    EXPECT_EQ(Query(copy, "select 图号 from tblBook where 级 = 'root'"), "D65-ROOT");

    // The second opening uses the copy: no converter is needed for it.
    JetFiles::SetConverterPath(dir.file("no-converter"));
    EXPECT_EQ(JetFiles::ConvertedCopy(book), copy);
    JetFiles::SetConverterPath(QString());

    // Same size, another time: a new copy with the new rows, and the stale one removed.
    WriteJet(book, 300, "D85");
    utimbuf times{1700000000, 1700000000};
    ::utime(QFile::encodeName(book).constData(), &times);
    const QString fresh = JetFiles::ConvertedCopy(book);
    EXPECT_NE(fresh, copy);
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_EQ(Query(fresh, "select 图号 from tblBook where 级 = 'Root'"), "D85-ROOT");
}

TEST_F(JetFilesTest, FilesTheConverterCannotReadFailToOpenWithoutLeavingAnything)
{
    ScratchDir dir;
    const QString good = WriteJet(dir.file("good.sd"), 500);
    QByteArray bytes = Head(good, 1 << 20);
    auto write = [&](const QString& name, const QByteArray& content) {
        QFile f(dir.file(name));
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return f.fileName();
    };
    const QStringList before = CacheEntries();
    EXPECT_EQ(ErrorOf([&] { JetFiles::ConvertedCopy(write("cut.sd", bytes.left(bytes.size() / 2 + 10))); }),
              "the file is truncated");
    QByteArray noise = bytes;
    for (int i = 4096; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919) % 253);
    EXPECT_FALSE(ErrorOf([&] { JetFiles::ConvertedCopy(write("noise.sd", noise)); }).isEmpty());

    // A reader that hangs is stopped at the time limit; one that crashes is reported, not followed.
    JetFiles::SetTimeLimit(300);
    JetFiles::SetConverterPath(Script(dir, "hang.sh", "touch \"$2.partABCDEF\"; exec sleep 30"));
    EXPECT_EQ(ErrorOf([&] { JetFiles::ConvertedCopy(good); }),
              "reading the Jet file took too long; the file may be damaged");
    JetFiles::SetConverterPath(Script(dir, "crash.sh", "kill -SEGV $$"));
    EXPECT_EQ(ErrorOf([&] { JetFiles::ConvertedCopy(good); }), "the Jet file cannot be read; it may be damaged");
    EXPECT_EQ(CacheEntries(), before);
}

TEST_F(JetFilesTest, UpgradeKeepsTheOriginalBesideAndPutsTheSqliteFileInPlace)
{
    ScratchDir dir;
    const QString book = WriteJet(dir.file("book.sd"), 200);
    const QByteArray jetBytes = Head(book, 1 << 20);

    EXPECT_EQ(JetFiles::UpgradeInPlace(book), book + ".jet");
    EXPECT_EQ(Head(book + ".jet", 1 << 20), jetBytes);
    EXPECT_TRUE(Head(book, 16).startsWith("SQLite format 3"));
    EXPECT_EQ(Query(book, "select count(*) from tblBook where 价格 > 0"), "199");

    // A second Jet file of that name does not overwrite the kept original.
    WriteJet(book, 10);
    EXPECT_EQ(JetFiles::UpgradeInPlace(book), book + ".2.jet");
    EXPECT_EQ(Head(book + ".jet", 1 << 20), jetBytes);
    EXPECT_EQ(JetFiles::TakeUpgradedOriginals(), QStringList({book + ".jet", book + ".2.jet"}));
    EXPECT_TRUE(JetFiles::TakeUpgradedOriginals().isEmpty());

    // A file that cannot be converted stays as it is, with nothing beside it.
    const QString damaged = dir.file("damaged.sd");
    QFile::copy(book + ".jet", damaged);
    QFile f(damaged);
    f.resize(f.size() - 100);
    EXPECT_FALSE(ErrorOf([&] { JetFiles::UpgradeInPlace(damaged); }).isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList({"damaged*", ".damaged*"}, QDir::Files | QDir::Hidden),
              QStringList({"damaged.sd"}));
    EXPECT_TRUE(JetFiles::TakeUpgradedOriginals().isEmpty());
}

// Through the data access layer: reads never touch the Jet file, the first write upgrades it.
TEST_F(JetFilesTest, ConnectionsReadJetFilesAndUpgradeThemAtTheFirstWrite)
{
    ScratchDir dir;
    const QString book = WriteJet(dir.file("book.sd"), 50);
    const QByteArray jetBytes = Head(book, 1 << 20);
    {
        Connection c;
        c.Open(DatabaseConnectionText(book));
        Recordset rs;
        rs.Open("Select * from tblBook where 级 = 'P' and 价格 > 20", c);
        EXPECT_EQ(rs.RecordCount(), 9);
        EXPECT_EQ(rs.Fields("图号").toString(), "D65-41");
        rs.Close();
        c.Execute("select count(*) from tblBook");   // a statement that writes nothing upgrades nothing
        EXPECT_EQ(Head(book, 1 << 20), jetBytes);

        c.Execute("Update tblBook set 价格=12.5 where 图号='D65-7'");
        EXPECT_EQ(Head(book + ".jet", 1 << 20), jetBytes);
        c.Execute("Update tblBook set 价格=13 where 图号='D65-8'");   // now an ordinary SQLite file
    }
    EXPECT_TRUE(Head(book, 16).startsWith("SQLite format 3"));
    EXPECT_EQ(Query(book, "select group_concat(价格) from tblBook where 图号 in ('D65-7', 'D65-8', 'D65-9')"),
              "12.5,13.0,4.5");
    EXPECT_EQ(JetFiles::TakeUpgradedOriginals(), QStringList{book + ".jet"});

    // A Jet file that cannot be read fails to open like a damaged SQLite file.
    QFile::copy(book + ".jet", dir.file("cut.sd"));
    QFile(dir.file("cut.sd")).resize(9000);
    Connection c;
    try {
        c.Open(DatabaseConnectionText(dir.file("cut.sd")));
        ADD_FAILURE() << "a cut Jet file opened";
    } catch (const DataError& e) {
        EXPECT_EQ(e.File(), dir.file("cut.sd"));
    }
    EXPECT_FALSE(c.IsOpen());
}

TEST_F(JetFilesTest, AJetBasketKeepsItsLinesAfterTheFirstAdd)
{
    ScratchDir program;
    const QString previous = ModExplor::ProgramFolder();
    ModExplor::SetProgramFolder(program.path());
    jet::Table order{"tblOrder",
                     {{"归属", jet::ColumnType::Text}, {"序号", jet::ColumnType::Text}, {"图号", jet::ColumnType::Text},
                      {"名称", jet::ColumnType::Text}, {"数量", jet::ColumnType::Double}, {"单位", jet::ColumnType::Text},
                      {"价格", jet::ColumnType::Double}, {"单重", jet::ColumnType::Double}, {"总价", jet::ColumnType::Double},
                      {"总重", jet::ColumnType::Double}, {"顺序号", jet::ColumnType::Long}},
                     {{std::string("D1"), std::string("3"), std::string("175-30-1"), std::string("螺栓 BOLT"), 2.0,
                       jet::Null, 12.5, 0.5, 25.0, 1.0, jet::Null}}};
    jet::WriteJet4(QFile::encodeName(BasketStore::BasketPath()).toStdString(), {order});
    {
        Connection c;
        BasketStore::Open(c);
        Recordset rs;
        rs.Open(BasketStore::IdentityLookup("D2", "1", "175-30-2"), c);
        EXPECT_TRUE(rs.Eof());
        rs.AddNew();
        for (auto [name, value] : {std::pair<const char*, QVariant>{"归属", "D2"}, {"序号", "1"}, {"图号", "175-30-2"},
                                   {"名称", "垫圈 WASHER"}, {"数量", 1}, {"价格", 3.0}})
            rs.SetField(name, value);
        rs.Update();
    }
    Connection c;
    BasketStore::Open(c);
    Recordset rs;
    rs.Open("select * from tblOrder order by 归属", c);
    ASSERT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.Fields("图号").toString(), "175-30-1");
    EXPECT_EQ(rs.Fields("总价").toDouble(), 25.0);
    rs.MoveNext();
    EXPECT_EQ(rs.Fields("名称").toString(), "垫圈 WASHER");
    EXPECT_TRUE(QFileInfo::exists(BasketStore::BasketPath() + ".jet"));
    ModExplor::SetProgramFolder(previous);
}

} // namespace
