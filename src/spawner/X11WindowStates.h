// Window states of the started program on an X11 display, through the EWMH and ICCCM
// conventions: windows are found by _NET_WM_PID, states set through _NET_WM_STATE.
#pragma once

#include <memory>
#include <vector>

#include "WindowStates.h"

struct _XDisplay;

namespace spawner {

class X11WindowStates final : public WindowStates {
public:
    // Opens the display named by DISPLAY; null when there is none.
    static std::unique_ptr<X11WindowStates> open();
    ~X11WindowStates() override;

    bool managesWindows() const override { return true; }
    std::optional<WindowId> findWindow(pid_t processGroup) override;
    bool isViewable(WindowId window) override;
    void apply(WindowId window, ScreenMode mode) override;
    void requestClose(WindowId window) override;

private:
    explicit X11WindowStates(_XDisplay *display);

    unsigned long atom(const char *name);
    std::vector<unsigned long> property32(WindowId window, const char *name, unsigned long type);
    std::vector<WindowId> candidatesTopFirst();
    bool belongsTo(WindowId window, pid_t processGroup);
    bool hasEwmhWindowManager();
    bool isMapped(WindowId window);
    void addStates(WindowId window, const std::vector<unsigned long> &states);
    void sendToRoot(WindowId window, const char *messageType, const std::vector<long> &data);
    void setInitiallyIconic(WindowId window);

    _XDisplay *display_;
};

} // namespace spawner
