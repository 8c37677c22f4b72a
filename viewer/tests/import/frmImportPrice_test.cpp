// The price import window on real catalogues (SQLite files built by the fixture builder) and real
// spreadsheets, driven as a user would: pick a file, press Import, read the message.
#include "Fixtures.h"
#include "TestSupport.h"
#include "XlsxFixture.h"
#include "ModExplor.h"
#include "catalogue/frmExplore.h"
#include "import/frmImportPrice.h"
#include "startup/DataAccess.h"
#include "startup/Dialogs.h"
#include "startup/Forms.h"
#include "startup/Restart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

using TestSupport::ScratchDir;
using TestSupport::Settle;
using TestSupport::WriteXlsx;

namespace {

const QString kPart = QStringLiteral("部件图号");
const QString kPrice = QStringLiteral("价格");

QString Fixture(const QString& name)
{
    return QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../fixtures/") + name);
}

// A catalogue with one chapter and two drawings; parts are (number, price) and go on both drawings when twice.
Fixtures::Catalogue MakeCatalogue(const QString& id, const QVector<QPair<QString, QVariant>>& parts)
{
    Fixtures::Catalogue c(id);
    c.Chapter(QStringLiteral("C01"), QStringLiteral("发动机 Engine"))
        .Drawing(QStringLiteral("E100"), QStringLiteral("气缸盖 Head"), QStringLiteral("C01"), 1)
        .Drawing(QStringLiteral("E200"), QStringLiteral("缸体 Block"), QStringLiteral("C01"), 2);
    int serial = 0;
    for (const auto& [number, price] : parts)
        c.Part(serial % 2 ? QStringLiteral("E200") : QStringLiteral("E100"), ++serial, number, QStringLiteral("件 Part"), 1, price);
    return c;
}

QString AddCatalogue(const QString& data, const QString& folder, const QVector<QPair<QString, QVariant>>& parts)
{
    const QString dir = data + QLatin1Char('/') + folder;
    QDir().mkpath(dir);
    MakeCatalogue(folder, parts).WriteDatabase(dir + QStringLiteral("/book.sd"));
    return dir + QStringLiteral("/book.sd");
}

// Runs SQL on a catalogue file with the plain SQLite API; returns the rows as "a|b" texts.
QStringList Sql(const QString& path, const QString& sql)
{
    sqlite3* db = nullptr;
    QStringList rows;
    EXPECT_EQ(sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    while (st && sqlite3_step(st) == SQLITE_ROW) {
        QStringList cells;
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            cells << (sqlite3_column_type(st, i) == SQLITE_NULL ? QStringLiteral("Null")
                                                                 : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i))));
        rows << cells.join(QLatin1Char('|'));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

// "图号=价格" of the part rows, in table order.
QStringList Prices(const QString& path)
{
    // Numbers in their shortest form: a Jet catalogue's column keeps 3 as 3.0, ours as 3.
    return Sql(path, QStringLiteral("select 图号 || '=' || case when typeof(价格) in ('integer', 'real') "
                                    "then printf('%.15g', 价格) else ifnull(价格, 'Null') end "
                                    "from tblBook where 级 = 'P' order by rowid"));
}

class ImportPrice : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModExplor::LanguageFlag = QStringLiteral("1");
        ModExplor::DataPath = data.path() + QLatin1Char('/');
        Dialogs::Script::Clear();
    }
    void TearDown() override
    {
        Forms::unload<frmImportPrice>();
        Settle();
        ModExplor::LanguageFlag = QVariant();
    }

    QString Sheet(const QVector<QVector<QVariant>>& rows, const QString& name = QStringLiteral("Sheet1"))
    {
        const QString path = files.file(QStringLiteral("prices%1.xlsx").arg(++sheets));
        EXPECT_TRUE(WriteXlsx(path, {{name, rows}}));
        return path;
    }

    // Presses Import for the file and returns the message shown.
    QString Import(const QString& file)
    {
        frmImportPrice* w = Forms::get<frmImportPrice>();
        w->txtFile->setText(file);
        Dialogs::Script::Clear();
        w->cmdApp_Click();
        const QStringList shown = Dialogs::Script::Prompts();
        EXPECT_EQ(shown.size(), 1) << shown.join(QStringLiteral(" / ")).toStdString();
        return shown.isEmpty() ? QString() : shown.last();
    }

    ScratchDir data, files;
    int sheets = 0;
};

} // namespace

