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

void TreeHistory::pushDone(std::unique_ptr<history::StoreCommand> command, const std::string &name,
                           Kind kind, Selection select)
{
    if (!command || replaying_)
        return;
    applyCut(); // a cut still waiting is made before the new step joins
    stack_->push(new StoreUndoCommand(*this, std::move(command), QString::fromLocal8Bit(name), kind,
                                      std::move(select), nextSerial_++));
}

void TreeHistory::undo()
{
    emit aboutToReplay();
    stack_->undo();
    applyCut();
}

void TreeHistory::redo()
{
    emit aboutToReplay();
    stack_->redo();
    applyCut();
}

bool TreeHistory::perform(std::unique_ptr<history::StoreCommand> command, const std::string &name,
                          const std::vector<std::string> &watched, Selection select)
{
    if (!command || replaying_)
        return false;
    emit aboutToChangeStructure();
    tree_.SyncStoreFromTree();
    history::FieldEditRecorder rollUp(store_, watched);
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
                         const std::string &select, const QString &name, unsigned long serial)
{
    // Once a step has failed, the steps the same jump would replay after it depend on it:
    // they go with it.
    if (cut_.active)
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
        cut(name, forward, serial);
        if (kind == Kind::Pages)
            emit pagesReplaced(select);
        return false;
    }
    tree_.valuesReplayed(store_.Find(select));
    if (kind == Kind::Pages)
        emit pagesReplaced(select);
    return true;
}

void TreeHistory::cut(const QString &name, bool forward, unsigned long serial)
{
    cut_ = PendingCut{true, forward, serial, name};
    // The stack is in the middle of its own undo or redo (or of a jump from the list); undo()
    // and redo() rebuild it as soon as it returns, this for the other ways.
    QTimer::singleShot(0, this, &TreeHistory::applyCut);
}

void TreeHistory::applyCut()
{
    if (!cut_.active)
        return;
    struct Kept {
        std::unique_ptr<history::StoreCommand> command;
        QString name;
        Kind kind;
        Selection select;
    };
    std::vector<Kept> kept;
    int dropped = 0;
    for (int i = 0; i < stack_->count(); ++i) {
        auto *step =
            static_cast<StoreUndoCommand *>(const_cast<QUndoCommand *>(stack_->command(i)));
        const bool keep =
            cut_.forward ? step->serial() < cut_.serial : step->serial() > cut_.serial;
        if (keep)
            kept.push_back({step->takeCommand(), step->text(), step->kind(), step->selection()});
        else
            ++dropped;
    }
    rebuilding_ = true;
    stack_->clear();
    for (Kept &step : kept)
        stack_->push(new StoreUndoCommand(*this, std::move(step.command), step.name, step.kind,
                                          std::move(step.select), nextSerial_++));
    // After a failed undo the steps kept are the newer ones, all undone.
    if (!cut_.forward)
        stack_->setIndex(0);
    rebuilding_ = false;
    // The failed step itself was already taken off by the stack.
    log_.AddToLog("*** The undo history was cut at \"" + cut_.name.toLocal8Bit().toStdString() +
                  "\": it could no longer be " + (cut_.forward ? "redone" : "undone") +
                  " since a topic it refers to was changed or removed outside the window; it and " +
                  std::to_string(dropped) + (cut_.forward ? " newer" : " older") +
                  " step(s) were dropped, " + std::to_string(kept.size()) + " remain");
    cut_ = PendingCut{};
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
