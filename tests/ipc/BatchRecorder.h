// A channel handler for tests: keeps every batch it is given and lets the test wait for them.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "ipc/ChannelHandler.h"

namespace nimbus::test {

class BatchRecorder {
public:
    ipc::ChannelHandler handler()
    {
        return [this](const std::vector<std::string> &batch) {
            std::lock_guard lock(mutex_);
            batches_.push_back(batch);
            changed_.notify_all();
        };
    }

    // Waits until at least count batches arrived; the limit only bounds a failing test.
    bool waitFor(std::size_t count, std::chrono::milliseconds limit = std::chrono::seconds(20))
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [&] { return batches_.size() >= count; });
    }

    std::vector<std::vector<std::string>> batches() const
    {
        std::lock_guard lock(mutex_);
        return batches_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::vector<std::string>> batches_;
};

} // namespace nimbus::test
