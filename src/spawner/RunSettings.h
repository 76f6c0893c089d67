// The settings of one Spawner run, as read from the command line or taken from the window.
#pragma once

#include <string>

namespace spawner {

struct RunSettings {
    std::string command;       // the command line to start; empty: start nothing
    char screenMode = 'N';     // 'M' minimised, 'F' maximised, 'H' hidden, 'N' normal
    bool wait = false;         // wait until the started program ends
    int delaySeconds = 0;      // pause before starting
    bool interactive = false;  // the switch T: the window stays visible for use by hand
    std::string error;         // the first command-line or start error; empty when none
    bool hasArguments = false; // at least one argument was given
};

} // namespace spawner
