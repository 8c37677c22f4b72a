#include "X11Display.h"
#include "OstrelDll.h"
#include "OstrelNarrow.h"
#include "TextForms.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <dlfcn.h>

namespace OstrelX11 {

namespace {

// The libX11 entry points used here, looked up once.
struct XLib {
    bool ok = false;
    ::Display* (*OpenDisplay)(const char*);
    int (*CloseDisplay)(::Display*);
    int (*ScreenNumber)(::Display*);
    int (*ScreenWidth)(::Display*, int);
    int (*ScreenHeight)(::Display*, int);
    Window (*RootOf)(::Display*, int);
    Atom (*InternAtom)(::Display*, const char*, Bool);
    int (*GetWindowProperty)(::Display*, Window, Atom, long, long, Bool, Atom, Atom*, int*, unsigned long*,
                             unsigned long*, unsigned char**);
    int (*ChangeProperty)(::Display*, Window, Atom, Atom, int, int, const unsigned char*, int);
    int (*Free)(void*);
    Status (*QueryTree)(::Display*, Window, Window*, Window*, Window**, unsigned int*);
    Status (*SendEvent)(::Display*, Window, Bool, long, XEvent*);
    int (*Flush)(::Display*);
    int (*Sync)(::Display*, Bool);
    XErrorHandler (*SetErrorHandler)(XErrorHandler);
    int (*MapRaised)(::Display*, Window);
    int (*MapWindow)(::Display*, Window);
    Status (*IconifyWindow)(::Display*, Window, int);
    Status (*WithdrawWindow)(::Display*, Window, int);
    int (*DefineCursor)(::Display*, Window, Cursor);
    KeyCode (*KeysymToKeycode)(::Display*, KeySym);
};

template <class F> bool Resolve(void* handle, const char* name, F& f)
{
    f = reinterpret_cast<F>(dlsym(handle, name));
    return f != nullptr;
}

const XLib& X()
{
    static XLib x = [] {
        XLib l{};
        void* h = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
        if (!h) return l;
        l.ok = Resolve(h, "XOpenDisplay", l.OpenDisplay) && Resolve(h, "XCloseDisplay", l.CloseDisplay)
            && Resolve(h, "XDefaultScreen", l.ScreenNumber) && Resolve(h, "XDisplayWidth", l.ScreenWidth)
            && Resolve(h, "XDisplayHeight", l.ScreenHeight) && Resolve(h, "XRootWindow", l.RootOf)
            && Resolve(h, "XInternAtom", l.InternAtom) && Resolve(h, "XGetWindowProperty", l.GetWindowProperty)
            && Resolve(h, "XChangeProperty", l.ChangeProperty) && Resolve(h, "XFree", l.Free)
            && Resolve(h, "XQueryTree", l.QueryTree) && Resolve(h, "XSendEvent", l.SendEvent)
            && Resolve(h, "XFlush", l.Flush) && Resolve(h, "XSync", l.Sync)
            && Resolve(h, "XSetErrorHandler", l.SetErrorHandler) && Resolve(h, "XMapRaised", l.MapRaised)
            && Resolve(h, "XMapWindow", l.MapWindow) && Resolve(h, "XIconifyWindow", l.IconifyWindow)
            && Resolve(h, "XWithdrawWindow", l.WithdrawWindow) && Resolve(h, "XDefineCursor", l.DefineCursor)
            && Resolve(h, "XKeysymToKeycode", l.KeysymToKeycode);
        return l;
    }();
    return x;
}

// libXrandr's screen-size calls (declared here: only the shared library is needed, not its headers).
struct XRRScreenSize { int width, height, mwidth, mheight; };
struct XRRScreenConfiguration;
struct XRandr {
    bool ok = false;
    XRRScreenConfiguration* (*GetScreenInfo)(::Display*, Window);
    XRRScreenSize* (*ConfigSizes)(XRRScreenConfiguration*, int*);
    unsigned short (*ConfigCurrentConfiguration)(XRRScreenConfiguration*, unsigned short*);
    Status (*SetScreenConfig)(::Display*, XRRScreenConfiguration*, Drawable, int, unsigned short, Time);
    void (*FreeScreenConfigInfo)(XRRScreenConfiguration*);
};

const XRandr& Randr()
{
    static XRandr r = [] {
        XRandr l{};
        void* h = dlopen("libXrandr.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!h) return l;
        l.ok = Resolve(h, "XRRGetScreenInfo", l.GetScreenInfo) && Resolve(h, "XRRConfigSizes", l.ConfigSizes)
            && Resolve(h, "XRRConfigCurrentConfiguration", l.ConfigCurrentConfiguration)
            && Resolve(h, "XRRSetScreenConfig", l.SetScreenConfig)
            && Resolve(h, "XRRFreeScreenConfigInfo", l.FreeScreenConfigInfo);
        return l;
    }();
    return r;
}

using LoadCursorFn = Cursor (*)(::Display*, const char*);
LoadCursorFn XcursorLoad()
{
    static LoadCursorFn f = [] {
        LoadCursorFn fn = nullptr;
        if (void* h = dlopen("libXcursor.so.1", RTLD_NOW | RTLD_LOCAL)) Resolve(h, "XcursorFilenameLoadCursor", fn);
        return fn;
    }();
    return f;
}

// X errors (a window id that is gone, a refused request) are counted instead of ending the process,
// which is what libX11 does by default.
int errorCount = 0;
int CountError(::Display*, XErrorEvent*)
{
    ++errorCount;
    return 0;
}

constexpr long kRemove = 0, kAdd = 1;

} // namespace

struct Display::Impl {
    ::Display* dpy = nullptr;
    int screen = 0;
    Window root = 0;
    XErrorHandler previousHandler = nullptr;
    int errorsSeen = 0;

