// Merging one add-on pack into the main store. Known topics (by id) take the pack's fields;
// new ones go under their parent (after its last descendant), else directly under the first
// node of their section kind, else at the end as a section; then the pack's content files move
// into the data folder.
#pragma once

#include <string>

#include "sharing/ContentImport.h"
#include "sharing/MergeChanges.h"
#include "store/TContent.h"

namespace nimbus {

class StoreLog;
class TNimbusStructure;

namespace addon {

inline constexpr const char *kPackStoreName = "structure.dat";

// The position just after the last node of the subtree of the node at index (the nodes that
// follow it deeper and of its section kind).
int FindLastchild(const TNimbusStructure &store, int index);

// Reads and checks a pack's "structure.dat" into pack (an empty store of its own).
bool ReadPack(const std::string &path, TNimbusStructure &pack, std::string &problem);

// packFolder ends with "/". False (nothing changed) when the folder has no "structure.dat" or
// the pack fails its checks. store's list is the tree in pre-order.
bool MergeAddon(TNimbusStructure &store, const std::string &packFolder, const ContentFolders &to,
                StoreLog &log, MergeChanges &changes, ImportReport *import = nullptr);

} // namespace addon
} // namespace nimbus
