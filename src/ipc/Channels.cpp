// Creating, probing and sending on channels over AF_UNIX SOCK_SEQPACKET sockets.
#include "ipc/Channels.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <cerrno>
#include <chrono>

#include "ipc/ChannelSocket.h"
#include "ipc/CommsThreadRead.h"

namespace nimbus::ipc {

namespace {

using std::chrono::milliseconds;

// Binds the channel's socket. True when the name is taken by someone else (or cannot be made),
// which the callers report as "already exists".
bool bindChannel(PipeLine &line, bool &failed)
{
    failed = false;
    if (!prepareChannelFolder(line.folder)) {
        failed = true;
        return false;
    }
    const auto result = detail::bindListening(line.path, line.handle, line.boundFile);
    if (result == detail::BindResult::Failed)
        failed = true;
    return result == detail::BindResult::InUse;
}

} // namespace

bool ChannelExists(const PipeLine &pipeLine)
{
    detail::ConnectResult result;
    int fd = detail::connectWithin(pipeLine.path, milliseconds(kExistsProbeMs), result);
    detail::closeSocket(fd);
    return result == detail::ConnectResult::Connected;
}

bool CreateChannel(PipeList &list, const std::string &name)
{
    auto line = std::make_unique<PipeLine>(name, true, list.folder);
    bool exists = ChannelExists(*line);
    if (!exists) {
        bool failed = false;
        exists = bindChannel(*line, failed) || failed;
    }
    if (exists) {
        line.reset();
        writeLog(list.log, "Channel already exists: " + name);
        return true;
    }
    list.items.push_back(std::move(line));
    writeLog(list.log, "Channel created OK: " + name);
    return false;
}

bool CreateServerChannel(PipeList &list, const std::string &name, ChannelHandler handler)
{
    auto line = std::make_unique<PipeLine>(name, true, list.folder);
    bool failed = false;
    // Bound here rather than on the thread: two copies starting together cannot both win.
    if (ChannelExists(*line) || bindChannel(*line, failed)) {
        writeLog(list.log, "Channel already exists: " + name);
        return true;
    }
    PipeLine &added = *list.items.emplace_back(std::move(line));
    writeLog(list.log, "Channel created OK: " + name);
    // A socket that could not be made leaves the channel without a server; the program goes on
    // without receiving commands.
    if (!failed)
        added.serverThread = std::make_unique<CommsThreadRead>(added, list.log, std::move(handler),
                                                               list.flags, list.onRefused);
    return false;
}

bool SendToChannel(const PipeLine &pipeLine, ChannelLog *log, const std::vector<std::string> &lines)
{
    writeLog(log, "Connecting to: " + pipeLine.path);
    // A socket in a folder that others can write into may have been put there by them.
    if (!channelFolderTrusted(pipeLine.folder)) {
        writeLog(log, "Could not open pipe(1): " + pipeLine.name);
        return false;
    }
    detail::ConnectResult result;
    int fd = detail::connectWithin(pipeLine.path, milliseconds(0), result);
    if (result == detail::ConnectResult::Busy)
        fd = detail::connectWithin(pipeLine.path, milliseconds(kBusyWaitMs), result);
    if (fd < 0) {
        writeLog(log, (result == detail::ConnectResult::Busy ? "Could not open pipe(2): "
                                                             : "Could not open pipe(1): ") +
                          pipeLine.name);
        return false;
    }
    // Blocking writes from here on, but never longer than a busy server is waited for.
    const timeval limit{kBusyWaitMs / 1000, 0};
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit) != 0) {
        writeLog(log, "SetNamedPipeHandleState failed: " + pipeLine.name);
        detail::closeSocket(fd);
        return false;
    }
    std::string message;
    for (const std::string &line : lines) {
        writeLog(log, "Writing data: " + line);
        message.assign(line);
        message.push_back('\0');
        ssize_t sent;
        do {
            sent = ::send(fd, message.data(), message.size(), MSG_NOSIGNAL);
        } while (sent < 0 && errno == EINTR);
        if (sent != static_cast<ssize_t>(message.size())) {
            writeLog(log, "WriteFile failed: " + pipeLine.name);
            detail::closeSocket(fd);
            return false;
        }
    }
    detail::closeSocket(fd);
    return true;
}

} // namespace nimbus::ipc
