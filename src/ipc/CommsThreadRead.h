// The thread that serves one channel: it accepts one client at a time, reads its batch of
// lines and hands the batch to the channel's handler.
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "ipc/ChannelHandler.h"
#include "ipc/ChannelLog.h"
#include "ipc/ShutdownFlags.h"

namespace nimbus::ipc {

class PipeLine;

class CommsThreadRead {
public:
    // A client that stays silent this long loses its connection, so that it cannot hold the
    // channel from everybody else.
    static constexpr int kClientIdleMs = 5000;
    // A batch is cut off at this many lines: memory stays bounded whatever a client sends.
    static constexpr std::size_t kMaxBatchLines = 10000;

    // Starts running at once. channel must hold a listening socket and outlive this object.
    CommsThreadRead(const PipeLine &channel, ChannelLog *log, ChannelHandler handler,
                    const ShutdownFlags *flags, RefusalHandler onRefused);
    // Asks the loop to end, wakes it wherever it waits, and joins it.
    ~CommsThreadRead();
    CommsThreadRead(const CommsThreadRead &) = delete;
    CommsThreadRead &operator=(const CommsThreadRead &) = delete;

    void requestStop();
    bool finished() const { return finished_.load(); }

private:
    enum class Wait { Ready, Stop, TimedOut };

    void Execute();
    void serverLoop();
    bool peerIsSameUser(int connection);
    void InstanceThread(int connection);
    Wait waitReadable(int fd, int timeoutMs);
    bool stopping() const;

    std::string name_;
    std::string path_;
    int listenFd_;
    ChannelLog *log_;
    ChannelHandler handler_;
    const ShutdownFlags *flags_;
    RefusalHandler onRefused_;

    int wakeRead_ = -1; // a byte written to wakeWrite_ ends any wait of the loop
    int wakeWrite_ = -1;
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

} // namespace nimbus::ipc