TEST_F(ImportPrice, WritesEachRowsPriceIntoEveryCatalogueAndCountsTheSkippedRows)
{
    const QString a = AddCatalogue(data.path(), QStringLiteral("a"),
                                   {{"P-1", 1.0}, {"P-1", 2.0}, {"A'B-01", QVariant()}, {"154-15-12715", 1.0},
                                    {"KEEP", 99.0}, {"P-2", 4.0}, {"X-EMPTY", 5.0}, {"X-TEXT", 6.0}, {"1234", 1.0}});
    const QString b = AddCatalogue(data.path(), QStringLiteral("b"), {{"P-1", 8.0}, {"OTHER", 9.0}});
    QDir(data.path()).mkdir(QStringLiteral("not-a-catalogue"));
    Sql(b, QStringLiteral("drop index tblBook_number"));   // as in catalogues made before the index existed
    // A catalogue copied from a case-insensitive disk.
    const QString upper = AddCatalogue(data.path(), QStringLiteral("upper"), {{"P-1", 1.0}});
    ASSERT_TRUE(QFile::rename(upper, data.file("upper/BOOK.SD")));
    const QVariant n;
    const QString sheet = Sheet({{QStringLiteral("名称"), kPart, kPrice},
                                 {"first", "P-1", 10},
                                 {"later wins", "P-1", QStringLiteral("12.50")},
                                 {"apostrophe", "A'B-01", 3},
                                 {"as text", "154-15-12715", QStringLiteral("12.50")},
                                 {"case", "p-2", 0.75},
                                 {"empty", "X-EMPTY", n},
                                 {"blank", "X-EMPTY", QStringLiteral("  ")},
                                 {"text", "X-TEXT", QStringLiteral("待定")},
                                 {"number cell", 1234, QStringLiteral("7.5 元")},
                                 {"no part", n, 7},
                                 {},
                                 {"absent", "NOWHERE", 1}});

    EXPECT_EQ(Import(sheet), QStringLiteral("Import Completely!\n\n"
                                            "Catalogues updated: 3\n"
                                            "Rows skipped because the price is empty: 2\n"
                                            "Rows skipped because the price is not a number: 1\n"
                                            "Rows skipped because the part number is empty: 1"));
    EXPECT_EQ(Prices(a), QStringList({"P-1=12.5", "P-1=12.5", "A'B-01=3", "154-15-12715=12.5", "KEEP=99", "P-2=0.75",
                                      "X-EMPTY=5", "X-TEXT=6", "1234=7.5"}));
    EXPECT_EQ(Prices(b), QStringList({"P-1=12.5", "OTHER=9"}));
    EXPECT_EQ(Prices(data.file("upper/BOOK.SD")), QStringList({"P-1=12.5"}));
    // Each statement finds its rows through the index, which the import created where it was missing.
    for (const QString& book : {a, b})
        EXPECT_TRUE(Sql(book, QStringLiteral("explain query plan update tblBook set 价格=1 where 图号='P-1'"))
                        .join(' ')
                        .contains(QStringLiteral("USING INDEX")));
    EXPECT_FALSE(QFileInfo::exists(data.file("not-a-catalogue/book.sd")));

    ModExplor::LanguageFlag = QStringLiteral("0");
    EXPECT_TRUE(Import(sheet).startsWith(QStringLiteral("价格导入完毕！\n\n已更新的目录：3 个\n价格为空而跳过的行：2 行")));
}

