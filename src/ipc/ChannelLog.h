// The channel layer's diagnostic log: a list of text lines that the server thread and the
// sending thread may both append to.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace nimbus::ipc {

class ChannelLog {
public:
    void add(std::string line);
    // A copy of the lines written so far, in order.
    std::vector<std::string> lines() const;
    bool contains(const std::string &line) const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

// Appends line to log when there is one; the layer calls this for every diagnostic line.
void writeLog(ChannelLog *log, std::string line);

} // namespace nimbus::ipc
