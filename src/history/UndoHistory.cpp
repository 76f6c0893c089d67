// The window-free history of commands.
#include "history/UndoHistory.h"

#include "history/HistoryTrim.h"

namespace nimbus::history {

void UndoHistory::push(std::unique_ptr<StoreCommand> command, std::string name)
{
    if (!command)
        return;
    while (steps_.size() > done_)
        erase(steps_.size() - 1);
    steps_.push_back({std::move(command), std::move(name), 0});
    remeasure(steps_.back());
    done_ = steps_.size();
    trim();
}

bool UndoHistory::undo()
{
    if (!canUndo())
        return false;
    Step &step = steps_[done_ - 1];
    if (!step.command->revert(context_)) {
        context_.log.AddToLog("*** Undo history: \"" + step.name +
                              "\" was not undone and stays in the history, to be tried again or "
                              "skipped");
        return false;
    }
    remeasure(step);
    --done_;
    return true;
}

bool UndoHistory::redo()
{
    if (!canRedo())
        return false;
    Step &step = steps_[done_];
    if (!step.command->apply(context_)) {
        context_.log.AddToLog("*** Undo history: \"" + step.name +
                              "\" was not redone and stays in the history, to be tried again or "
                              "skipped");
        return false;
    }
    remeasure(step);
    ++done_;
    trim(); // a removal redone holds its topics again
    return true;
}

bool UndoHistory::skipUndo()
{
    if (!canUndo())
        return false;
    context_.log.AddToLog("*** Undo history: \"" + steps_[done_ - 1].name +
                          "\" was skipped: its change stays as it is");
    erase(done_ - 1);
    --done_;
    return true;
}

bool UndoHistory::skipRedo()
{
    if (!canRedo())
        return false;
    context_.log.AddToLog("*** Undo history: \"" + steps_[done_].name +
                          "\" was skipped: it stays undone");
    erase(done_);
    return true;
}

void UndoHistory::remeasure(Step &step)
{
    bytes_ -= step.bytes;
    step.bytes = step.command->memoryBytes() + step.name.capacity();
    bytes_ += step.bytes;
}

void UndoHistory::erase(std::size_t index)
{
    bytes_ -= steps_[index].bytes;
    // The command goes here: a removal that still holds its topics gives their pages up.
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(index));
}

void UndoHistory::trim()
{
    const HistoryTrim rule(limits_.steps, limits_.bytes);
    while (rule.dropsOldest(steps_.size(), done_, memoryBytes())) {
        erase(0);
        --done_;
        ++dropped_;
    }
}

void UndoHistory::clear()
{
    steps_.clear();
    done_ = 0;
    bytes_ = 0;
}

} // namespace nimbus::history
