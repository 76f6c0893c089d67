// Starts the install script hidden, at idle priority, without waiting for it.
#pragma once

#include <string>

namespace nimbus::update {

class ScriptStarter {
public:
    virtual ~ScriptStarter() = default;
    // True when the script was started.
    virtual bool startScript(const std::string &path) = 0;
};

} // namespace nimbus::update
