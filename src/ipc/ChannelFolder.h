// Where the channel sockets live: one private folder per user. NIMBUS_CHANNEL_DIR overrides it
// (tests give every run its own folder so that parallel runs never meet), else
// $XDG_RUNTIME_DIR/nimbus/, else /tmp/nimbus-<uid>/.
#pragma once

#include <string>
#include <sys/types.h>

#include "fileio/UiSentence.h"

namespace nimbus::ipc {

inline constexpr const char *kChannelFolderVariable = "NIMBUS_CHANNEL_DIR";

// The folder, ending with "/", from the override and the runtime folder (either may be empty).
std::string channelFolderFor(const std::string &overrideFolder, const std::string &runtimeDir);
// The same from this process's environment (chooseChannelFolder's folder).
std::string channelFolderFromEnvironment();

// Why folder cannot hold this user's channels: it is a link, not a folder, or another account
// owns it. Empty when it can, or does not exist yet.
text::Sentence channelFolderProblem(const std::string &folder);

struct ChannelFolderChoice {
    std::string folder;    // ending with "/"; empty when no usable folder was found
    text::Sentence notice; // for the user: why the usual folder is not used
};
// As channelFolderFor, but when the usual /tmp folder cannot be used (another account made
// "/tmp/nimbus-<uid>/" first), this user's private runtime folder "/run/user/<uid>/" is used
// where it exists; the notice says what was wrong. The roots are for tests.
ChannelFolderChoice chooseChannelFolder(const std::string &overrideFolder,
                                        const std::string &runtimeDir, uid_t uid,
                                        const std::string &tmpRoot = "/tmp/",
                                        const std::string &runUserRoot = "/run/user/");
ChannelFolderChoice channelFolderChoiceFromEnvironment();

// Makes the folder ready for servers: created with mode 0700 when missing, and refused when it
// is not a real folder owned by this user. Group and other permissions are taken away.
bool prepareChannelFolder(const std::string &folder);

// For clients: the folder is a real folder owned by this user that nobody else can write into,
// so the socket found there was put there by this user.
bool channelFolderTrusted(const std::string &folder);

} // namespace nimbus::ipc
