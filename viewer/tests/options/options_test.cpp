// The options window: what it reads and writes, its captions and messages, and the restart into the new
// settings while it is a modal window of the main window.
#include "ModExplor.h"
#include "TestSupport.h"
#include "catalogue/frmExplore.h"
#include "startup/Dialogs.h"
#include "startup/Forms.h"
#include "startup/Settings.h"
#include "startup/frmFlash.h"
#include "startup/frmOption.h"

#include <OstrelNarrow.h>
#include <QAction>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <clocale>
#include <functional>
#include <gtest/gtest.h>

using namespace TestSupport;

namespace {
const QString kSavedChinese = QString::fromUtf8("保存成功，更改后的配置在重新启动该软件时生效！是否现在就重新启动？");
const QString kSavedEnglish = QStringLiteral("Saved OK.Please restart the software!Are you sure to restart");

class Options : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModExplor::SetProgramFolder(program.path());
        ModExplor::IniFilePath = settings.iniPath();
        ModExplor::LanguageFlag = QVariant();
        ModExplor::DataPath.clear();
        Dialogs::Script::Clear();
    }
    void TearDown() override
    {
        Forms::unload<frmOption>();
        Forms::unload<frmFlash>();
        Forms::unload<frmExplore>();
        Settle();
        Dialogs::Script::Clear();
    }
    QString Stored(const QString& key) const { return Settings::Read(key, settings.iniPath()); }

    // Starts the viewer as a user does: the splash, then the main window at the first click.
    frmExplore* StartViewer()
    {
        Forms::get<frmFlash>()->Form_Click();
        return Forms::loaded<frmExplore>();
    }

    // Opens the options window modally, owned by owner, and runs user inside its modal loop.
    static void WithOptionsOpen(QWidget* owner, const std::function<void(frmOption*)>& user)
    {
        QTimer::singleShot(0, [user] {
            frmOption* options = Forms::loaded<frmOption>();
            ASSERT_NE(options, nullptr);
            ASSERT_TRUE(options->isVisible());
            user(options);
        });
        Forms::showModal<frmOption>(owner);
    }

    ScratchDir program;
    ScratchSettings settings;
};
} // namespace

TEST_F(Options, LoadSelectsLanguageByNumericValueAndShowsFolderUnchanged)
{
    struct Case { const char* file; bool english; QString folder; } cases[] = {
        {"[Option]\r\nLanguage=1\r\nSavePath=/data/books\r\n", true, "/data/books"},
        {"[Option]\r\nLanguage=0\r\nSavePath=/data/books/\r\n", false, "/data/books/"},
        {"[Option]\r\nSavePath=relative folder\r\n", false, "relative folder"},   // Language missing
        {"[Option]\r\nLanguage=\r\n", false, ""},
        {"[Option]\r\nLanguage=2\r\n", false, ""},                               // neither: the design's choice
        {"[Option]\r\nLanguage=1.0\r\n", true, ""},
    };
    for (const Case& c : cases) {
        QFile f(settings.iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.file);
        f.close();
        frmOption* options = Forms::get<frmOption>();
        EXPECT_EQ(options->Opt2->isChecked(), c.english) << c.file;
        EXPECT_NE(options->Opt1->isChecked(), options->Opt2->isChecked()) << c.file;
        EXPECT_EQ(options->txtPath->text(), c.folder) << c.file;
        Forms::unload<frmOption>();
        Settle();
    }
}

TEST_F(Options, MissingSettingsFileOpensEmptyInChinese)
{
    frmOption* options = Forms::get<frmOption>();
    EXPECT_TRUE(options->Opt1->isChecked());
    EXPECT_TRUE(options->txtPath->text().isEmpty());
    EXPECT_FALSE(QFile::exists(settings.iniPath()));   // opening creates nothing
}

