#include "OstrelDll.h"
#include "OstrelTestEnv.h"
#include "OstrelTestText.h"

#include <gtest/gtest.h>

namespace {

TEST(GetWinPath, IsTheSettingsFolderWithoutTrailingSlash)
{
    OstrelDiskFileS f;
    {
        ScopedEnv config("XDG_CONFIG_HOME", std::string("/srv/conf/"));
        EXPECT_EQ(Utf8(f.GetWinPath().ToText()), "/srv/conf");
    }
    {
        ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
        ScopedEnv home("HOME", std::string("/home/ann"));
        EXPECT_EQ(Utf8(f.GetWinPath().ToText()), "/home/ann/.config");
    }
    ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv home("HOME", std::nullopt);
    EXPECT_EQ(Utf8(f.GetWinPath().ToText()), "");
}

TEST(GetDiskSerialNumber, RewritesTheDriveAndIdentifiesItsFileSystem)
{
    ScratchFolder scratch;
    OstrelDiskFileS f;
    std::u16string folder = U16(scratch.path());
    const int32_t serial = f.GetDiskSerialNumber(folder);
    EXPECT_EQ(Utf8(folder), scratch.path() + "/");

    // The same file system gives the same number from any of its folders; the rewrite is not doubled.
    std::u16string again = folder;
    EXPECT_EQ(f.GetDiskSerialNumber(again), serial);
    EXPECT_EQ(Utf8(again), scratch.path() + "/");
    std::filesystem::create_directory(scratch.file("inner"));
    std::u16string inner = U16(scratch.file("inner"));
    EXPECT_EQ(f.GetDiskSerialNumber(inner), serial);

    std::u16string missing = u"/no/such/disk";
    EXPECT_EQ(f.GetDiskSerialNumber(missing), 0);
    EXPECT_EQ(Utf8(missing), "/no/such/disk/");
}

TEST(CDRom, FailsWithNotAvailableWithoutADrive)
{
    if (std::filesystem::exists("/dev/cdrom") || std::filesystem::exists("/dev/sr0"))
        GTEST_SKIP() << "this machine has a CD drive; its tray is not moved by tests";
    OstrelDiskFileS f;
    for (auto member : {&OstrelDiskFileS::CDRomOpen, &OstrelDiskFileS::CDRomClose}) {
        try {
            (f.*member)();
            ADD_FAILURE() << "the tray moved without a drive";
        } catch (const OstrelError& e) {
            EXPECT_EQ(e.Status(), OstrelStatus::NotAvailable);
        }
    }
}

TEST(WindowHelpers, FailWithNotAvailableWithoutADisplay)
{
    ScopedEnv display("DISPLAY", std::nullopt);
    OstrelDiskFileS f;
    std::u16string title = u"Untitled", other = u"Other";
    int32_t hwnd = 1, state = 1;
    const std::function<void()> calls[] = {
        [&] { f.UndoResult(hwnd); },
        [&] { f.AppClose(title); },
        [&] { f.ShowWindowS(title, state); },
        [&] { f.SetWindowTextS(title, other); },
    };
    for (const auto& call : calls) {
        try {
            call();
            ADD_FAILURE() << "a window member worked without a display";
        } catch (const OstrelError& e) {
            EXPECT_EQ(e.Status(), OstrelStatus::NotAvailable);
        }
    }
}

TEST(Variant, ReadsAsText)
{
    EXPECT_EQ(Utf8(OstrelVariant().ToText()), "");
    EXPECT_EQ(Utf8(OstrelVariant(true).ToText()), "True");
    EXPECT_EQ(Utf8(OstrelVariant(int32_t(-42)).ToText()), "-42");
    EXPECT_EQ(Utf8(OstrelVariant(2.5).ToText()), "2.5");
    EXPECT_EQ(Utf8(OstrelVariant(0.1 + 0.2).ToText()), "0.3");
    EXPECT_EQ(Utf8(OstrelVariant(u"主机").ToText()), "主机");
    EXPECT_TRUE(OstrelVariant().IsEmpty());
    EXPECT_FALSE(OstrelVariant(int32_t(0)).IsEmpty());
}

} // namespace
