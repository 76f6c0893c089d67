// What the Spawner does when it starts, decided from its run settings alone.
#pragma once

#include "RunSettings.h"

namespace spawner {

enum class StartupMode {
    ShowMinimised, // no argument at all: the window is shown minimised, ready for use by hand
    ShowNormal,    // the switch T: the window is shown in the normal state
    ShowOffScreen, // a command-line error in batch use: shown off the screen to carry the message
    Batch,         // never shown: pause, start, optionally wait, end
    EndAtOnce,     // batch use that names neither a command nor a delay: nothing to do
};

StartupMode startupModeFor(const RunSettings &settings);

} // namespace spawner