TEST_F(Options, CaptionsFollowTheLanguageInUseNotTheFile)
{
    struct Case { const char* inUse; const char* inFile; QStringList texts; } cases[] = {
        {"1", "0", {"Option", "Location Of the data saved:", "Language:", "Chinese", "English", "Save(&S)", "Quit(&Q)", "..."}},
        {"0", "1", {"选项", "浏览器数据存放位置：", "语言(Language)：", "简体中文", "English", "保  存(&S)", "退  出(&Q)", "..."}},
    };
    for (const Case& c : cases) {
        ModExplor::LanguageFlag = QString::fromLatin1(c.inUse);
        settings.write(c.inFile, "/x/");
        frmOption* o = Forms::get<frmOption>();
        const QStringList shown = {o->windowTitle(), o->frmPath->title(), o->frmLanguage->title(), o->Opt1->text(),
                                   o->Opt2->text(), o->cmdApp->text(), o->cmdExit->text(), o->cmdSelect->text()};
        EXPECT_EQ(shown, c.texts);
        for (const char* name : {"frmPath", "txtPath", "cmdSelect", "frmLanguage", "Opt1", "Opt2", "cmdApp", "cmdExit"})
            EXPECT_NE(o->findChild<QWidget*>(name), nullptr) << name;
        Forms::unload<frmOption>();
        Settle();
    }
}

TEST_F(Options, SavingWritesLanguageDigitAndFolderTextAsTyped)
{
    struct Case { bool english; QString folder; const char* language; } cases[] = {
        {true, "/new/books", "1"},            // no "/" added, no check that it exists
        {false, "", "0"},
        {false, QString::fromUtf8("/数据/目录/"), "0"},
    };
    for (const Case& c : cases) {
        settings.write(c.english ? "0" : "1", "/old/");
        frmOption* options = Forms::get<frmOption>();
        (c.english ? options->Opt2 : options->Opt1)->setChecked(true);
        options->txtPath->setText(c.folder);
        QTest::mouseClick(options->cmdApp, Qt::LeftButton);
        EXPECT_EQ(Stored(Settings::LanguageKey), c.language);
        EXPECT_EQ(Stored(Settings::SavePathKey), c.folder);
        Forms::unload<frmOption>();
        Settle();
    }
}

TEST_F(Options, SavedMessageIsInTheLanguageInUse)
{
    struct Case { const char* inUse; bool chooseEnglish; QString prompt; QString title; } cases[] = {
        {"0", true, kSavedChinese, QString::fromUtf8("提示")},
        {"1", false, kSavedEnglish, "Saved"},
    };
    for (const Case& c : cases) {
        ModExplor::LanguageFlag = QString::fromLatin1(c.inUse);
        Dialogs::Script::Clear();
        frmOption* options = Forms::get<frmOption>();
        (c.chooseEnglish ? options->Opt2 : options->Opt1)->setChecked(true);
        options->cmdApp_Click();
        ASSERT_EQ(Dialogs::Script::Record().size(), 1);
        const auto& shown = Dialogs::Script::Record().first();
        EXPECT_EQ(shown.prompt, c.prompt);
        EXPECT_EQ(shown.title, c.title);
        EXPECT_EQ(shown.buttons, Dialogs::YesNo | Dialogs::Question);
        Forms::unload<frmOption>();
        Settle();
    }
}

