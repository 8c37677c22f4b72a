// The settings folder, file-system identifier, CD tray and window helpers. The settings-file pair
// (GetIniValue, SetIniValue) lives with the profile-file code.
#include "OstrelDll.h"
#include "OstrelNarrow.h"
#include "TextForms.h"
#include "X11Display.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

// Opens the first CD drive and sends it one tray request.
void CdTray(unsigned long request, const char* what)
{
    int fd = -1;
    for (const char* device : {"/dev/cdrom", "/dev/sr0"}) {
        fd = open(device, O_RDONLY | O_NONBLOCK);
        if (fd >= 0) break;
    }
    if (fd < 0) throw OstrelError(OstrelStatus::NotAvailable, "there is no CD drive (/dev/cdrom, /dev/sr0)");
    const int rc = ioctl(fd, request, 0);
    const int err = errno;
    close(fd);
    if (rc != 0) throw OstrelError(OstrelStatus::Failed, std::string("the CD drive refused to ") + what + ": " + std::strerror(err));
}

OstrelX11::WindowId Id(int32_t hwnd) { return OstrelX11::WindowId(uint32_t(hwnd)); }

} // namespace

OstrelVariant OstrelDiskFileS::GetWinPath()
{
    std::string folder;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) folder = config;
    else if (const char* home = std::getenv("HOME"); home && *home) folder = std::string(home) + "/.config";
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return OstrelNarrow::FromUtf8(folder);
}

int32_t OstrelDiskFileS::GetDiskSerialNumber(std::u16string& strDrive)
{
    // The caller's text becomes the root form of what it named, as the drive letter became "C:\".
    if (strDrive.empty() || strDrive.back() != u'/') strDrive += u'/';
    struct statfs fs {};
    if (statfs(OstrelNarrow::Utf8(strDrive).c_str(), &fs) != 0) return 0;
    // The file system's identifier is 64 bits; both halves count in the 32-bit serial number.
    const uint32_t serial = uint32_t(fs.f_fsid.__val[0]) ^ uint32_t(fs.f_fsid.__val[1]);
    return int32_t(serial);
}

void OstrelDiskFileS::CDRomOpen() { CdTray(CDROMEJECT, "open its tray"); }

void OstrelDiskFileS::CDRomClose() { CdTray(CDROMCLOSETRAY, "close its tray"); }

OstrelVariant OstrelDiskFileS::UndoResult(int32_t& Object_hwnd)
{
    OstrelX11::Display display;
    display.SendUndoKey(Id(Object_hwnd));
    return {};
}

bool OstrelDiskFileS::AppClose(std::u16string& WindowCaption)
{
    OstrelX11::Display display;
    const OstrelX11::WindowId window = display.FindTopLevel(WindowCaption);
    if (!window) return false;
    if (!display.RequestClose(window) && prompt_) prompt_(OstrelPrompt{u"置入消息错误！", u"错误", OstrelPrompt::OkOnly});
    return true;
}

void OstrelDiskFileS::ShowWindowS(std::u16string& WindowName, int32_t& WindowState)
{
    OstrelX11::Display display;
    if (const OstrelX11::WindowId window = display.FindTopLevel(WindowName)) display.Show(window, WindowState);
}

void OstrelDiskFileS::SetWindowTextS(std::u16string& OldWindowText, std::u16string& NewWindowText)
{
    OstrelX11::Display display;
    if (const OstrelX11::WindowId window = display.FindTopLevel(OldWindowText)) display.SetTitle(window, NewWindowText);
}
