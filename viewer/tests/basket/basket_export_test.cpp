// The basket's two exports on real basket files: the text file byte for byte (in UTF-8 and in GBK), its name
// rule, the numbering it leaves in the basket, a folder that cannot be written; the workbook read back from
// its zip parts, how it is opened, and a temporary folder that cannot be written.
#include "BasketTest.h"
#include "basket/BasketTextExport.h"
#include "basket/BasketWorkbookExport.h"
#include "startup/Dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QUrl>
#include <QXmlStreamReader>
#include <clocale>
#include <gtest/gtest.h>
#include <unistd.h>
#include <zip.h>

using namespace TestSupport;
using Fixtures::BasketLine;

namespace {

// Sets the C library's locale for the life of the object (the narrow character set follows it).
class LocaleScope {
public:
    explicit LocaleScope(const char* name) : previous_(std::setlocale(LC_ALL, nullptr)) { ok_ = std::setlocale(LC_ALL, name); }
    ~LocaleScope() { std::setlocale(LC_ALL, previous_.c_str()); }
    bool ok() const { return ok_; }
private:
    std::string previous_;
    bool ok_ = false;
};

// Catches what the export hands to the desktop to open.
class Opener : public QObject {
    Q_OBJECT
public:
    Opener() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~Opener() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }
};

// What a worksheet holds, read back from the workbook's zip parts.
struct Sheet {
    QHash<QString, QVariant> cells;   // "B2" -> text (QString) or number (double)
    QHash<int, double> widths;        // 1-based column -> width
    QVariant at(const QString& ref) const { return cells.value(ref); }
};

QByteArray ZipPart(zip_t* zip, const char* name)
{
    zip_stat_t st;
    if (zip_stat(zip, name, 0, &st) != 0) return {};
    zip_file_t* f = zip_fopen(zip, name, 0);
    if (!f) return {};
    QByteArray data(qsizetype(st.size), '\0');
    zip_fread(f, data.data(), st.size);
    zip_fclose(f);
    return data;
}

Sheet ReadSheet(const QString& path)
{
    Sheet sheet;
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!zip) { ADD_FAILURE() << "not a zip: " << path.toStdString(); return sheet; }
    QStringList shared;
    QXmlStreamReader strings(ZipPart(zip, "xl/sharedStrings.xml"));
    while (!strings.atEnd())
        if (strings.readNext() == QXmlStreamReader::StartElement && strings.name() == QLatin1String("t"))
            shared << strings.readElementText();
    QXmlStreamReader xml(ZipPart(zip, "xl/worksheets/sheet1.xml"));
    QString ref, type;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("col")) {
            for (int c = a.value("min").toInt(); c <= a.value("max").toInt(); ++c) sheet.widths[c] = a.value("width").toDouble();
        } else if (xml.name() == QLatin1String("c")) {
            ref = a.value("r").toString();
            type = a.value("t").toString();
        } else if (xml.name() == QLatin1String("v")) {
            const QString v = xml.readElementText();
            sheet.cells[ref] = type == QLatin1String("s") ? QVariant(shared.value(v.toInt())) : QVariant(v.toDouble());
        }
    }
    zip_close(zip);
    return sheet;
}

class BasketExport : public BasketTest {
protected:
    void TearDown() override
    {
        QFile::setPermissions(out.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        BasketTest::TearDown();
    }

    static QByteArray Bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Runs the text export with chosen as the save dialog's answer (a null QVariant cancels).
    static void ExportText(const QVariant& chosen)
    {
        Dialogs::Script::Push(chosen);
        ExportBasketText(nullptr);
    }

    // Four lines whose stored order is neither the part-number order nor the drawing order.
    void WriteFour()
    {
        Write({{"E200", "2", "6D125-20", "垫片 GASKET", 2, "PC", 12.5, 0, 25, 0},
               {"E100", "1", "175-22-1", "螺栓, 六角 BOLT, HEX", 1, {}, 1234.5, 0.25, 1234.5, 0.25},
               {"E100", "3", "ABC-1", "说明 \"A\" TYPE", 1.5, {}, {}, {}, {}, {}},
               {"E050", "10", "abc-0", "束\nLOOM", 3, {}, 1, 1, 3, 3}});
    }

    static QString Heading()
    {
        return "序号Sl.No.,零件号Part No.,名称Description,数量Q'ty,单位Unit,单价U-Price,总价T-Price,单重U-Weight,"
               "总重T-Weight,归属号Ass'y No.,图序号Fig.No.\r\n";
    }

    ScratchDir out;
};

} // namespace

