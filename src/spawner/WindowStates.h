// The window services the Spawner needs for the program it started: find its first top-level
// window, apply a window state to it and ask it to close.
#pragma once

#include <sys/types.h>

#include <optional>

#include "ScreenMode.h"

namespace spawner {

using WindowId = unsigned long;

class WindowStates {
public:
    virtual ~WindowStates() = default;

    // False where window states are not managed at all; there is then no window to wait for.
    virtual bool managesWindows() const = 0;

    // The first top-level window, from the top of the stacking order, that belongs to a
    // process of the given process group; a mapped window is preferred to an unmapped one.
    virtual std::optional<WindowId> findWindow(pid_t processGroup) = 0;

    // True when the window is mapped (shown) on the screen.
    virtual bool isViewable(WindowId window) = 0;

    // Best effort: asks for the window state; Normal leaves the window as it is.
    virtual void apply(WindowId window, ScreenMode mode) = 0;

    // Asks the window to close, as the window manager's close button would.
    virtual void requestClose(WindowId window) = 0;
};

// Where there is no X11 display (Wayland, the offscreen platform) window states are not
// managed: nothing is ever found, so nothing is applied.
class NoWindowStates final : public WindowStates {
public:
    bool managesWindows() const override { return false; }
    std::optional<WindowId> findWindow(pid_t) override { return std::nullopt; }
    bool isViewable(WindowId) override { return false; }
    void apply(WindowId, ScreenMode) override {}
    void requestClose(WindowId) override {}
};

} // namespace spawner
