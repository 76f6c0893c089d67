// Names LAN sharing builds from user names and ids: inbox folders, the own-id prefix, packet
// file names, and the check every id from another person's file must pass.
#pragma once

#include <string>
#include <string_view>

#include "store/DateTime.h"

namespace nimbus::sharing {

// Letters A to Z in lower case, every other byte unchanged.
std::string lowerAscii(std::string_view text);
// "<name in lower case>-Inbox/": one inbox per user name, whatever its letter case.
std::string inboxFolderName(const std::string &user);
// "<name in lower case>-": the start of every id this user sent first.
std::string ownPrefix(const std::string &user);
// "yyyymmdd-hhmmss": the stamp of a packet's name and of its topics' "sent".
std::string packetStamp(DateTime t);
// A user name may name a file and a folder in the shared folder.
bool isUsableUserName(const std::string &user);
// An id from another person's file: a safe file name of bounded length without control
// characters, so that "<id>.pkt" and "<id>-<n>.~lst" stay inside their folders.
bool isSafeId(std::string_view id);

} // namespace nimbus::sharing
