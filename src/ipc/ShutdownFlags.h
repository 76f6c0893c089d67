// The two set-once flags that the channel thread reads without a lock: the application is
// terminating, and the program is shutting down to install an update.
#pragma once

#include <atomic>

namespace nimbus::ipc {

class ShutdownFlags {
public:
    void setApplicationTerminating() { terminating_.store(true); }
    void setShutdownForUpdate() { forUpdate_.store(true); }
    bool applicationTerminating() const { return terminating_.load(); }
    bool shutdownForUpdate() const { return forUpdate_.load(); }
    // Either flag ends a served channel's loop.
    bool anySet() const { return applicationTerminating() || shutdownForUpdate(); }

private:
    std::atomic<bool> terminating_{false};
    std::atomic<bool> forUpdate_{false};
};

} // namespace nimbus::ipc
