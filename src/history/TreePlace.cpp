// Places in the store's list in tree order.
#include "history/TreePlace.h"

#include "store/TNimbusStructure.h"

namespace nimbus::history {

namespace {

// Entries without a node (a removal not yet written back) have no depth of their own; they
// stay with whatever comes before them.
bool deeperThan(const TNimbusStructure &store, int index, int lev)
{
    const TNimbusNode *node = store.Node(index);
    return !node || node->lev > lev;
}

} // namespace

int subtreeEnd(const TNimbusStructure &store, int index)
{
    const TNimbusNode *top = store.Node(index);
    int end = index + 1;
    if (!top)
        return end;
    while (end < store.Count() && deeperThan(store, end, top->lev))
        ++end;
    return end;
}

int parentIndex(const TNimbusStructure &store, int index)
{
    const TNimbusNode *node = store.Node(index);
    if (!node || node->lev == 0)
        return -1;
    for (int at = index - 1; at >= 0; --at)
        if (const TNimbusNode *up = store.Node(at); up && up->lev < node->lev)
            return at;
    return -1;
}

TreePlace placeOf(const TNimbusStructure &store, int index)
{
    TreePlace place;
    const TNimbusNode *node = store.Node(index);
    if (!node)
        return place;
    place.lev = node->lev;
    const int parent = parentIndex(store, index);
    if (parent >= 0)
        place.parentId = std::string(store.Id(parent));
    for (int at = index - 1; at > parent; --at) {
        const TNimbusNode *before = store.Node(at);
        if (!before || before->lev != node->lev)
            continue;
        if (place.previousId.empty())
            place.previousId = std::string(store.Id(at));
        else if (place.earlierIds.size() < kEarlierSiblings)
            place.earlierIds.emplace_back(store.Id(at));
        else
            break;
    }
    return place;
}

Insertion insertionAt(const TNimbusStructure &store, const TreePlace &place)
{
    Insertion at;
    int parent = -1;
    if (!place.parentId.empty()) {
        parent = store.IndexOf(place.parentId);
        if (parent < 0 || !store.Node(parent))
            return at;
        at.lev = store.Node(parent)->lev + 1;
    }
    at.index = parent + 1;
    // The nearest sibling still there below the same parent; the ones after it that are gone
    // leave no gap.
    auto after = [&](const std::string &id) {
        const int sibling = store.IndexOf(id);
        if (sibling < 0 || !store.Node(sibling) || store.Node(sibling)->lev != at.lev ||
            parentIndex(store, sibling) != parent)
            return false;
        at.index = subtreeEnd(store, sibling);
        return true;
    };
    if (!place.previousId.empty() && !after(place.previousId))
        for (const std::string &id : place.earlierIds)
            if (after(id))
                break;
    return at;
}

std::optional<std::string> parentIdOf(const TNimbusStructure &store, const std::string &id)
{
    const int index = store.IndexOf(id);
    if (index < 0 || !store.Node(index))
        return std::nullopt;
    const int parent = parentIndex(store, index);
    return parent < 0 ? std::string() : std::string(store.Id(parent));
}

std::vector<std::string> childIds(const TNimbusStructure &store, const std::string &parentId)
{
    std::vector<std::string> ids;
    const int parent = store.IndexOf(parentId);
    if (parent < 0 || !store.Node(parent))
        return ids;
    const int childLev = store.Node(parent)->lev + 1;
    const int end = subtreeEnd(store, parent);
    for (int at = parent + 1; at < end; ++at)
        if (const TNimbusNode *node = store.Node(at); node && node->lev == childLev)
            ids.emplace_back(store.Id(at));
    return ids;
}

int subtreeSize(const TNimbusStructure &store, const std::string &id)
{
    const int index = store.IndexOf(id);
    return index < 0 ? 0 : subtreeEnd(store, index) - index;
}

} // namespace nimbus::history
