// Chooses the window-state service for the platform the Spawner runs on.
#pragma once

#include <memory>
#include <string>

#include "WindowStates.h"

namespace spawner {

// The X11 service when the window platform is X11 ("xcb") and the display opens; otherwise
// the service that does nothing.
std::unique_ptr<WindowStates> makeWindowStates(const std::string &platformName);

} // namespace spawner
