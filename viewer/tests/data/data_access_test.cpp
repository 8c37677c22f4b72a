// The data access layer on real SQLite files: rows, fields, writes, transactions and every kind of failure.
#include "Fixtures.h"
#include "JetWriter.h"
#include "TestSupport.h"
#include "startup/DataAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <xlsxwriter.h>

using namespace TestSupport;

namespace {

// A catalogue with a few odd values: a Null price, a text weight, mixed-case numbers, an apostrophe.
Fixtures::Catalogue SmallCatalogue()
{
    Fixtures::Catalogue c("D65-1", "推土机 D65 Bulldozer D65", "S1:推土机 Bulldozers", "V2.0");
    c.Chapter("C01", "发动机 Engine")
        .Drawing("E100", "气缸盖 Cylinder Head", "C01", 1)
        .Part("E100", 1, "6D125-11", "螺栓 BOLT", 4, 12.5, 0.1, 120, 80)
        .Part("E100", 2, "o'ring-7", "O形圈 O'RING", 2, QVariant(), QStringLiteral("1.50"), 200, 90)
        .Part("E100", 3, "abc-1", "垫片 GASKET", 1, 3, 0.2, 300, 100);
    return c;
}

QString Text(const QString& path) { return DatabaseConnectionText(path); }

// Runs a statement on a file through a handle of its own, as another program would.
void RawExec(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

QVariant RawScalar(const QString& path, const QString& sql)
{
    Connection c;
    c.Open(Text(path));
    Recordset rs;
    rs.Open(sql, c);
    return rs.Eof() ? QVariant() : rs.Fields(rs.FieldNames().first());
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class DataAccess : public ::testing::Test {
protected:
    void SetUp() override
    {
        book = dir.file("book.sd");
        SmallCatalogue().WriteDatabase(book);
    }
    ScratchDir dir;
    QString book;
};

} // namespace

TEST_F(DataAccess, ReadsRowsFieldsAndNulls)
{
    Connection c;
    c.CursorLocation = 3;
    c.Open(Text(book), "", "", -1);
    EXPECT_TRUE(c.IsOpen());
    EXPECT_EQ(c.State(), 1);
    EXPECT_EQ(c.FilePath(), book);

    Recordset rs;
    rs.Open("select * from tblBook where 级 = 'P' order by 序号", c, 1, 3, -1);
    ASSERT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.Fields("图号").toString(), "6D125-11");
    EXPECT_EQ(rs.Fields("[图号]").toString(), "6D125-11");
    EXPECT_EQ(rs.Fields("价格").toDouble(), 12.5);
    EXPECT_EQ(rs.Fields("数量").toString(), "4");
    rs.MoveNext();
    EXPECT_TRUE(rs.Fields("价格").isNull());
    EXPECT_TRUE(rs.Fields("备注").isNull());
    EXPECT_EQ(rs.Fields("单重").toDouble(), 1.5);   // numeric text is kept as a number
    rs.MoveNext();
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    rs.MoveFirst();
    EXPECT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Fields("序号").toInt(), 1);

    Recordset named;
    named.Open("select [图号],[名称] from tblBook where [级]='Root'", c);
    EXPECT_EQ(named.FieldNames(), QStringList({"图号", "名称"}));
    EXPECT_EQ(named.Fields("名称").toString(), "推土机 D65 Bulldozer D65");

    Recordset empty;
    empty.Open("select * from tblBook where 级 = 'X'", c);
    EXPECT_EQ(empty.RecordCount(), 0);
    EXPECT_TRUE(empty.Eof());
    empty.MoveFirst();   // harmless on an empty set
    EXPECT_TRUE(empty.Eof());
    c.Close();
    EXPECT_FALSE(c.IsOpen());
}

