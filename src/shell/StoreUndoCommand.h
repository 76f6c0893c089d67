// One step of the window's undo history: a store command under a name. Pushed after its
// change was made, so the first redo (which QUndoStack runs on push) does nothing; while the
// history is being rebuilt after a cut, undo and redo do nothing either.
#pragma once

#include <QUndoCommand>
#include <memory>

#include "history/StoreCommand.h"
#include "shell/TreeHistory.h"

namespace nimbus {

class StoreUndoCommand : public QUndoCommand {
public:
    StoreUndoCommand(TreeHistory &history, std::unique_ptr<history::StoreCommand> command,
                     const QString &name, TreeHistory::Kind kind, TreeHistory::Selection select,
                     unsigned long serial);

    void undo() override;
    void redo() override;

    // The order in which steps were taken: a cut keeps the steps on one side of the failed one.
    unsigned long serial() const { return serial_; }
    TreeHistory::Kind kind() const { return kind_; }
    const TreeHistory::Selection &selection() const { return select_; }
    // The store command, for a rebuilt history; this step is empty afterwards.
    std::unique_ptr<history::StoreCommand> takeCommand() { return std::move(command_); }

private:
    TreeHistory &history_;
    std::unique_ptr<history::StoreCommand> command_;
    TreeHistory::Kind kind_;
    TreeHistory::Selection select_;
    unsigned long serial_;
    bool pushed_ = false;
};

} // namespace nimbus
