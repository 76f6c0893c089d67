// The server loop of a served channel and the reading of one client's batch.
#include "ipc/CommsThreadRead.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "ipc/ChannelSocket.h"
#include "ipc/PipeLine.h"

namespace nimbus::ipc {

CommsThreadRead::CommsThreadRead(const PipeLine &channel, ChannelLog *log, ChannelHandler handler,
                                 const ShutdownFlags *flags, RefusalHandler onRefused)
    : name_(channel.name), path_(channel.path), listenFd_(channel.handle), log_(log),
      handler_(std::move(handler)), flags_(flags), onRefused_(std::move(onRefused))
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        wakeRead_ = fds[0];
        wakeWrite_ = fds[1];
    }
    thread_ = std::thread([this] { Execute(); });
}

CommsThreadRead::~CommsThreadRead()
{
    requestStop();
    if (thread_.joinable())
        thread_.join();
    detail::closeSocket(wakeRead_);
    detail::closeSocket(wakeWrite_);
}

void CommsThreadRead::requestStop()
{
    stop_.store(true);
    if (wakeWrite_ >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &byte, 1);
    }
}

bool CommsThreadRead::stopping() const
{
    return stop_.load() || (flags_ && flags_->anySet());
}

void CommsThreadRead::Execute()
{
    if (!stop_.load() && listenFd_ >= 0 && wakeRead_ >= 0)
        serverLoop();
    stop_.store(true);
    finished_.store(true);
}

CommsThreadRead::Wait CommsThreadRead::waitReadable(int fd, int timeoutMs)
{
    pollfd fds[2] = {{fd, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    for (;;) {
        const int n = ::poll(fds, 2, timeoutMs);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || fds[1].revents != 0 || stopping())
            return Wait::Stop;
        if (n == 0)
            return Wait::TimedOut;
        return Wait::Ready;
    }
}

void CommsThreadRead::serverLoop()
{
    for (;;) {
        if (stopping())
            return;
        writeLog(log_, path_ + " waiting");
        if (waitReadable(listenFd_, -1) != Wait::Ready)
            return;
        int connection = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (connection < 0) {
            // The client gave up before it was taken, or the process is short of descriptors
            // for a moment: neither ends the service.
            if (errno == EINTR || errno == EAGAIN || errno == ECONNABORTED || errno == EPROTO)
                continue;
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                if (waitReadable(wakeRead_, 100) == Wait::Stop)
                    return;
                continue;
            }
            return;
        }
        if (peerIsSameUser(connection)) {
            writeLog(log_, name_ + " client connected");
            InstanceThread(connection);
        }
        detail::closeSocket(connection);
    }
}

// Only processes of this user may give the program commands: "run" would otherwise start
// any program for anybody who can reach the socket.
bool CommsThreadRead::peerIsSameUser(int connection)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    const bool known = ::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0;
    if (known && peer.uid == ::geteuid())
        return true;
    const std::string text = name_ + ": connection refused from user id " +
                             (known ? std::to_string(peer.uid) : std::string("unknown")) +
                             (known ? " (process " + std::to_string(peer.pid) + ")" : "");
    writeLog(log_, text);
    if (onRefused_)
        onRefused_(text);
    return false;
}

void CommsThreadRead::InstanceThread(int connection)
{
    std::vector<char> buffer(detail::kMessageSize);
    std::vector<std::string> batch;
    bool disconnected = false;
    for (;;) {
        const Wait wait = waitReadable(connection, kClientIdleMs);
        if (wait != Wait::Ready)
            break;
        iovec part{buffer.data(), buffer.size()};
        msghdr message{};
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        const ssize_t n = ::recvmsg(connection, &message, MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n == 0)
            disconnected = true;
        // A message longer than the buffer was cut by the kernel: it ends the batch unread.
        if (n <= 0 || (message.msg_flags & MSG_TRUNC) != 0)
            break;
        const auto size = static_cast<std::size_t>(n);
        const void *zero = std::memchr(buffer.data(), '\0', size);
        const std::size_t length =
            zero ? static_cast<std::size_t>(static_cast<const char *>(zero) - buffer.data()) : size;
        std::string text(buffer.data(), length);
        writeLog(log_, text);
        batch.push_back(std::move(text));
        if (batch.size() >= kMaxBatchLines)
            break;
    }
    writeLog(log_, disconnected ? "InstanceThread: client disconnected"
                                : "InstanceThread ReadFile failed");
    // The handler sees every batch, also an empty one or one cut short.
    try {
        if (handler_)
            handler_(batch);
    } catch (...) {
        // A failing handler must not end the service thread (and with it the process).
    }
}

} // namespace nimbus::ipc
