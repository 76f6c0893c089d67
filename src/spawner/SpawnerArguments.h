// Reads the Spawner's command line (switches S=, E=, D=, W= and T) into run settings.
#pragma once

#include <string>
#include <vector>

#include "RunSettings.h"

namespace spawner {

class SpawnerArguments {
public:
    // Reads the arguments (without the program name) from the first on and stops at the
    // first error, which is left in RunSettings::error.
    static RunSettings parse(const std::vector<std::string> &arguments);

    static constexpr const char *kScreenModeError = "*** Screen mode must be M, F , H or N";
    static constexpr const char *kWaitError = "*** Wait parameter must be Y or N";
    static constexpr const char *kUnrecognisedPrefix = "*** Unrecognised parameter: ";

private:
    // Applies one argument; false when it is an error (the text is set in settings).
    static bool apply(const std::string &argument, RunSettings &settings);
    static std::string stripApostrophes(std::string value);
    static int wholeNumberOrZero(const std::string &value);
};

} // namespace spawner
