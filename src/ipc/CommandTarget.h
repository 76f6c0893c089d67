// What the command handler acts on: the program's side of "wakeup", "close" and "run". The
// handler calls it on the channel's thread; an implementation carries the actions over to
// the thread that owns the windows.
#pragma once

#include <string>

#include "ipc/ProcessObj.h"

namespace nimbus::ipc {

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual void wakeup() = 0;
    virtual void close() = 0;
    virtual void run(const ProcessObj &process) = 0;
    // A change to the topics from nimbus-cli; a target that keeps no topics ignores it.
    virtual void topicChange(const std::string &word, const std::string &value)
    {
        (void)word;
        (void)value;
    }
};

} // namespace nimbus::ipc
