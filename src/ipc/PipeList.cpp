// The channel list owns its channels.
#include "ipc/PipeList.h"

namespace nimbus::ipc {

PipeList::PipeList(ChannelLog *log_, std::string folder_, const ShutdownFlags *flags_)
    : log(log_), folder(std::move(folder_)), flags(flags_)
{
}

PipeList::~PipeList()
{
    while (!items.empty())
        items.pop_back();
}

} // namespace nimbus::ipc
