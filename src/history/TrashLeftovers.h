// What sessions that did not close left in the shared folder of removed topics' files: a
// session folder nobody holds locked any more is taken over; files of topics the store still
// holds go back where they came from (the removal was never saved), the rest are dropped.
// Loose files of the older single-folder layout are dropped, as that layout always did. Links
// found there are removed themselves, never followed, and the log says so.
#pragma once

#include <string>

#include "history/SessionTrash.h"

namespace nimbus::history {

// root (ending with "/") is open as rootFd; dataFolder is where the kept paths were taken
// from; the sub-folder ownName is skipped.
void takeOverLeftovers(const std::string &root, int rootFd, const std::string &dataFolder,
                       const std::string &ownName, const SessionTrash::StillStored &stillStored,
                       StoreLog &log);

// Empties the open kept-files folder (at path folder, for the log) without following links;
// each link removed is logged.
void emptyKeptFolder(int folderFd, const std::string &folder, StoreLog &log);

} // namespace nimbus::history
