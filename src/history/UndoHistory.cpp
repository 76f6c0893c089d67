// The window-free history of commands.
#include "history/UndoHistory.h"

namespace nimbus::history {

void UndoHistory::push(std::unique_ptr<StoreCommand> command, std::string name)
{
    if (!command)
        return;
    steps_.resize(done_);
    steps_.push_back({std::move(command), std::move(name)});
    done_ = steps_.size();
}

bool UndoHistory::undo()
{
    if (!canUndo())
        return false;
    if (steps_[done_ - 1].command->revert(context_)) {
        --done_;
        return true;
    }
    context_.log.AddToLog("*** Undo history cut at \"" + steps_[done_ - 1].name + "\": it can no longer be undone");
    steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(done_));
    done_ = 0;
    return false;
}

bool UndoHistory::redo()
{
    if (!canRedo())
        return false;
    if (steps_[done_].command->apply(context_)) {
        ++done_;
        return true;
    }
    context_.log.AddToLog("*** Undo history cut at \"" + steps_[done_].name + "\": it can no longer be redone");
    steps_.resize(done_);
    return false;
}

std::size_t UndoHistory::memoryBytes() const
{
    std::size_t bytes = steps_.capacity() * sizeof(Step);
    for (const Step &step : steps_)
        bytes += step.command->memoryBytes() + step.name.capacity();
    return bytes;
}

void UndoHistory::clear()
{
    steps_.clear();
    done_ = 0;
}

} // namespace nimbus::history
