// Closes a product's running executable by sending its close command over the channel it
// serves, in the program's channel folder.
#pragma once

#include "update/ExecutableCloser.h"

#include <string>

namespace nimbus {

class ChannelExecutableCloser : public update::ExecutableCloser {
public:
    explicit ChannelExecutableCloser(std::string channelFolder);

    // A channel name from the register is a plain name inside the channel folder: a name that
    // would reach a socket elsewhere counts as no channel, and nothing is sent.
    bool closeExecutable(const std::string &pipe, const std::string &command) override;

private:
    std::string channelFolder_;
};

} // namespace nimbus
