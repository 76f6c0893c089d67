// A step of the window's undo history.
#include "shell/StoreUndoCommand.h"

namespace nimbus {

StoreUndoCommand::StoreUndoCommand(TreeHistory &history,
                                   std::unique_ptr<history::StoreCommand> command,
                                   const QString &name, std::string english, TreeHistory::Kind kind,
                                   TreeHistory::Selection select, unsigned long serial)
    : QUndoCommand(name), history_(history), command_(std::move(command)),
      english_(std::move(english)), kind_(kind), select_(std::move(select)), serial_(serial)
{
}

void StoreUndoCommand::undo()
{
    if (history_.rebuilding() || !command_)
        return;
    history_.replay(*command_, false, kind_, select_.afterUndo, text(), english_, serial_);
}

void StoreUndoCommand::redo()
{
    // The change was made before the step was pushed.
    if (!pushed_) {
        pushed_ = true;
        return;
    }
    if (history_.rebuilding() || !command_)
        return;
    history_.replay(*command_, true, kind_, select_.afterRedo, text(), english_, serial_);
}

std::unique_ptr<StoreUndoCommand> StoreUndoCommand::moved()
{
    return std::make_unique<StoreUndoCommand>(history_, std::move(command_), text(),
                                              std::move(english_), kind_, std::move(select_),
                                              serial_);
}

std::size_t StoreUndoCommand::memoryBytes() const
{
    return sizeof(*this) + static_cast<std::size_t>(text().size()) * 2 + english_.capacity() +
           (command_ ? command_->memoryBytes() : 0);
}

} // namespace nimbus
