// Never two writers: a change goes to the running program over its channel, which applies it
// as if the user had made it and answers; when no copy runs, nimbus-cli takes the single-copy
// lock (the marker channel "nimbus_active") and writes the store itself. Another nimbus-cli
// holding the lock is waited for.
#pragma once

#include <chrono>
#include <string>

#include "tree/ChangeRequest.h"
#include "tree/CliStatus.h"

namespace nimbus {
class Clock;
}

namespace nimbus::cli {

class ChangeDelivery {
public:
    ChangeDelivery(std::string dataFolder, std::string channelFolder, const Clock &clock)
        : dataFolder_(std::move(dataFolder)), channelFolder_(std::move(channelFolder)), clock_(clock)
    {
    }
    // How long to wait for the lock and for the program's answer.
    void setPatience(std::chrono::milliseconds patience) { patience_ = patience; }

    Outcome deliver(ChangeRequest change, std::string &id);

private:
    Outcome sendToProgram(ChangeRequest change, std::string &id);

    std::string dataFolder_;
    std::string channelFolder_;
    const Clock &clock_;
    std::chrono::milliseconds patience_{30000};
};

} // namespace nimbus::cli
