// A linear history of applied commands with an undo point, for callers without a window
// (the window keeps its commands on a QUndoStack instead, with the same rules). A new command
// drops the steps that were undone. A step that refuses to be undone or redone (someone else
// changed what it would reverse) stays where it is and the undo point does not move: it can be
// tried again later, or skipped, which forgets that one step and leaves its change as it is;
// no other step is touched. The history is bounded: beyond a number of steps or a memory
// budget the oldest steps go first (a removal's kept topics and pages go with its step).
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "history/StoreCommand.h"

namespace nimbus::history {

// How much a history keeps.
struct HistoryLimits {
    std::size_t steps = 1000;
    std::size_t bytes = std::size_t{64} << 20; // 64 MiB of the commands' heap
};

class UndoHistory {
public:
    explicit UndoHistory(HistoryContext context, HistoryLimits limits = {})
        : context_(context), limits_(limits)
    {
    }

    // Takes a command whose change has already been made.
    void push(std::unique_ptr<StoreCommand> command, std::string name);
    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    // False when the step refused (logged with what changed): nothing moved, the step stays.
    bool undo();
    bool redo();
    // Forgets the step that undo (redo) would replay, leaving its change as it is: the way on
    // past a step that refuses. False when there is none.
    bool skipUndo();
    bool skipRedo();
    std::string undoName() const { return canUndo() ? steps_[done_ - 1].name : std::string(); }
    std::string redoName() const { return canRedo() ? steps_[done_].name : std::string(); }
    std::size_t size() const { return steps_.size(); }
    std::size_t undoable() const { return done_; }
    std::size_t memoryBytes() const { return bytes_ + steps_.capacity() * sizeof(Step); }
    // Steps dropped so far to stay within the limits.
    std::size_t dropped() const { return dropped_; }
    void clear();
    HistoryContext &context() { return context_; }
    const HistoryLimits &limits() const { return limits_; }

private:
    struct Step {
        std::unique_ptr<StoreCommand> command;
        std::string name;
        std::size_t bytes = 0; // the command's heap as last measured, and the name's
    };
    // A replay changes what a command holds (a removal holds its topics while removed).
    void remeasure(Step &step);
    void erase(std::size_t index);
    void trim();

    HistoryContext context_;
    HistoryLimits limits_;
    std::vector<Step> steps_;
    std::size_t done_ = 0;
    std::size_t bytes_ = 0;
    std::size_t dropped_ = 0;
};

} // namespace nimbus::history
