// Places in the store's list while it is in tree order (pre-order, each node's depth in lev):
// where a subtree ends, a node's parent, and a place described by ids alone (parent and
// previous sibling), which stays true while other topics come and go around it.
#pragma once

#include <string>
#include <vector>

namespace nimbus {

class TNimbusStructure;

namespace history {

// Where a topic sits: below parentId (empty: a section at the top), right after the subtree
// of previousId (empty: first among its siblings), at depth lev.
struct TreePlace {
    std::string parentId;
    std::string previousId;
    int lev = 0;
    bool operator==(const TreePlace &other) const = default;
};

// One past the last descendant of the node at index.
int subtreeEnd(const TNimbusStructure &store, int index);
// The parent of the node at index; -1 for a section or a node without one.
int parentIndex(const TNimbusStructure &store, int index);
TreePlace placeOf(const TNimbusStructure &store, int index);
// The list position where a subtree at that place begins; -1 when the place's parent or
// previous sibling is gone or no longer where it was.
int insertionIndex(const TNimbusStructure &store, const TreePlace &place);
// The ids of a node's direct children, in order; empty when it has none or is not there.
std::vector<std::string> childIds(const TNimbusStructure &store, const std::string &parentId);
// Number of topics in the subtree of that id, itself included; 0 when it is not there.
int subtreeSize(const TNimbusStructure &store, const std::string &id);

} // namespace history
} // namespace nimbus
