// The probe and the one-line batch over the product's served channel.
#include "shell/software/ChannelExecutableCloser.h"

#include "fileio/FolderOps.h"
#include "ipc/Channels.h"

#include <utility>

namespace nimbus {

ChannelExecutableCloser::ChannelExecutableCloser(std::string channelFolder)
    : channelFolder_(std::move(channelFolder))
{
}

bool ChannelExecutableCloser::closeExecutable(const std::string &pipe, const std::string &command)
{
    if (!fileio::isSafeFileName(pipe))
        return false;
    const ipc::PipeLine client(pipe, true, channelFolder_);
    if (!ipc::ChannelExists(client))
        return false;
    ipc::SendToChannel(client, nullptr, {command});
    return true;
}

} // namespace nimbus
