// Moving a topic with its sub-topics to another place (up, down, a level up or down, a drag),
// and back. Both places are kept as ids; see TreePlace. A topic that someone else moved to
// another parent since is not moved back.
#pragma once

#include <optional>
#include <string>

#include "history/StoreCommand.h"
#include "history/TreePlace.h"

namespace nimbus::history {

class MoveTopic : public StoreCommand {
public:
    MoveTopic(std::string id, TreePlace from, TreePlace to)
        : id_(std::move(id)), from_(std::move(from)), to_(std::move(to))
    {
    }

    bool apply(HistoryContext &context) override { return moveTo(context, to_, from_); }
    bool revert(HistoryContext &context) override { return moveTo(context, from_, to_); }
    std::size_t memoryBytes() const override;

    const TreePlace &from() const { return from_; }
    const TreePlace &to() const { return to_; }

private:
    // Refuses when the topic is no longer below the parent of `left` (the place the step left
    // it at) or the parent of `place` is gone.
    bool moveTo(HistoryContext &context, const TreePlace &place, const TreePlace &left);
    std::string id_;
    TreePlace from_;
    TreePlace to_;
};

// Records a move made by other code: the topic's place now, then (finish) its place after.
class MoveRecorder {
public:
    // The store must be in tree order.
    MoveRecorder(const TNimbusStructure &store, std::string id);
    // Null when the topic did not move (or is gone).
    std::unique_ptr<MoveTopic> finish() const;

private:
    const TNimbusStructure &store_;
    std::string id_;
    std::optional<TreePlace> from_;
};

} // namespace nimbus::history
