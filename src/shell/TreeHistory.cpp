// Replaying the history's steps on the window.
#include "shell/TreeHistory.h"

#include <QDialog>
#include <QTimer>
#include <QUndoStack>
#include <QUndoView>
#include <QVBoxLayout>
#include <unordered_set>

#include "fileio/FolderOps.h"
#include "history/CommandGroup.h"
#include "history/FieldEdit.h"
#include "history/SessionTrash.h"
#include "shell/StoreUndoCommand.h"
#include "shell/TreeController.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

TreeHistory::TreeHistory(TreeController &tree, TNimbusStructure &store, StoreLog &log,
                         QObject *parent)
    : QObject(parent), tree_(tree), store_(store), log_(log), stack_(new QUndoStack(this))
{
    // Pages a session that did not close kept aside are gone for good: the trash is taken
    // over (which empties it) and removed when this session closes.
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
            dataFolder + history::SessionTrash::kFolderName + "/", log_);
    return history::HistoryContext{store_, ContentFolders::inDataFolder(dataFolder), trash_.get(),
                                   log_, checklists_};
}

void TreeHistory::pushDone(std::unique_ptr<history::StoreCommand> command, const std::string &name,
                           Kind kind, Selection select)
{
    if (!command || replaying_)
        return;
    stack_->push(new StoreUndoCommand(*this, std::move(command), QString::fromLocal8Bit(name), kind,
                                      std::move(select)));
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
                         const std::string &select, const QString &name)
{
    replaying_ = true;
    bool done = false;
    if (kind == Kind::Structure) {
        emit aboutToChangeStructure();
        tree_.SyncStoreFromTree();
        done = runStructure(command, forward);
    } else {
        history::HistoryContext ctx = context();
        done = forward ? command.apply(ctx) : command.revert(ctx);
    }
    replaying_ = false;
    if (!done) {
        cut(name);
        return false;
    }
    tree_.valuesReplayed(store_.Find(select));
    return true;
}

void TreeHistory::cut(const QString &name)
{
    log_.AddToLog("*** The undo history was cut at \"" + name.toLocal8Bit().toStdString()
                  + "\": a topic it changed was changed or removed by a merge");
    // The stack is in the middle of its own undo or redo.
    QTimer::singleShot(0, stack_, &QUndoStack::clear);
}

void TreeHistory::showHistory(QWidget *parent)
{
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
        window->resize(360, 420);
        historyWindow_ = window;
    }
    historyWindow_->show();
    historyWindow_->raise();
    historyWindow_->activateWindow();
}

} // namespace nimbus
