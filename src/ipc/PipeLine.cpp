// Building and destroying one channel.
#include "ipc/PipeLine.h"

#include "ipc/CommsThreadRead.h"

namespace nimbus::ipc {

PipeLine::PipeLine(std::string name_, bool prefix, std::string folder_)
    : name(std::move(name_)), folder(std::move(folder_))
{
    path = prefix ? folder + name : name;
    // Without the prefix the name is a whole path; its folder is the one that gets checked.
    if (!prefix)
        folder = path.substr(0, path.find_last_of('/') + 1);
}

PipeLine::~PipeLine()
{
    // The thread reads the socket, so it ends before the socket closes.
    serverThread.reset();
    if (handle >= 0) {
        detail::removeSocketFile(path, boundFile);
        detail::closeSocket(handle);
    }
}

} // namespace nimbus::ipc
