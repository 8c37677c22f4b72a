// OstrelDll: general-purpose utilities (settings files, system helpers, amounts in Chinese numerals).
// Plain C++ without Qt. Strings are UTF-16 (std::u16string); "by ref" parameters are non-const references.
// A member that cannot do its work fails by throwing OstrelError, which carries a status code.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <variant>

// Status codes carried by OstrelError, in the classic 32-bit form.
namespace OstrelStatus {
constexpr int32_t InvalidCall = int32_t(0x800A0005);    // an argument outside what the member can write
constexpr int32_t Overflow = int32_t(0x800A0006);       // a count too large for its result
constexpr int32_t TypeMismatch = int32_t(0x800A000D);   // a text that is not a number
constexpr int32_t NotAvailable = int32_t(0x80004001);   // the service is missing here (no display, no tool)
constexpr int32_t Failed = int32_t(0x80004005);         // the service was there and refused
}

// The failure of a member: Status() is one of OstrelStatus, what() says what was missing or refused.
class OstrelError : public std::runtime_error {
public:
    OstrelError(int32_t status, const std::string& message) : std::runtime_error(message), status_(status) {}
    int32_t Status() const { return status_; }
private:
    int32_t status_;
};

// A tagged value: empty, Boolean, Long, Double or String. Members whose result is not set return it empty.
class OstrelVariant {
public:
    using Value = std::variant<std::monostate, bool, int32_t, double, std::u16string>;
    OstrelVariant() = default;
    OstrelVariant(bool b) : value_(b) {}
    OstrelVariant(int32_t n) : value_(n) {}
    OstrelVariant(double d) : value_(d) {}
    OstrelVariant(std::u16string s) : value_(std::move(s)) {}
    OstrelVariant(const char16_t* s) : value_(std::u16string(s)) {}
    OstrelVariant(const char*) = delete;   // would silently become a Boolean; pass a u"" text
    bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    const Value& Get() const { return value_; }
    // As text: "" when empty, "True"/"False", numbers in their shortest decimal form (15 digits).
    std::u16string ToText() const;
    bool operator==(const OstrelVariant& other) const { return value_ == other.value_; }
private:
    Value value_;
};

// A question or notice that a member must put to the user; the library has no windows, so its client
// shows it. The handler returns true for OK or Yes.
struct OstrelPrompt {
    enum Buttons { OkOnly, OkCancel, YesNo };
    std::u16string text;
    std::u16string title;
    Buttons buttons = OkOnly;
};
using OstrelPromptHandler = std::function<bool(const OstrelPrompt&)>;

// What SetToolbar needs of a client's toolbar: its style bits, and a repaint after a change.
class OstrelToolbar {
public:
    static constexpr int32_t FlatStyle = 0x800;    // buttons without a raised edge
    static constexpr int32_t ListStyle = 0x1000;   // captions beside the pictures instead of under them
    virtual ~OstrelToolbar() = default;
    virtual int32_t Style() const = 0;
    virtual void SetStyle(int32_t style) = 0;
    virtual void Refresh() = 0;
};

// Display, power, sound, computer name, disk space and window helpers. Window handles are X11 window ids;
// the window members need an X display (libX11 is loaded when first needed) and fail with NotAvailable
// without one. Questions go to the prompt handler; without one every question is answered Cancel/No.
class OstrelOperateSysS {
public:
    explicit OstrelOperateSysS(OstrelPromptHandler prompt = {}) : prompt_(std::move(prompt)) {}

    // Switches the screen to ScreenX x ScreenY pixels: 0 on success, 99 when the display has no such mode.
    OstrelVariant SetScreenXY(int32_t& ScreenX, int32_t& ScreenY);
    // The screen size in pixels as text, "1024x768".
    OstrelVariant getScreenXY();
    // Asks "你真的想重新启动吗？" (title "警告！", OK/Cancel); on OK asks the system's power service to reboot.
    void Computer_ReBoot();
    // Asks "你真的想关机吗？"; on OK asks the power service to power off.
    void Computer_ShutDown();
    // Asks "你真的想重新登录吗？"; on OK ends the user's login session.
    void Computer_LogOff();
    // True when the machine has at least one sound output device.
    bool ExistWaveOutGetNumDevs();
    // Loads a cursor file (X cursor format) and makes it the cursor of window hwnd. Returns empty.
    OstrelVariant SetCursor(int32_t& hwnd, std::u16string& AniFilePath);
    // The computer's host name.
    std::u16string GetCName();
    // Sets the host name to CName taken as text; true when the system accepted it.
    bool SetCName(OstrelVariant& CName);
    // Free space of the file system holding the path RootPathName ("/" when empty) as size text:
    // "512Byte", "1.50K", "1.00M", "3.25G". An unreadable path counts as 0 bytes.
    std::u16string DiskFreeSpace(std::u16string& RootPathName);
    // Keeps window FormHwnd above all others (IfFront true) or makes it ordinary again, without moving it.
    void SetWindowFront(int32_t& FormHwnd, bool& IfFront);
    // Adds FlatStyle to the toolbar's style (tBarStyle 1) or FlatStyle and ListStyle (otherwise), then
    // refreshes it.
    void SetToolbar(OstrelToolbar& tBar, int32_t& tBarStyle);
    // Spreadsheet cell name of row i and column j: PHC(5, 1) is "A5", PHC(12, 702) is "ZZ12"; "" when the
    // column has no letters.
    std::u16string PHC(int32_t& i, int32_t& j);