TEST_F(BasketExport, TextFileByteForByteNumberedInTheBasketAndTheSameTwice)
{
    LocaleScope c("C");
    WriteFour();
    const QString path = out.file("order.txt");
    ExportText(path);
    const QString expected = Heading() +
        "1,175-22-1,\"螺栓, 六角 BOLT, HEX\",1,,1234.50,1234.50,0.25,0.25,E100,1\r\n"
        "2,6D125-20,垫片 GASKET,2,PC,12.50,25.00,0.00,0.00,E200,2\r\n"
        "3,abc-0,\"束\nLOOM\",3,,1.00,3.00,1.00,3.00,E050,10\r\n"
        "4,ABC-1,\"说明 \"\"A\"\" TYPE\",1.5,,,,,,E100,3\r\n";
    const QByteArray first = Bytes(path);
    EXPECT_EQ(QString::fromUtf8(first), expected);
    EXPECT_EQ(first, expected.toUtf8());   // UTF-8 outside a legacy locale, and no byte-order mark

    ASSERT_EQ(Dialogs::Script::Record().size(), 2);
    const Dialogs::Script::Shown& dialog = Dialogs::Script::Record()[0];
    EXPECT_EQ(dialog.kind, "Save");
    EXPECT_EQ(dialog.title, "");
    EXPECT_EQ(dialog.defaultText, "文本文件*.txt (*.txt)");
    const Dialogs::Script::Shown& done = Dialogs::Script::Record()[1];
    EXPECT_EQ(done.prompt, "导出完毕!");
    EXPECT_EQ(done.title, "Marlinex");
    EXPECT_EQ(done.buttons, Dialogs::OkOnly);

    // 顺序号 holds each line's position in the file.
    QStringList numbered;
    for (const BasketLine& l : Stored()) numbered << l.part + "=" + l.position.toString();
    EXPECT_EQ(numbered, QStringList({"6D125-20=2", "175-22-1=1", "ABC-1=4", "abc-0=3"}));

    ExportText(path);
    EXPECT_EQ(Bytes(path), first);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{"order.txt"});   // no temporary file left
}

