// Children of a topic put in a given order.
#include "history/ReorderChildren.h"

#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "history/StepNames.h"
#include "history/TreePlace.h"
#include "store/TNimbusStructure.h"

namespace nimbus::history {

namespace {

// The ids of `order` that are also in `among`, in order.
std::vector<std::string> keptOf(const std::vector<std::string> &order,
                                const std::vector<std::string> &among)
{
    const std::unordered_set<std::string> present(among.begin(), among.end());
    std::vector<std::string> kept;
    for (const std::string &id : order)
        if (present.count(id))
            kept.push_back(id);
    return kept;
}

} // namespace

bool ReorderChildren::order(HistoryContext &context, const std::vector<std::string> &ids,
                            const std::vector<std::string> &left)
{
    TNimbusStructure &store = context.store;
    const int parent = store.IndexOf(parentId_);
    if (parent < 0 || !store.Node(parent)) {
        context.log.AddToLog("*** Undo history: " + topicWords(parentId_, nullptr) +
                             " is no longer there to sort");
        return false;
    }
    // The children the step sorted must still stand in the order it left them; children that
    // came or went since do not count.
    const std::vector<std::string> now = childIds(store, parentId_);
    if (keptOf(now, left) != keptOf(left, now)) {
        context.log.AddToLog("*** Undo history: the sub-topics of " +
                             topicWords(parentId_, store.Node(parent)) +
                             " were put in another order by someone else since");
        return false;
    }
    const int childLev = store.Node(parent)->lev + 1;
    auto below = store.ExtractRange(parent + 1, subtreeEnd(store, parent) - parent - 1);
    // Each child with its subtree, in the order they are now.
    std::vector<std::vector<std::unique_ptr<TNimbusNode>>> blocks;
    std::unordered_map<std::string, std::size_t> blockOf;
    for (auto &node : below) {
        if (blocks.empty() || (node && node->lev == childLev)) {
            if (node)
                blockOf.emplace(node->uni, blocks.size());
            blocks.emplace_back();
        }
        blocks.back().push_back(std::move(node));
    }
    std::vector<std::unique_ptr<TNimbusNode>> ordered;
    ordered.reserve(below.size());
    std::vector<bool> placed(blocks.size(), false);
    auto place = [&](std::size_t block) {
        for (auto &node : blocks[block])
            ordered.push_back(std::move(node));
        placed[block] = true;
    };
    for (const std::string &id : ids)
        if (auto found = blockOf.find(id); found != blockOf.end() && !placed[found->second])
            place(found->second);
    for (std::size_t block = 0; block < blocks.size(); ++block)
        if (!placed[block])
            place(block);
    store.InsertRange(parent + 1, ordered);
    store.modified = true;
    return true;
}

std::size_t ReorderChildren::memoryBytes() const
{
    std::size_t bytes = parentId_.capacity();
    for (const auto *list : {&before_, &after_}) {
        bytes += list->capacity() * sizeof(std::string);
        for (const std::string &id : *list)
            bytes += id.capacity() > 15 ? id.capacity() + 1 : 0;
    }
    return bytes;
}

} // namespace nimbus::history
