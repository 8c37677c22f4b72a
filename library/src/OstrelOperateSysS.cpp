// Display, power, sound, computer name, disk space and window helpers.
#include "OstrelDll.h"
#include "OstrelNarrow.h"
#include "Programs.h"
#include "TextForms.h"
#include "X11Display.h"

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

const std::u16string kWarningTitle = u"警告！";

// Runs a command of the system's power or session service; fails when the service is not there or
// refuses, so the caller never believes a reboot is on its way when it is not.
void RunSystemCommand(const std::string& program, const std::vector<std::string>& args)
{
    const std::string path = OstrelPrograms::Find(program);
    if (path.empty()) throw OstrelError(OstrelStatus::NotAvailable, program + " is not installed");
    const int status = OstrelPrograms::Run(path, args);
    if (status != 0)
        throw OstrelError(OstrelStatus::Failed, program + " refused the request (exit status " + std::to_string(status) + ")");
}

// The classic "#" format: digits before the point only when the value has them.
std::u16string TwoDecimals(double value, bool leadingZero)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
    std::string s(buf, r.ptr);
    if (!leadingZero && s.rfind("0.", 0) == 0) s.erase(0, 1);
    return OstrelNarrow::FromUtf8(s);
}

} // namespace

bool OstrelOperateSysS::Confirm(const std::u16string& text) const
{
    return prompt_ && prompt_(OstrelPrompt{text, kWarningTitle, OstrelPrompt::OkCancel});
}

OstrelVariant OstrelOperateSysS::SetScreenXY(int32_t& ScreenX, int32_t& ScreenY)
{
    OstrelX11::Display display;
    return OstrelVariant(int32_t(display.SetScreenSize(ScreenX, ScreenY)));
}

OstrelVariant OstrelOperateSysS::getScreenXY()
{
    OstrelX11::Display display;
    return OstrelNarrow::FromUtf8(std::to_string(display.Width()) + "x" + std::to_string(display.Height()));
}

void OstrelOperateSysS::Computer_ReBoot()
{
    if (Confirm(u"你真的想重新启动吗？")) RunSystemCommand("systemctl", {"reboot"});
}

void OstrelOperateSysS::Computer_ShutDown()
{
    if (Confirm(u"你真的想关机吗？")) RunSystemCommand("systemctl", {"poweroff"});
}

void OstrelOperateSysS::Computer_LogOff()
{
    if (!Confirm(u"你真的想重新登录吗？")) return;
    // The login session this program runs in; without one, every session of the user.
    const char* session = std::getenv("XDG_SESSION_ID");
    if (session && *session) RunSystemCommand("loginctl", {"terminate-session", session});
    else RunSystemCommand("loginctl", {"terminate-user", std::to_string(getuid())});
}

bool OstrelOperateSysS::ExistWaveOutGetNumDevs()
{
    // ALSA lists every PCM device with its directions, e.g. "00-00: ALC892 : ALC892 : playback 1 : capture 1".
    std::ifstream pcm("/proc/asound/pcm");
    std::string line;
    while (std::getline(pcm, line))
        if (line.find("playback") != std::string::npos) return true;
    return false;
}

OstrelVariant OstrelOperateSysS::SetCursor(int32_t& hwnd, std::u16string& AniFilePath)
{
    OstrelX11::Display display;
    if (!display.SetCursorFromFile(OstrelX11::WindowId(uint32_t(hwnd)), OstrelNarrow::Utf8(AniFilePath)))
        throw OstrelError(OstrelStatus::NotAvailable, "libXcursor is not installed");
    return {};
}

std::u16string OstrelOperateSysS::GetCName()
{
    char buf[256] = {};
    if (gethostname(buf, 255) != 0) return {};
    return OstrelNarrow::FromUtf8(buf);
}

bool OstrelOperateSysS::SetCName(OstrelVariant& CName)
{
    const std::string name = OstrelNarrow::Utf8(CName.ToText());
    if (name.empty()) return false;
    return sethostname(name.c_str(), name.size()) == 0;
}

std::u16string OstrelOperateSysS::DiskFreeSpace(std::u16string& RootPathName)
{
    const std::string path = RootPathName.empty() ? std::string("/") : OstrelNarrow::Utf8(RootPathName);
    struct statvfs fs {};
    // Byte counts are 64-bit, so large disks are reported instead of overflowing.
    unsigned long long freeBytes = 0;
    if (statvfs(path.c_str(), &fs) == 0) freeBytes = (unsigned long long)fs.f_bavail * fs.f_frsize;
    return SizeText(double(freeBytes));
}

void OstrelOperateSysS::SetWindowFront(int32_t& FormHwnd, bool& IfFront)
{
    OstrelX11::Display display;
    display.SetAbove(OstrelX11::WindowId(uint32_t(FormHwnd)), IfFront);
}

void OstrelOperateSysS::SetToolbar(OstrelToolbar& tBar, int32_t& tBarStyle)
{
    const int32_t added = tBarStyle == 1 ? OstrelToolbar::FlatStyle : OstrelToolbar::FlatStyle | OstrelToolbar::ListStyle;
    tBar.SetStyle(tBar.Style() | added);
    tBar.Refresh();
}

std::u16string OstrelOperateSysS::PHC(int32_t& i, int32_t& j)
{
    // A letter code must be a character code 0 to 255; anything else has no cell name.
    auto letter = [](long long code, std::u16string& out) {
        if (code < 0 || code > 255) return false;
        out += char16_t(code);
        return true;
    };
    std::u16string column;
    const long long jj = j;
    const bool ok = jj < 27 ? letter('A' + jj - 1, column)
                            : letter('A' + (jj - 1) / 26 - 1, column) && letter('A' + (jj - 1) % 26, column);
    if (!ok) return {};
    return column + OstrelNarrow::FromUtf8(std::to_string(i));
}

std::u16string OstrelOperateSysS::SizeText(double a)
{
    constexpr double K = 1024.0, M = 1048576.0, G = 1073741824.0;
    if (a >= 0 && a < 1000) return OstrelText::DecimalText(a) + u"Byte";
    if (a >= 1000 && a < K) return OstrelText::DecimalText(a / K) + u"K";
    if (a >= K && a < M)
        return a / K < 1000 ? TwoDecimals(a / K, false) + u"K" : TwoDecimals(a / M, true) + u"M";
    if (a >= M && a < G)
        return a / M < 1000 ? TwoDecimals(a / M, false) + u"M" : TwoDecimals(a / G, true) + u"G";
    return TwoDecimals(a / G, false) + u"G";
}
