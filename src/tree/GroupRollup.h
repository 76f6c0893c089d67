// The roll-up of a group topic from its direct children: a group task's status and
// percentage follow its sub-tasks, and every topic counts its urgent children.
#pragma once

#include "store/DateTime.h"

namespace nimbus::tree {

struct TreeItem;

// Recomputes the item's node from its direct children and, when that changed anything, goes
// on with the parent. Nothing happens for no item or a section. Returns how many nodes
// changed (the caller refreshes their images).
int UpdateGroup(TreeItem *item, DateTime now);

} // namespace nimbus::tree