TEST_F(DataAccess, AddNewAndUpdateWriteThrough)
{
    Connection c;
    c.Open(Text(book));
    Recordset rs;
    rs.Open("select * from tblBook where 级 = 'P' and 归属='E100' order by 序号, 图号", c);
    ASSERT_TRUE(rs.IsUpdatable());

    // A changed row is written back to its own row only.
    rs.MoveNext();
    rs.SetField("价格", 7.25);
    rs.SetField("[数量]", "3");
    rs.Update();
    EXPECT_EQ(rs.Fields("数量").toInt(), 3);
    EXPECT_EQ(RawScalar(book, "select 价格 from tblBook where 图号='o''ring-7'").toDouble(), 7.25);
    EXPECT_EQ(RawScalar(book, "select 价格 from tblBook where 图号='6D125-11'").toDouble(), 12.5);

    // A new row is inserted and stays current with its stored values.
    rs.AddNew();
    rs.SetField("级", "P");
    rs.SetField("图号", "new-1");
    rs.SetField("归属", "E100");
    rs.SetField("序号", 9);
    rs.Update();
    EXPECT_EQ(rs.RecordCount(), 4);
    EXPECT_EQ(rs.Fields("图号").toString(), "new-1");
    EXPECT_TRUE(rs.Fields("价格").isNull());
    EXPECT_EQ(RawScalar(book, "select count(*) from tblBook where 图号='new-1'").toInt(), 1);

    // The new row can be changed again in place.
    rs.SetField("价格", 1);
    rs.Update();
    EXPECT_EQ(RawScalar(book, "select count(*) from tblBook where 图号='new-1' and 价格=1").toInt(), 1);
}

TEST_F(DataAccess, PendingChangesAreSavedOnMoveAndDroppedOnClose)
{
    Connection c;
    c.Open(Text(book));
    {
        Recordset rs;
        rs.Open("select * from tblBook where 图号='6D125-11'", c);
        rs.SetField("价格", 99);
        rs.MoveNext();
    }
    EXPECT_EQ(RawScalar(book, "select 价格 from tblBook where 图号='6D125-11'").toInt(), 99);
    {
        Recordset rs;
        rs.Open("select * from tblBook where 图号='6D125-11'", c);
        rs.SetField("价格", 1);
        rs.AddNew();
        rs.SetField("图号", "dropped");
        rs.Close();
    }
    EXPECT_EQ(RawScalar(book, "select 价格 from tblBook where 图号='6D125-11'").toInt(), 1);
    EXPECT_EQ(RawScalar(book, "select count(*) from tblBook where 图号='dropped'").toInt(), 0);
}

TEST_F(DataAccess, ARecordsetWhoseConnectionIsGoneRefusesToWrite)
{
    Recordset rs;
    {
        Connection c;
        c.Open(Text(book));
        rs.Open("select * from tblBook where 级='P'", c);
    }
    EXPECT_EQ(rs.Fields("图号").toString(), "6D125-11");   // the rows are still there to read
    EXPECT_THROW(rs.SetField("价格", 1), DataError);
    EXPECT_THROW(rs.AddNew(), DataError);
}

TEST_F(DataAccess, ComputedAndJoinedRowsAreReadOnly)
{
    Connection c;
    c.Open(Text(book));
    Recordset search;
    search.Open("select A.*,(select B.图号 from tblBook B where B.级='Root') as CheXingID from tblBook A where 1 and 图号='abc-1' ", c);
    EXPECT_THROW(search.SetField("CheXingID", "x"), DataError);
    search.SetField("名称", "垫片 GASKET 2");   // the row's own columns still save
    search.Update();
    EXPECT_EQ(RawScalar(book, "select count(*) from tblBook where 名称='垫片 GASKET 2' and 级='P'").toInt(), 1);
    EXPECT_EQ(RawScalar(book, "select 图号 from tblBook where 级='Root'").toString(), "D65-1");

    for (const char* sql : {"select A.图号, B.图号 from tblBook A, tblBook B where A.级='Root' and B.级='C'",
                            "select distinct 级 from tblBook", "select 级, 图号 from tblBook order by 2",
                            "select count(*) as n from tblBook"}) {
        Recordset rs;
        rs.Open(sql, c);
        EXPECT_GT(rs.RecordCount(), 0) << sql;
        EXPECT_THROW(rs.SetField(rs.FieldNames().first(), "x"), DataError) << sql;
    }
    // The column number still means the column of the query as written.
    Recordset byNumber;
    byNumber.Open("select 级, 图号 from tblBook where 级='P' order by 2 desc", c);
    EXPECT_EQ(byNumber.Fields("图号").toString(), "o'ring-7");
}

