// Starting as the one running copy. The marker channel says that a copy runs, but nimbus-cli
// also holds it for the moment it writes the store while no copy runs, and a copy holds it
// alone for the moment between making it and serving its command channel. A copy that finds
// the marker held therefore waits while nobody serves: the holder either lets go (the copy
// then runs) or starts serving (the copy hands over to it).
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "ipc/PipeList.h"

namespace nimbus::ipc {

enum class SingleCopyTurn {
    Ours,     // the marker is this process's now
    HandOver, // another copy serves its command channel
    Stuck,    // the marker stayed held without a server for the whole patience
};

// onWaiting is called once, when the marker is found held without a server.
SingleCopyTurn takeSingleCopyTurn(PipeList &pipes, const std::string &marker,
                                  const std::string &served, std::chrono::milliseconds patience,
                                  const std::function<void()> &onWaiting = {});

} // namespace nimbus::ipc
