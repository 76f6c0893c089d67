// The callbacks a served channel calls on its own thread.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace nimbus::ipc {

// Takes one batch: the lines one client wrote between connecting and closing, in order. The
// batch belongs to the channel layer and lives only for the call.
using ChannelHandler = std::function<void(const std::vector<std::string> &batch)>;

// Told when a connection from a process of another user was refused (text says who).
using RefusalHandler = std::function<void(const std::string &text)>;

} // namespace nimbus::ipc