TEST_F(DataAccess, ExecuteUpdatesAndDeletes)
{
    Connection c;
    c.Open(Text(book));
    c.Execute("Update tblBook set 价格=12.5 where 图号='abc-1'");
    c.Execute("delete from tblBook where 图号='" + SqlText("o'ring-7") + "'");
    c.Close();
    EXPECT_EQ(RawScalar(book, "select 价格 from tblBook where 图号='abc-1'").toDouble(), 12.5);
    EXPECT_EQ(RawScalar(book, "select count(*) from tblBook where 级='P'").toInt(), 2);
}

TEST_F(DataAccess, TextComparesAndSortsWithoutCase)
{
    Connection c;
    c.Open(Text(book));
    c.Execute("insert into tblBook (级, 图号, 归属, 序号) values ('P', 'ABC-2', 'E100', 4), ('P', 'Abc-0', 'E100', 5)");
    Recordset rs;
    rs.Open("select * from tblBook where 图号='ABC-1'", c);
    EXPECT_EQ(rs.RecordCount(), 1);
    rs.Open("select * from tblBook where 名称 like '%gasket%'", c);
    EXPECT_EQ(rs.RecordCount(), 1);
    rs.Open("select * from tblBook where 级 = 'p' order by 图号", c);
    QStringList order;
    for (; !rs.Eof(); rs.MoveNext()) order << rs.Fields("图号").toString();
    EXPECT_EQ(order, QStringList({"6D125-11", "Abc-0", "abc-1", "ABC-2", "o'ring-7"}));
}

TEST_F(DataAccess, SerialNumbersSortByTheirStoredKind)
{
    Fixtures::Catalogue c("T-1");
    c.Chapter("C1", "章 Chapter").Drawing("D", "图 Drawing", "C1", 1);
    for (const char* serial : {"2", "10", "1"}) c.Part("D", QString(serial), QString("text-") + serial, "件 Part");
    for (int serial : {20, 3}) c.Part("D", serial, QString("number-%1").arg(serial), "件 Part");
    c.WriteDatabase(book);
    Connection conn;
    conn.Open(Text(book));
    Recordset rs;
    rs.Open("Select * from tblBook where 级 = 'P' and 归属='D' order by 序号, 图号", conn);
    QStringList order;
    for (; !rs.Eof(); rs.MoveNext()) order << rs.Fields("序号").toString();
    // Numbers first in numeric order, then texts in text order ("10" before "2").
    EXPECT_EQ(order, QStringList({"3", "20", "1", "10", "2"}));
}

TEST_F(DataAccess, ApostrophesAreQuotedNotPasted)
{
    EXPECT_EQ(SqlText("o'ring"), "o''ring");
    EXPECT_EQ(SqlText("''"), "''''");
    EXPECT_EQ(SqlText("abc"), "abc");
    Connection c;
    c.Open(Text(book));
    Recordset rs;
    rs.Open("select * from tblBook where 图号='" + SqlText("o'ring-7") + "'", c);
    EXPECT_EQ(rs.RecordCount(), 1);
    // A value that tries to add a statement of its own is only ever text.
    const QString attack = "x'; delete from tblBook; --";
    rs.Open("select * from tblBook where 图号='" + SqlText(attack) + "'", c);
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_THROW(c.Execute("select 1; delete from tblBook"), DataError);
    EXPECT_EQ(RawScalar(book, "select count(*) from tblBook").toInt(), 6);
}

