// The worksheet reader on real workbooks: .xls written by LibreOffice and by SheetJS (whose tiny
// workbook FreeXL refuses on its own), and .xlsx written by libxlsxwriter.
#include "TestSupport.h"
#include "XlsxFixture.h"
#include "import/CompoundFile.h"
#include "import/SpreadsheetReader.h"
#include "startup/DataAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <freexl.h>
#include <gtest/gtest.h>
#include <zip.h>

using TestSupport::ScratchDir;
using TestSupport::WriteXlsx;
using TestSupport::XlsxSheet;

namespace {

QString Fixture(const QString& name)
{
    return QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../fixtures/") + name);
}

const QStringList kColumns = {QStringLiteral("部件图号"), QStringLiteral("名称"), QStringLiteral("价格")};

// The rows of fixtures/prices.csv as the spreadsheet programs stored them.
QVector<QVector<QVariant>> PriceRows()
{
    return {{QStringLiteral("154-15-12715"), QStringLiteral("齿轮"), 12.5},
            {QStringLiteral("A'B-01"), QStringLiteral("垫片"), 3.0},
            {1234.0, QStringLiteral("螺栓"), 0.75},
            {QStringLiteral("XX-EMPTY"), QStringLiteral("空价格"), QVariant()},
            {QStringLiteral("XX-TEXT"), QStringLiteral("文字价格"), QStringLiteral("待定")}};
}

QString Describe(const QVariant& v)
{
    if (v.isNull() || !v.isValid()) return QStringLiteral("Null");
    if (v.typeId() == QMetaType::Double) return QStringLiteral("number %1").arg(v.toDouble());
    if (v.typeId() == QMetaType::Bool) return QStringLiteral("bool %1").arg(v.toBool());
    return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(v.typeName()), v.toString());
}

void ExpectTable(const SheetTable& t, const QStringList& columns, const QVector<QVector<QVariant>>& rows)
{
    EXPECT_EQ(t.columns, columns);
    ASSERT_EQ(t.rows.size(), rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        ASSERT_EQ(t.rows[r].size(), columns.size()) << "row " << r;
        for (int c = 0; c < columns.size(); ++c)
            EXPECT_EQ(Describe(t.rows[r][c]).toStdString(), Describe(rows[r][c]).toStdString())
                << "row " << r << " column " << c;
    }
}

QString CopyAs(const QString& from, const QString& to)
{
    QFile::remove(to);
    EXPECT_TRUE(QFile::copy(from, to));
    return to;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

} // namespace

TEST(SpreadsheetReader, EveryFormatGivesTheSameTable)
{
    ScratchDir dir;
    QVector<QVector<QVariant>> sheet = {{kColumns[0], kColumns[1], kColumns[2]}};
    sheet += PriceRows();
    ASSERT_TRUE(WriteXlsx(dir.file("shared.xlsx"), {{QStringLiteral("Sheet1"), sheet}}));
    ASSERT_TRUE(WriteXlsx(dir.file("inline.xlsx"), {{QStringLiteral("Sheet1"), sheet}}, true));

    // The content decides the format, never the name.
    const QStringList files = {Fixture("prices-lo.xls"), Fixture("prices-mini.xls"), dir.file("shared.xlsx"),
                               dir.file("inline.xlsx"), CopyAs(dir.file("shared.xlsx"), dir.file("named.xls")),
                               CopyAs(Fixture("prices-mini.xls"), dir.file("named.xlsx")),
                               CopyAs(Fixture("prices-lo.xls"), dir.file("价格表"))};
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        try {
            ExpectTable(ReadWorksheet(file, QStringLiteral("sheet1")), kColumns, PriceRows());
        } catch (const DataError& e) {
            ADD_FAILURE() << e.Message().toStdString();
        }
    }
}

