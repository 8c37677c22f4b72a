// The folder chooser: the drive list from the mount table, the folder list, and what OK and Cancel give the
// options window.
#include "ModExplor.h"
#include "TestSupport.h"
#include "startup/Dialogs.h"
#include "startup/DirListBox.h"
#include "startup/Drives.h"
#include "startup/Forms.h"
#include "startup/Settings.h"
#include "startup/frmOption.h"
#include "startup/frmSave.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace TestSupport;

namespace {
QStringList Roots(const QList<Drives::Drive>& drives)
{
    QStringList roots;
    for (const Drives::Drive& d : drives) roots << d.root;
    return roots;
}

// A home folder of the test's own, so the chooser opens somewhere known.
class ScratchHome {
public:
    ScratchHome() : previous_(qgetenv("HOME")) { qputenv("HOME", dir_.path().toUtf8()); }
    ~ScratchHome() { qputenv("HOME", previous_); }
    QString path() const { return QDir::cleanPath(dir_.path()); }
private:
    ScratchDir dir_;
    QByteArray previous_;
};

class FolderChooser : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModExplor::LanguageFlag = QVariant();
        ModExplor::IniFilePath = settings.iniPath();
        Dialogs::Script::Clear();
        for (const char* name : {"alpha", "Beta", "gamma/inner", ".hidden"}) QDir(home.path()).mkpath(name);
        QFile(home.path() + "/file.txt").open(QIODevice::WriteOnly);
    }
    void TearDown() override
    {
        Forms::unload<frmSave>();
        Forms::unload<frmOption>();
        Settle();
        Dialogs::Script::Clear();
    }

    QStringList Entries(DirListBox* list) const
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->entryPath(i);
        return out;
    }
    int Row(DirListBox* list, const QString& path) const { return Entries(list).indexOf(path); }

    // Opens the chooser from the options window's button and runs user inside its modal loop.
    void WithChooserOpen(frmOption* options, const std::function<void(frmSave*)>& user)
    {
        QTimer::singleShot(0, [user] {
            frmSave* chooser = Forms::loaded<frmSave>();
            ASSERT_NE(chooser, nullptr);
            ASSERT_TRUE(chooser->isVisible());
            user(chooser);
        });
        QTest::mouseClick(options->cmdSelect, Qt::LeftButton);
    }

    void OpenByDoubleClick(DirListBox* list, const QString& path)
    {
        const int row = Row(list, path);
        ASSERT_GE(row, 0) << path.toStdString();
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }

    ScratchSettings settings;
    ScratchHome home;
};
} // namespace

TEST(Drives, MountTableGivesRootFirstWithoutPseudoOrRepeatedFileSystems)
{
    const QByteArray table =
        "proc /proc proc rw,relatime 0 0\n"
        "sysfs /sys sysfs rw 0 0\n"
        "/dev/sdb1 /media/ann/USB\\040STICK vfat rw 0 0\n"
        "devtmpfs /dev devtmpfs rw 0 0\n"
        "tmpfs /dev/shm tmpfs rw 0 0\n"
        "/dev/sda2 /home ext4 rw 0 0\n"
        "/dev/vda / ext4 rw 0 0\n"
        "tmpfs /run/user/1000 tmpfs rw 0 0\n"
        "/dev/sdc1 /run/media/ann/CARD exfat rw 0 0\n"
        "/dev/sda2 /home ext4 rw 0 0\n"
        "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
        "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
        "tmpfs /tmp tmpfs rw 0 0\n"
        "\n"
        "broken-line\n";
    const QList<Drives::Drive> drives = Drives::FromMountTable(table);
    EXPECT_EQ(Roots(drives), QStringList({"/", "/home", "/media/ann/USB STICK", "/run/media/ann/CARD"}));
    EXPECT_EQ(drives[2].device, "/dev/sdb1");
    EXPECT_EQ(Drives::DisplayText(drives[2]), "/media/ann/USB STICK [/dev/sdb1]");
    // A root of a kind left out elsewhere is still the root; an unreadable table still offers it.
    EXPECT_EQ(Roots(Drives::FromMountTable("overlay / overlay rw 0 0\n")), QStringList({"/"}));
    EXPECT_EQ(Roots(Drives::FromMountTable("")), QStringList({"/"}));
    EXPECT_EQ(Roots(Drives::Mounted()).value(0), "/");
}

