// What sessions that did not close left in the shared folder of removed topics' files: a
// session folder nobody holds locked any more is taken over; files of topics the store still
// holds go back where they came from (the removal was never saved), the rest are dropped.
// Loose files of the older single-folder layout are dropped, as that layout always did.
#pragma once

#include <string>

#include "history/SessionTrash.h"

namespace nimbus::history {

// root ends with "/"; dataFolder is where the kept paths were taken from; ownFolder (a
// sub-folder of root) is skipped.
void takeOverLeftovers(const std::string &root, const std::string &dataFolder,
                       const std::string &ownFolder, const SessionTrash::StillStored &stillStored,
                       StoreLog &log);

} // namespace nimbus::history
