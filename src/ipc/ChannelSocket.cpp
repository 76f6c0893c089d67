// AF_UNIX SOCK_SEQPACKET plumbing for the channels: one packet is one message.
#include "ipc/ChannelSocket.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

namespace nimbus::ipc::detail {

namespace {

// False when path does not fit sun_path: a cut path could name another socket.
bool makeAddress(const std::string &path, sockaddr_un &address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path ||
        path.find('\0') != std::string::npos)
        return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

ConnectResult connectOnce(int fd, const sockaddr_un &address)
{
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
        return ConnectResult::Connected;
    switch (errno) {
    case EAGAIN:
    case EINTR:
        return ConnectResult::Busy;
    case ECONNREFUSED:
        return ConnectResult::Refused;
    case ENOENT:
    case ENOTDIR:
        return ConnectResult::Missing;
    default:
        return ConnectResult::Failed;
    }
}

// Holds an exclusive lock on path + ".lock" while it lives.
class ChannelLock {
public:
    explicit ChannelLock(const std::string &path)
    {
        fd_ = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd_ >= 0) {
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~ChannelLock()
    {
        if (fd_ >= 0)
            ::close(fd_); // releases the lock
    }
    ChannelLock(const ChannelLock &) = delete;
    ChannelLock &operator=(const ChannelLock &) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

bool sameFile(const std::string &path, const SocketFileId &id)
{
    struct stat st {};
    return id.valid && ::lstat(path.c_str(), &st) == 0 && st.st_dev == id.device &&
           st.st_ino == id.inode;
}

// Called after a bind failed. Someone holds the name: only a socket file that refuses
// connections is stale and replaced; a live server, or a file of another kind, is left alone
// (errno is then EADDRINUSE). True when bindIt succeeded in the end.
template <typename Bind> bool replaceStale(const std::string &path, Bind bindIt)
{
    if (errno != EADDRINUSE)
        return false;
    ConnectResult probe = ConnectResult::Failed;
    int probeFd = connectWithin(path, std::chrono::milliseconds(0), probe);
    closeSocket(probeFd);
    struct stat st {};
    const bool gone = probe == ConnectResult::Missing;
    const bool stale =
        probe == ConnectResult::Refused && ::lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
    if (!gone && !stale) {
        errno = EADDRINUSE;
        return false;
    }
    if (stale && ::unlink(path.c_str()) != 0)
        return false;
    return bindIt();
}

} // namespace

void closeSocket(int &fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

int connectWithin(const std::string &path, std::chrono::milliseconds limit, ConnectResult &result)
{
    sockaddr_un address;
    if (!makeAddress(path, address)) {
        result = ConnectResult::Failed;
        return -1;
    }
    int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        result = ConnectResult::Failed;
        return -1;
    }
    const auto until = std::chrono::steady_clock::now() + limit;
    for (;;) {
        result = connectOnce(fd, address);
        if (result == ConnectResult::Connected)
            return fd;
        if (result != ConnectResult::Busy || std::chrono::steady_clock::now() >= until)
            break;
        // A full queue drains as the server accepts; look again shortly.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    closeSocket(fd);
    return -1;
}

BindResult bindListening(const std::string &path, int &fd, SocketFileId &id)
{
    fd = -1;
    id = {};
    sockaddr_un address;
    if (!makeAddress(path, address))
        return BindResult::Failed;
    ChannelLock lock(path);
    if (!lock.held())
        return BindResult::Failed;

    int socketFd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    if (socketFd < 0)
        return BindResult::Failed;
    auto bindIt = [&] {
        return ::bind(socketFd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    };
    if (!bindIt() && !replaceStale(path, bindIt)) {
        const bool inUse = errno == EADDRINUSE;
        closeSocket(socketFd);
        return inUse ? BindResult::InUse : BindResult::Failed;
    }
    ::chmod(path.c_str(), 0600);
    if (::listen(socketFd, SOMAXCONN) != 0) {
        ::unlink(path.c_str());
        closeSocket(socketFd);
        return BindResult::Failed;
    }
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0)
        id = {st.st_dev, st.st_ino, true};
    fd = socketFd;
    return BindResult::Bound;
}

void removeSocketFile(const std::string &path, const SocketFileId &id)
{
    ChannelLock lock(path);
    if (sameFile(path, id))
        ::unlink(path.c_str());
}

} // namespace nimbus::ipc::detail
