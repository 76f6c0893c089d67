// A step of the window's undo history.
#include "shell/StoreUndoCommand.h"

namespace nimbus {

StoreUndoCommand::StoreUndoCommand(TreeHistory &history,
                                   std::unique_ptr<history::StoreCommand> command,
                                   const QString &name, TreeHistory::Kind kind,
                                   TreeHistory::Selection select, unsigned long serial)
    : QUndoCommand(name), history_(history), command_(std::move(command)), kind_(kind),
      select_(std::move(select)), serial_(serial)
{
}

void StoreUndoCommand::undo()
{
    if (history_.rebuilding() || !command_)
        return;
    if (!history_.replay(*command_, false, kind_, select_.afterUndo, text(), serial_))
        setObsolete(true);
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
    if (!history_.replay(*command_, true, kind_, select_.afterRedo, text(), serial_))
        setObsolete(true);
}

} // namespace nimbus
