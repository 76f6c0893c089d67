// A subtree taken out of the store and put back.
#include "history/RemoveSubtree.h"

#include "fileio/FolderOps.h"
#include "history/SessionTrash.h"
#include "history/StepNames.h"
#include "history/TopicFiles.h"
#include "store/TNimbusStructure.h"

namespace nimbus::history {

RemoveSubtree::RemoveSubtree(std::string id) : id_(std::move(id)) {}

RemoveSubtree::~RemoveSubtree()
{
    // The step leaves the history (the oldest dropped, the undone ones a new step replaces, or
    // the session's end) with the topics still removed: their pages go for good now, as the
    // session's end would take them.
    if (trash_)
        for (const auto &[path, kept] : files_)
            trash_->discard(kept);
}

bool RemoveSubtree::apply(HistoryContext &context)
{
    TNimbusStructure &store = context.store;
    const int index = store.IndexOf(id_);
    if (index < 0 || !store.Node(index) || !nodes_.empty()) {
        context.log.AddToLog("*** Undo history: " + topicWords(id_, nullptr) +
                             " is no longer there to remove");
        return false;
    }
    place_ = placeOf(store, index);
    nodes_ = store.ExtractRange(index, subtreeEnd(store, index) - index);
    files_.clear();
    trash_ = context.trash;
    for (const auto &node : nodes_) {
        if (!node)
            continue;
        node->treeItem = nullptr;
        if (!context.trash)
            continue;
        for (const std::string &path : topicFiles(node->uni, context.folders, context.log)) {
            std::string kept = context.trash->keep(path, node->uni);
            if (!kept.empty())
                files_.emplace_back(path, std::move(kept));
        }
    }
    store.modified = true;
    return true;
}

bool RemoveSubtree::revert(HistoryContext &context)
{
    TNimbusStructure &store = context.store;
    if (nodes_.empty())
        return false;
    // Pages that are gone from the trash (emptied by something outside this session) cannot
    // come back: the topics are not put back without them.
    for (const auto &[path, kept] : files_)
        if (!context.trash || !context.trash->holds(kept)) {
            context.log.AddToLog("*** Undo history: " + topicWords(id_, nodes_.front().get()) +
                                 " cannot be put back: its page " + fileio::fileNameOf(path) +
                                 " is no longer kept in the folder of removed topics");
            return false;
        }
    // Back after its previous sibling, or the nearest earlier one that is still there; only
    // a parent that is gone leaves it no place (the topics and pages stay kept meanwhile).
    const Insertion at = insertionAt(store, place_);
    if (at.index < 0) {
        context.log.AddToLog("*** Undo history: " + topicWords(id_, nodes_.front().get()) +
                             " cannot be put back: its parent " +
                             topicWords(place_.parentId, nullptr) +
                             " was removed by someone else since");
        return false;
    }
    // The parent may sit at another depth than when the subtree left (it was moved since).
    const int shift = at.lev - nodes_.front()->lev;
    for (const auto &node : nodes_)
        if (node)
            node->lev += shift;
    if (!store.InsertRange(at.index, nodes_)) {
        for (const auto &node : nodes_)
            if (node)
                node->lev -= shift;
        context.log.AddToLog("*** Undo history: " + topicWords(id_, nodes_.front().get()) +
                             " could not be put back: its id is in use");
        return false;
    }
    if (context.trash)
        for (const auto &[path, kept] : files_)
            context.trash->giveBack(kept, path);
    files_.clear();
    files_.shrink_to_fit();
    store.modified = true;
    return true;
}

std::size_t RemoveSubtree::memoryBytes() const
{
    std::size_t bytes = nodes_.capacity() * sizeof(void *) + nodes_.size() * sizeof(TNimbusNode);
    for (const auto &node : nodes_)
        if (node)
            bytes += node->text.capacity() + node->statusText.capacity();
    for (const auto &[path, kept] : files_)
        bytes += path.capacity() + kept.capacity() + sizeof(files_[0]);
    bytes += place_.earlierIds.capacity() * sizeof(std::string);
    for (const std::string &id : place_.earlierIds)
        bytes += id.capacity();
    return bytes + id_.capacity() + place_.parentId.capacity() + place_.previousId.capacity();
}

} // namespace nimbus::history