TEST_F(Options, FolderTextTheSettingsFileCannotGiveBackIsRefused)
{
    // The file gives back at most 101 bytes of the narrow set (UTF-8 here): 34 Chinese characters are
    // 102 bytes although they are far fewer than 101 characters.
    struct Case { QString folder; bool saved; } cases[] = {
        {"/" + QString(100, 'a'), true},
        {"/" + QString(101, 'a'), false},
        {"/" + QString(33, QChar(0x76EE)), true},     // 100 bytes
        {"/" + QString(34, QChar(0x76EE)), false},    // 103 bytes
        {"/bad" + QString(QChar(0xD800)) + "/", false},   // a broken character would come back altered
    };
    if (OstrelNarrow::CharsetName() != "UTF-8") GTEST_SKIP() << "the locale's set is not UTF-8";
    for (const Case& c : cases) {
        settings.write("0", "/old/");
        Dialogs::Script::Clear();
        frmOption* options = Forms::get<frmOption>();
        options->Opt2->setChecked(true);
        options->txtPath->setText(c.folder);
        options->cmdApp_Click();
        EXPECT_EQ(Stored(Settings::SavePathKey), c.saved ? c.folder : QStringLiteral("/old/")) << c.folder.size();
        EXPECT_EQ(Stored(Settings::LanguageKey), c.saved ? "1" : "0");
        ASSERT_EQ(Dialogs::Script::Record().size(), 1);
        const auto& shown = Dialogs::Script::Record().first();
        EXPECT_EQ(shown.prompt == kSavedChinese, c.saved);
        if (!c.saved) EXPECT_EQ(shown.buttons, Dialogs::OkOnly | Dialogs::Exclamation);
        // Refused or not, the window stays open with the text as typed.
        EXPECT_EQ(Forms::loaded<frmOption>(), options);
        EXPECT_EQ(options->txtPath->text(), c.folder);
        Forms::unload<frmOption>();
        Settle();
    }
}

TEST_F(Options, TooLongMessageIsInTheLanguageInUse)
{
    ModExplor::LanguageFlag = QStringLiteral("1");
    frmOption* options = Forms::get<frmOption>();
    options->txtPath->setText("/" + QString(120, 'x'));
    options->cmdApp_Click();
    ASSERT_EQ(Dialogs::Script::Record().size(), 1);
    EXPECT_TRUE(Dialogs::Script::Record().first().prompt.startsWith("The location of the data is too long"));
    EXPECT_TRUE(Dialogs::Script::Record().first().prompt.contains("121"));
}

TEST_F(Options, GbkLocaleCountsGbkBytes)
{
    const std::string previous = setlocale(LC_CTYPE, nullptr);
    if (!setlocale(LC_CTYPE, "zh_CN.GBK")) GTEST_SKIP() << "no zh_CN.GBK locale on this machine";
    // Two bytes a Chinese character in GBK: 50 fit beside the leading "/", 51 do not; a character GBK
    // lacks would be stored as "?".
    struct Case { QString folder; bool saved; } cases[] = {
        {"/" + QString(50, QChar(0x76EE)), true},
        {"/" + QString(51, QChar(0x76EE)), false},
        {QString::fromUtf8("/books \xF0\x9F\x93\x9A/"), false},
    };
    for (const Case& c : cases) {
        settings.write("0", "/old/");
        frmOption* options = Forms::get<frmOption>();
        const QString& folder = c.folder;
        options->txtPath->setText(folder);
        options->cmdApp_Click();
        EXPECT_EQ(Stored(Settings::SavePathKey), c.saved ? folder : QStringLiteral("/old/"));
        Forms::unload<frmOption>();
        Settle();
    }
    setlocale(LC_CTYPE, previous.c_str());
}

TEST_F(Options, QuitAndEscapeUnloadSoTheNextOpeningReadsTheFileAgain)
{
    settings.write("0", "/first/");
    QPointer<frmOption> first;
    WithOptionsOpen(nullptr, [&](frmOption* o) {
        first = o;
        QTest::mouseClick(o->cmdExit, Qt::LeftButton);
    });
    EXPECT_EQ(Forms::loaded<frmOption>(), nullptr);

    settings.write("1", "/second/");
    WithOptionsOpen(nullptr, [&](frmOption* o) {
        EXPECT_NE(o, first.data());
        EXPECT_EQ(o->txtPath->text(), "/second/");
        EXPECT_TRUE(o->Opt2->isChecked());
        QTest::keyClick(o, Qt::Key_Escape);
    });
    EXPECT_EQ(Forms::loaded<frmOption>(), nullptr);
    Settle();
    EXPECT_TRUE(first.isNull());
}