TEST(SpreadsheetReader, TinyWorkbookThatFreeXlRefusesIsReadThroughItsWorkbookStream)
{
    // The fixture must keep showing the fault the reader works around.
    const void* handle = nullptr;
    EXPECT_EQ(freexl_open(QFile::encodeName(Fixture("prices-mini.xls")).constData(), &handle), FREEXL_INVALID_MINI_STREAM);
    if (handle) freexl_close(handle);

    QByteArray stream;
    QString error;
    ASSERT_TRUE(CompoundFile::ReadStream(ReadFile(Fixture("prices-mini.xls")), {QStringLiteral("workbook")}, stream, error))
        << error.toStdString();
    ASSERT_GE(stream.size(), 4);
    EXPECT_EQ(stream.left(2), QByteArray("\x09\x08", 2));   // BIFF8 BOF
    EXPECT_LT(stream.size(), 4096);                          // a mini stream indeed

    // The rewritten compound file holds the same bytes in regular sectors.
    QByteArray again;
    ASSERT_TRUE(CompoundFile::ReadStream(CompoundFile::WriteSingleStream(QStringLiteral("Workbook"), stream),
                                         {QStringLiteral("Workbook")}, again, error));
    EXPECT_EQ(again.left(stream.size()), stream);
    EXPECT_GT(again.size(), 4096);
    EXPECT_EQ(again.mid(stream.size()).count('\0'), again.size() - stream.size());
}

TEST(SpreadsheetReader, FormulaCellsGiveTheirLastComputedValues)
{
    // FreeXL leaves formula and boolean cells of an .xls empty; a price is often computed.
    const QStringList columns = {QStringLiteral("部件图号"), QStringLiteral("价格"), QStringLiteral("说明"), QStringLiteral("有价")};
    ExpectTable(ReadWorksheet(Fixture("prices-formula.xls"), QStringLiteral("sheet1")), columns,
                {{QStringLiteral("P-1"), 5.0, QStringLiteral("基价"), true},
                 {QStringLiteral("P-1-B"), 12.5, QStringLiteral("基价×2.5"), true}});
}

TEST(SpreadsheetReader, SheetIsFoundWithoutRegardToCaseAndAMissingOneIsNamed)
{
    ScratchDir dir;
    const QString book = dir.file("two.xlsx");
    ASSERT_TRUE(WriteXlsx(book, {{QStringLiteral("Notes"), {{QStringLiteral("x")}, {QStringLiteral("y")}}},
                                 {QStringLiteral("SHEET1"), {{QStringLiteral("部件图号")}, {QStringLiteral("P-1")}}}}));
    ExpectTable(ReadWorksheet(book, QStringLiteral("sheet1")), {QStringLiteral("部件图号")}, {{QStringLiteral("P-1")}});

    for (const QString& file : {book, Fixture("prices-lo.xls"), Fixture("prices-mini.xls")}) {
        SCOPED_TRACE(file.toStdString());
        try {
            ReadWorksheet(file, QStringLiteral("sheet2"));
            ADD_FAILURE() << "no error";
        } catch (const DataError& e) {
            EXPECT_TRUE(e.Cause().contains(QStringLiteral("\"sheet2\""))) << e.Cause().toStdString();
            EXPECT_TRUE(e.Cause().contains(file == book ? QStringLiteral("\"Notes\", \"SHEET1\"") : QStringLiteral("\"Sheet1\"")))
                << e.Cause().toStdString();
            EXPECT_EQ(e.File(), file);
        }
    }
}

TEST(SpreadsheetReader, UsedRangeGivesColumnNamesAndKeepsGapsInPlace)
{
    // The table starts at B3; the heading of D is empty, row 5 is empty, booleans and texts mix.
    ScratchDir dir;
    const QString book = dir.file("sparse.xlsx");
    const QVariant n;
    ASSERT_TRUE(WriteXlsx(book, {{QStringLiteral("sheet1"),
                                  {{},
                                   {},
                                   {n, QStringLiteral("部件图号"), QStringLiteral("价格"), n, QStringLiteral("备注")},
                                   {n, QStringLiteral("P-1"), 7, QStringLiteral("extra"), true},
                                   {},
                                   {n, n, QStringLiteral(" 8 "), n, false}}}}));
    ExpectTable(ReadWorksheet(book, QStringLiteral("Sheet1")),
                {QStringLiteral("部件图号"), QStringLiteral("价格"), QStringLiteral("F3"), QStringLiteral("备注")},
                {{QStringLiteral("P-1"), 7.0, QStringLiteral("extra"), true},
                 {n, n, n, n},
                 {n, QStringLiteral(" 8 "), n, false}});
}

