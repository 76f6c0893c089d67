// Socket operations shared by the channel functions (internal to the ipc module): connecting
// with a time limit, binding a listening socket with stale-file recovery, and removing it.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>

namespace nimbus::ipc::detail {

// Every channel message, zero byte included, fits in this many bytes.
inline constexpr std::size_t kMessageSize = 2048;

enum class ConnectResult { Connected, Busy, Refused, Missing, Failed };

// Connects a non-blocking SOCK_SEQPACKET socket to path, retrying while the server's queue is
// full until limit has passed. Returns the socket (close-on-exec) or -1, with the reason.
int connectWithin(const std::string &path, std::chrono::milliseconds limit, ConnectResult &result);

// Identifies the socket file a channel bound, so that only that file is ever removed.
struct SocketFileId {
    dev_t device = 0;
    ino_t inode = 0;
    bool valid = false;
};

enum class BindResult { Bound, InUse, Failed };

// Binds and listens on path (mode 0600). A socket file that refuses connections is left from a
// copy that ended without cleaning up: it is removed and bound again. A lock file beside it
// makes the check-and-replace atomic between processes starting at the same moment.
BindResult bindListening(const std::string &path, int &fd, SocketFileId &id);

// Removes path when it is still the file that id names.
void removeSocketFile(const std::string &path, const SocketFileId &id);

void closeSocket(int &fd);

} // namespace nimbus::ipc::detail
