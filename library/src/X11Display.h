// A connection to the X display for the screen, cursor and window members. libX11 (and libXrandr,
// libXcursor for the members that need them) is loaded when first used, so the library runs without it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace OstrelX11 {

using WindowId = unsigned long;

class Display {
public:
    // Throws OstrelError(NotAvailable) when libX11 is missing or no display can be opened ($DISPLAY).
    Display();
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    int Width() const;
    int Height() const;

    // Top-level windows with exactly this title (the managed clients and the root's children), or 0.
    WindowId FindTopLevel(const std::u16string& title);
    std::u16string Title(WindowId window);
    void SetTitle(WindowId window, const std::u16string& title);

    // Asks the window to close the way a window manager does; false when the request could not be sent.
    bool RequestClose(WindowId window);
    // The classic show states: 0 hide, 2/6/7/11 minimize, 3 maximize, 1/9/10 restore, others just show.
    void Show(WindowId window, int state);
    void SetAbove(WindowId window, bool above);
    void SendUndoKey(WindowId window);

    // False when libXcursor is missing (NotAvailable is thrown by the caller); a bad file is ignored.
    bool SetCursorFromFile(WindowId window, const std::string& file);
    // 0 when the screen now has this size, 99 when the display has no such size or refused it.
    // Throws NotAvailable when libXrandr is missing.
    int SetScreenSize(int width, int height);

    // Waits until the server has handled every request; true when none of them failed since the last call.
    bool Sync();

private:
    struct Impl;
    Impl* d;
};

} // namespace OstrelX11