TEST(SpreadsheetReader, WhatIsNotAReadableWorkbookIsRefusedWithACause)
{
    ScratchDir dir;
    WriteFile(dir.file("text.xls"), "部件图号,价格\nP-1,3\n");
    WriteFile(dir.file("empty.xlsx"), "");
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.file("picture.xlsx"), "PNG"));
    {
        int error = 0;
        zip_t* z = zip_open(QFile::encodeName(dir.file("other.xlsx")).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        ASSERT_NE(z, nullptr);
        static const char text[] = "hello";
        zip_file_add(z, "readme.txt", zip_source_buffer(z, text, sizeof text - 1, 0), 0);
        ASSERT_EQ(zip_close(z), 0);
    }
    const QByteArray lo = ReadFile(Fixture("prices-lo.xls"));
    WriteFile(dir.file("cut.xls"), lo.left(1500));
    QByteArray scrambled = lo;
    for (qsizetype i = 76; i < 512; ++i) scrambled[i] = char(0x5A);   // FAT sector numbers out of range
    WriteFile(dir.file("scrambled.xls"), scrambled);
    ASSERT_TRUE(WriteXlsx(dir.file("good.xlsx"), {{QStringLiteral("Sheet1"), {{QStringLiteral("a")}}}}));
    WriteFile(dir.file("cut.xlsx"), ReadFile(dir.file("good.xlsx")).left(300));
    {
        // A sheet whose cell reference points far beyond any real sheet.
        ASSERT_TRUE(WriteXlsx(dir.file("far.xlsx"), {{QStringLiteral("Sheet1"), {{QStringLiteral("a")}}}}));
        int error = 0;
        zip_t* z = zip_open(QFile::encodeName(dir.file("far.xlsx")).constData(), 0, &error);
        ASSERT_NE(z, nullptr);
        static const char sheet[] =
            "<?xml version=\"1.0\"?><worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
            "<sheetData><row r=\"2000000000\"><c r=\"ZZZ2000000000\"><v>1</v></c></row></sheetData></worksheet>";
        zip_file_add(z, "xl/worksheets/sheet1.xml", zip_source_buffer(z, sheet, sizeof sheet - 1, 0), ZIP_FL_OVERWRITE);
        ASSERT_EQ(zip_close(z), 0);
        EXPECT_TRUE(ReadWorksheet(dir.file("far.xlsx"), QStringLiteral("sheet1")).columns.isEmpty());
    }

    const struct { const char* file; const char* cause; } cases[] = {
        {"text.xls", "not a workbook"},        {"empty.xlsx", "not a workbook"}, {"picture.xlsx", "not a workbook"},
        {"other.xlsx", "not a workbook"},      {"cut.xls", ""},                  {"scrambled.xls", ""},
        {"cut.xlsx", ""},                      {"missing.xls", "cannot be opened"}, {"", "no file"},
    };
    for (const auto& c : cases) {
        const QString path = *c.file ? dir.file(QString::fromUtf8(c.file)) : QString();
        SCOPED_TRACE(c.file);
        try {
            ReadWorksheet(path, QStringLiteral("sheet1"));
            ADD_FAILURE() << "no error";
        } catch (const DataError& e) {
            EXPECT_TRUE(e.Cause().contains(QString::fromUtf8(c.cause))) << e.Cause().toStdString();
            EXPECT_FALSE(e.Cause().isEmpty());
        }
    }
}
