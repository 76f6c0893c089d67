// The run procedure shared by batch use and the Run button: start the command line, wait until
// it is ready, apply the window state, optionally wait for it to end; and closing it again.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ChildProcess.h"
#include "ScreenMode.h"
#include "WindowStates.h"

namespace spawner {

class Launcher {
public:
    enum class Outcome {
        Finished,    // started (and, when asked, waited for until it ended)
        Stopped,     // a stop request ended the wait before the program ended
        StartFailed, // the command line could not be run
    };

    explicit Launcher(WindowStates &windowStates) : windowStates_(windowStates) {}

    // Keeps the Qt event loop running throughout, so stop requests are seen.
    Outcome run(const std::string &command, ScreenMode mode, bool wait,
                const std::function<bool()> &stopRequested);

    // Set while waiting for the started program; left set when the wait was stopped early.
    bool waiting() const { return waiting_; }

    // Lets the started program run on by itself.
    void release() { child_.release(); }

    // Ends the started program: a close request to its window, then SIGTERM to its process
    // group, then up to three seconds for it to end, then SIGKILL.
    void closeStarted();

    // Polls a condition while processing Qt events until it holds or timeoutMs passes
    // (negative: no limit). Returns whether the condition held.
    static bool pollUntil(const std::function<bool()> &condition, int timeoutMs);

    static constexpr int kReadyTimeoutMs = 2000;
    static constexpr int kCloseLooks = 6;
    static constexpr int kCloseLookMs = 500;

private:
    void lookForWindow(ScreenMode mode, bool acceptUnmapped);

    WindowStates &windowStates_;
    ChildProcess child_;
    std::optional<WindowId> window_;
    bool waiting_ = false;
};

} // namespace spawner
