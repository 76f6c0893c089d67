// The popup menu of the topic tree and its actions.
#include "shell/TreeActions.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPointer>
#include <QUndoStack>
#include <vector>

#include "shell/TreeController.h"
#include "shell/TreeHistory.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

using tree::ExpandChoice;
using tree::SortMode;

TreeActions::TreeActions(TreeController &controller, QObject *parent)
    : QObject(parent), controller_(&controller)
{
    MVNewSection = action("MVNewSection", tr("Insert New Section"), [] {});
    MVAddItem = action("MVAddItem", tr("Insert new topic"), [this] {
        if (controller_)
            controller_->addTopic();
    });
    MVAddSubItem = action("MVAddSubItem", tr("Add new sub-topic"), [this] {
        if (controller_)
            controller_->addSubTopic();
    });
    MVEdit = action("MVEdit", tr("Edit details"), [this] {
        if (TNimbusNode *node = controller_ ? controller_->selectedNode() : nullptr;
            node && node->lev > 0)
            emit editRequested(node);
    });
    MVFavourites = action("MVFavourites", tr("Favourites"), [this] {
        if (controller_)
            controller_->toggleFavourite();
    });
    MVSkipOccurrence = action("MVSkipOccurrence", tr("Skip this occurrence"), [this] {
        if (controller_)
            controller_->skipOccurrence();
    });
    MVIncreaseLevel = action("MVIncreaseLevel", tr("Convert topic to a sub-topic"), [this] {
        if (controller_)
            controller_->increaseLevel();
    });
    MVReduceLevel = action("MVReduceLevel", tr("Convert sub-topic to a topic"), [this] {
        if (controller_)
            controller_->reduceLevel();
    });
    MVSortSub = action("MVSortSub", tr("Sort sub-topics"), [this] {
        if (controller_)
            controller_->sortChildren(SortMode::Title);
    });
    MVSortPriority = action("MVSortPriority", tr("Sort sub-tasks by urgency/priority"), [this] {
        if (controller_)
            controller_->sortChildren(SortMode::Priority);
    });
    MVSortDaysDue = action("MVSortDaysDue", tr("Sort sub-tasks by date due"), [this] {
        if (controller_)
            controller_->sortChildren(SortMode::DaysDue);
    });
    MVExpandAll = action("MVExpandAll", tr("Expand all"), [this] {
        if (controller_)
            controller_->expandAll();
    });
    MVExpandUrgent = action("MVExpandUrgent", tr("Expand urgent tasks"), [this] {
        if (controller_)
            controller_->expandMatching(ExpandChoice::Urgent);
    });
    MVExpandProgress = action("MVExpandProgress", tr("Expand tasks in progress"), [this] {
        if (controller_)
            controller_->expandMatching(ExpandChoice::InProgress);
    });
    MVExpandDueSoon =
        action("MVExpandDueSoon", tr("Expand tasks and events due within two weeks"), [this] {
            if (controller_)
                controller_->expandMatching(ExpandChoice::DueTwoWeeks);
        });
    MVExpandDue6Weeks =
        action("MVExpandDue6Weeks", tr("Expand tasks and events due within six weeks"), [this] {
            if (controller_)
                controller_->expandMatching(ExpandChoice::DueSixWeeks);
        });
    MVContractAll = action("MVContractAll", tr("Contract all"), [this] {
        if (controller_)
            controller_->contractAll();
    });
    MVMoveUp = action("MVMoveUp", tr("Move topic up"), [this] {
        if (controller_)
            controller_->moveAmongSiblings(-1);
    });
    MVMoveUp->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up));
    MVMoveDown = action("MVMoveDown", tr("Move topic down"), [this] {
        if (controller_)
            controller_->moveAmongSiblings(+1);
    });
    MVMoveDown->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down));
    MVRemoveItem = action("MVRemoveItem", tr("Remove this topic permanently"),
                          [this] { removeSelected(); });
    MVRemoveItem->setShortcut(QKeySequence(QKeySequence::Delete));
    MVSave = action("MVSave", tr("Save"), [this] { emit saveRequested(); });
    MVSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    MVChangeTopicType = action("MVChangeTopicType", tr("Change topic type ..."), [this] {
        if (TNimbusNode *node = controller_ ? controller_->selectedNode() : nullptr;
            node && node->lev > 0)
            emit changeTypeRequested(node);
    });

    MainTreeView *view = controller.treeMain();
    popMainView = new QMenu(view);
    popMainView->setObjectName("popMainView");
    popMainView->addActions(
        {MVNewSection, MVAddItem, MVAddSubItem, MVEdit, MVChangeTopicType, MVFavourites, MVSkipOccurrence});
    popMainView->addSeparator();
    popMainView->addActions({MVIncreaseLevel, MVReduceLevel, MVMoveUp, MVMoveDown});
    popMainView->addSeparator();
    popMainView->addActions({MVSortSub, MVSortPriority, MVSortDaysDue});
    popMainView->addSeparator();
    popMainView->addActions({MVExpandAll, MVExpandUrgent, MVExpandProgress, MVExpandDueSoon,
                             MVExpandDue6Weeks, MVContractAll});
    popMainView->addSeparator();
    menuSendto = popMainView->addMenu(tr("Send copy to"));
    menuSendto->setObjectName("menuSendto");
    menuRemove = popMainView->addMenu(tr("Remove"));
    menuRemove->setObjectName("menuRemove");
    menuRemove->addAction(MVRemoveItem);
    // The undo history's entries name the step they take back or do again; they go through
    // the history, which first makes a step of the details page being typed in.
    QPointer<TreeHistory> history = controller.history(); // goes with the tree, before these
    QUndoStack *steps = history->stack();
    MVUndo = action("MVUndo", tr("Undo"), [history] {
        if (history)
            history->undo();
    });
    MVUndo->setShortcut(QKeySequence::Undo);
    MVRedo = action("MVRedo", tr("Redo"), [history] {
        if (history)
            history->redo();
    });
    MVRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                          QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(steps, &QUndoStack::undoTextChanged, MVUndo, [this](const QString &step) {
        MVUndo->setText(step.isEmpty() ? tr("Undo") : tr("Undo %1").arg(step));
    });
    connect(steps, &QUndoStack::redoTextChanged, MVRedo, [this](const QString &step) {
        MVRedo->setText(step.isEmpty() ? tr("Redo") : tr("Redo %1").arg(step));
    });
    connect(steps, &QUndoStack::canUndoChanged, MVUndo, &QAction::setEnabled);
    connect(steps, &QUndoStack::canRedoChanged, MVRedo, &QAction::setEnabled);
    MVUndo->setEnabled(steps->canUndo());
    MVRedo->setEnabled(steps->canRedo());
    // A step that refused (someone else changed what it would reverse) stays where it is;
    // this forgets it, so that the steps beyond it can be reached.
    MVSkipStep = action("MVSkipStep", tr("Skip a refused step"), [history] {
        if (history)
            history->skipRefused();
    });
    connect(history, &TreeHistory::refusedChanged, MVSkipStep, [this](const QString &step) {
        MVSkipStep->setText(step.isEmpty() ? tr("Skip a refused step") : tr("Skip %1").arg(step));
        MVSkipStep->setEnabled(!step.isEmpty());
    });
    MVSkipStep->setEnabled(false);
    MVUndoHistory = action("MVUndoHistory", tr("Undo history ..."), [this] {
        if (controller_)
            controller_->history()->showHistory(controller_->treeMain()->window());
    });
    popMainView->addSeparator();
    popMainView->addActions({MVUndo, MVRedo, MVSkipStep, MVUndoHistory});
    // Window-wide: a text field with the keys keeps its own undo (it takes the keys first).
    view->addActions({MVUndo, MVRedo});
    // Shortcuts work wherever the tree has the focus, menu or not; the editing keys only
    // there (Delete in a text field deletes text).
    view->addActions({MVSave, MVMoveUp, MVMoveDown, MVRemoveItem});
    for (QAction *a : {MVMoveUp, MVMoveDown, MVRemoveItem})
        a->setShortcutContext(Qt::WidgetShortcut);
    // The menu shows the key; the key works on the selection as the menu would prepare it.
    connect(popMainView, &QMenu::aboutToShow, this, [this] { menuChoice_ = true; });
    connect(popMainView, &QMenu::aboutToHide, this, [this] {
        // An item's action fires after the menu has hidden: forget the menu once it has.
        QMetaObject::invokeMethod(this, [this] { menuChoice_ = false; }, Qt::QueuedConnection);
    });
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { ConfigureTreeMenu(); });
    ConfigureTreeMenu();

    connect(view, &QWidget::customContextMenuRequested, this, &TreeActions::popupAt);
}

