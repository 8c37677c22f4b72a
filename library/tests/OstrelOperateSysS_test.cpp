#include "OstrelDll.h"
#include "OstrelTestEnv.h"
#include "OstrelTestText.h"

#include <gtest/gtest.h>
#include <sys/statvfs.h>
#include <vector>

namespace {

TEST(PHC, NamesSpreadsheetCells)
{
    const struct { int32_t i, j; const char* name; } cases[] = {
        {5, 1, "A5"}, {5, 26, "Z5"}, {5, 27, "AA5"}, {5, 28, "AB5"}, {12, 702, "ZZ12"}, {1, 52, "AZ1"}, {3, 53, "BA3"},
        {-2, 2, "B-2"},
        // Columns without a letter: character codes outside 0 to 255.
        {5, -70, ""}, {5, 100000, ""},
    };
    for (auto c : cases) {
        OstrelOperateSysS s;
        int32_t i = c.i, j = c.j;
        EXPECT_EQ(Utf8(s.PHC(i, j)), c.name) << c.i << "," << c.j;
        EXPECT_EQ(i, c.i);
        EXPECT_EQ(j, c.j);
    }
}

TEST(DiskFreeSpace, WritesSizesInTheirUnits)
{
    const std::pair<double, const char*> cases[] = {
        {0, "0Byte"},
        {512, "512Byte"},
        {999, "999Byte"},
        {1000, "0.9765625K"},
        {1536, "1.50K"},
        {1048575, "1.00M"},
        {1024000, "0.98M"},
        {1048576, "1.00M"},
        {5.5 * 1048576, "5.50M"},
        {1000.0 * 1048576, "0.98G"},
        {1073741824, "1.00G"},
        {3.25 * 1073741824.0, "3.25G"},
        {5000.0 * 1073741824.0, "5000.00G"},
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(Utf8(OstrelOperateSysS::SizeText(bytes)), text) << bytes;
}

TEST(DiskFreeSpace, ReportsLargeDisksWithoutOverflowAndLeavesThePath)
{
    OstrelOperateSysS s;
    std::u16string root = u"/";
    const std::string text = Utf8(s.DiskFreeSpace(root));
    EXPECT_EQ(Utf8(root), "/");
    struct statvfs fs {};
    ASSERT_EQ(statvfs("/", &fs), 0);
    const double freeBytes = double(fs.f_bavail) * double(fs.f_frsize);
    EXPECT_EQ(text, Utf8(OstrelOperateSysS::SizeText(freeBytes)));
    if (freeBytes >= 1073741824.0) EXPECT_EQ(text.back(), 'G') << text;

    std::u16string missing = u"/no/such/folder/here";
    EXPECT_EQ(Utf8(s.DiskFreeSpace(missing)), "0Byte");
}

TEST(ComputerName, IsTheHostName)
{
    OstrelOperateSysS s;
    std::string kernel = ReadAll("/proc/sys/kernel/hostname");
    while (!kernel.empty() && kernel.back() == '\n') kernel.pop_back();
    EXPECT_EQ(Utf8(s.GetCName()), kernel);

    // Names the system cannot take are refused, not reported as set.
    OstrelVariant empty;
    EXPECT_FALSE(s.SetCName(empty));
    OstrelVariant tooLong(std::u16string(300, u'a'));
    EXPECT_FALSE(s.SetCName(tooLong));
    EXPECT_EQ(Utf8(s.GetCName()), kernel);
}

// The power and session commands run stand-ins put first on PATH, which record their arguments.
class PowerCommands : public ::testing::Test {
protected:
    ScratchFolder bin;
    std::string log = bin.file("calls.log");
    ScopedEnv path{"PATH", bin.path()};
    std::vector<OstrelPrompt> asked;

    void Standins(int exitStatus = 0)
    {
        const std::string body = "echo \"${0##*/} $*\" >> '" + log + "'\nexit " + std::to_string(exitStatus);
        bin.script("systemctl", body);
        bin.script("loginctl", body);
    }
    OstrelOperateSysS System(bool answer)
    {
        return OstrelOperateSysS([this, answer](const OstrelPrompt& p) {
            asked.push_back(p);
            return answer;
        });
    }
};

TEST_F(PowerCommands, AskFirstAndRunTheServiceOnlyOnOk)
{
    Standins();
    ScopedEnv session("XDG_SESSION_ID", std::string("c7"));
    OstrelOperateSysS no = System(false);
    no.Computer_ReBoot();
    no.Computer_ShutDown();
    no.Computer_LogOff();
    EXPECT_EQ(ReadAll(log), "");

    OstrelOperateSysS yes = System(true);
    yes.Computer_ReBoot();
    yes.Computer_ShutDown();
    yes.Computer_LogOff();
    EXPECT_EQ(ReadAll(log), "systemctl reboot\nsystemctl poweroff\nloginctl terminate-session c7\n");

    ASSERT_EQ(asked.size(), 6u);
    const char* texts[] = {"你真的想重新启动吗？", "你真的想关机吗？", "你真的想重新登录吗？"};
    for (size_t k = 0; k < asked.size(); ++k) {
        EXPECT_EQ(Utf8(asked[k].text), texts[k % 3]);
        EXPECT_EQ(Utf8(asked[k].title), "警告！");
        EXPECT_EQ(asked[k].buttons, OstrelPrompt::OkCancel);
    }
}

TEST_F(PowerCommands, WithoutAHandlerNothingIsConfirmed)
{
    Standins();
    OstrelOperateSysS s;
    s.Computer_ReBoot();
    s.Computer_ShutDown();
    EXPECT_EQ(ReadAll(log), "");
}

TEST_F(PowerCommands, FailWithAStatusWhenTheServiceIsMissingOrRefuses)
{
    OstrelOperateSysS yes = System(true);
    try {
        yes.Computer_ShutDown();
        ADD_FAILURE() << "no failure without systemctl";
    } catch (const OstrelError& e) {
        EXPECT_EQ(e.Status(), OstrelStatus::NotAvailable);
    }
    Standins(1);
    try {
        yes.Computer_ReBoot();
        ADD_FAILURE() << "no failure when systemctl refuses";
    } catch (const OstrelError& e) {
        EXPECT_EQ(e.Status(), OstrelStatus::Failed);
    }
}

TEST(SetToolbar, AddsFlatOrFlatAndListStyleThenRefreshes)
{
    struct Bar : OstrelToolbar {
        int32_t style = 0x4;
        int refreshed = 0;
        int32_t Style() const override { return style; }
        void SetStyle(int32_t s) override { style = s; }
        void Refresh() override { ++refreshed; }
    };
    OstrelOperateSysS s;
    Bar flat, list;
    int32_t one = 1, other = 0;
    s.SetToolbar(flat, one);
    s.SetToolbar(list, other);
    EXPECT_EQ(flat.style, 0x804);
    EXPECT_EQ(list.style, 0x1804);
    EXPECT_EQ(flat.refreshed, 1);
    EXPECT_EQ(list.refreshed, 1);
}

TEST(WindowMembers, FailWithNotAvailableWithoutADisplay)
{
    ScopedEnv display("DISPLAY", std::nullopt);
    ScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
    OstrelOperateSysS s;
    int32_t x = 800, y = 600, hwnd = 1;
    bool front = true;
    std::u16string cursor = u"/nowhere.cur";
    const std::function<void()> calls[] = {
        [&] { s.SetScreenXY(x, y); },
        [&] { s.getScreenXY(); },
        [&] { s.SetCursor(hwnd, cursor); },
        [&] { s.SetWindowFront(hwnd, front); },
    };
    for (const auto& call : calls) {
        try {
            call();
            ADD_FAILURE() << "a window member worked without a display";
        } catch (const OstrelError& e) {
            EXPECT_EQ(e.Status(), OstrelStatus::NotAvailable);
            EXPECT_NE(std::string(e.what()), "");
        }
    }
}

} // namespace
