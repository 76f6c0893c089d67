// The channel log: a mutex keeps lines from the server and sending threads whole and ordered.
#include "ipc/ChannelLog.h"

#include <algorithm>

namespace nimbus::ipc {

void ChannelLog::add(std::string line)
{
    std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
}

std::vector<std::string> ChannelLog::lines() const
{
    std::lock_guard lock(mutex_);
    return lines_;
}

bool ChannelLog::contains(const std::string &line) const
{
    std::lock_guard lock(mutex_);
    return std::find(lines_.begin(), lines_.end(), line) != lines_.end();
}

void ChannelLog::clear()
{
    std::lock_guard lock(mutex_);
    lines_.clear();
}

void writeLog(ChannelLog *log, std::string line)
{
    if (log)
        log->add(std::move(line));
}

} // namespace nimbus::ipc