    Atom A(const char* name) const { return X().InternAtom(dpy, name, False); }

    std::vector<unsigned char> Property(Window w, Atom property, Atom type, Atom* actualType = nullptr,
                                        int* format = nullptr)
    {
        Atom actual = 0;
        int fmt = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::vector<unsigned char> out;
        if (X().GetWindowProperty(dpy, w, property, 0, 1 << 20, False, type, &actual, &fmt, &count, &after, &data)
                == Success && data) {
            const size_t unit = fmt == 32 ? sizeof(long) : fmt == 16 ? sizeof(short) : 1;
            out.assign(data, data + count * unit);
        }
        if (data) X().Free(data);
        if (actualType) *actualType = actual;
        if (format) *format = fmt;
        return out;
    }

    std::vector<Window> WindowList(Window w, Atom property)
    {
        const std::vector<unsigned char> bytes = Property(w, property, XA_WINDOW);
        std::vector<Window> out(bytes.size() / sizeof(long));
        for (size_t k = 0; k < out.size(); ++k) out[k] = reinterpret_cast<const unsigned long*>(bytes.data())[k];
        return out;
    }

    std::vector<Window> Children(Window w)
    {
        Window rootReturn = 0, parent = 0;
        Window* children = nullptr;
        unsigned int n = 0;
        std::vector<Window> out;
        if (X().QueryTree(dpy, w, &rootReturn, &parent, &children, &n) && children) {
            out.assign(children, children + n);
            X().Free(children);
        }
        return out;
    }

    bool SendClient(Window target, Window about, Atom type, long l0, long l1 = 0, long l2 = 0, long l3 = 0)
    {
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = about;
        ev.xclient.message_type = type;
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = l0;
        ev.xclient.data.l[1] = l1;
        ev.xclient.data.l[2] = l2;
        ev.xclient.data.l[3] = l3;
        const long mask = target == root ? (SubstructureRedirectMask | SubstructureNotifyMask) : NoEventMask;
        return X().SendEvent(dpy, target, False, mask, &ev) != 0;
    }

