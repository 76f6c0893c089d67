// The Spawner on a real X11 display: a private Xvfb server (no window manager), a small X11
// client started through the spawner, and its _NET_WM_STATE read back with Xlib.
// GoogleTest comes before Xlib, whose macros (None, Bool) would clash with its names.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xatom.h>
#include <X11/Xlib.h>
// clang-format on
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "ProcessHarness.h"

using namespace spawnertest;

namespace {

// Windows come and go while the test looks at them (a window can be destroyed between listing
// it and reading its properties). Such a BadWindow must not end the test process, as Xlib's
// default error handler would: the look simply finds nothing.
int ignoreXError(Display *, XErrorEvent *)
{
    return 0;
}

std::string findXvfb()
{
    for (const char *folder : {"/usr/bin", "/usr/local/bin", "/bin"}) {
        const std::string path = std::string(folder) + "/Xvfb";
        if (access(path.c_str(), X_OK) == 0)
            return path;
    }
    return {};
}

// Xvfb on the first free display number, which it reports through -displayfd.
class XvfbServer {
public:
    explicit XvfbServer(const std::string &executable, const std::string &logPath)
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (log >= 0) {
                dup2(log, STDOUT_FILENO);
                dup2(log, STDERR_FILENO);
            }
            const std::string fd = std::to_string(fds[1]);
            execl(executable.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp",
                  "-screen", "0", "800x600x24", static_cast<char *>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        pollfd readable{fds[0], POLLIN, 0};
        while (pid_ > 0 && poll(&readable, 1, 60000) > 0) {
            char c = 0;
            if (read(fds[0], &c, 1) != 1 || c == '\n')
                break;
            number += c;
        }
        close(fds[0]);
        if (!number.empty())
            display_ = ":" + number;
    }
    ~XvfbServer()
    {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        if (!pollUntil([this] { return waitpid(pid_, nullptr, WNOHANG) == pid_; })) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    const std::string &display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

class SpawnerOnX11 : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string xvfb = findXvfb();
        if (xvfb.empty())
            GTEST_SKIP() << "Xvfb is not installed";
        becomeSubreaper();
        server_ = std::make_unique<XvfbServer>(xvfb, folder_.file("xvfb.log"));
        ASSERT_FALSE(server_->display().empty()) << readFile(folder_.file("xvfb.log"));
        display_ = XOpenDisplay(server_->display().c_str());
        ASSERT_NE(display_, nullptr);
        XSetErrorHandler(ignoreXError);
    }
    void TearDown() override
    {
        spawner_.reset();
        if (display_ != nullptr)
            XCloseDisplay(display_);
        killer_.reset();
        server_.reset(); // also ends any X11 client still connected
        reapEndedChildren();
    }

    void startSpawner(const std::vector<std::string> &arguments)
    {
        std::vector<std::string> argv{SPAWNER_EXE};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        spawner_ = std::make_unique<SpawnedProcess>(
            argv, environmentWith({"QT_QPA_PLATFORM=xcb", "DISPLAY=" + server_->display()}),
            folder_.path(), folder_.file("stderr"));
    }
    // Starts the test window through the spawner and waits for it to record its process group.
    void startWindowThroughSpawner(const std::string &screenMode, const std::string &title)
    {
        startSpawner({"/s=" + screenMode, "/w=y",
                      "/e=echo $$ > pid; exec '" TEST_WINDOW_EXE "' " + title + " closed"});
        ASSERT_TRUE(pollUntil([&] { return !readFile(folder_.file("pid")).empty(); }))
            << readFile(folder_.file("stderr"));
        killer_ = std::make_unique<GroupKiller>(std::stoi(readFile(folder_.file("pid"))));
    }

