// The shutdown-for-update flag: set once when the program is closing for an update, never
// cleared. The channel server thread reads it too, hence atomic.
#pragma once

#include <atomic>

namespace nimbus::update {

class ShutdownFlag {
public:
    void set() { set_.store(true); }
    bool isSet() const { return set_.load(); }

private:
    std::atomic<bool> set_{false};
};

} // namespace nimbus::update
