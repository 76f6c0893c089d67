// The program's channels, with the folder they live in and where their diagnostics go.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ipc/ChannelFolder.h"
#include "ipc/ChannelHandler.h"
#include "ipc/ChannelLog.h"
#include "ipc/PipeLine.h"
#include "ipc/ShutdownFlags.h"

namespace nimbus::ipc {

class PipeList {
public:
    // log, flags: not owned, may be null. The program builds its list without a log.
    explicit PipeList(ChannelLog *log = nullptr,
                      std::string folder = channelFolderFromEnvironment(),
                      const ShutdownFlags *flags = nullptr);
    // Destroys every channel (served ones stop their threads first), in reverse order.
    ~PipeList();
    PipeList(const PipeList &) = delete;
    PipeList &operator=(const PipeList &) = delete;

    std::vector<std::unique_ptr<PipeLine>> items;
    ChannelLog *log = nullptr;
    std::string folder;
    // Read by every served channel's loop: either flag set ends it.
    const ShutdownFlags *flags = nullptr;
    // Told about refused connections of other users; may be empty.
    RefusalHandler onRefused;
};

} // namespace nimbus::ipc