    // A window state change goes to the window manager through the root (there is none without one).
    void WmState(Window w, long action, const char* first, const char* second = nullptr)
    {
        SendClient(root, w, A("_NET_WM_STATE"), action, long(A(first)), second ? long(A(second)) : 0, 1);
    }
};

Display::Display() : d(new Impl)
{
    if (!X().ok) {
        delete d;
        throw OstrelError(OstrelStatus::NotAvailable, "libX11 is not installed");
    }
    d->dpy = X().OpenDisplay(nullptr);
    if (!d->dpy) {
        delete d;
        throw OstrelError(OstrelStatus::NotAvailable, "no X display can be opened (is DISPLAY set?)");
    }
    d->screen = X().ScreenNumber(d->dpy);
    d->root = X().RootOf(d->dpy, d->screen);
    d->previousHandler = X().SetErrorHandler(CountError);
    d->errorsSeen = errorCount;
}

Display::~Display()
{
    X().Sync(d->dpy, False);
    X().SetErrorHandler(d->previousHandler);
    X().CloseDisplay(d->dpy);
    delete d;
}

int Display::Width() const { return X().ScreenWidth(d->dpy, d->screen); }
int Display::Height() const { return X().ScreenHeight(d->dpy, d->screen); }

std::u16string Display::Title(WindowId window)
{
    std::vector<unsigned char> name = d->Property(window, d->A("_NET_WM_NAME"), d->A("UTF8_STRING"));
    if (!name.empty()) return OstrelNarrow::FromUtf8(std::string(name.begin(), name.end()));
    Atom type = 0;
    name = d->Property(window, XA_WM_NAME, AnyPropertyType, &type);
    if (type == XA_STRING) {   // Latin-1 by the old convention
        std::u16string out;
        for (unsigned char c : name) out += char16_t(c);
        return out;
    }
    return OstrelNarrow::FromUtf8(std::string(name.begin(), name.end()));
}

WindowId Display::FindTopLevel(const std::u16string& title)
{
    // The managed clients first; then the root's children and, under a reparenting window manager,
    // the clients inside their frames (this also finds windows that are hidden).
    std::vector<Window> candidates = d->WindowList(d->root, d->A("_NET_CLIENT_LIST"));
    for (Window top : d->Children(d->root)) {
        candidates.push_back(top);
        for (Window inner : d->Children(top)) candidates.push_back(inner);
    }
    for (Window w : candidates)
        if (Title(w) == title) return w;
    return 0;
}

void Display::SetTitle(WindowId window, const std::u16string& title)
{
    const std::string utf8 = OstrelNarrow::Utf8(title);
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    X().ChangeProperty(d->dpy, window, d->A("_NET_WM_NAME"), d->A("UTF8_STRING"), 8, PropModeReplace, bytes,
                       int(utf8.size()));
    X().ChangeProperty(d->dpy, window, XA_WM_NAME, d->A("UTF8_STRING"), 8, PropModeReplace, bytes, int(utf8.size()));
    X().Flush(d->dpy);
}

bool Display::RequestClose(WindowId window)
{
    const Atom protocols = d->A("WM_PROTOCOLS");
    const Atom deleteWindow = d->A("WM_DELETE_WINDOW");
    const std::vector<unsigned char> bytes = d->Property(window, protocols, XA_ATOM);
    const auto* atoms = reinterpret_cast<const unsigned long*>(bytes.data());
    const bool polite = std::find(atoms, atoms + bytes.size() / sizeof(long), deleteWindow)
        != atoms + bytes.size() / sizeof(long);
    // A window that takes the close request gets it itself; any other is left to the window manager.
    const bool sent = polite ? d->SendClient(window, window, protocols, long(deleteWindow), CurrentTime)
                             : d->SendClient(d->root, window, d->A("_NET_CLOSE_WINDOW"), CurrentTime, 1);
    return Sync() && sent;
}

void Display::Show(WindowId window, int state)
{
    switch (state) {
    case 0:
        X().WithdrawWindow(d->dpy, window, d->screen);
        break;
    case 2: case 6: case 7: case 11:
        X().MapWindow(d->dpy, window);
        X().IconifyWindow(d->dpy, window, d->screen);
        break;
    case 3:
        X().MapRaised(d->dpy, window);
        d->WmState(window, kAdd, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
        break;
    case 1: case 9: case 10:
        X().MapRaised(d->dpy, window);
        d->WmState(window, kRemove, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
        d->SendClient(d->root, window, d->A("_NET_ACTIVE_WINDOW"), 1, CurrentTime);
        break;
    case 5:
        X().MapRaised(d->dpy, window);
        break;
    default:
        X().MapWindow(d->dpy, window);
        break;
    }
    X().Flush(d->dpy);
}

void Display::SetAbove(WindowId window, bool above)
{
    d->WmState(window, above ? kAdd : kRemove, "_NET_WM_STATE_ABOVE");
    X().Flush(d->dpy);
}

void Display::SendUndoKey(WindowId window)
{
    XEvent ev{};
    ev.xkey.type = KeyPress;
    ev.xkey.display = d->dpy;
    ev.xkey.window = window;
    ev.xkey.root = d->root;
    ev.xkey.time = CurrentTime;
    ev.xkey.same_screen = True;
    ev.xkey.state = ControlMask;
    ev.xkey.keycode = X().KeysymToKeycode(d->dpy, XK_z);
    X().SendEvent(d->dpy, window, True, KeyPressMask, &ev);
    ev.xkey.type = KeyRelease;
    X().SendEvent(d->dpy, window, True, KeyReleaseMask, &ev);
    X().Flush(d->dpy);
}

bool Display::SetCursorFromFile(WindowId window, const std::string& file)
{
    const LoadCursorFn load = XcursorLoad();
    if (!load) return false;
    if (const Cursor cursor = load(d->dpy, file.c_str())) X().DefineCursor(d->dpy, window, cursor);
    X().Flush(d->dpy);
    return true;
}

int Display::SetScreenSize(int width, int height)
{
    const XRandr& r = Randr();
    if (!r.ok) throw OstrelError(OstrelStatus::NotAvailable, "libXrandr is not installed");
    XRRScreenConfiguration* config = r.GetScreenInfo(d->dpy, d->root);
    if (!config) return 99;   // the display does not offer size changes
    int count = 0;
    const XRRScreenSize* sizes = r.ConfigSizes(config, &count);
    int result = 99;
    for (int k = 0; k < count; ++k) {
        if (sizes[k].width != width || sizes[k].height != height) continue;
        unsigned short rotation = 0;
        r.ConfigCurrentConfiguration(config, &rotation);
        if (r.SetScreenConfig(d->dpy, config, d->root, k, rotation, CurrentTime) == Success && Sync()) result = 0;
        break;
    }
    r.FreeScreenConfigInfo(config);
    return result;
}

bool Display::Sync()
{
    X().Sync(d->dpy, False);
    const bool clean = errorCount == d->errorsSeen;
    d->errorsSeen = errorCount;
    return clean;
}

} // namespace OstrelX11
