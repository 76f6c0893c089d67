// One channel: its name, its socket path, the socket this object holds and, for a served
// channel, the thread that serves it.
#pragma once

#include <memory>
#include <string>

#include "ipc/ChannelFolder.h"
#include "ipc/ChannelSocket.h"

namespace nimbus::ipc {

class CommsThreadRead;

class PipeLine {
public:
    // With prefix set the socket lives in folder under the channel's name; without it the name
    // is the socket path itself.
    PipeLine(std::string name, bool prefix, std::string folder = channelFolderFromEnvironment());
    // Stops and joins the server thread, closes the socket and removes the socket file it bound.
    ~PipeLine();
    PipeLine(const PipeLine &) = delete;
    PipeLine &operator=(const PipeLine &) = delete;

    std::string name;
    int handle = -1; // the listening socket; -1 until one is bound
    std::string path;
    std::string folder;
    std::unique_ptr<CommsThreadRead> serverThread;

    // Set when this object bound the socket file at path.
    detail::SocketFileId boundFile;
};

} // namespace nimbus::ipc
