// Between the store's list and the topic tree: building the tree from the list (with the
// repair of impossible depths), rebuilding the list from the tree before a write, and moving
// a subtree within the list.
#pragma once

#include <functional>

#include "store/DateTime.h"

namespace nimbus {

class StoreLog;
class TNimbusNode;
class TNimbusStructure;

namespace tree {

struct TreeItem;
class TopicTree;

// Gives every node a depth its place in the list allows. A topic stored deeper than one level
// below the node before it keeps its subtree's shape but moves up under the nearest possible
// parent; topics stored before the first section move into that section. Each repair is
// logged and marks the store modified, so that no node is lost when the store is next
// written from the tree. Returns the number of nodes whose depth changed.
int RepairLevels(TNimbusStructure &store, StoreLog &log);

// The view lays expanded branches out recursively, one level a call: a chain of tens of
// thousands of expanded levels (a damaged or generated file) would overflow the stack. Items
// deeper than this are shown collapsed.
constexpr int kDeepestExpandedLevel = 200;
// Whether an item at this depth may be shown expanded.
inline bool mayExpandAt(int lev)
{
    return lev < kDeepestExpandedLevel;
}

struct BuildResult {
    TreeItem *topItem = nullptr;      // the item the view scrolls to (node's topnode)
    TreeItem *selectedItem = nullptr; // the item selected once the window shows (node's sel)
    int repaired = 0;                 // nodes moved by RepairLevels
};

// What the build does to one topic (depth above 0) before it is classified, in this order:
// its schedule and sort key from the clock, then the upgrade of values older versions wrote
// (which marks the store modified). A one-pass reader of the store does the same.
void PrepareTopic(TNimbusStructure &store, TNimbusNode &node, DateTime now);

// Builds the tree from the store: places every node, upgrades old values, sets schedules and
// sort keys, classifies each topic (classify may be empty), sets each item's expansion from
// its node and rolls the groups up.
BuildResult BuildTree(TNimbusStructure &store, TopicTree &tree, DateTime now, StoreLog &log,
                      const std::function<void(TNimbusNode &)> &classify = {});

// Rebuilds the store's list from the tree in display order: each node's depth, expansion,
// selection and first-visible flags come from its item.
void SyncStoreFromTree(const TopicTree &tree, TNimbusStructure &store, const TreeItem *topItem,
                       const TreeItem *selectedItem);

// Moves the subtree that starts at list position source before position target (-1: to the
// end), adding levelDelta to each depth; with source == target only the depths change.
// The list must be in tree order (SyncStoreFromTree first). False when the move is refused
// (a position out of range or a target inside the moved subtree).
bool MoveSubtree(TNimbusStructure &store, int source, int target, int levelDelta);

// Where "Convert sub-topic to a topic" puts an item: the position of the next item after its
// parent's subtree, or -1 (the end) when there is none.
int ReduceLevelTarget(const TopicTree &tree, const TreeItem *item);

} // namespace tree
} // namespace nimbus