    // Size text of a byte count, as DiskFreeSpace writes it.
    static std::u16string SizeText(double bytes);

private:
    bool Confirm(const std::u16string& text) const;
    OstrelPromptHandler prompt_;
};

// Settings files, the settings folder, file-system identifier, CD tray and window helpers.
class OstrelDiskFileS {
public:
    explicit OstrelDiskFileS(OstrelPromptHandler prompt = {}) : prompt_(std::move(prompt)) {}

    // The user's settings folder without a trailing "/" ($XDG_CONFIG_HOME, else $HOME/.config); "" if unknown.
    OstrelVariant GetWinPath();
    // Appends "/" to strDrive (a mount point or any path on the disk) when it has none, then returns the
    // identifier of the file system there folded to 32 bits; 0 when the path cannot be read.
    int32_t GetDiskSerialNumber(std::u16string& strDrive);
    // Opens the CD drive's tray; NotAvailable when there is no drive, Failed when the drive refuses.
    void CDRomOpen();
    // Closes the CD drive's tray, failing as CDRomOpen does.
    void CDRomClose();
    // Sends the undo keystroke (Ctrl+Z) to window Object_hwnd. Returns empty.
    OstrelVariant UndoResult(int32_t& Object_hwnd);
    // Asks the top-level window titled exactly WindowCaption to close; false when there is none. When the
    // request cannot be sent, first shows "置入消息错误！" titled "错误".
    bool AppClose(std::u16string& WindowCaption);
    // Shows the top-level window titled WindowName in the classic show state WindowState (0 hide,
    // 1/9/10 normal, 2/6/7 minimized, 3 maximized, 4/5/8 shown as it is).
    void ShowWindowS(std::u16string& WindowName, int32_t& WindowState);
    // Retitles the top-level window titled OldWindowText to NewWindowText.
    void SetWindowTextS(std::u16string& OldWindowText, std::u16string& NewWindowText);
    // Value of key in section clsName of the settings file, or "" when the file, section or key is missing.
    // The value is cut to the first 101 bytes of the locale's character set. IniFilePath is left unchanged.
    std::u16string GetIniValue(std::u16string clsName, std::u16string key, std::u16string& IniFilePath);
    // Stores KeyValue under key in section clsName, creating file, section and key as needed and keeping
    // every other line. Failures are not reported; the file is replaced atomically, never left half written.
    void SetIniValue(std::u16string clsName, std::u16string key, std::u16string KeyValue, std::u16string& IniFilePath);

private:
    OstrelPromptHandler prompt_;
};

// Dial-up (point-to-point) links through pppd.
class OstrelInternetS {
public:
    // True when a point-to-point link is up.
    bool IfInternetCon();
    // Dials the peer MyCon ("pppd call MyCon") without waiting and remembers it for InternetHangUp.
    // Returns empty; NotAvailable when pppd is not installed.
    OstrelVariant InternetCon(std::u16string& MyCon);
    // Hangs up the link of the remembered peer, if one is up; does nothing when no peer was dialled.
    void InternetHangUp();
};

// Amounts in Chinese capital numerals.
class OstrelFunctionS {
public:
    // An amount in yuan: "1234.56" gives "壹仟贰佰叁拾肆元伍角陆分整", 0 gives "零元", a negative amount
    // starts with "负"; bad text or more than 9999999999999 yuan gives "数据错误". On success MoneyS is
    // rewritten rounded to two decimals ("123.456" becomes "123.46").
    std::u16string MoneyChange(std::u16string& MoneyS);
    // Any number below 10^15: "12345" gives "壹万贰仟叁佰肆拾伍", "3.14" gives "叁点壹肆", 0 gives "零".
    // Throws TypeMismatch for a text that is not a number and InvalidCall for a negative or larger number.
    std::u16string MoneyChangeS(std::u16string& MoneyS);
};