QAction *TreeActions::action(const char *name, const QString &caption,
                             const std::function<void()> &run)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, [run] { run(); });
    return a;
}

void TreeActions::removeSelected()
{
    if (!controller_)
        return;
    const tree::TreeItem *item = controller_->selectedItem();
    if (!item || !item->node)
        return;
    // The same safeguards as the menu: what the menu does not offer, the key does not do.
    if (!ConfigureTreeMenu().remove.enabled)
        return;
    if (!menuChoice_ && confirmRemove_) {
        int subTopics = 0;
        std::vector<const tree::TreeItem *> stack{item};
        while (!stack.empty()) {
            const tree::TreeItem *at = stack.back();
            stack.pop_back();
            for (const auto &child : at->children) {
                ++subTopics;
                stack.push_back(child.get());
            }
        }
        const bool agreed = confirmRemove_(*item->node, subTopics);
        giveKeysBackToTree();
        if (!agreed)
            return;
    }
    controller_->removeTopic();
}

void TreeActions::giveKeysBackToTree()
{
    // The question took the window's activation and the keys with it; not every desktop
    // hands them back when it closes, and then Ctrl+Z and the arrows would reach nothing.
    MainTreeView *view = controller_ ? controller_->treeMain() : nullptr;
    if (!view || !view->isVisible())
        return;
    view->activateWindow();
    view->setFocus(Qt::OtherFocusReason);
}

