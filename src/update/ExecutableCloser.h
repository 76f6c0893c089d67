// Asks a running executable of a product to close, over the channel it serves. The program
// implements it with its channel code; the update check only needs this much.
#pragma once

#include <string>

namespace nimbus::update {

class ExecutableCloser {
public:
    virtual ~ExecutableCloser() = default;
    // When the channel named pipe exists, sends command on it as a one-line batch and returns
    // true; returns false (and sends nothing) when no such channel exists.
    virtual bool closeExecutable(const std::string &pipe, const std::string &command) = 0;
};

} // namespace nimbus::update
