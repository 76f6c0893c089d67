// What a merge of a received packet or an add-on pack changed in the store, so that the window
// can rebuild its tree and refresh the topics concerned.
#pragma once

#include <string>
#include <vector>

namespace nimbus {

struct MergeChanges {
    char mergeCase = 0;               // 'a' to 'd' for a packet; 0 for a pack or nothing
    std::vector<std::string> added;   // ids of nodes inserted into the store, in merge order
    std::vector<std::string> updated; // ids of existing nodes that took incoming fields
    bool changed() const { return !added.empty() || !updated.empty(); }
};

} // namespace nimbus