tree::TreeMenuState TreeActions::ConfigureTreeMenu()
{
    tree::TreeMenuContext context;
    const tree::TreeItem *item = controller_ ? controller_->selectedItem() : nullptr;
    if (item && item->node) {
        context.node = item->node;
        context.depth = item->level();
        context.hasPreviousSibling = controller_->tree().previousSibling(item) != nullptr;
        context.hasNextSibling = controller_->tree().nextSibling(item) != nullptr;
        context.hasChildren = item->hasChildren();
        context.lanConnected = lanConnected_ && lanConnected_();
        const int kind = item->node->type;
        context.sendable = kind >= 0 && kind < 32 &&
                           controller_->store().sendableKinds.test(static_cast<std::size_t>(kind));
    }
    const tree::TreeMenuState state = tree::ConfigureTreeMenu(context);
    auto apply = [](QAction *a, const tree::MenuItemState &s) {
        a->setVisible(s.visible);
        a->setEnabled(s.enabled);
        if (!s.caption.empty())
            a->setText(QString::fromStdString(s.caption));
    };
    apply(MVNewSection, state.newSection);
    apply(MVAddItem, state.addItem);
    apply(MVAddSubItem, state.addSubItem);
    apply(MVEdit, state.edit);
    apply(MVFavourites, state.favourites);
    apply(MVChangeTopicType, state.changeType);
    // Shown only on a topic that repeats by a rule with an occurrence after the current one.
    MVSkipOccurrence->setVisible(controller_ && controller_->canSkipOccurrence());
    apply(MVIncreaseLevel, state.increaseLevel);
    apply(MVReduceLevel, state.reduceLevel);
    apply(MVMoveUp, state.moveUp);
    apply(MVMoveDown, state.moveDown);
    apply(MVSortSub, state.sortSub);
    apply(MVSortPriority, state.sortPriority);
    apply(MVSortDaysDue, state.sortDaysDue);
    apply(MVRemoveItem, state.remove);
    menuSendto->setEnabled(state.sendTo.enabled);
    menuRemove->setEnabled(state.remove.enabled);
    return state;
}

void TreeActions::popupForSelection(const QPoint &globalPos)
{
    ConfigureTreeMenu();
    popMainView->popup(globalPos);
}

void TreeActions::popupAt(const QPoint &viewportPos)
{
    if (!controller_)
        return;
    MainTreeView *view = controller_->treeMain();
    // A right-click selects the item under the pointer first, as file managers do.
    if (tree::TreeItem *item = view->itemAt(viewportPos))
        view->selectItem(item);
    ConfigureTreeMenu();
    popMainView->popup(view->viewport()->mapToGlobal(viewportPos));
}

} // namespace nimbus
