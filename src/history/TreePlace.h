// Places in the store's list while it is in tree order (pre-order, each node's depth in lev):
// where a subtree ends, a node's parent, and a place described by ids alone (parent and
// previous sibling), which stays true while other topics come and go around it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace nimbus {

class TNimbusStructure;

namespace history {

// Where a topic sits: below parentId (empty: a section at the top), right after the subtree
// of previousId (empty: first among its siblings), at depth lev. earlierIds are the siblings
// before previousId, nearest first (at most kEarlierSiblings of them): when previousId has
// gone meanwhile (a sync or a packet removed it) the topic goes after the nearest of them
// still there, else first below its parent.
struct TreePlace {
    std::string parentId;
    std::string previousId;
    int lev = 0;
    std::vector<std::string> earlierIds;
    // The same place: the earlier siblings only help to find it again.
    bool operator==(const TreePlace &other) const
    {
        return parentId == other.parentId && previousId == other.previousId && lev == other.lev;
    }
};

// Enough to find a place among the siblings that remain after most removals, without keeping
// every id of a long list of siblings with each step.
constexpr std::size_t kEarlierSiblings = 32;

// Where a subtree at a place goes back: the list position where it begins and the depth its
// top takes there (the parent may have moved to another depth since).
struct Insertion {
    int index = -1; // -1: the place's parent is gone
    int lev = 0;
};

// One past the last descendant of the node at index.
int subtreeEnd(const TNimbusStructure &store, int index);
// The parent of the node at index; -1 for a section or a node without one.
int parentIndex(const TNimbusStructure &store, int index);
TreePlace placeOf(const TNimbusStructure &store, int index);
// Where a subtree at that place begins now: after the previous sibling, or the nearest earlier
// one still below the same parent, else first below the parent; no index when the parent is
// gone.
Insertion insertionAt(const TNimbusStructure &store, const TreePlace &place);
// The id of the parent of the topic with that id; empty for a section, nullopt when the topic
// is not there.
std::optional<std::string> parentIdOf(const TNimbusStructure &store, const std::string &id);
// The ids of a node's direct children, in order; empty when it has none or is not there.
std::vector<std::string> childIds(const TNimbusStructure &store, const std::string &parentId);
// Number of topics in the subtree of that id, itself included; 0 when it is not there.
int subtreeSize(const TNimbusStructure &store, const std::string &id);

} // namespace history
} // namespace nimbus
