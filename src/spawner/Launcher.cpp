// The run procedure and the closing of the started program.
#include "Launcher.h"

#include <signal.h>
#include <time.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace spawner {

namespace {

constexpr int kPollMs = 25;

void sleepMs(int ms)
{
    timespec pause{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&pause, &pause) != 0) {
    }
}

} // namespace

bool Launcher::pollUntil(const std::function<bool()> &condition, int timeoutMs)
{
    // The ticking timer wakes the event loop so the condition and the limit are looked at
    // even when nothing else happens.
    QTimer tick;
    tick.start(kPollMs);
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (timeoutMs >= 0 && clock.elapsed() >= timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

Launcher::Outcome Launcher::run(const std::string &command, ScreenMode mode, bool wait,
                                const std::function<bool()> &stopRequested)
{
    window_.reset();
    waiting_ = false;
    if (!child_.start(command))
        return Outcome::StartFailed;
    QCoreApplication::processEvents();

    // Ready means its window has shown up, waited for within a limit (a program may have no
    // window at all). Where windows are not managed there is nothing to wait for.
    if (windowStates_.managesWindows()) {
        pollUntil(
            [&] {
                lookForWindow(mode, false);
                return window_.has_value() || !child_.running() || stopRequested();
            },
            kReadyTimeoutMs);
        if (!window_)
            lookForWindow(mode, true);
    }
    if (!child_.running() && child_.couldNotRun())
        return Outcome::StartFailed;

    if (wait) {
        waiting_ = true;
        // A window that was slow to appear still gets its state while we wait.
        pollUntil(
            [&] {
                if (!window_)
                    lookForWindow(mode, false);
                return !child_.running() || stopRequested();
            },
            -1);
        if (child_.running())
            return Outcome::Stopped; // waiting stays set
        waiting_ = false;
        if (child_.couldNotRun())
            return Outcome::StartFailed;
    }
    return Outcome::Finished;
}

void Launcher::lookForWindow(ScreenMode mode, bool acceptUnmapped)
{
    const std::optional<WindowId> found = windowStates_.findWindow(child_.processGroup());
    if (!found || (!acceptUnmapped && !windowStates_.isViewable(*found)))
        return;
    window_ = found;
    windowStates_.apply(*window_, mode);
}

void Launcher::closeStarted()
{
    if (window_)
        windowStates_.requestClose(*window_);
    child_.signalGroup(SIGTERM);
    QCoreApplication::processEvents();
    // Looks more often than every half second, within the same overall limit, so a program
    // that ends at once lets the Spawner end at once.
    const int steps = kCloseLooks * kCloseLookMs / kPollMs;
    for (int step = 0; step < steps && child_.running(); ++step)
        sleepMs(kPollMs);
    if (child_.running()) {
        child_.signalGroup(SIGKILL);
        for (int step = 0; step < steps && child_.running(); ++step)
            sleepMs(kPollMs);
    }
    child_.release();
    window_.reset();
}

} // namespace spawner
