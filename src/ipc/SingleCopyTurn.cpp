// Waiting for the marker channel at start-up.
#include "ipc/SingleCopyTurn.h"

#include <thread>

#include "ipc/Channels.h"
#include "ipc/PipeLine.h"

namespace nimbus::ipc {

SingleCopyTurn takeSingleCopyTurn(PipeList &pipes, const std::string &marker,
                                  const std::string &served, std::chrono::milliseconds patience,
                                  const std::function<void()> &onWaiting)
{
    const auto until = std::chrono::steady_clock::now() + patience;
    bool waiting = false;
    for (;;) {
        if (!CreateChannel(pipes, marker))
            return SingleCopyTurn::Ours;
        if (ChannelExists(PipeLine(served, true, pipes.folder)))
            return SingleCopyTurn::HandOver;
        if (std::chrono::steady_clock::now() > until)
            return SingleCopyTurn::Stuck;
        if (!waiting && onWaiting)
            onWaiting();
        waiting = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

} // namespace nimbus::ipc
