// Window states of the started program on an X11 display (Xlib). Every request is best effort:
// windows may vanish at any moment, so X errors are ignored.
#include "X11WindowStates.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>

namespace spawner {

namespace {

int ignoreXErrors(Display *, XErrorEvent *)
{
    return 0;
}

constexpr long kStateAdd = 1;          // _NET_WM_STATE_ADD
constexpr long kSourceApplication = 1; // EWMH source indication: a normal application

} // namespace

std::unique_ptr<X11WindowStates> X11WindowStates::open()
{
    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return nullptr;
    return std::unique_ptr<X11WindowStates>(new X11WindowStates(display));
}

X11WindowStates::X11WindowStates(_XDisplay *display) : display_(display)
{
    XSetErrorHandler(ignoreXErrors);
}

X11WindowStates::~X11WindowStates()
{
    XCloseDisplay(display_);
}

unsigned long X11WindowStates::atom(const char *name)
{
    return XInternAtom(display_, name, False);
}

std::vector<unsigned long> X11WindowStates::property32(WindowId window, const char *name,
                                                       unsigned long type)
{
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display_, window, atom(name), 0, 4096, False, type, &actualType, &format,
                           &count, &remaining, &data) == Success &&
        data != nullptr && format == 32) {
        // Format-32 properties arrive as an array of C longs, whatever the width of a long.
        const auto *longs = reinterpret_cast<const unsigned long *>(data);
        values.assign(longs, longs + count);
    }
    if (data != nullptr)
        XFree(data);
    return values;
}

// The top-level windows from the top of the stacking order. With an EWMH window manager its
// client list is authoritative (the clients sit inside frames); without one, the children of
// the root window, each followed by its own children for window managers that reparent.
std::vector<WindowId> X11WindowStates::candidatesTopFirst()
{
    const Window root = DefaultRootWindow(display_);
    std::vector<WindowId> stacking = property32(root, "_NET_CLIENT_LIST_STACKING", XA_WINDOW);
    if (!stacking.empty()) {
        std::reverse(stacking.begin(), stacking.end());
        return stacking;
    }
    std::vector<WindowId> candidates;
    Window rootReturn = 0;
    Window parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, root, &rootReturn, &parent, &children, &count) == 0)
        return {};
    for (unsigned int i = count; i-- > 0;) {
        candidates.push_back(children[i]);
        Window *inner = nullptr;
        unsigned int innerCount = 0;
        if (XQueryTree(display_, children[i], &rootReturn, &parent, &inner, &innerCount) != 0) {
            for (unsigned int j = innerCount; j-- > 0;)
                candidates.push_back(inner[j]);
            if (inner != nullptr)
                XFree(inner);
        }
    }
    if (children != nullptr)
        XFree(children);
    return candidates;
}

// The started shell may run the program itself or as a child; both are in its group.
bool X11WindowStates::belongsTo(WindowId window, pid_t processGroup)
{
    const std::vector<unsigned long> pid = property32(window, "_NET_WM_PID", XA_CARDINAL);
    if (pid.empty() || pid[0] == 0)
        return false;
    const auto windowPid = static_cast<pid_t>(pid[0]);
    return windowPid == processGroup || getpgid(windowPid) == processGroup;
}

std::optional<WindowId> X11WindowStates::findWindow(pid_t processGroup)
{
    if (processGroup <= 0)
        return std::nullopt;
    std::optional<WindowId> firstUnmapped;
    for (WindowId window : candidatesTopFirst()) {
        if (!belongsTo(window, processGroup))
            continue;
        if (isViewable(window))
            return window;
        if (!firstUnmapped)
            firstUnmapped = window;
    }
    return firstUnmapped;
}

bool X11WindowStates::isViewable(WindowId window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display_, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

bool X11WindowStates::isMapped(WindowId window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display_, window, &attributes) != 0 &&
           attributes.map_state != IsUnmapped;
}

