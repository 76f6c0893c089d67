// A subtree moved between two places of the list.
#include "history/MoveTopic.h"

#include <memory>

#include "store/TNimbusStructure.h"

namespace nimbus::history {

bool MoveTopic::moveTo(HistoryContext &context, const TreePlace &place)
{
    TNimbusStructure &store = context.store;
    const int index = store.IndexOf(id_);
    if (index < 0 || !store.Node(index)) {
        context.log.AddToLog("*** Undo history: topic " + id_ + " is no longer there to move");
        return false;
    }
    const int end = subtreeEnd(store, index);
    auto nodes = store.ExtractRange(index, end - index);
    // The place's parent and previous sibling are never inside the moved subtree.
    const int at = insertionIndex(store, place);
    const int shift = place.lev - nodes.front()->lev;
    if (at >= 0)
        for (const auto &node : nodes)
            if (node)
                node->lev += shift;
    if (at < 0 || !store.InsertRange(at, nodes)) {
        if (at >= 0)
            for (const auto &node : nodes)
                if (node)
                    node->lev -= shift;
        store.InsertRange(index, nodes);
        context.log.AddToLog("*** Undo history: the place to move topic " + id_ + " to is gone");
        return false;
    }
    store.modified = true;
    return true;
}

std::size_t MoveTopic::memoryBytes() const
{
    return id_.capacity() + from_.parentId.capacity() + from_.previousId.capacity() +
           to_.parentId.capacity() + to_.previousId.capacity();
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
