// One step of the window's undo history: a store command under a name. Pushed after its
// change was made, so the first redo (which QUndoStack runs on push) does nothing.
#pragma once

#include <QUndoCommand>
#include <memory>

#include "history/StoreCommand.h"
#include "shell/TreeHistory.h"

namespace nimbus {

class StoreUndoCommand : public QUndoCommand {
public:
    StoreUndoCommand(TreeHistory &history, std::unique_ptr<history::StoreCommand> command,
                     const QString &name, TreeHistory::Kind kind, TreeHistory::Selection select);

    void undo() override;
    void redo() override;

private:
    TreeHistory &history_;
    std::unique_ptr<history::StoreCommand> command_;
    TreeHistory::Kind kind_;
    TreeHistory::Selection select_;
    bool pushed_ = false;
};

} // namespace nimbus
