// A minimal X11 client for the Spawner's window-state tests: one top-level window named by its
// first argument, carrying _NET_WM_PID. It ignores SIGTERM and ends only when asked to close
// (WM_DELETE_WINDOW), writing "closed" into the file named by its second argument.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <fstream>

int main(int argc, char *argv[])
{
    signal(SIGTERM, SIG_IGN);
    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 2;
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 10, 10, 200, 100,
                                              1, BlackPixel(display, 0), WhitePixel(display, 0));
    XStoreName(display, window, argc > 1 ? argv[1] : "spawner-test-window");
    const long pid = getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char *>(&pid), 1);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    XMapWindow(display, window);
    XFlush(display);
    for (;;) { // a lost display ends the program through Xlib's I/O error handler
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == ClientMessage &&
            static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow)
            break;
    }
    if (argc > 2)
        std::ofstream(argv[2]) << "closed\n";
    XCloseDisplay(display);
    return 0;
}
