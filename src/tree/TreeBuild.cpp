// Building the tree from the store and the store from the tree.
#include "tree/TreeBuild.h"

#include <algorithm>
#include <memory>

#include "tree/GroupRollup.h"
#include "tree/TopicTree.h"
#include "store/Scheduler.h"
#include "store/StoreLog.h"
#include "store/TNimbusStructure.h"

namespace nimbus::tree {

namespace {

// Topics before the first section cannot belong anywhere; they become the first topics of the
// first section.
bool moveLeadingTopics(TNimbusStructure &store, StoreLog &log)
{
    int firstSection = -1;
    for (int i = 0; i < store.Count(); ++i)
        if (store.Node(i) && store.Node(i)->lev <= 0) {
            firstSection = i;
            break;
        }
    bool leading = false;
    for (int i = 0; i < firstSection && !leading; ++i)
        leading = store.Node(i) != nullptr;
    if (firstSection <= 0 || !leading)
        return false;
    std::vector<TNimbusNode *> order;
    order.reserve(static_cast<std::size_t>(store.Count()));
    order.push_back(store.Node(firstSection));
    for (int i = 0; i < store.Count(); ++i)
        if (i != firstSection && store.Node(i))
            order.push_back(store.Node(i));
    log.AddToLog("*** Topics stored before the first section are shown in \"" +
                 store.Node(firstSection)->text + "\"");
    store.Rebuild(order);
    return true;
}

void placeSection(TNimbusStructure &store, int index, TNimbusNode &node)
{
    if (node.ttype != -1) {
        node.ttype = -1;
        store.modified = true;
    }
    // The fixed sections keep their fixed ids, whatever a file says.
    static const char *const fixedIds[] = {"STD0001", "STD0002", "STD0003"};
    if (node.type >= 1 && node.type <= 3) {
        const std::string id = fixedIds[node.type - 1];
        if (node.uni != id && store.SetId(index, id))
            store.modified = true;
    }
}

// The upgrades of values older versions of the program wrote.
void upgradeOldValues(TNimbusStructure &store, TNimbusNode &node)
{
    if (node.done) {
        node.status = kStatusCompleted;
        node.done = false;
        store.modified = true;
    }
    if (node.ttype == kTopicTask && node.status == kStatusNone) {
        node.status = kStatusNotStarted;
        store.modified = true;
    }
    if (node.ttype == kTopicTask && node.status == kStatusInProgress && !node.prog &&
        (node.calpr || node.percent != 50)) {
        node.prog = true;
        store.modified = true;
    }
}

} // namespace

int RepairLevels(TNimbusStructure &store, StoreLog &log)
{
    if (moveLeadingTopics(store, log))
        store.modified = true;
    struct Ancestor {
        int stored;
        int depth;
        int index;
    };
    std::vector<Ancestor> chain; // the current node's ancestors, by stored and shown depth
    int repaired = 0;
    for (int i = 0; i < store.Count(); ++i) {
        TNimbusNode *node = store.Node(i);
        if (!node)
            continue;
        // A negative depth is no section: it is read as a topic directly in the section.
        const int stored = node->lev < 0 && !chain.empty() ? 1 : node->lev;
        while (!chain.empty() && chain.back().stored >= stored)
            chain.pop_back();
        const int depth = chain.empty() ? 0 : chain.back().depth + 1;
        const bool parentRepaired = !chain.empty() && chain.back().depth != chain.back().stored;
        if (depth != node->lev) {
            if (!parentRepaired && !chain.empty())
                log.AddToLog("*** The topic \"" + node->text + "\" (" + node->uni +
                             ") was stored " + std::to_string(node->lev) +
                             " levels deep, deeper than its place "
                             "allows; it is shown under \"" +
                             store.Node(chain.back().index)->text + "\"");
            node->lev = depth;
            store.modified = true;
            ++repaired;
        }
        chain.push_back({stored, depth, i});
    }
    return repaired;
}

void PrepareTopic(TNimbusStructure &store, TNimbusNode &node, DateTime now)
{
    schedule::UpdateSchedule(node, now);
    node.UpdateSortKey();
    upgradeOldValues(store, node);
}

BuildResult BuildTree(TNimbusStructure &store, TopicTree &tree, DateTime now, StoreLog &log,
                      const std::function<void(TNimbusNode &)> &classify)
{
    BuildResult result;
    tree.clear();
    result.repaired = RepairLevels(store, log);

    std::vector<TreeItem *> levelItems;
    std::vector<TreeItem *> items(static_cast<std::size_t>(store.Count()), nullptr);
    int previousLev = 0;
    for (int i = 0; i < store.Count(); ++i) {
        TNimbusNode *node = store.Node(i);
        if (!node)
            continue;
        node->urgentCount = 0;
        TreeItem *item = nullptr;
        if (node->lev == 0) {
            levelItems.clear();
            placeSection(store, i, *node);
            item = tree.append(nullptr, node);
            levelItems.push_back(item);
        } else {
            PrepareTopic(store, *node, now);
            const auto lev = static_cast<std::size_t>(node->lev);
            // After RepairLevels a depth is never more than one below the last item's.
            if (node->lev == previousLev && lev < levelItems.size())
                item = tree.append(levelItems[lev]->parent, node);
            else
                item = tree.append(levelItems[std::min(lev, levelItems.size()) - 1], node);
            levelItems.resize(lev);
            levelItems.push_back(item);
            if (classify)
                classify(*node);
        }
        previousLev = node->lev;
        items[static_cast<std::size_t>(i)] = item;
        if (node->topnode && !result.topItem)
            result.topItem = item;
        if (node->sel && !result.selectedItem)
            result.selectedItem = item;
    }
    // Children before their parents, so that each group sees its children's roll-up.
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        if (TreeItem *item = *it) {
            item->expanded = item->node->exp && item->hasChildren() && mayExpandAt(item->node->lev);
            UpdateGroup(item, now);
        }
    return result;
}

void SyncStoreFromTree(const TopicTree &tree, TNimbusStructure &store, const TreeItem *topItem,
                       const TreeItem *selectedItem)
{
    std::vector<TNimbusNode *> order;
    order.reserve(static_cast<std::size_t>(tree.count()));
    std::vector<std::pair<const TreeItem *, int>> stack;
    for (int i = tree.root().childCount() - 1; i >= 0; --i)
        stack.push_back({tree.root().child(i), 0});
    while (!stack.empty()) {
        const auto [item, depth] = stack.back();
        stack.pop_back();
        if (TNimbusNode *node = item->node) {
            node->lev = depth;
            node->exp = item->expanded;
            node->sel = item == selectedItem;
            node->topnode = item == topItem;
            order.push_back(node);
        }
        for (int i = item->childCount() - 1; i >= 0; --i)
            stack.push_back({item->child(i), depth + 1});
    }
    // The tree holds every node of the store (removing a topic removes its nodes from both);
    // should it ever miss one, the node is kept at the end of the list rather than destroyed.
    if (static_cast<int>(order.size()) < store.Count()) {
        std::vector<TNimbusNode *> inTree = order;
        std::sort(inTree.begin(), inTree.end());
        for (const auto &entry : store.Entries())
            if (entry.node && !std::binary_search(inTree.begin(), inTree.end(), entry.node))
                order.push_back(entry.node);
    }
    store.Rebuild(order);
}

bool MoveSubtree(TNimbusStructure &store, int source, int target, int levelDelta)
{
    const int count = store.Count();
    if (source < 0 || source >= count || !store.Node(source) || target >= count || target < -1)
        return false;
    const int lev = store.Node(source)->lev;
    int end = source + 1;
    while (end < count && (!store.Node(end) || store.Node(end)->lev > lev))
        ++end;
    if (target == source) {
        for (int i = source; i < end; ++i)
            if (TNimbusNode *node = store.Node(i))
                node->lev += levelDelta;
        store.modified = true;
        return true;
    }
    if (target > source && target < end)
        return false; // into its own subtree
    std::vector<TNimbusNode *> moved;
    for (int i = source; i < end; ++i)
        if (TNimbusNode *node = store.Node(i)) {
            node->lev += levelDelta;
            moved.push_back(node);
        }
    std::vector<TNimbusNode *> order;
    order.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (i == target)
            order.insert(order.end(), moved.begin(), moved.end());
        if ((i < source || i >= end) && store.Node(i))
            order.push_back(store.Node(i));
    }
    if (target == -1)
        order.insert(order.end(), moved.begin(), moved.end());
    store.Rebuild(order);
    store.modified = true;
    return true;
}

int ReduceLevelTarget(const TopicTree &tree, const TreeItem *item)
{
    if (!item || !item->parent)
        return -1;
    return tree.position(tree.nextOutside(item->parent));
}

} // namespace nimbus::tree
