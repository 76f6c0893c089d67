// The channel operations: marker and served channels, the existence probe and sending a batch.
// Each reports failure by its result and, when a log is given, by one diagnostic line.
#pragma once

#include <string>
#include <vector>

#include "ipc/ChannelHandler.h"
#include "ipc/ChannelLog.h"
#include "ipc/PipeLine.h"
#include "ipc/PipeList.h"

namespace nimbus::ipc {

// How long the existence probe may wait, and how long a sender waits for a busy server.
inline constexpr int kExistsProbeMs = 200;
inline constexpr int kBusyWaitMs = 2000;

// A marker channel: a listening socket that is never accepted; its existence is the message.
// True when the channel already exists (nothing is added), false when it was made and added.
bool CreateChannel(PipeList &list, const std::string &name);

// A served channel: its CommsThreadRead calls handler with every batch, on that thread.
// Same result convention as CreateChannel.
bool CreateServerChannel(PipeList &list, const std::string &name, ChannelHandler handler);

// True when a server accepts a connection at the channel's path within 200 ms. (A served
// channel sees the probe as a client that wrote nothing.)
bool ChannelExists(const PipeLine &pipeLine);

// Connects as a client, writes each line as one message (its bytes and a zero byte) and
// closes. True when every line was written. An empty list connects and closes.
bool SendToChannel(const PipeLine &pipeLine, ChannelLog *log,
                   const std::vector<std::string> &lines);

} // namespace nimbus::ipc
