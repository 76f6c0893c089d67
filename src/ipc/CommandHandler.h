// The handler of the served channel "nimbusslavemode": decides what each line of a batch asks
// for and passes it on to the program's CommandTarget, while the program is not terminating.
#pragma once

#include <string>
#include <vector>

#include "ipc/CommandTarget.h"
#include "ipc/ShutdownFlags.h"

namespace nimbus::ipc {

class CommandHandler {
public:
    // target and flags must outlive the channel that calls this handler.
    CommandHandler(CommandTarget &target, const ShutdownFlags &flags)
        : target_(target), flags_(flags)
    {
    }

    // A ChannelHandler: nothing is answered to the sender and nothing is logged here.
    void operator()(const std::vector<std::string> &batch) const;

private:
    CommandTarget &target_;
    const ShutdownFlags &flags_;
};

} // namespace nimbus::ipc
