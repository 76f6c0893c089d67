// Starts a shell script in a process of its own (new session, nice 19, no terminal, standard
// streams on /dev/null), so that it runs on after the program that started it has ended.
#pragma once

#include "update/ScriptStarter.h"

namespace nimbus::update {

class DetachedScriptStarter : public ScriptStarter {
public:
    bool startScript(const std::string &path) override;
};

} // namespace nimbus::update
