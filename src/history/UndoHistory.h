// A linear history of applied commands with an undo point, for callers without a window
// (the window keeps its commands on a QUndoStack instead). A new command drops the steps
// that were undone; a step that cannot be undone or redone cuts the history there.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "history/StoreCommand.h"

namespace nimbus::history {

class UndoHistory {
public:
    explicit UndoHistory(HistoryContext context) : context_(context) {}

    // Takes a command whose change has already been made.
    void push(std::unique_ptr<StoreCommand> command, std::string name);
    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    // False (and the history is cut: nothing before this step can be undone, nothing after
    // it redone) when the step's topics are gone.
    bool undo();
    bool redo();
    std::string undoName() const { return canUndo() ? steps_[done_ - 1].name : std::string(); }
    std::string redoName() const { return canRedo() ? steps_[done_].name : std::string(); }
    std::size_t size() const { return steps_.size(); }
    std::size_t undoable() const { return done_; }
    std::size_t memoryBytes() const;
    void clear();
    HistoryContext &context() { return context_; }

private:
    struct Step {
        std::unique_ptr<StoreCommand> command;
        std::string name;
    };
    HistoryContext context_;
    std::vector<Step> steps_;
    std::size_t done_ = 0;
};

} // namespace nimbus::history