TEST_F(ImportPrice, BinaryAndOpenXmlWorkbooksGiveTheSameCatalogue)
{
    const QVector<QPair<QString, QVariant>> parts = {
        {"154-15-12715", 1.0}, {"A'B-01", 1.0}, {"1234", 1.0}, {"XX-EMPTY", 5.0}, {"XX-TEXT", 6.0}};
    const QString xlsx = Sheet({{kPart, QStringLiteral("名称"), kPrice},
                                {"154-15-12715", "齿轮", 12.5}, {"A'B-01", "垫片", 3}, {1234, "螺栓", 0.75},
                                {"XX-EMPTY", "空价格", QVariant()}, {"XX-TEXT", "文字价格", "待定"}});
    for (const QString& file : {Fixture("prices-lo.xls"), Fixture("prices-mini.xls"), xlsx}) {
        SCOPED_TRACE(file.toStdString());
        const QString book = AddCatalogue(data.path(), QStringLiteral("one"), parts);
        const QString message = Import(file);
        EXPECT_TRUE(message.startsWith(QStringLiteral("Import Completely!\n\nCatalogues updated: 1\n"))) << message.toStdString();
        EXPECT_EQ(Prices(book), QStringList({"154-15-12715=12.5", "A'B-01=3", "1234=0.75", "XX-EMPTY=5", "XX-TEXT=6"}));
    }
}

TEST_F(ImportPrice, ProgressBarsRunOverCataloguesAndRows)
{
    QStringList books;
    for (const char* name : {"c1", "c2", "c3"}) books << AddCatalogue(data.path(), QString::fromLatin1(name), {{"P-1", 1.0}});
    const QString sheet = Sheet({{kPart, kPrice}, {"P-1", 2}, {"P-2", 3}});
    frmImportPrice* w = Forms::get<frmImportPrice>();
    EXPECT_TRUE(w->PgBar1->isHidden() && w->PgBar2->isHidden() && w->labState->isHidden());

    // Each bar's values as "value/maximum", from the first value it is set to.
    QStringList bar1, bar2;
    QObject::connect(w->PgBar1, &QProgressBar::valueChanged, w, [&](int v) {
        if (v < 0) return;   // a reset by a new range
        bar1 << QStringLiteral("%1/%2").arg(v).arg(w->PgBar1->maximum());
        EXPECT_FALSE(w->PgBar1->isHidden());
        EXPECT_FALSE(w->labState->isHidden());
        EXPECT_EQ(w->PgBar1->minimum(), 0);
    });
    QObject::connect(w->PgBar2, &QProgressBar::valueChanged, w, [&](int v) {
        if (v == 0 || v == w->PgBar2->maximum()) bar2 << QStringLiteral("%1/%2").arg(v).arg(w->PgBar2->maximum());
    });
    EXPECT_TRUE(Import(sheet).startsWith(QStringLiteral("Import Completely!\n\nCatalogues updated: 3")));
    EXPECT_EQ(bar1, QStringList({"0/3", "1/3", "2/3", "3/3"}));
    EXPECT_EQ(bar2, QStringList({"0/2", "2/2", "0/2", "2/2", "0/2", "2/2"}));
    EXPECT_TRUE(w->PgBar1->isHidden() && w->PgBar2->isHidden() && w->labState->isHidden());
    for (const QString& book : books) EXPECT_EQ(Prices(book), QStringList({"P-1=2"}));

    // An empty data folder still fills the catalogue bar once.
    ScratchDir empty;
    ModExplor::DataPath = empty.path() + QLatin1Char('/');
    bar1.clear();
    Import(sheet);
    EXPECT_EQ(bar1, QStringList({"0/1", "1/1"}));
}

