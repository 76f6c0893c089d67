// Replaying the history's steps on the window.
#include "shell/TreeHistory.h"

#include <QDialog>
#include <QEvent>
#include <QTimer>
#include <QUndoStack>
#include <QUndoView>
#include <QVBoxLayout>
#include <unordered_set>

#include "fileio/FolderOps.h"
#include "history/CommandGroup.h"
#include "history/FieldEdit.h"
#include "history/HistoryTrim.h"
#include "history/SessionTrash.h"
#include "history/TopicFiles.h"
#include "shell/StoreUndoCommand.h"
#include "shell/TreeController.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

TreeHistory::TreeHistory(TreeController &tree, TNimbusStructure &store, StoreLog &log,
                         QObject *parent)
    : QObject(parent), tree_(tree), store_(store), log_(log), stack_(new QUndoStack(this))
{
    // The stack drops its oldest steps itself beyond the number, as HistoryTrim would (after a
    // push every step is done), without building the stack again; trim() keeps the budget.
    stack_->setUndoLimit(static_cast<int>(limits_.steps));
    connect(stack_, &QUndoStack::indexChanged, this, [this] {
        // The refused step is behind the user once the undo point has moved on from it.
        if (refused_.active && !rebuilding_ && refusedStep().isEmpty()) {
            refused_ = Refusal{};
            emit refusedChanged({});
        }
    });
    // Pages a session that did not close kept aside are taken over: those of topics the
    // loaded store still holds go back (their removal was never saved), the rest go.
    const std::string dataFolder = fileio::folderOf(store_.FileName());
    if (!dataFolder.empty() &&
        fileio::folderExists(dataFolder + history::SessionTrash::kFolderName + "/"))
        context();
}

TreeHistory::~TreeHistory()
{
    // The list shows the stack; the steps hold removed topics and go before the folder of
    // their pages is emptied.
    delete historyWindow_;
    delete stack_;
}

history::HistoryContext TreeHistory::context()
{
    const std::string dataFolder = fileio::folderOf(store_.FileName());
    // Made on first use: a store without a data folder (a test's) keeps no files aside.
    if (!trash_ && !dataFolder.empty())
        trash_ = std::make_unique<history::SessionTrash>(
            dataFolder + history::SessionTrash::kFolderName + "/", log_,
            [this](const std::string &id) { return store_.Find(id) != nullptr; });
    return history::HistoryContext{store_, ContentFolders::inDataFolder(dataFolder), trash_.get(),
                                   log_, checklists_};
}

void TreeHistory::putAsidePages(const std::vector<std::string> &ids)
{
    if (ids.empty())
        return;
    history::HistoryContext here = context();
    if (here.trash)
        history::putAsideTopicFiles(ids, here.folders, *here.trash, log_);
}

void TreeHistory::pushDone(std::unique_ptr<history::StoreCommand> command,
                           const history::StepName &name, Kind kind, Selection select)
{
    if (!command || replaying_)
        return;
    settle(); // a refusal still waiting puts the undo point back before the new step joins
    // The undone steps the new one replaces go with the stack's push; a removal among them
    // that holds its topics gives their pages up then.
    stack_->push(new StoreUndoCommand(*this, std::move(command),
                                      QString::fromStdString(name.shown()), name.english(), kind,
                                      std::move(select), nextSerial_++));
    trim();
}

void TreeHistory::undo()
{
    emit aboutToReplay();
    stack_->undo();
    settle();
}

void TreeHistory::redo()
{
    emit aboutToReplay();
    stack_->redo();
    settle();
    trim(); // a removal redone holds its topics again
}

bool TreeHistory::perform(std::unique_ptr<history::StoreCommand> command,
                          const history::StepName &name, const std::vector<std::string> &watched,
                          Selection select)
{
    if (!command || replaying_)
        return false;
    emit aboutToChangeStructure();
    tree_.SyncStoreFromTree();
    history::FieldEditRecorder rollUp(store_, watched, history::FieldEditRecorder::Kind::RollUp);
    if (!runStructure(*command, true))
        return false;
    auto group = std::make_unique<history::CommandGroup>();
    group->add(std::move(command));
    group->add(rollUp.finish());
    tree_.selectNode(store_.Find(select.afterRedo));
    tree_.markChanged();
    pushDone(std::move(group), name, Kind::Structure, std::move(select));
    return true;
}

bool TreeHistory::runStructure(history::StoreCommand &command, bool forward)
{
    std::unordered_set<TNimbusNode *> before;
    before.reserve(static_cast<std::size_t>(store_.Count()));
    for (const auto &entry : store_.Entries())
        before.insert(entry.node);
    history::HistoryContext ctx = context();
    if (!(forward ? command.apply(ctx) : command.revert(ctx)))
        return false;
    for (const auto &entry : store_.Entries())
        before.erase(entry.node);
    before.erase(nullptr);
    if (!before.empty())
        emit topicsLeaving(std::vector<TNimbusNode *>(before.begin(), before.end()));
    tree_.BuildTree();
    return true;
}

bool TreeHistory::replay(history::StoreCommand &command, bool forward, Kind kind,
                         const std::string &select, const QString &name, const std::string &english,
                         unsigned long serial)
{
    // Once a step has refused, the steps the same jump would replay after it depend on it:
    // they are not replayed, and the undo point goes back before it.
    if (pending_.active)
        return false;
    replaying_ = true;
    bool done = false;
    if (kind == Kind::Structure) {
        emit aboutToChangeStructure();
        tree_.SyncStoreFromTree();
        done = runStructure(command, forward);
    } else {
        if (kind == Kind::Pages)
            emit pagesReplacing(select);
        history::HistoryContext ctx = context();
        done = forward ? command.apply(ctx) : command.revert(ctx);
    }
    replaying_ = false;
    if (!done) {
        refuse(name, english, forward, serial);
        if (kind == Kind::Pages)
            emit pagesReplaced(select);
        return false;
    }
    tree_.valuesReplayed(store_.Find(select));
    if (kind == Kind::Pages)
        emit pagesReplaced(select);
    return true;
}

