// Chooses the window-state service for the platform the Spawner runs on.
#include "WindowStatesFactory.h"

#include "X11WindowStates.h"

namespace spawner {

std::unique_ptr<WindowStates> makeWindowStates(const std::string &platformName)
{
    if (platformName == "xcb") {
        if (auto x11 = X11WindowStates::open())
            return x11;
    }
    return std::make_unique<NoWindowStates>();
}

} // namespace spawner
