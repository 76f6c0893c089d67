// One step of the window's undo history: a store command under a name. Pushed after its
// change was made, so the first redo (which QUndoStack runs on push) does nothing; while the
// history is being rebuilt or its undo point put back after a refusal, undo and redo do
// nothing either. A step that refuses is never deleted for it: it holds what it would put back.
#pragma once

#include <QUndoCommand>
#include <memory>
#include <string>

#include "history/StoreCommand.h"
#include "shell/TreeHistory.h"

namespace nimbus {

class StoreUndoCommand : public QUndoCommand {
public:
    StoreUndoCommand(TreeHistory &history, std::unique_ptr<history::StoreCommand> command,
                     const QString &name, std::string english, TreeHistory::Kind kind,
                     TreeHistory::Selection select, unsigned long serial);

    void undo() override;
    void redo() override;

    // The order in which steps were taken: a cut keeps the steps on one side of the failed one.
    unsigned long serial() const { return serial_; }
    TreeHistory::Kind kind() const { return kind_; }
    const TreeHistory::Selection &selection() const { return select_; }
    // The same step for a rebuilt stack (serial and all); this one is empty afterwards.
    std::unique_ptr<StoreUndoCommand> moved();
    // The heap its store command keeps, and its name.
    std::size_t memoryBytes() const;

private:
    TreeHistory &history_;
    std::unique_ptr<history::StoreCommand> command_;
    std::string english_; // the name for the log; text() is the name as shown
    TreeHistory::Kind kind_;
    TreeHistory::Selection select_;
    unsigned long serial_;
    bool pushed_ = false;
};

} // namespace nimbus
