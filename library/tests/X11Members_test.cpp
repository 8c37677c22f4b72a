// The screen and window members against a private Xvfb server; this test process plays the other
// X clients (and, where a member talks to the window manager, the window manager).
#include "OstrelDll.h"
#include "OstrelTestEnv.h"
#include "OstrelTestText.h"

#include <gtest/gtest.h>   // before Xlib, whose macros (None, Bool) it would not survive
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <csignal>
#include <sys/wait.h>

namespace {

class XServer : public ::testing::Environment {
public:
    static inline std::string display;
    pid_t pid = -1;

    void SetUp() override
    {
        const std::string xvfb = "/usr/bin/Xvfb";
        if (access(xvfb.c_str(), X_OK) != 0) return;
        int fds[2];
        if (pipe(fds) != 0) return;
        pid = fork();
        if (pid == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execl(xvfb.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                  "-noreset", (char*)nullptr);
            _exit(127);
        }
        close(fds[1]);
        // Xvfb writes its display number once it accepts clients.
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (!number.empty()) display = ":" + number;
    }
    void TearDown() override
    {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
};

const auto* const server = ::testing::AddGlobalTestEnvironment(new XServer);

class X11Members : public ::testing::Test {
protected:
    std::optional<ScopedEnv> env;
    Display* dpy = nullptr;
    Window root = 0;

    void SetUp() override
    {
        if (XServer::display.empty()) GTEST_SKIP() << "Xvfb is not installed";
        env.emplace("DISPLAY", XServer::display);
        dpy = XOpenDisplay(XServer::display.c_str());
        ASSERT_NE(dpy, nullptr);
        root = DefaultRootWindow(dpy);
    }
    void TearDown() override
    {
        if (dpy) XCloseDisplay(dpy);
    }

    Atom A(const char* name) { return XInternAtom(dpy, name, False); }

    Window MakeWindow(const std::string& title, long events = 0, bool closable = false)
    {
        const Window w = XCreateSimpleWindow(dpy, root, 10, 10, 200, 100, 0, 0, 0);
        XChangeProperty(dpy, w, A("_NET_WM_NAME"), A("UTF8_STRING"), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.data()), int(title.size()));
        if (events) XSelectInput(dpy, w, events);
        if (closable) {
            Atom del = A("WM_DELETE_WINDOW");
            XSetWMProtocols(dpy, w, &del, 1);
        }
        XSync(dpy, False);
        return w;
    }

    std::string Title(Window w)
    {
        Atom type;
        int format;
        unsigned long n, after;
        unsigned char* data = nullptr;
        XGetWindowProperty(dpy, w, A("_NET_WM_NAME"), 0, 1024, False, A("UTF8_STRING"), &type, &format, &n, &after, &data);
        std::string out = data ? std::string(reinterpret_cast<char*>(data), n) : std::string();
        if (data) XFree(data);
        return out;
    }

    bool NextEvent(int type, XEvent& ev)
    {
        XSync(dpy, False);
        while (XPending(dpy)) {
            XNextEvent(dpy, &ev);
            if (ev.type == type) return true;
        }
        return false;
    }

