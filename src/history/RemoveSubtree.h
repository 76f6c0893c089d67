// Removing a topic with everything below it, and putting it back. While removed, the nodes
// are kept by the command (not copied: a 10,000-topic subtree goes back in one move of the
// list) and their content files wait in the session's trash. The place is kept as ids (parent
// and previous siblings), so topics added or removed elsewhere meanwhile do not matter: it
// goes back after the nearest previous sibling still there, and refuses only when its parent
// is gone. The command owns what it keeps: its topics and pages are given up only when the
// command itself goes (see ~RemoveSubtree). Reversed, the same command is the undo of adding
// a topic.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "history/StoreCommand.h"
#include "history/TreePlace.h"

namespace nimbus {

class TNimbusNode;

namespace history {

class RemoveSubtree : public StoreCommand {
public:
    explicit RemoveSubtree(std::string id);
    ~RemoveSubtree() override; // kept pages go with the command

    bool apply(HistoryContext &context) override;  // takes the subtree out
    bool revert(HistoryContext &context) override; // puts it back
    std::size_t memoryBytes() const override;

    const std::string &id() const { return id_; }
    // Topics held while removed (the first is the subtree's top).
    int heldCount() const { return static_cast<int>(nodes_.size()); }

private:
    std::string id_;
    TreePlace place_;
    std::vector<std::unique_ptr<TNimbusNode>> nodes_;
    std::vector<std::pair<std::string, std::string>> files_; // original path, name in the trash
    SessionTrash *trash_ = nullptr;                          // where files_ wait
};

} // namespace history
} // namespace nimbus
