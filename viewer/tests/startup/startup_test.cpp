// The start-up sequence: temporary folder, settings into the globals, splash picture, the main window once.
#include "ModExplor.h"
#include "TestSupport.h"
#include "catalogue/frmExplore.h"
#include "startup/Forms.h"
#include "startup/frmFlash.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

using namespace TestSupport;

namespace {
void WritePicture(const QString& path, QSize size, const char* format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(path, format));
}

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModExplor::SetProgramFolder(program.path());
        ModExplor::LanguageFlag = QVariant();
        ModExplor::DataPath.clear();
    }
    void TearDown() override
    {
        Forms::unload<frmFlash>();
        Forms::unload<frmExplore>();
        Settle();
    }
    ScratchDir program;
    ScratchSettings settings;
};
} // namespace

TEST_F(Startup, EmptiesTempFolderButKeepsItsSubfolders)
{
    QDir(program.path()).mkpath("temp/cache");
    QFile(program.file("temp/old.xlsx")).open(QIODevice::WriteOnly);
    QFile(program.file("temp/cache/keep.sd")).open(QIODevice::WriteOnly);
    Forms::get<frmFlash>();
    EXPECT_FALSE(QFile::exists(program.file("temp/old.xlsx")));
    EXPECT_TRUE(QFile::exists(program.file("temp/cache/keep.sd")));
}

TEST_F(Startup, CreatesMissingTempFolder)
{
    Forms::get<frmFlash>();
    EXPECT_TRUE(QDir(program.file("temp")).exists());
}

TEST_F(Startup, ReadsSettingsIntoGlobals)
{
    struct Case { QString language, savePath, dataPath; bool english; } cases[] = {
        {"1", "/data/books", "/data/books/", true},
        {"0", "/data/books/", "/data/books/", false},
        {"", "", "/", false},
    };
    for (const Case& c : cases) {
        settings.write(c.language, c.savePath);
        Forms::get<frmFlash>();
        EXPECT_EQ(ModExplor::LanguageFlag.toString(), c.language);
        EXPECT_EQ(ModExplor::DataPath, c.dataPath);
        EXPECT_EQ(ModExplor::IsEnglish(), c.english);
        EXPECT_EQ(ModExplor::IniFilePath, settings.folder() + "Marlinex2007.ini");
        Forms::unload<frmFlash>();
        Settle();
    }
}

TEST_F(Startup, MissingSettingsFileGivesChineseAndRootFolder)
{
    Forms::get<frmFlash>();
    EXPECT_FALSE(ModExplor::IsEnglish());
    EXPECT_EQ(ModExplor::DataPath, "/");
}

TEST_F(Startup, SplashPictureFollowsLanguageAndSizesTheWindow)
{
    // Names say nothing of the format; the content decides.
    WritePicture(program.file("view.Res"), QSize(400, 300), "PNG");
    WritePicture(program.file("viewen.Res"), QSize(640, 360), "BMP");
    settings.write("1", "/x/");
    frmFlash* splash = Forms::get<frmFlash>();
    const QPoint corner = splash->pos();
    EXPECT_EQ(splash->size(), QSize(640, 360));
    EXPECT_EQ(splash->imgBK->size(), QSize(640, 360));
    EXPECT_EQ(splash->pos(), corner);
    Forms::unload<frmFlash>();
    Settle();

    settings.write("0", "/x/");
    splash = Forms::get<frmFlash>();
    EXPECT_EQ(splash->size(), QSize(400, 300));
}

TEST_F(Startup, MissingOrBrokenPictureKeepsDesignSize)
{
    QFile f(program.file("view.Res"));
    f.open(QIODevice::WriteOnly);
    f.write("this is not a picture");
    f.close();
    frmFlash* splash = Forms::get<frmFlash>();
    EXPECT_EQ(splash->size(), QSize(7485 / 15, 4965 / 15));
    EXPECT_TRUE(splash->imgBK->pixmap().isNull());
}

TEST_F(Startup, ClickOpensOneMainWindowAndTimerAddsNoSecond)
{
    settings.write("1", "/x/");
    frmFlash* splash = Forms::get<frmFlash>();
    EXPECT_EQ(splash->Timer1->interval(), 7000);
    EXPECT_TRUE(splash->Timer1->isActive());
    splash->Form_Click();
    frmExplore* main = Forms::loaded<frmExplore>();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(main->windowTitle(), "TovarnInfo Visual Marlinex");
    EXPECT_EQ(Forms::loaded<frmFlash>(), nullptr);
    // The timer firing afterwards opens nothing more.
    splash->Timer1_Timer();
    EXPECT_EQ(Forms::loaded<frmExplore>(), main);
    Settle();
    EXPECT_EQ(Forms::loaded<frmExplore>(), main);
}

TEST_F(Startup, TimerOpensChineseMainWindow)
{
    frmFlash* splash = Forms::get<frmFlash>();
    splash->Timer1_Timer();
    ASSERT_NE(Forms::loaded<frmExplore>(), nullptr);
    EXPECT_EQ(Forms::loaded<frmExplore>()->windowTitle(), QString::fromUtf8("推土机电子零件目录Marlinex"));
}

TEST_F(Startup, RestartClosesTheMainWindowAndBuildsAFreshOne)
{
    Forms::get<frmFlash>()->Form_Click();
    QPointer<frmExplore> first = Forms::loaded<frmExplore>();
    ASSERT_TRUE(first);
    settings.write("1", "/new/");
    Forms::get<frmFlash>();                 // the restart
    EXPECT_EQ(Forms::loaded<frmExplore>(), nullptr);
    EXPECT_EQ(ModExplor::DataPath, "/new/");
    Forms::loaded<frmFlash>()->imgBK_Click();
    Settle();
    EXPECT_TRUE(first.isNull());
    ASSERT_NE(Forms::loaded<frmExplore>(), nullptr);
    EXPECT_EQ(Forms::loaded<frmExplore>()->windowTitle(), "TovarnInfo Visual Marlinex");
}