TEST_F(DataAccess, TransactionsCommitOrRollBack)
{
    Connection c;
    c.Open(Text(book));
    {
        Transaction t(c);
        c.Execute("delete from tblBook where 级='P'");
    }
    EXPECT_EQ(RawScalar(book, "select count(*) from tblBook where 级='P'").toInt(), 3);
    {
        Transaction t(c);
        c.Execute("Update tblBook set 价格=2 where 级='P'");
        t.Commit();
    }
    EXPECT_EQ(RawScalar(book, "select count(*) from tblBook where 价格=2").toInt(), 3);
}

TEST_F(DataAccess, ATransactionOnAJetCatalogueWritesItsChanges)
{
    const QString jet = dir.file("jet/book.sd");
    QDir().mkpath(dir.file("jet"));
    jet::WriteJet4FromSqlite(QFile::encodeName(book).toStdString(), QFile::encodeName(jet).toStdString());
    ASSERT_EQ(DetectDatabaseFormat(jet), DatabaseFormat::Jet);
    {
        Connection c;
        c.Open(Text(jet));
        Transaction t(c);
        c.Execute("Update tblBook set 价格=8.5 where 图号='abc-1'");
        c.Execute("Update tblBook set 价格=9.5 where 图号='6D125-11'");
        t.Commit();
    }
    EXPECT_EQ(DetectDatabaseFormat(jet), DatabaseFormat::SQLite);   // upgraded before the first write
    EXPECT_EQ(RawScalar(jet, "select 价格 from tblBook where 图号='abc-1'").toDouble(), 8.5);
    EXPECT_EQ(RawScalar(jet, "select 价格 from tblBook where 图号='6D125-11'").toDouble(), 9.5);
}

TEST_F(DataAccess, PathsWithBlanksSemicolonsAndChineseOpen)
{
    const QString odd = dir.file("目录 a;b/book.sd");
    SmallCatalogue().WriteFolder(QFileInfo(odd).path());
    Connection c;
    c.Open(Text(odd));
    EXPECT_EQ(c.FilePath(), odd);
    Recordset rs;
    rs.Open("Select * from tblBook where 级 = 'Root'", c);
    EXPECT_EQ(rs.RecordCount(), 1);
}

TEST_F(DataAccess, FailuresNameTheFileAndTheCause)
{
    const QString missing = dir.file("missing/book.sd");
    const QString garbage = dir.file("garbage.sd");
    const QString empty = dir.file("empty.sd");
    const QString jet = dir.file("jet.mdb");
    const QString ace = dir.file("ace.accdb");
    WriteBytes(garbage, QByteArray(2048, 'x'));
    WriteBytes(empty, QByteArray());
    WriteBytes(jet, QByteArray("\0\1\0\0Standard Jet DB\0", 20) + QByteArray(2000, '\0'));
    WriteBytes(ace, QByteArray("\0\1\0\0Standard ACE DB\0", 20) + QByteArray(2000, '\0'));
    struct Case { QString path; QString cause; };
    const Case cases[] = {
        {missing, "file not found"}, {garbage, "not a database"}, {empty, "empty file"},
        {jet, "truncated"},          {ace, "truncated"},          {dir.path(), "folder"},
    };
    for (const Case& k : cases) {
        Connection c;
        try {
            c.Open(Text(k.path));
            ADD_FAILURE() << "opened " << k.path.toStdString();
        } catch (const DataError& e) {
            EXPECT_EQ(e.File(), k.path);
            EXPECT_TRUE(e.Cause().contains(k.cause)) << e.Message().toStdString();
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(k.path));
        }
        EXPECT_FALSE(c.IsOpen());
    }
    EXPECT_FALSE(QFileInfo::exists(missing));   // opening never creates
    EXPECT_EQ(QFileInfo(empty).size(), 0);
    EXPECT_THROW(Connection().Open("Provider=Other;File=x"), DataError);

    Connection c;
    c.Open(Text(book));
    Recordset rs;
    const auto cause = [&](const std::function<void()>& f) {
        try {
            f();
        } catch (const DataError& e) {
            EXPECT_EQ(e.File(), book);
            return e.Cause();
        }
        return QString("no failure");
    };
    EXPECT_TRUE(cause([&] { rs.Open("Select * form tblBook", c); }).contains("syntax error"));
    EXPECT_TRUE(cause([&] { rs.Open("Select * from tblNone", c); }).contains("no such table"));
    EXPECT_TRUE(cause([&] { c.Execute("Update tblBook set 价格=1,5 where 图号='x'"); }).contains("syntax error"));
    rs.Open("Select * from tblBook where 级 = 'Root'", c);
    EXPECT_TRUE(cause([&] { (void)rs.Fields("无此列"); }).contains("no field"));
    rs.MoveNext();
    EXPECT_TRUE(cause([&] { (void)rs.Fields("图号"); }).contains("at its end"));
    EXPECT_TRUE(cause([&] { rs.MoveNext(); }).contains("at its end"));
    EXPECT_TRUE(cause([&] { rs.SetField("图号", "x"); }).contains("at its end"));
    rs.Close();
    EXPECT_THROW(rs.Eof(), DataError);
    c.Close();
    EXPECT_THROW(c.Execute("delete from tblBook"), DataError);
    EXPECT_THROW(rs.Open("select * from tblBook", c), DataError);
}