TEST_F(BasketExport, TextFileInTheLocalesLegacyCharacterSet)
{
    LocaleScope gbk("zh_CN.GBK");
    if (!gbk.ok()) GTEST_SKIP() << "no zh_CN.GBK locale (LOCPATH)";
    Write({{"E1", "1", "P1", "螺栓 BOLT", 1, {}, 2, 0.5, 2, 0.5}});
    ModExplor::LanguageFlag = "1";
    ExportText(out.file("gbk"));
    const QByteArray bytes = Bytes(out.file("gbk.txt"));
    // "序号" is D0 F2 BA C5 and "螺栓" C2 DD CB A8 in GBK.
    EXPECT_TRUE(bytes.startsWith(QByteArray::fromHex("d0f2bac5") + "Sl.No.,"));
    EXPECT_TRUE(bytes.contains("1,P1," + QByteArray::fromHex("c2ddcba8") + " BOLT,1,,2.00,2.00,0.50,0.50,E1,1\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(Dialogs::Script::Prompts().last(), "Export OK!");
    EXPECT_EQ(Dialogs::Script::Record().last().title, "Export");
}

TEST_F(BasketExport, TheChosenNameBecomesATxtFileInTheChosenFolder)
{
    Write({{"E1", "1", "P1", "螺栓 BOLT", 1, {}, 2, 0.5, 2, 0.5}});
    struct Case { const char* chosen; const char* written; } cases[] = {
        {"list", "list.txt"}, {"list.txt", "list.txt"}, {"list.csv", "list.txt"}, {"my.order.list", "my.txt"}};
    QFile old(out.file("list.txt"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older file of that name, longer than the export will be ..............................");
    old.close();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        ExportText(out.file(c.chosen));
        EXPECT_TRUE(Bytes(out.file(c.written)).startsWith(Heading().toUtf8()));
        EXPECT_TRUE(Bytes(out.file(c.written)).endsWith("E1,1\r\n"));
    }
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList({"list.txt", "my.txt"}));
}

TEST_F(BasketExport, CancellingWritesNothingAndAnEmptyBasketWritesNoFileButSaysDone)
{
    Write({{"E1", "1", "P1", "螺栓 BOLT", 1, {}, 2, 0.5, 2, 0.5}});
    ExportText(QVariant());
    EXPECT_EQ(Dialogs::Script::Record().size(), 1);   // the dialog only
    EXPECT_TRUE(QDir(out.path()).isEmpty());
    EXPECT_TRUE(Stored().first().position.isNull());

    Write({});
    Dialogs::Script::Clear();
    ExportText(out.file("empty.txt"));
    EXPECT_FALSE(QFile::exists(out.file("empty.txt")));
    EXPECT_EQ(Dialogs::Script::Prompts().last(), "导出完毕!");
}

TEST_F(BasketExport, AFolderThatCannotBeWrittenIsReportedWithItsCauseAndNothingIsNumbered)
{
    Write({{"E1", "1", "P1", "螺栓 BOLT", 1, {}, 2, 0.5, 2, 0.5}});
    // A "folder" that is a file cannot be written even by root; a read-only folder only by root.
    QFile blocker(out.file("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QStringList targets = {out.file("not-a-folder/order.txt")};
    ScratchDir readOnly;
    if (geteuid() != 0) {
        QFile keep(readOnly.file("order.txt"));
        ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
        keep.write("kept");
        keep.close();
        QFile::setPermissions(readOnly.path(), QFile::ReadOwner | QFile::ExeOwner);
        targets << readOnly.file("order.txt");
    }
    for (const QString& target : targets) {
        SCOPED_TRACE(target.toStdString());
        for (const char* language : {"0", "1"}) {
            ModExplor::LanguageFlag = QString::fromLatin1(language);
            Dialogs::Script::Clear();
            ExportText(target);
            ASSERT_EQ(Dialogs::Script::Record().size(), 2);
            const Dialogs::Script::Shown& told = Dialogs::Script::Record()[1];
            const bool en = language[0] == '1';
            EXPECT_TRUE(told.prompt.startsWith((en ? "Export failed!\n" : "导出失败!\n") + target + "\n"))
                << told.prompt.toStdString();
            EXPECT_GT(told.prompt.size(), (target.size() + 20));   // the cause follows the name
            EXPECT_EQ(told.title, en ? "Export" : "Marlinex");
            EXPECT_EQ(told.buttons, Dialogs::OkOnly | Dialogs::Exclamation);
        }
        EXPECT_TRUE(Stored().first().position.isNull());
    }
    QFile::setPermissions(readOnly.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (targets.size() > 1) {
        EXPECT_EQ(Bytes(readOnly.file("order.txt")), "kept");
        EXPECT_EQ(QDir(readOnly.path()).entryList(QDir::Files), QStringList{"order.txt"});
    }
}

TEST_F(BasketExport, WorkbookHoldsTheLinesByDrawingAndSerialNumberWithHeadingsAndWidths)
{
    Write({{"E200", "2", "6D125-20", "垫片 GASKET", 2, "PC", 12.5, 0, 25, 0},
           {"E100", "2", "0012-3", "螺栓 BOLT", 3, {}, {}, {}, {}, {}},
           {"E100", "10", "0012-3", "螺栓 BOLT", 1, {}, 1234.5, 0.25, 1234.5, 0.25}});
    Opener opener;
    ExportBasketWorkbook(nullptr);
    EXPECT_TRUE(Dialogs::Script::Record().isEmpty());
    ASSERT_EQ(opener.opened.size(), 1);
    const QString path = opener.opened.first().toLocalFile();
    EXPECT_TRUE(path.startsWith(ModExplor::TempFolder() + "/"));
    EXPECT_TRUE(path.endsWith(".xlsx"));
    EXPECT_EQ(QDir(ModExplor::TempFolder()).entryList(QDir::Files).size(), 1);   // nothing half-written beside it

    const Sheet sheet = ReadSheet(path);
    const QStringList headings = {"序号Sl.No.", "零件号Part No.", "名称Description", "数量Q'ty", "单位Unit",
                                  "单价U-Price", "总价T-Price", "单重U-Weight", "总重T-Weight", "归属号Ass'y No.",
                                  "图序号Fig.No."};
    const QString columns = "ABCDEFGHIJK";
    for (int c = 0; c < 11; ++c) EXPECT_EQ(sheet.at(columns[c] + QString("1")), headings[c]);
    // By drawing, then serial number as text ("10" before "2"); part and serial numbers stay text.
    const QVariantList rows[] = {
        {1.0, "0012-3", "螺栓 BOLT", 1.0, QVariant(), 1234.5, 1234.5, 0.25, 0.25, "E100", "10"},
        {2.0, "0012-3", "螺栓 BOLT", 3.0, QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), "E100", "2"},
        {3.0, "6D125-20", "垫片 GASKET", 2.0, "PC", 12.5, 25.0, 0.0, 0.0, "E200", "2"},
    };
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 11; ++c) {
            const QString ref = columns[c] + QString::number(r + 2);
            SCOPED_TRACE(ref.toStdString());
            EXPECT_EQ(sheet.at(ref), rows[r][c]);
        }
    EXPECT_EQ(sheet.cells.size(), 11 * 4 - 6);   // the six missing values are empty cells
    // Widths in character units (stored with the application's padding).
    const double widths[] = {4, 12, 10, 10, 10, 10, 10, 10, 10};
    for (int c = 1; c <= 9; ++c) {
        SCOPED_TRACE(c);
        EXPECT_GE(sheet.widths.value(c), widths[c - 1]);
        EXPECT_LT(sheet.widths.value(c), widths[c - 1] + 1);
    }
    EXPECT_FALSE(sheet.widths.contains(10));
    EXPECT_FALSE(sheet.widths.contains(11));

    // A second export right away gets a name of its own.
    ExportBasketWorkbook(nullptr);
    ASSERT_EQ(opener.opened.size(), 2);
    EXPECT_NE(opener.opened[1], opener.opened[0]);
}

TEST_F(BasketExport, AnEmptyBasketGivesAnEmptyWorkbookWithoutHeadings)
{
    Write({});
    Opener opener;
    ExportBasketWorkbook(nullptr);
    ASSERT_EQ(opener.opened.size(), 1);
    const Sheet sheet = ReadSheet(opener.opened.first().toLocalFile());
    EXPECT_TRUE(sheet.cells.isEmpty());
    EXPECT_TRUE(sheet.widths.isEmpty());
}

TEST_F(BasketExport, WithoutAnApplicationTheUserIsToldWhereTheWorkbookIs)
{
    Write({{"E1", "1", "P1", "螺栓 BOLT", 1, {}, 2, 0.5, 2, 0.5}});
    ModExplor::LanguageFlag = "1";
    ExportBasketWorkbook(nullptr);   // the offscreen desktop opens nothing
    ASSERT_EQ(Dialogs::Script::Record().size(), 1);
    const QStringList files = QDir(ModExplor::TempFolder()).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    const QString path = ModExplor::TempFolder() + "/" + files.first();
    EXPECT_TRUE(Dialogs::Script::Record().first().prompt.contains("\n" + path + "\n"));
    EXPECT_EQ(Dialogs::Script::Record().first().title, "Export");
    EXPECT_EQ(ReadSheet(path).at("B2"), "P1");
}

TEST_F(BasketExport, ATemporaryFolderThatCannotBeWrittenIsReported)
{
    Write({{"E1", "1", "P1", "螺栓 BOLT", 1, {}, 2, 0.5, 2, 0.5}});
    QFile blocker(ModExplor::TempFolder());   // a file where the folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Opener opener;
    ExportBasketWorkbook(nullptr);
    EXPECT_TRUE(opener.opened.isEmpty());
    ASSERT_EQ(Dialogs::Script::Record().size(), 1);
    EXPECT_TRUE(Dialogs::Script::Prompts().first().startsWith("导出失败!\n" + ModExplor::TempFolder() + "/Order_"));
    EXPECT_EQ(QDir(program.path()).entryList(QDir::Files), QStringList({"order.mdb", "temp"}));
}

#include "basket_export_test.moc"
