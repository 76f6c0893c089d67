// A subtree moved between two places of the list.
#include "history/MoveTopic.h"

#include <memory>

#include "history/StepNames.h"
#include "store/TNimbusStructure.h"

namespace nimbus::history {

bool MoveTopic::moveTo(HistoryContext &context, const TreePlace &place, const TreePlace &left)
{
    TNimbusStructure &store = context.store;
    const int index = store.IndexOf(id_);
    if (index < 0 || !store.Node(index)) {
        context.log.AddToLog("*** Undo history: " + topicWords(id_, nullptr) +
                             " is no longer there to move");
        return false;
    }
    // A topic someone else moved to another parent since is where they put it.
    if (const std::optional<std::string> parent = parentIdOf(store, id_); parent != left.parentId) {
        context.log.AddToLog(
            "*** Undo history: " + topicWords(id_, store.Node(index)) +
            " was moved by someone else since: it is below " +
            (parent->empty() ? std::string("the top") : topicWords(*parent, store.Find(*parent))) +
            ", the step left it below " +
            (left.parentId.empty() ? std::string("the top")
                                   : topicWords(left.parentId, store.Find(left.parentId))));
        return false;
    }
    const int end = subtreeEnd(store, index);
    auto nodes = store.ExtractRange(index, end - index);
    // The place's parent and previous siblings are never inside the moved subtree.
    const Insertion at = insertionAt(store, place);
    const int shift = at.lev - nodes.front()->lev;
    if (at.index >= 0)
        for (const auto &node : nodes)
            if (node)
                node->lev += shift;
    if (at.index < 0 || !store.InsertRange(at.index, nodes)) {
        if (at.index >= 0)
            for (const auto &node : nodes)
                if (node)
                    node->lev -= shift;
        store.InsertRange(index, nodes);
        context.log.AddToLog("*** Undo history: the place to move " + topicWords(id_, nullptr) +
                             " to is gone: its parent " + topicWords(place.parentId, nullptr) +
                             " was removed");
        return false;
    }
    store.modified = true;
    return true;
}

std::size_t MoveTopic::memoryBytes() const
{
    std::size_t bytes = id_.capacity();
    for (const TreePlace *place : {&from_, &to_}) {
        bytes += place->parentId.capacity() + place->previousId.capacity() +
                 place->earlierIds.capacity() * sizeof(std::string);
        for (const std::string &id : place->earlierIds)
            bytes += id.capacity();
    }
    return bytes;
}

MoveRecorder::MoveRecorder(const TNimbusStructure &store, std::string id)
    : store_(store), id_(std::move(id))
{
    const int index = store_.IndexOf(id_);
    if (index >= 0)
        from_ = placeOf(store_, index);
}

std::unique_ptr<MoveTopic> MoveRecorder::finish() const
{
    const int index = store_.IndexOf(id_);
    if (!from_ || index < 0)
        return nullptr;
    TreePlace to = placeOf(store_, index);
    if (to == *from_)
        return nullptr;
    return std::make_unique<MoveTopic>(id_, *from_, std::move(to));
}

} // namespace nimbus::history