TEST_F(ImportPrice, OnlyAHeaderRowOpensNoCatalogue)
{
    const QString book = AddCatalogue(data.path(), QStringLiteral("a"), {{"P-1", 1.0}});
    Sql(book, QStringLiteral("drop index tblBook_number"));   // an import would have created it
    frmImportPrice* w = Forms::get<frmImportPrice>();
    bool barShown = false;
    QObject::connect(w->PgBar1, &QProgressBar::valueChanged, w, [&] { barShown = true; });
    EXPECT_EQ(Import(Sheet({{kPart, kPrice}})), QStringLiteral("Import Completely!\n\nThe price list has no rows.\nCatalogues updated: 0"));
    EXPECT_FALSE(barShown);
    EXPECT_EQ(Prices(book), QStringList({"P-1=1"}));
    EXPECT_TRUE(Sql(book, QStringLiteral("select name from sqlite_master where name = 'tblBook_number'")).isEmpty());
}

TEST_F(ImportPrice, UnwritableCataloguesAreLeftWholeAndCounted)
{
    SetBusyTimeout(50);
    const QString good = AddCatalogue(data.path(), QStringLiteral("good"), {{"P-1", 1.0}});
    const QString damaged = data.file("damaged/book.sd");
    QDir().mkpath(data.file("damaged"));
    {
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    // A catalogue that fails half-way: its earlier rows must not stay written.
    const QString halfway = AddCatalogue(data.path(), QStringLiteral("halfway"), {{"P-1", 1.0}, {"BOOM", 1.0}});
    Sql(halfway, QStringLiteral("create trigger refuse before update on tblBook when new.图号 = 'BOOM' "
                                "begin select raise(abort, 'refused'); end"));
    // A catalogue another program holds locked for the whole import.
    const QString locked = AddCatalogue(data.path(), QStringLiteral("locked"), {{"P-1", 1.0}});
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(locked).constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
    // A read-only catalogue; root writes read-only files anyway, so only other users see this one fail.
    const QString readOnly = AddCatalogue(data.path(), QStringLiteral("readonly"), {{"P-1", 1.0}});
    const bool root = geteuid() == 0;
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

    const QString message = Import(Sheet({{kPart, kPrice}, {"P-1", 2}, {"BOOM", 3}}));
    sqlite3_exec(holder, "rollback", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner);
    SetBusyTimeout(5000);

    EXPECT_TRUE(message.startsWith(QStringLiteral("Import Completely!\n\nCatalogues updated: %1\n"
                                                  "Catalogues that could not be updated (left unchanged): %2\n")
                                       .arg(root ? 2 : 1)
                                       .arg(root ? 3 : 4)))
        << message.toStdString();
    for (const char* name : {"damaged: ", "halfway: ", "locked: "})
        EXPECT_TRUE(message.contains(QStringLiteral("    ") + QString::fromLatin1(name))) << name;
    EXPECT_EQ(Prices(good), QStringList({"P-1=2"}));
    EXPECT_EQ(Prices(halfway), QStringList({"P-1=1", "BOOM=1"}));
    EXPECT_EQ(Prices(locked), QStringList({"P-1=1"}));
    EXPECT_EQ(Prices(readOnly), QStringList({root ? "P-1=2" : "P-1=1"}));
    EXPECT_EQ(QFile(damaged).size(), 4096);
}

TEST_F(ImportPrice, APriceListThatCannotBeUsedIsRefusedAndNothingChanges)
{
    const QString book = AddCatalogue(data.path(), QStringLiteral("a"), {{"P-1", 1.0}});
    const QString text = files.file("prices.xls");
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("部件图号,价格\nP-1,5\n");
    }
    const struct { QString file; QString says; } cases[] = {
        {text, QStringLiteral("The price list cannot be read:\nthe file is not a workbook")},
        {Sheet({{kPart, kPrice}, {"P-1", 5}}, QStringLiteral("Prices")), QStringLiteral("no worksheet named \"sheet1\"")},
        {Sheet({{kPart, QStringLiteral("单价")}, {"P-1", 5}}), QStringLiteral("lacks the column \"价格\".")},
        {Sheet({{QStringLiteral("图号"), QStringLiteral("单价")}, {"P-1", 5}}), QStringLiteral("lacks the columns \"部件图号\", \"价格\".")},
        {files.file("missing.xlsx"), QStringLiteral("The price list cannot be read:")},
        {QString(), QStringLiteral("Please select the price list")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        const QString message = Import(c.file);
        EXPECT_TRUE(message.contains(c.says)) << message.toStdString();
        ASSERT_FALSE(Dialogs::Script::Record().isEmpty());
        EXPECT_TRUE(Dialogs::Script::Record().last().buttons & Dialogs::Exclamation);
        EXPECT_EQ(Prices(book), QStringList({"P-1=1"}));
    }
    ModExplor::LanguageFlag = QStringLiteral("0");
    EXPECT_TRUE(Import(Sheet({{kPart}, {"P-1"}})).startsWith(QStringLiteral("工作表“sheet1”缺少列 \"价格\"。")));
}

TEST_F(ImportPrice, ClosingDuringAnImportStopsAfterTheCurrentCatalogue)
{
    QStringList books;
    for (const char* name : {"c1", "c2", "c3"}) books << AddCatalogue(data.path(), QString::fromLatin1(name), {{"P-1", 1.0}});
    const QString sheet = Sheet({{kPart, kPrice}, {"P-1", 2}});
    frmImportPrice* w = Forms::get<frmImportPrice>();
    w->show();
    int started = 0;
    QObject::connect(w->PgBar2, &QProgressBar::valueChanged, w, [&](int v) {
        if (v != 0 || started++) return;
        // The user presses Import again and then closes the window while the first catalogue is written.
        EXPECT_FALSE(w->cmdApp->isEnabled());
        QTest::mouseClick(w->cmdApp, Qt::LeftButton);
        w->cmdApp_Click();
        w->close();
        EXPECT_TRUE(w->isVisible());
    });
    w->txtFile->setText(sheet);
    Dialogs::Script::Clear();
    w->cmdApp_Click();

    EXPECT_EQ(started, 1);
    EXPECT_EQ(Dialogs::Script::Prompts(),
              QStringList({QStringLiteral("Import stopped: the window was closed.\n\nCatalogues updated: 1\nCatalogues not visited: 2")}));
    int updated = 0;
    for (const QString& book : books) updated += Prices(book) == QStringList({"P-1=2"});
    EXPECT_EQ(updated, 1);
    Settle();
    EXPECT_EQ(Forms::loaded<frmImportPrice>(), nullptr);
}

TEST_F(ImportPrice, CaptionsFileDialogAndWindowLifeInBothLanguages)
{
    struct Expected { QString language, window, label1, label2, state, app, exit, title, filter; };
    const Expected cases[] = {
        {"1", "Import Price", "Import Price", "Please Select the Excel File...", "Please Wait ...", "Import", "Quit(&Q)",
         "Please select the excel file:", "Microsoft Excel File(*.xl*);;All Files(*.*)"},
        {"0", "价格导入", "价格导入向导", "请选择导入配置文件：", "正在导入，请稍候...", "应  用(&A)", "退  出(&Q)",
         "请选择导入配置文件：", "Microsoft Excel 文件(*.xl*);;所有文件(*.*)"},
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.language.toStdString());
        ModExplor::LanguageFlag = e.language;
        frmImportPrice* w = Forms::get<frmImportPrice>();
        EXPECT_EQ(w->windowTitle(), e.window);
        EXPECT_EQ(w->findChild<QLabel*>("Label1")->text(), e.label1);
        EXPECT_EQ(w->findChild<QLabel*>("Label2")->text(), e.label2);
        EXPECT_EQ(w->findChild<QLabel*>("labState")->text(), e.state);
        EXPECT_EQ(w->findChild<QPushButton*>("cmdApp")->text(), e.app);
        EXPECT_EQ(w->findChild<QPushButton*>("cmdExit")->text(), e.exit);
        EXPECT_EQ(w->findChild<QPushButton*>("cmdSelect")->text(), "...");
        for (const char* name : {"txtFile", "PgBar1", "PgBar2", "Picture1", "Frame1"})
            EXPECT_NE(w->findChild<QWidget*>(name), nullptr) << name;

        Dialogs::Script::Clear();
        Dialogs::Script::Push(QStringLiteral("/tmp/价格.xls"));
        QTest::mouseClick(w->cmdSelect, Qt::LeftButton);
        EXPECT_EQ(w->txtFile->text(), "/tmp/价格.xls");
        Dialogs::Script::Push(QVariant());   // cancelled: the text stays
        w->cmdSelect_Click();
        EXPECT_EQ(w->txtFile->text(), "/tmp/价格.xls");
        ASSERT_EQ(Dialogs::Script::Record().size(), 2);
        EXPECT_EQ(Dialogs::Script::Record()[0].title, e.title);
        EXPECT_EQ(Dialogs::Script::Record()[0].kind, "Open");
        EXPECT_EQ(Dialogs::Script::Record()[0].defaultText, e.filter);   // the filter of a file dialog

        // Quit unloads; the next use builds a fresh window.
        QTest::mouseClick(w->cmdExit, Qt::LeftButton);
        Settle();
        EXPECT_EQ(Forms::loaded<frmImportPrice>(), nullptr);
    }
}