bool X11WindowStates::hasEwmhWindowManager()
{
    const Window root = DefaultRootWindow(display_);
    const std::vector<unsigned long> check =
        property32(root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (check.empty())
        return false;
    // A window manager that died leaves a stale property; its check window then is gone.
    const std::vector<unsigned long> self =
        property32(check[0], "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    return !self.empty() && self[0] == check[0];
}

void X11WindowStates::apply(WindowId window, ScreenMode mode)
{
    if (mode == ScreenMode::Normal)
        return;
    const bool windowManager = hasEwmhWindowManager();
    const bool mapped = isMapped(window);
    const int screen = DefaultScreen(display_);
    switch (mode) {
    case ScreenMode::Minimised:
        if (mapped)
            XIconifyWindow(display_, window, screen); // WM_CHANGE_STATE to the window manager
        else
            setInitiallyIconic(window);
        // Without a window manager nobody acts on the request; the state is still recorded.
        if (!windowManager)
            addStates(window, {atom("_NET_WM_STATE_HIDDEN")});
        break;
    case ScreenMode::Maximised:
        if (windowManager && mapped) {
            sendToRoot(window, "_NET_WM_STATE",
                       {kStateAdd, static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_VERT")),
                        static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_HORZ")),
                        kSourceApplication});
        } else {
            // An unmapped window carries its initial state in the property itself.
            addStates(window,
                      {atom("_NET_WM_STATE_MAXIMIZED_VERT"), atom("_NET_WM_STATE_MAXIMIZED_HORZ")});
        }
        break;
    case ScreenMode::Hidden:
        XWithdrawWindow(display_, window, screen);
        break;
    case ScreenMode::Normal:
        break;
    }
    XSync(display_, False);
}

void X11WindowStates::requestClose(WindowId window)
{
    if (hasEwmhWindowManager()) {
        sendToRoot(window, "_NET_CLOSE_WINDOW", {CurrentTime, kSourceApplication});
    } else {
        Atom *protocols = nullptr;
        int count = 0;
        const Atom deleteWindow = atom("WM_DELETE_WINDOW");
        bool supportsDelete = false;
        if (XGetWMProtocols(display_, window, &protocols, &count) != 0) {
            supportsDelete =
                std::find(protocols, protocols + count, deleteWindow) != protocols + count;
            XFree(protocols);
        }
        if (supportsDelete) {
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = atom("WM_PROTOCOLS");
            event.xclient.format = 32;
            event.xclient.data.l[0] = static_cast<long>(deleteWindow);
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent(display_, window, False, NoEventMask, &event);
        }
    }
    XSync(display_, False);
}

void X11WindowStates::addStates(WindowId window, const std::vector<unsigned long> &states)
{
    std::vector<unsigned long> current = property32(window, "_NET_WM_STATE", XA_ATOM);
    for (unsigned long state : states) {
        if (std::find(current.begin(), current.end(), state) == current.end())
            current.push_back(state);
    }
    XChangeProperty(display_, window, atom("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(current.data()),
                    static_cast<int>(current.size()));
}

void X11WindowStates::sendToRoot(WindowId window, const char *messageType,
                                 const std::vector<long> &data)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom(messageType);
    event.xclient.format = 32;
    for (std::size_t i = 0; i < data.size() && i < 5; ++i)
        event.xclient.data.l[i] = data[i];
    XSendEvent(display_, DefaultRootWindow(display_), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

// ICCCM: a window that is not mapped yet asks to start iconic through its WM_HINTS.
void X11WindowStates::setInitiallyIconic(WindowId window)
{
    XWMHints *hints = XGetWMHints(display_, window);
    if (hints == nullptr)
        hints = XAllocWMHints();
    if (hints == nullptr)
        return;
    hints->flags |= StateHint;
    hints->initial_state = IconicState;
    XSetWMHints(display_, window, hints);
    XFree(hints);
}

} // namespace spawner
