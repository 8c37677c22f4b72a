#include "ModExplor.h"
#include "TestSupport.h"
#include "about/Dialog.h"
#include "about/frmAbout.h"
#include "about/SysInfo.h"
#include "startup/Dialogs.h"
#include "startup/Forms.h"
#include "startup/Picture.h"

#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using TestSupport::ScratchDir;

class AboutWindows : public ::testing::Test {
protected:
    ScratchDir program;
    QString previousFolder = ModExplor::ProgramFolder();

    void SetUp() override
    {
        ModExplor::SetProgramFolder(program.path());
        ModExplor::LanguageFlag = QStringLiteral("0");
        Dialogs::Script::Clear();
    }
    void TearDown() override
    {
        Forms::unload<Dialog>();
        Forms::unload<frmAbout>();
        TestSupport::Settle();
        ModExplor::SetProgramFolder(previousFolder);
        ModExplor::LanguageFlag = QVariant();
    }
    void Write(const QString& name, const QByteArray& bytes)
    {
        QFile f(program.file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QString Text(QWidget* w, const char* name)
    {
        if (auto* b = w->findChild<QPushButton*>(QString::fromLatin1(name))) return b->text();
        if (auto* l = w->findChild<QLabel*>(QString::fromLatin1(name))) return l->text();
        ADD_FAILURE() << "no control " << name;
        return QString();
    }
};

TEST_F(AboutWindows, SupportTextShowsEveryLineEndedByALineBreak)
{
    Write(QStringLiteral("about.ini"), QStringLiteral("供应商：Marlinex 技术支持中心\r\n地址：示例路 1 号\r\n电话：见服务卡").toUtf8());
    Dialog* d = Forms::get<Dialog>();
    auto* text = d->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("供应商：Marlinex 技术支持中心\n地址：示例路 1 号\n电话：见服务卡\n"));
    EXPECT_EQ(d->windowTitle(), QStringLiteral("关于产品支持"));
    EXPECT_EQ(Text(d, "cmdOK"), QStringLiteral("确  定"));
    EXPECT_EQ(Text(d, "cmdSysInfo"), QStringLiteral("系统信息(&S)..."));
    EXPECT_NE(d->findChild<QLabel*>(QStringLiteral("Picture1")), nullptr);
    EXPECT_TRUE(Dialogs::Script::Record().isEmpty());
}

TEST_F(AboutWindows, SupportTextKeepsEmptyLinesAndEveryLineEnding)
{
    Write(QStringLiteral("about.ini"), QByteArray("first\n\nthird\rfourth\r\n"));
    auto* text = Forms::get<Dialog>()->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    EXPECT_EQ(text->toPlainText(), QStringLiteral("first\n\nthird\nfourth\n"));
}

TEST_F(AboutWindows, SupportFileIsReadInTheNarrowCharacterSet)
{
    TestSupport::ScopedLocale gbk("zh_CN.GBK");
    if (!gbk.ok()) GTEST_SKIP() << "no zh_CN.GBK locale here";
    Write(QStringLiteral("about.ini"), QByteArray("\xC1\xE3\xBC\xFE\r\nD85\r\n"));   // 零件, D85
    const QString shown = Forms::get<Dialog>()->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText();
    EXPECT_EQ(shown, QStringLiteral("零件\nD85\n"));
}

TEST_F(AboutWindows, EnglishReadsTheEnglishFileOrShowsNothing)
{
    ModExplor::LanguageFlag = QStringLiteral("1");
    Write(QStringLiteral("about.ini"), QByteArray("Chinese only\n"));
    Dialog* d = Forms::get<Dialog>();
    auto* text = d->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    EXPECT_EQ(text->toPlainText(), QString());
    EXPECT_EQ(d->windowTitle(), QStringLiteral("About Product"));
    EXPECT_EQ(Text(d, "cmdOK"), QStringLiteral("OK"));
    EXPECT_EQ(Text(d, "cmdSysInfo"), QStringLiteral("SysInfo..."));
    EXPECT_TRUE(Dialogs::Script::Record().isEmpty());
    Forms::unload<Dialog>();
    TestSupport::Settle();

    Write(QStringLiteral("aboutEn.ini"), QByteArray("Supplier: Marlinex Support\nHours: 8:00-17:00\n"));
    text = Forms::get<Dialog>()->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    EXPECT_EQ(text->toPlainText(), QStringLiteral("Supplier: Marlinex Support\nHours: 8:00-17:00\n"));
}

TEST_F(AboutWindows, AboutWindowSpeaksBothLanguages)
{
    frmAbout* a = Forms::get<frmAbout>();
    EXPECT_EQ(a->windowTitle(), QStringLiteral("关于 "));
    EXPECT_EQ(Text(a, "cmdOK"), QStringLiteral("确  定"));
    EXPECT_EQ(Text(a, "cmdSysInfo"), QStringLiteral("系统信息(&S)..."));
    for (const char* name : {"lblTitle", "lblDisclaimer", "lblDescription", "lbUser"})
        EXPECT_FALSE(Text(a, name).isEmpty()) << name;
    EXPECT_TRUE(Text(a, "lblTitle").contains(QStringLiteral("Marlinex")));
    const QString warning = Text(a, "lblDisclaimer");
    for (const char* name : {"picIcon", "Image1"}) EXPECT_NE(a->findChild<QLabel*>(QString::fromLatin1(name)), nullptr);
    Forms::unload<frmAbout>();
    TestSupport::Settle();

    ModExplor::LanguageFlag = QStringLiteral("1");
    a = Forms::get<frmAbout>();
    EXPECT_EQ(a->windowTitle(), QStringLiteral("About Quenfield"));
    EXPECT_EQ(Text(a, "lblTitle"), QStringLiteral("SoftWare System"));
    EXPECT_EQ(Text(a, "lblDisclaimer"), warning) << "the legal warning stays Chinese";
    EXPECT_TRUE(Text(a, "lbUser").startsWith(QStringLiteral("User:")));
    EXPECT_TRUE(Text(a, "lblDescription").contains(QStringLiteral("Marlinex")));
    EXPECT_EQ(Text(a, "cmdOK"), QStringLiteral("OK(&O)"));
    EXPECT_EQ(Text(a, "cmdSysInfo"), QStringLiteral("System Info(&S)"));
}

// The fixed files the build puts beside the program: the splash pictures of both languages, both support
// texts, and the help document (RTF under its .doc name, so word processors open it).
TEST_F(AboutWindows, TheProgramFolderShipsItsFixedFiles)
{
    const QString bin = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin");
    for (const char* name : {"/view.Res", "/viewen.Res"}) {
        const Picture splash = Picture::Load(bin + QString::fromLatin1(name));
        EXPECT_EQ(splash.NaturalSize(), QSize(499, 331)) << name;
    }
    ModExplor::SetProgramFolder(bin);
    for (const char* language : {"0", "1"}) {
        ModExplor::LanguageFlag = QString::fromLatin1(language);
        const QString text = Forms::get<Dialog>()->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText();
        EXPECT_TRUE(text.contains(QStringLiteral("Marlinex"))) << "language " << language;
        EXPECT_TRUE(text.endsWith('\n'));
        Forms::unload<Dialog>();
        TestSupport::Settle();
    }
    QFile help(bin + QStringLiteral("/MarlinexHelp.doc"));
    ASSERT_TRUE(help.open(QIODevice::ReadOnly));
    EXPECT_TRUE(help.read(6) == "{\\rtf1");
}

// Opens a window modally over a main window and closes it with its OK button from inside the loop.
template <class T> void OpenAndPressOk(QWidget* owner, bool& wasModalChild)
{
    QTimer::singleShot(0, [&] {
        T* w = Forms::loaded<T>();
        wasModalChild = w && w->isVisible() && w->isModal() && w->parentWidget() == owner;
        if (w) QTest::mouseClick(w->template findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    T::ShowModal(owner);
}

TEST_F(AboutWindows, BothOpenModallyOverTheirOwnerAndUnloadOnOk)
{
    QMainWindow owner;
    owner.show();
    bool modal = false;
    OpenAndPressOk<frmAbout>(&owner, modal);
    EXPECT_TRUE(modal);
    TestSupport::Settle();
    EXPECT_EQ(Forms::loaded<frmAbout>(), nullptr);

    modal = false;
    OpenAndPressOk<Dialog>(&owner, modal);
    EXPECT_TRUE(modal);
    TestSupport::Settle();
    EXPECT_EQ(Forms::loaded<Dialog>(), nullptr);
}

class SystemInformation : public AboutWindows {
protected:
    ScratchDir bin;
    QByteArray previousPath = qgetenv("PATH");
    void SetUp() override
    {
        AboutWindows::SetUp();
        qputenv("PATH", bin.path().toUtf8());
    }
    void TearDown() override
    {
        qputenv("PATH", previousPath);
        AboutWindows::TearDown();
    }
    // A stand-in tool that leaves its name in a marker file when started.
    QString Tool(const QString& name)
    {
        const QString marker = bin.file(name + QStringLiteral(".started"));
        QFile f(bin.file(name));
        f.open(QIODevice::WriteOnly);
        f.write(QStringLiteral("#!/bin/sh\n: > '%1'\n").arg(marker).toUtf8());
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return marker;
    }
    static bool AppearsSoon(const QString& path)
    {
        // The tool runs on its own; give it a generous while.
        for (int k = 0; k < 500 && !QFile::exists(path); ++k) QThread::msleep(10);
        return QFile::exists(path);
    }
};

TEST_F(SystemInformation, WithoutAToolTheButtonSaysItIsUnavailable)
{
    for (bool english : {false, true}) {
        ModExplor::LanguageFlag = english ? QStringLiteral("1") : QStringLiteral("0");
        Dialogs::Script::Clear();
        QTest::mouseClick(Forms::get<frmAbout>()->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
        QTest::mouseClick(Forms::get<Dialog>()->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
        ASSERT_EQ(Dialogs::Script::Record().size(), 2);
        for (const auto& shown : Dialogs::Script::Record()) {
            EXPECT_EQ(shown.prompt, QStringLiteral("此时系统信息不可用"));
            EXPECT_EQ(shown.buttons & 7, Dialogs::OkOnly);
        }
        Forms::unload<frmAbout>();
        Forms::unload<Dialog>();
        TestSupport::Settle();
    }
}

TEST_F(SystemInformation, StartsTheFirstToolOfTheListThatIsInstalled)
{
    const QString later = Tool(QStringLiteral("kinfocenter"));
    const QString first = Tool(QStringLiteral("hardinfo"));
    Forms::get<Dialog>()->StartSysInfo();
    EXPECT_TRUE(AppearsSoon(first));
    EXPECT_FALSE(QFile::exists(later));
    EXPECT_TRUE(Dialogs::Script::Record().isEmpty());
}

TEST_F(SystemInformation, NoRegistryIsRead)
{
    QString value = QStringLiteral("before");
    EXPECT_FALSE(Forms::get<frmAbout>()->GetKeyValue(int32_t(0x80000002), QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                                                     QStringLiteral("PATH"), value));
    EXPECT_EQ(value, QString());
}

} // namespace
