// Where the channel sockets live: one private folder per user. NIMBUS_CHANNEL_DIR overrides it
// (tests give every run its own folder so that parallel runs never meet), else
// $XDG_RUNTIME_DIR/nimbus/, else /tmp/nimbus-<uid>/.
#pragma once

#include <string>

namespace nimbus::ipc {

inline constexpr const char *kChannelFolderVariable = "NIMBUS_CHANNEL_DIR";

// The folder, ending with "/", from the override and the runtime folder (either may be empty).
std::string channelFolderFor(const std::string &overrideFolder, const std::string &runtimeDir);
// The same from this process's environment.
std::string channelFolderFromEnvironment();

// Makes the folder ready for servers: created with mode 0700 when missing, and refused when it
// is not a real folder owned by this user. Group and other permissions are taken away.
bool prepareChannelFolder(const std::string &folder);

// For clients: the folder is a real folder owned by this user that nobody else can write into,
// so the socket found there was put there by this user.
bool channelFolderTrusted(const std::string &folder);

} // namespace nimbus::ipc