TEST_F(ImportPrice, OpensModallyFromTheMainWindowAndTheRestartUnloadsIt)
{
    frmExplore* main = Forms::get<frmExplore>();
    bool seen = false;
    QTimer::singleShot(0, main, [&] {
        frmImportPrice* w = Forms::loaded<frmImportPrice>();
        ASSERT_NE(w, nullptr);
        seen = true;
        EXPECT_TRUE(w->isModal());
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->parentWidget(), main);
        w->cmdExit_Click();
    });
    main->mnuFile_ImportPrice->trigger();
    EXPECT_TRUE(seen);
    Settle();
    EXPECT_EQ(Forms::loaded<frmImportPrice>(), nullptr);

    Forms::get<frmImportPrice>();
    Restart::UnloadMainWindows();
    Settle();
    EXPECT_EQ(Forms::loaded<frmImportPrice>(), nullptr);
    EXPECT_EQ(Forms::loaded<frmExplore>(), nullptr);
}

// Catalogues users have from the old program are Jet files: the import upgrades each one it writes to,
// keeps the original beside it and says so; a damaged Jet file is skipped like any unusable catalogue.
TEST_F(ImportPrice, UpgradesJetCataloguesAndSaysWhereTheOriginalsAre)
{
    const QString book = AddCatalogue(data.path(), QStringLiteral("old"), {{"P-1", 1.0}, {"P-2", QVariant()}});
    Fixtures::SaveAsJet(book);
    QFile original(book);
    original.open(QIODevice::ReadOnly);
    const QByteArray jetBytes = original.readAll();
    original.close();
    const QString current = AddCatalogue(data.path(), QStringLiteral("new"), {{"P-1", 8.0}});
    const QString damaged = data.file(QStringLiteral("cut/book.sd"));
    QDir(data.path()).mkdir(QStringLiteral("cut"));
    QFile cut(damaged);
    cut.open(QIODevice::WriteOnly);
    cut.write(jetBytes.left(jetBytes.size() - 1000));
    cut.close();

    const QString message = Import(Sheet({{kPart, kPrice}, {"P-1", 2.5}, {"P-2", 3}}));
    EXPECT_TRUE(message.startsWith(QStringLiteral("Import Completely!\n\nCatalogues updated: 2\n"
                                                  "Catalogues upgraded from the old (Jet) format: 1; their originals are kept at:\n"
                                                  "    ") + book + QStringLiteral(".jet\n"
                                                  "Catalogues that could not be updated (left unchanged): 1\n")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("cut"))) << message.toStdString();
    EXPECT_EQ(Prices(book), QStringList({"P-1=2.5", "P-2=3"}));
    EXPECT_EQ(Prices(current), QStringList({"P-1=2.5"}));
    QFile kept(book + QStringLiteral(".jet"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), jetBytes);
    EXPECT_EQ(QFileInfo(damaged).size(), jetBytes.size() - 1000);
    EXPECT_FALSE(QFileInfo::exists(damaged + QStringLiteral(".jet")));
}