TEST(Drives, DriveOfPathIsTheLongestMountPointAboveIt)
{
    const QStringList roots = {"/", "/home", "/home/ann/disk"};
    struct Case { const char* path; int drive; } cases[] = {
        {"/home/ann", 1}, {"/home", 1}, {"/homework", 0}, {"/home/ann/disk/x", 2}, {"/home/ann/diskette", 1},
        {"/", 0}, {"/home/../etc", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Drives::DriveOf(roots, c.path), c.drive) << c.path;
}

TEST_F(FolderChooser, OpensAtTheHomeDriveInTheHomeFolder)
{
    frmSave* chooser = Forms::get<frmSave>();
    QStringList roots;
    for (int i = 0; i < chooser->Drive1->count(); ++i) roots << chooser->Drive1->itemData(i).toString();
    EXPECT_EQ(roots.value(0), "/");
    EXPECT_EQ(chooser->Drive1->currentIndex(), Drives::DriveOf(roots, home.path()));
    EXPECT_EQ(chooser->Dir1->path(), home.path());
    EXPECT_EQ(chooser->txtPath->text(), home.path());
    // The chain down to the open folder, then its folders (no files, no hidden ones), by name.
    const QStringList entries = Entries(chooser->Dir1);
    const QString top = chooser->Drive1->currentData().toString();
    EXPECT_EQ(entries.first(), top);
    const qsizetype open = entries.indexOf(home.path());
    ASSERT_GE(open, 0);
    EXPECT_EQ(chooser->Dir1->currentRow(), open);
    EXPECT_EQ(entries.mid(open + 1), QStringList({home.path() + "/alpha", home.path() + "/Beta", home.path() + "/gamma"}));
}

TEST_F(FolderChooser, CaptionsInBothLanguages)
{
    struct Case { const char* language; QStringList texts; } cases[] = {
        {"0", {"请选择要保存的位置！", "确  定", "取  消"}},
        {"1", {"Select Location", "OK(&O)", "Cancel(&C)"}},
    };
    for (const Case& c : cases) {
        ModExplor::LanguageFlag = QString::fromLatin1(c.language);
        frmSave* s = Forms::get<frmSave>();
        EXPECT_EQ(QStringList({s->windowTitle(), s->cmdOK->text(), s->cmdCancel->text()}), c.texts);
        for (const char* name : {"Drive1", "Dir1", "txtPath", "cmdOK", "cmdCancel"})
            EXPECT_NE(s->findChild<QWidget*>(name), nullptr) << name;
        Forms::unload<frmSave>();
        Settle();
    }
}

TEST_F(FolderChooser, OkGivesTheOpenFolderNotTheHighlightedOne)
{
    settings.write("0", "/typed/before/");
    frmOption* options = Forms::get<frmOption>();
    WithChooserOpen(options, [&](frmSave* chooser) {
        EXPECT_EQ(chooser->parentWidget(), options);
        OpenByDoubleClick(chooser->Dir1, home.path() + "/gamma");
        EXPECT_EQ(chooser->Dir1->path(), home.path() + "/gamma");
        EXPECT_EQ(chooser->txtPath->text(), home.path() + "/gamma");
        // Enter opens too; a click only highlights.
        chooser->Dir1->setCurrentRow(Row(chooser->Dir1, home.path() + "/gamma/inner"));
        QTest::keyClick(chooser->Dir1, Qt::Key_Return);
        EXPECT_EQ(chooser->Dir1->path(), home.path() + "/gamma/inner");
        EXPECT_TRUE(chooser->isVisible());   // Enter pressed no button
        const int up = Row(chooser->Dir1, home.path());
        QTest::mouseClick(chooser->Dir1->viewport(), Qt::LeftButton, {},
                          chooser->Dir1->visualItemRect(chooser->Dir1->item(up)).center());
        EXPECT_EQ(chooser->Dir1->path(), home.path() + "/gamma/inner");
        QTest::mouseClick(chooser->cmdOK, Qt::LeftButton);
    });
    EXPECT_EQ(Forms::loaded<frmSave>(), nullptr);
    EXPECT_EQ(options->txtPath->text(), home.path() + "/gamma/inner");
    // What OK put there is saved as typed text.
    options->cmdApp_Click();
    EXPECT_EQ(Settings::Read(Settings::SavePathKey, settings.iniPath()), home.path() + "/gamma/inner");
}

TEST_F(FolderChooser, CancelAndEscapeLeaveTheFolderTextUnchanged)
{
    settings.write("0", "/typed/before/");
    frmOption* options = Forms::get<frmOption>();
    WithChooserOpen(options, [&](frmSave* chooser) {
        OpenByDoubleClick(chooser->Dir1, home.path() + "/alpha");
        QTest::mouseClick(chooser->cmdCancel, Qt::LeftButton);
    });
    EXPECT_EQ(Forms::loaded<frmSave>(), nullptr);
    EXPECT_EQ(options->txtPath->text(), "/typed/before/");

    WithChooserOpen(options, [&](frmSave* chooser) {
        // A fresh chooser, back in the home folder.
        EXPECT_EQ(chooser->Dir1->path(), home.path());
        OpenByDoubleClick(chooser->Dir1, home.path() + "/Beta");
        QTest::keyClick(chooser, Qt::Key_Escape);
    });
    EXPECT_EQ(Forms::loaded<frmSave>(), nullptr);
    EXPECT_EQ(options->txtPath->text(), "/typed/before/");
}

TEST_F(FolderChooser, ADriveThatIsNotReadyKeepsThePreviousOne)
{
    ScratchDir stick;
    QDir(stick.path()).mkpath("books");
    frmSave* chooser = Forms::get<frmSave>();
    const int before = chooser->Drive1->currentIndex();
    const QString gone = stick.path() + "/not-mounted";   // a mount point whose medium went away
    chooser->Drive1->addItem(gone, gone);
    chooser->Drive1->addItem(stick.path(), stick.path());

    chooser->Drive1->setCurrentIndex(chooser->Drive1->count() - 2);
    EXPECT_EQ(chooser->Drive1->currentIndex(), before);
    EXPECT_EQ(chooser->Dir1->path(), home.path());
    EXPECT_EQ(chooser->txtPath->text(), home.path());
    ASSERT_EQ(Dialogs::Script::Record().size(), 1);
    EXPECT_TRUE(Dialogs::Script::Record().first().prompt.contains(gone));

    // A ready drive opens at its top, and the folder text follows.
    chooser->Drive1->setCurrentIndex(chooser->Drive1->count() - 1);
    EXPECT_EQ(chooser->Dir1->path(), QDir::cleanPath(stick.path()));
    EXPECT_EQ(chooser->txtPath->text(), QDir::cleanPath(stick.path()));
    EXPECT_EQ(Entries(chooser->Dir1), QStringList({QDir::cleanPath(stick.path()), QDir::cleanPath(stick.path()) + "/books"}));
    // Back on the home drive: the home folder again.
    chooser->Drive1->setCurrentIndex(before);
    EXPECT_EQ(chooser->Dir1->path(), home.path());
}
