// One executable of a registered product: the channel on which it takes commands and the line
// that makes it close before its product is replaced.
#pragma once

#include <string>

namespace nimbus::update {

struct RegExec {
    std::string exec{};    // file name without extension
    std::string pipe{};    // name of the channel the running executable serves
    std::string command{}; // the line that asks it to close

    bool operator==(const RegExec &) const = default;
};

} // namespace nimbus::update
