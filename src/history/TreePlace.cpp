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
        place.parentId = store.Id(parent);
    for (int at = index - 1; at > parent; --at) {
        const TNimbusNode *before = store.Node(at);
        if (before && before->lev == node->lev) {
            place.previousId = store.Id(at);
            break;
        }
    }
    return place;
}

int insertionIndex(const TNimbusStructure &store, const TreePlace &place)
{
    int parent = -1;
    if (!place.parentId.empty()) {
        parent = store.IndexOf(place.parentId);
        if (parent < 0 || store.Node(parent)->lev != place.lev - 1)
            return -1;
    }
    if (place.previousId.empty())
        return parent + 1;
    const int previous = store.IndexOf(place.previousId);
    if (previous < 0 || !store.Node(previous) || store.Node(previous)->lev != place.lev ||
        parentIndex(store, previous) != parent)
        return -1;
    return subtreeEnd(store, previous);
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
            ids.push_back(store.Id(at));
    return ids;
}

int subtreeSize(const TNimbusStructure &store, const std::string &id)
{
    const int index = store.IndexOf(id);
    return index < 0 ? 0 : subtreeEnd(store, index) - index;
}

} // namespace nimbus::history
