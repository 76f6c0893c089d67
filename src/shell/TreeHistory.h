// The window's undo history: one QUndoStack of the changes the user makes to the tree, the
// topics and their pages. Each step wraps a store command of the history module (which works
// by topic id, without Qt); this class replays it on the window: the store is synced from
// the tree before a step that moves, removes or inserts topics, and the tree is built again
// after it. Changes that do not come from the user (merged packets, add-on packs, the
// deadline timer) are not steps; a step whose topics such a change took away cannot be
// replayed, and the history is then cut at that step with a line in the log: the step and
// those that depend on it go, the others stay usable.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "history/StepName.h"
#include "history/StoreCommand.h"
#include "history/UndoHistory.h"

class QUndoCommand;
class QUndoStack;
class QWidget;

namespace nimbus {

class StoreLog;
class TNimbusNode;
class TNimbusStructure;
class TreeController;

namespace history {
class SessionTrash;
}

class TreeHistory : public QObject {
    Q_OBJECT
public:
    enum class Kind {
        Values,    // topics' values only: the tree keeps its shape
        Structure, // topics moved, removed or inserted: sync before, build the tree after
        Pages,     // a topic's page files: its shown page lets go first and shows them after
    };
    // What a step selects when it has been undone or redone (empty ids: nothing).
    struct Selection {
        std::string afterUndo;
        std::string afterRedo;
    };

    TreeHistory(TreeController &tree, TNimbusStructure &store, StoreLog &log,
                QObject *parent = nullptr);
    ~TreeHistory() override; // removed topics' pages go with the session

    QUndoStack *stack() const { return stack_; }
    history::HistoryContext context();

    // Takes a step whose change the window has already made.
    void pushDone(std::unique_ptr<history::StoreCommand> command, const history::StepName &name,
                  Kind kind, Selection select);
    // Makes a change of the tree's shape through its command (the store synced first, the
    // tree built after) and takes it as a step; watched topics (the groups above) have their
    // roll-up kept with the step. False when the command was refused.
    bool perform(std::unique_ptr<history::StoreCommand> command, const history::StepName &name,
                 const std::vector<std::string> &watched, Selection select);
    // Replays a step: forward (redo) or back (undo). False when it refused; the stack's
    // undo point is then put back before the step (see settle). name is the step's name as
    // shown, english the same for the log.
    bool replay(history::StoreCommand &command, bool forward, Kind kind, const std::string &select,
                const QString &name, const std::string &english, unsigned long serial);
    bool replaying() const { return replaying_; }
    // True while the stack is rebuilt or its undo point put back: its steps are not replayed.
    bool rebuilding() const { return rebuilding_; }
    // The step that refused last and still stands at the undo point (or the redo point), by
    // name; empty when there is none. skipRefused() forgets it and leaves its change as it is.
    QString refusedStep() const;
    void skipRefused();
    // What the undo and redo entries, keys and buttons do: edits still open in the window
    // (the details page being typed in) become a step first; see aboutToReplay.
    void undo();
    void redo();
    // The shown checklist page, which takes a checklist step's items directly.
    void setChecklistHost(history::ChecklistHost *host) { checklists_ = host; }

    // A window listing every step; choosing one goes back or forward to it.
    void showHistory(QWidget *parent);

    // The pages of topics that left the store without a step here (removed by a calendar
    // sync) go aside as a removed topic's pages do, and are dropped with the session.
    void putAsidePages(const std::vector<std::string> &ids);

signals:
    // The user is about to go back or forward: a run of edits still open becomes a step now.
    void aboutToReplay();
    // A step is about to rewrite a topic's page files: whoever shows the topic's pages lets
    // go of them (unsaved); pagesReplaced follows when they are there again.
    void pagesReplacing(const std::string &topicId);
    void pagesReplaced(const std::string &topicId);
    // The tree is about to change shape: the shown page is written first, so that the files
    // a removal keeps aside are the page as the user left it.
    void aboutToChangeStructure();
    // Topics left the tree through a step; whoever shows one must forget it.
    void topicsLeaving(const std::vector<TNimbusNode *> &nodes);
    // A step refused, or the refused one was left behind: refusedStep() changed.
    void refusedChanged(const QString &step);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool runStructure(history::StoreCommand &command, bool forward);
    // A step refused: the undo point goes back once the stack's own undo or redo is over.
    void refuse(const QString &name, const std::string &english, bool forward,
                unsigned long serial);
    // Puts the undo point back to where it stood before the refused step, without replaying
    // anything: the steps a jump passed over after it were not replayed either.
    void settle();
    // The stack again with the given steps (not replayed), the undo point at index.
    void rebuild(std::vector<std::unique_ptr<QUndoCommand>> steps, int index);
    // The oldest steps go while the stack is over its memory budget (the number of steps the
    // stack keeps itself).
    void trim();
    int positionOf(unsigned long serial) const;

    TreeController &tree_;
    TNimbusStructure &store_;
    StoreLog &log_;
    QUndoStack *stack_;
    std::unique_ptr<history::SessionTrash> trash_;
    QPointer<QWidget> historyWindow_;
    history::ChecklistHost *checklists_ = nullptr;
    bool replaying_ = false;
    bool rebuilding_ = false;
    unsigned long nextSerial_ = 0;
    history::HistoryLimits limits_;
    struct Refusal {
        bool active = false;  // the stack's undo point still has to go back
        bool forward = false; // a redo refused
        unsigned long serial = 0;
        QString name;        // as shown
        std::string english; // for the log
    } pending_, refused_; // refused_: the last one settled, while it stands there
};

} // namespace nimbus
