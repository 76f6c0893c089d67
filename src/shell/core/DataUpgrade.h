// The one-time upgrade of data written by older versions of the program: the count and kinds
// of each topic's pages that hold something (dac, dam), which older versions did not keep.
#pragma once

#include <string>

namespace nimbus {

class StoreLog;
class TNimbusStructure;
struct ContentFolders;

// True when the preferences' data version is older than the current one (compared as text;
// an empty version is older).
bool NeedsDataUpgrade(const std::string &storedVersion, const std::string &currentVersion);

// Counts the pages holding data of every topic in "Topics" into dac and dam and clears the
// topic's sys flag; marks the store modified. Returns the number of topics whose content was
// read. The pages are not kept loaded: a topic loads them again when it is shown.
int UpgradePageCounts(TNimbusStructure &store, const ContentFolders &folders, StoreLog &log);

} // namespace nimbus