    int MapState(Window w)
    {
        XWindowAttributes attrs;
        XGetWindowAttributes(dpy, w, &attrs);
        return attrs.map_state;
    }
};

TEST_F(X11Members, ScreenSizeIsReadAndOnlyOfferedSizesAreSet)
{
    OstrelOperateSysS s;
    EXPECT_EQ(Utf8(s.getScreenXY().ToText()), "1024x768");
    int32_t x = 1024, y = 768;
    EXPECT_EQ(s.SetScreenXY(x, y), OstrelVariant(int32_t(0)));
    int32_t badX = 123, badY = 45;
    EXPECT_EQ(s.SetScreenXY(badX, badY), OstrelVariant(int32_t(99)));
    EXPECT_EQ(Utf8(s.getScreenXY().ToText()), "1024x768");
}

TEST_F(X11Members, WindowsAreFoundByTheirExactTitle)
{
    const Window w = MakeWindow("零件目录 - 旧");
    OstrelDiskFileS f;
    std::u16string oldTitle = U16("零件目录 - 旧"), newTitle = U16("零件目录 - 新");
    std::u16string partial = U16("零件目录");
    f.SetWindowTextS(partial, newTitle);
    EXPECT_EQ(Title(w), "零件目录 - 旧");
    f.SetWindowTextS(oldTitle, newTitle);
    EXPECT_EQ(Title(w), "零件目录 - 新");
    XDestroyWindow(dpy, w);
}

TEST_F(X11Members, AppCloseAsksTheWindowToClose)
{
    const Window w = MakeWindow("Marlinex close me", 0, true);
    OstrelDiskFileS f;
    std::u16string title = u"Marlinex close me", missing = u"no window has this title";
    EXPECT_FALSE(f.AppClose(missing));
    EXPECT_TRUE(f.AppClose(title));
    XEvent ev;
    ASSERT_TRUE(NextEvent(ClientMessage, ev));
    EXPECT_EQ(ev.xclient.window, w);
    EXPECT_EQ(ev.xclient.message_type, A("WM_PROTOCOLS"));
    EXPECT_EQ(Atom(ev.xclient.data.l[0]), A("WM_DELETE_WINDOW"));
    XDestroyWindow(dpy, w);
}

TEST_F(X11Members, ShowWindowHidesAndShows)
{
    const Window w = MakeWindow("shown or not");
    XMapWindow(dpy, w);
    XSync(dpy, False);
    EXPECT_EQ(MapState(w), IsViewable);
    OstrelDiskFileS f;
    std::u16string title = u"shown or not";
    int32_t hide = 0, show = 5;
    f.ShowWindowS(title, hide);
    EXPECT_NE(MapState(w), IsViewable);
    f.ShowWindowS(title, show);
    EXPECT_EQ(MapState(w), IsViewable);
    XDestroyWindow(dpy, w);
}

TEST_F(X11Members, UndoResultSendsControlZ)
{
    const Window w = MakeWindow("editor", KeyPressMask | KeyReleaseMask);
    OstrelDiskFileS f;
    int32_t id = int32_t(w);
    EXPECT_TRUE(f.UndoResult(id).IsEmpty());
    XEvent ev;
    ASSERT_TRUE(NextEvent(KeyPress, ev));
    EXPECT_EQ(ev.xkey.keycode, XKeysymToKeycode(dpy, XK_z));
    EXPECT_TRUE(ev.xkey.state & ControlMask);
    XDestroyWindow(dpy, w);
}

TEST_F(X11Members, SetWindowFrontAsksTheWindowManager)
{
    // This connection takes the window manager's part, so the request comes to it.
    XSelectInput(dpy, root, SubstructureRedirectMask);
    const Window w = MakeWindow("kept in front");
    OstrelOperateSysS s;
    int32_t id = int32_t(w);
    bool front = true, ordinary = false;
    s.SetWindowFront(id, front);
    s.SetWindowFront(id, ordinary);
    for (long action : {1L, 0L}) {
        XEvent ev;
        ASSERT_TRUE(NextEvent(ClientMessage, ev));
        EXPECT_EQ(ev.xclient.window, w);
        EXPECT_EQ(ev.xclient.message_type, A("_NET_WM_STATE"));
        EXPECT_EQ(ev.xclient.data.l[0], action);
        EXPECT_EQ(Atom(ev.xclient.data.l[1]), A("_NET_WM_STATE_ABOVE"));
    }
    XSelectInput(dpy, root, NoEventMask);
    XDestroyWindow(dpy, w);
}

TEST_F(X11Members, AWindowThatIsGoneDoesNotEndTheProgram)
{
    OstrelOperateSysS s;
    OstrelDiskFileS f;
    int32_t gone = 0x3FFFFFF;
    bool front = true;
    std::u16string cursor = u"/no/such/cursor";
    s.SetWindowFront(gone, front);
    s.SetCursor(gone, cursor);
    f.UndoResult(gone);
    SUCCEED();
}

} // namespace
