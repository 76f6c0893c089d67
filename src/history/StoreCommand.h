// One undoable change of the topic store: it can be applied (done, or done again) and
// reverted (undone). Commands refer to topics by id only, never by a position in the list or
// a pointer, so that changes made in between by others (a merged packet, calendar sync,
// nimbus-cli, the deadline timer) do not confuse them. Before it writes, a command checks that
// what it reverses is still as the step left it; when a topic is gone or someone else changed
// what the step changed, it refuses with a log line that names the topic and what changed,
// and changes nothing. The history keeps a refused step where it is.
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
    // The items of that page when it is shown (they may not be saved yet); null otherwise.
    virtual const std::vector<ChecklistItem> *shownItems(const std::string &topicId, int page) = 0;
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
    // Both return false, changing nothing, when a topic the command refers to is no longer
    // where the command needs it or no longer as the step left it.
    virtual bool apply(HistoryContext &context) = 0;
    virtual bool revert(HistoryContext &context) = 0;
    // The heap the command keeps, roughly; for the history's size.
    virtual std::size_t memoryBytes() const = 0;
};

} // namespace history
} // namespace nimbus
