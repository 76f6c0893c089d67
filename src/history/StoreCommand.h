// One undoable change of the topic store: it can be applied (done, or done again) and
// reverted (undone). Commands refer to topics by id only, never by a position in the list or
// a pointer, so that changes made in between by others (a merged packet, an add-on pack) do
// not confuse them; a command whose topic is gone says so by failing, and the history that
// holds it is then cut.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "store/ChecklistItem.h"
#include "store/StoreLog.h"
#include "store/TContent.h"

namespace nimbus {

class TNimbusStructure;

namespace history {

class SessionTrash;

// Where a checklist page is being edited: a page on screen takes its items from a step
// directly (its own save writes them); any other page is written to its file.
class ChecklistHost {
public:
    virtual ~ChecklistHost() = default;
    // True when the topic's page with that number is shown and now holds the items.
    virtual bool showItems(const std::string &topicId, int page,
                           const std::vector<ChecklistItem> &items) = 0;
};

// What commands work on. The store's list must be in tree order when a command that moves,
// removes or inserts topics runs (the window syncs it from the tree first).
struct HistoryContext {
    TNimbusStructure &store;
    ContentFolders folders;
    SessionTrash *trash = nullptr; // where removed content files wait; null: files stay
    StoreLog &log = NullStoreLog::instance();
    ChecklistHost *checklists = nullptr;
};

class StoreCommand {
public:
    virtual ~StoreCommand() = default;
    // Both return false, changing nothing they could not put back, when a topic the command
    // refers to is no longer where the command needs it.
    virtual bool apply(HistoryContext &context) = 0;
    virtual bool revert(HistoryContext &context) = 0;
    // The heap the command keeps, roughly; for the history's size.
    virtual std::size_t memoryBytes() const = 0;
};

} // namespace history
} // namespace nimbus