    std::vector<Window> topLevelWindows()
    {
        Window root = 0, parent = 0;
        Window *children = nullptr;
        unsigned int count = 0;
        std::vector<Window> windows;
        if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count) !=
            0) {
            windows.assign(children, children + count);
            if (children != nullptr)
                XFree(children);
        }
        return windows;
    }
    Window windowNamed(const std::string &title)
    {
        for (Window window : topLevelWindows()) {
            char *name = nullptr;
            const bool matches =
                XFetchName(display_, window, &name) != 0 && name != nullptr && title == name;
            if (name != nullptr)
                XFree(name);
            if (matches)
                return window;
        }
        return 0;
    }
    std::vector<Atom> longProperty(Window window, const char *name, Atom type)
    {
        Atom actual = 0;
        int format = 0;
        unsigned long count = 0, remaining = 0;
        unsigned char *data = nullptr;
        std::vector<Atom> values;
        if (XGetWindowProperty(display_, window, XInternAtom(display_, name, False), 0, 64, False,
                               type, &actual, &format, &count, &remaining, &data) == Success &&
            data != nullptr && format == 32) {
            const auto *longs = reinterpret_cast<const unsigned long *>(data);
            values.assign(longs, longs + count);
        }
        if (data != nullptr)
            XFree(data);
        return values;
    }
    bool hasStates(const std::string &title, const std::vector<const char *> &states)
    {
        const Window window = windowNamed(title);
        if (window == 0)
            return false;
        const std::vector<Atom> current = longProperty(window, "_NET_WM_STATE", XA_ATOM);
        return std::all_of(states.begin(), states.end(), [&](const char *state) {
            return std::find(current.begin(), current.end(), XInternAtom(display_, state, False)) !=
                   current.end();
        });
    }
    // Closing the Spawner during its wait asks the program's window to close; the program
    // (which ignores SIGTERM) then ends by itself.
    void expectClosingToCloseTheWindow(const std::string &title)
    {
        spawner_->sendSignal(SIGTERM);
        EXPECT_EQ(spawner_->waitForExit(), 0);
        EXPECT_TRUE(pollUntil([&] { return readFile(folder_.file("closed")) == "closed\n"; }));
        EXPECT_TRUE(pollUntil([&] { return windowNamed(title) == 0; }));
    }
    bool viewableWindowOf(pid_t pid)
    {
        for (Window window : topLevelWindows()) {
            XWindowAttributes attributes;
            const std::vector<Atom> windowPid = longProperty(window, "_NET_WM_PID", XA_CARDINAL);
            if (!windowPid.empty() && static_cast<pid_t>(windowPid[0]) == pid &&
                XGetWindowAttributes(display_, window, &attributes) != 0 &&
                attributes.map_state == IsViewable)
                return true;
        }
        return false;
    }

    TempFolder folder_;
    std::unique_ptr<XvfbServer> server_;
    Display *display_ = nullptr;
    std::unique_ptr<SpawnedProcess> spawner_;
    std::unique_ptr<GroupKiller> killer_;
};

} // namespace

TEST_F(SpawnerOnX11, MinimisedWindowIsRecordedHiddenAndClosedWithTheSpawner)
{
    startWindowThroughSpawner("m", "spawner-window-m");
    ASSERT_TRUE(pollUntil([&] { return hasStates("spawner-window-m", {"_NET_WM_STATE_HIDDEN"}); }));
    EXPECT_FALSE(hasStates("spawner-window-m", {"_NET_WM_STATE_MAXIMIZED_VERT"}));
    expectClosingToCloseTheWindow("spawner-window-m");
}

TEST_F(SpawnerOnX11, MaximisedWindowIsRecordedMaximisedAndClosedWithTheSpawner)
{
    startWindowThroughSpawner("F", "spawner-window-f");
    ASSERT_TRUE(pollUntil([&] {
        return hasStates("spawner-window-f",
                         {"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"});
    }));
    EXPECT_FALSE(hasStates("spawner-window-f", {"_NET_WM_STATE_HIDDEN"}));
    expectClosingToCloseTheWindow("spawner-window-f");
}

TEST_F(SpawnerOnX11, PauseNeverShowsAWindow)
{
    startSpawner({"/d=2"});
    bool windowSeen = false;
    pollUntil([&] {
        windowSeen = windowSeen || viewableWindowOf(spawner_->pid());
        return !spawner_->running();
    });
    EXPECT_EQ(spawner_->waitForExit(), 0);
    EXPECT_FALSE(windowSeen);
}