void TreeHistory::refuse(const QString &name, const std::string &english, bool forward,
                         unsigned long serial)
{
    pending_ = Refusal{true, forward, serial, name, english};
    // The stack is in the middle of its own undo or redo (or of a jump from the list); undo()
    // and redo() settle as soon as it returns, this for the other ways.
    QTimer::singleShot(0, this, &TreeHistory::settle);
}

int TreeHistory::positionOf(unsigned long serial) const
{
    for (int i = 0; i < stack_->count(); ++i)
        if (static_cast<const StoreUndoCommand *>(stack_->command(i))->serial() == serial)
            return i;
    return -1;
}

void TreeHistory::settle()
{
    if (!pending_.active)
        return;
    const Refusal refusal = pending_;
    pending_ = Refusal{};
    const int at = positionOf(refusal.serial);
    if (at >= 0) {
        // A refused undo leaves its step done, a refused redo undone; the steps a jump went
        // past after it were not replayed, so they stand where they stood too.
        rebuilding_ = true;
        stack_->setIndex(refusal.forward ? at : at + 1);
        rebuilding_ = false;
    }
    refused_ = refusal;
    refused_.active = at >= 0;
    log_.AddToLog("*** The undo history keeps \"" + refusal.english + "\": it could not be " +
                  (refusal.forward ? "redone" : "undone") +
                  " since what it changes was changed or removed outside the window (see the "
                  "line before); it can be tried again or skipped, and every other step stays");
    emit refusedChanged(refusedStep());
}

QString TreeHistory::refusedStep() const
{
    if (!refused_.active)
        return {};
    const int at = positionOf(refused_.serial);
    const bool standsThere = refused_.forward ? at == stack_->index() : at == stack_->index() - 1;
    return at >= 0 && standsThere ? refused_.name : QString();
}

void TreeHistory::skipRefused()
{
    if (refusedStep().isEmpty())
        return;
    const int at = positionOf(refused_.serial);
    const bool forward = refused_.forward;
    log_.AddToLog("*** The undo history skipped \"" + refused_.english +
                  "\": " + (forward ? "it stays undone" : "its change stays as it is"));
    refused_ = Refusal{};
    std::vector<std::unique_ptr<QUndoCommand>> steps;
    int index = stack_->index();
    for (int i = 0; i < stack_->count(); ++i) {
        auto *step =
            static_cast<StoreUndoCommand *>(const_cast<QUndoCommand *>(stack_->command(i)));
        if (i == at)
            continue; // goes with the stack's clear, with what it holds
        steps.push_back(step->moved());
    }
    if (at < index)
        --index;
    rebuild(std::move(steps), index);
    emit refusedChanged({});
}

void TreeHistory::rebuild(std::vector<std::unique_ptr<QUndoCommand>> steps, int index)
{
    rebuilding_ = true;
    stack_->clear();
    for (auto &step : steps)
        stack_->push(step.release());
    stack_->setIndex(index);
    rebuilding_ = false;
}

void TreeHistory::trim()
{
    std::size_t bytes = 0;
    for (int i = 0; i < stack_->count(); ++i)
        bytes += static_cast<const StoreUndoCommand *>(stack_->command(i))->memoryBytes();
    const int count = stack_->count();
    const int index = stack_->index();
    const history::HistoryTrim rule(limits_.steps, limits_.bytes);
    int dropped = 0;
    while (rule.dropsOldest(static_cast<std::size_t>(count - dropped),
                            static_cast<std::size_t>(index - dropped), bytes)) {
        bytes -= static_cast<const StoreUndoCommand *>(stack_->command(dropped))->memoryBytes();
        ++dropped;
    }
    if (dropped == 0)
        return;
    // The dropped steps go with the stack's clear.
    std::vector<std::unique_ptr<QUndoCommand>> steps;
    for (int i = dropped; i < count; ++i)
        steps.push_back(
            static_cast<StoreUndoCommand *>(const_cast<QUndoCommand *>(stack_->command(i)))
                ->moved());
    rebuild(std::move(steps), index - dropped);
}

void TreeHistory::showHistory(QWidget *parent)
{
    emit aboutToReplay();
    if (!historyWindow_) {
        auto *window = new QDialog(parent);
        window->setObjectName("formUndoHistory");
        window->setWindowTitle(tr("Undo history"));
        auto *layout = new QVBoxLayout(window);
        auto *list = new QUndoView(stack_, window);
        list->setObjectName("listUndoHistory");
        list->setEmptyLabel(tr("<the session's start>"));
        list->setAccessibleName(tr("Undo history"));
        layout->addWidget(list);
        // A click or a key in the list jumps: open edits become a step before it does.
        list->viewport()->installEventFilter(this);
        list->installEventFilter(this);
        window->resize(360, 420);
        historyWindow_ = window;
    }
    historyWindow_->show();
    historyWindow_->raise();
    historyWindow_->activateWindow();
}

bool TreeHistory::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)
        emit aboutToReplay();
    return QObject::eventFilter(watched, event);
}

} // namespace nimbus