TEST_F(Options, NoKeepsTheMainWindowItsLanguageAndFolder)
{
    ScratchDir oldData, newData;
    settings.write("0", oldData.path());
    QPointer<frmExplore> main = StartViewer();
    ASSERT_TRUE(main);
    const QString chineseCaption = main->windowTitle();

    WithOptionsOpen(main, [&](frmOption* o) {
        EXPECT_EQ(o->parentWidget(), main.data());
        EXPECT_TRUE(o->isModal());
        o->Opt2->setChecked(true);
        o->txtPath->setText(newData.path());
        Dialogs::Script::Push(Dialogs::No);
        QTest::mouseClick(o->cmdApp, Qt::LeftButton);
        // Still open after No; the user then quits it.
        EXPECT_TRUE(o->isVisible());
        QTest::mouseClick(o->cmdExit, Qt::LeftButton);
    });
    Settle();
    EXPECT_EQ(Stored(Settings::LanguageKey), "1");
    EXPECT_EQ(Stored(Settings::SavePathKey), newData.path());
    ASSERT_TRUE(main);
    EXPECT_EQ(Forms::loaded<frmExplore>(), main.data());
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->windowTitle(), chineseCaption);
    EXPECT_FALSE(ModExplor::IsEnglish());
    EXPECT_EQ(ModExplor::DataPath, oldData.path() + "/");
    EXPECT_EQ(Forms::loaded<frmFlash>(), nullptr);
}

TEST_F(Options, YesRestartsIntoAFreshMainWindowInTheNewLanguageAndFolder)
{
    ScratchDir oldData, newData;
    settings.write("0", oldData.path());
    QPointer<frmExplore> oldMain = StartViewer();
    ASSERT_TRUE(oldMain);
    QPointer<frmOption> options;

    // Opened the way the main window opens it: from a menu command of its own, in the running event loop.
    auto* mnuTools_F = new QAction(oldMain);
    QObject::connect(mnuTools_F, &QAction::triggered, oldMain, [&] {
        WithOptionsOpen(oldMain, [&](frmOption* o) {
            options = o;
            QTest::mouseClick(o->Opt2, Qt::LeftButton);
            o->txtPath->setText(newData.path());
            Dialogs::Script::Push(Dialogs::Yes);
            QTest::mouseClick(o->cmdApp, Qt::LeftButton);
        });
    });
    QEventLoop running;
    QTimer::singleShot(0, [&] {
        mnuTools_F->trigger();
        running.quit();
    });
    running.exec();
    // The options window is closed and the start-up sequence ran: splash up, old main window gone.
    EXPECT_EQ(Forms::loaded<frmOption>(), nullptr);
    EXPECT_EQ(Forms::loaded<frmExplore>(), nullptr);
    frmFlash* splash = Forms::loaded<frmFlash>();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(ModExplor::IsEnglish());
    EXPECT_EQ(ModExplor::DataPath, newData.path() + "/");
    Settle();
    EXPECT_TRUE(oldMain.isNull());
    EXPECT_TRUE(options.isNull());

    splash->Timer1_Timer();
    Settle();
    frmExplore* fresh = Forms::loaded<frmExplore>();
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(fresh->isVisible());
    EXPECT_EQ(fresh->windowTitle(), "TovarnInfo Visual Marlinex");
    EXPECT_EQ(Forms::loaded<frmFlash>(), nullptr);
}

TEST_F(Options, EmptyFolderSavedThenRestartGivesTheRoot)
{
    settings.write("1", "/somewhere/");
    frmOption* options = Forms::get<frmOption>();
    options->txtPath->clear();
    Dialogs::Script::Push(Dialogs::Yes);
    options->cmdApp_Click();
    EXPECT_EQ(Stored(Settings::SavePathKey), "");
    EXPECT_EQ(ModExplor::DataPath, "/");
    EXPECT_TRUE(ModExplor::IsEnglish());
    EXPECT_NE(Forms::loaded<frmFlash>(), nullptr);
}