TEST_F(DataAccess, ALockedFileFailsAfterTheBusyTimeoutAndALockReleasedInTimeIsWaitedFor)
{
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(book).constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);

    const int saved = BusyTimeout();
    SetBusyTimeout(200);
    QElapsedTimer clock;
    clock.start();
    try {
        Connection c;
        c.Open(Text(book));
        ADD_FAILURE() << "opened a locked file";
    } catch (const DataError& e) {
        EXPECT_TRUE(e.Cause().contains("locked")) << e.Message().toStdString();
    }
    EXPECT_GE(clock.elapsed(), 150);

    // The other program finishes well within the timeout: the open waits and succeeds.
    SetBusyTimeout(20000);
    QThread* release = QThread::create([other] {
        QThread::msleep(100);
        sqlite3_exec(other, "commit", nullptr, nullptr, nullptr);
    });
    release->start();
    Connection c;
    EXPECT_NO_THROW(c.Open(Text(book)));
    release->wait();
    delete release;
    sqlite3_close(other);
    SetBusyTimeout(saved);
}

TEST_F(DataAccess, SpreadsheetConnectionReadsTheSheetOfTheQuery)
{
    const QString missing = dir.file("none.xls");
    Connection none;
    EXPECT_THROW(none.Open(SpreadsheetConnectionText(missing), "", "", -1), DataError);

    const QString path = dir.file("prices.xlsx");
    lxw_workbook* workbook = workbook_new(QFile::encodeName(path).constData());
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Sheet1");
    worksheet_write_string(sheet, 0, 0, "部件图号", nullptr);
    worksheet_write_string(sheet, 0, 1, "价格", nullptr);
    worksheet_write_string(sheet, 1, 0, "6D125-11", nullptr);
    worksheet_write_number(sheet, 1, 1, 12.5, nullptr);
    ASSERT_EQ(workbook_close(workbook), LXW_NO_ERROR);

    Connection c;
    c.CursorLocation = 3;
    c.Open(SpreadsheetConnectionText(path), "", "", -1);
    EXPECT_TRUE(c.IsSpreadsheet());
    EXPECT_EQ(c.FilePath(), path);
    EXPECT_THROW(c.Execute("delete from [sheet1$]"), DataError);
    Recordset rs;
    EXPECT_THROW(rs.Open("select 价格 from [sheet1$]", c), DataError);
    try {
        rs.Open("select * from [sheet1$]", c, 1, 3, -1);
    } catch (const DataError& e) {
        if (e.Cause().contains("not available")) GTEST_SKIP() << "no spreadsheet reader in this build";
        throw;
    }
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Fields("部件图号").toString(), "6D125-11");
    EXPECT_EQ(rs.Fields("价格").toDouble(), 12.5);
    EXPECT_FALSE(rs.IsUpdatable());
}
