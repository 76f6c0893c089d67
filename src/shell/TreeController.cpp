// Building, writing back and editing the topic tree.
#include "shell/TreeController.h"

#include <QItemSelectionModel>
#include <unordered_set>

#include "history/CommandGroup.h"
#include "history/FieldEdit.h"
#include "history/MoveTopic.h"
#include "history/RemoveSubtree.h"
#include "history/ReorderChildren.h"
#include "history/StepNames.h"
#include "recurrence/SkipOccurrence.h"
#include "recurrence/TopicRecurrence.h"
#include "shell/TopicTreeModel.h"
#include "shell/TreeHistory.h"
#include "store/Clock.h"
#include "store/StoreLog.h"
#include "store/SummaryLists.h"
#include "store/TNimbusStructure.h"
#include "tree/GroupRollup.h"
#include "tree/TreeBuild.h"

namespace nimbus {

using tree::TreeItem;

namespace {

// The ids of an item and every item above it: the topics whose roll-up a change below may
// alter.
std::vector<std::string> idsUpFrom(const TreeItem *item)
{
    std::vector<std::string> ids;
    for (; item; item = item->parent)
        if (item->node)
            ids.push_back(item->node->uni);
    return ids;
}

void addIds(std::vector<std::string> &ids, const std::vector<std::string> &more)
{
    ids.insert(ids.end(), more.begin(), more.end());
}

} // namespace

TreeController::TreeController(TNimbusStructure &store, SummaryLists &lists, const Clock &clock,
                               StoreLog &log, MainTreeView *view, QObject *parent)
    : QObject(parent), store_(store), lists_(lists), clock_(clock), log_(log),
      model_(new TopicTreeModel(tree_, this)), view_(view)
{
    view_->setTopicModel(model_);
    view_->setDropRule(
        [this](TreeItem *dragged, TreeItem *target) { return canDrop(dragged, target); });
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (!building_)
                    emit selectionChanged(model_->nodeOf(current));
            });
    connect(view_, &MainTreeView::userToggled, this, [this](TreeItem *) {
        // The expansion state is written with the store.
        markChanged();
    });
    // Expansion is stored with each topic: a toggle by the keyboard (arrows, +, -, *) is
    // written like one by the mouse. Building and the expand actions set it themselves.
    auto toggled = [this] {
        if (building_ || bulkExpansion_)
            treeChanged_ = true;
        else
            markChanged();
    };
    connect(view_, &QTreeView::expanded, this, toggled);
    connect(view_, &QTreeView::collapsed, this, toggled);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { treeChanged_ = true; });
    connect(view_, &MainTreeView::geometryChanged, this, [this] { treeChanged_ = true; });
    connect(view_, &MainTreeView::propertiesRequested, this, [this](TreeItem *item) {
        if (item->node && item->node->lev > 0)
            emit propertiesRequested(item->node);
    });
    connect(view_, &MainTreeView::dropRequested, this, &TreeController::dropOnto);
    connect(model_, &TopicTreeModel::aboutToEdit, this, [this](TNimbusNode *node) { beginEdit(node); });
    connect(model_, &TopicTreeModel::edited, this, [this](TNimbusNode *node, bool renamed) {
        if (!renamed) {
            cancelEdit();
            return;
        }
        markChanged();
        endEdit();
        emit nodeChanged(node);
    });
    history_ = new TreeHistory(*this, store_, log_, this);
    connect(history_, &TreeHistory::topicsLeaving, this, &TreeController::topicsRemoving);
}

TreeController::~TreeController()
{
    // The view outlives nothing of ours: it must not show the model once it is gone.
    view_->setModel(nullptr);
}

TreeItem *TreeController::selectedItem() const
{
    return view_->currentItem();
}

TNimbusNode *TreeController::selectedNode() const
{
    const TreeItem *item = selectedItem();
    return item ? item->node : nullptr;
}

void TreeController::markChanged()
{
    store_.modified = true;
    treeChanged_ = true;
    view_->viewport()->update();
}

// ---- the tree and the store ----

void TreeController::BuildTree()
{
    building_ = true;
    view_->setUpdatesEnabled(false);
    lists_.ClearGroups();
    tree::BuildResult result;
    model_->rebuild([&] {
        result = tree::BuildTree(store_, tree_, clock_.now(), log_,
                                 [this](TNimbusNode &node) { lists_.ClassifyNode(node); });
    });
    lists_.FinishClassify();
    // Right after a reset the view only records expanded items; it lays out once, later.
    tree_.forEach([this](TreeItem *item) {
        if (item->expanded)
            view_->setExpanded(model_->indexOf(item), true);
    });
    pendingTop_ = result.topItem;
    if (result.selectedItem)
        view_->setCurrentIndex(model_->indexOf(result.selectedItem));
    view_->setUpdatesEnabled(true);
    building_ = false;
    treeChanged_ = true;
    emit treeRebuilt();
    emit selectionChanged(selectedNode());
}

void TreeController::applyPendingScroll()
{
    if (!pendingTop_)
        return;
    view_->scrollToTop(pendingTop_);
    pendingTop_ = nullptr;
    treeChanged_ = true;
}

void TreeController::SyncStoreFromTree()
{
    const TreeItem *top = pendingTop_ ? pendingTop_ : view_->firstVisibleItem();
    tree::SyncStoreFromTree(tree_, store_, top, selectedItem());
}

void TreeController::UpdateGroup(TreeItem *item)
{
    if (tree::UpdateGroup(item, clock_.now()) > 0)
        view_->viewport()->update();
}

bool TreeController::MoveSubtree(int sourceIndex, int targetIndex, int levelDelta,
                                 const history::StepName &name)
{
    const TreeItem *moved = tree_.at(sourceIndex);
    if (!moved || !moved->node)
        return false;
    const std::string uni = moved->node->uni;
    const history::StepName stepName =
        name.empty() ? history::moveStepName(moved->node->text, history::MoveKind::Drag) : name;
    // The groups above the old and the new place roll up again.
    std::vector<std::string> watched = idsUpFrom(moved->parent);
    if (const TreeItem *before = tree_.previousSibling(moved))
        watched.push_back(before->node ? before->node->uni : std::string());
    if (const TreeItem *target = tree_.at(targetIndex))
        addIds(watched, idsUpFrom(target->parent));
    SyncStoreFromTree(); // store positions now equal tree positions
    history::MoveRecorder place(store_, uni);
    history::FieldEditRecorder rollUp(store_, watched, history::FieldEditRecorder::Kind::RollUp);
    if (!tree::MoveSubtree(store_, sourceIndex, targetIndex, levelDelta))
        return false;
    std::unique_ptr<history::MoveTopic> move = place.finish();
    BuildTree();
    selectNode(store_.Find(uni));
    markChanged();
    if (move) {
        auto step = std::make_unique<history::CommandGroup>();
        step->add(std::move(move));
        step->add(rollUp.finish());
        history_->pushDone(std::move(step), stepName, TreeHistory::Kind::Structure, {uni, uni});
    }
    return true;
}

// ---- adding, removing, moving ----

TNimbusNode *TreeController::newTopic(TreeItem *parent, int row, int kind, int ttype)
{
    const int unique = store_.NextUnique();
    if (unique < 0) {
        log_.AddErrorToLog("*** A new topic could not be given an id: ", store_.UniqueFileName());
        return nullptr;
    }
    auto made = std::make_unique<TNimbusNode>(std::to_string(unique));
    TNimbusNode *node = made.get();
    node->text = "New topic";
    node->lev = parent ? parent->level() + 1 : 0;
    tree::InitNewTopic(*node, kind, ttype, clock_.now());
    history::FieldEditRecorder rollUp(store_, idsUpFrom(parent),
                                      history::FieldEditRecorder::Kind::RollUp);
    if (store_.Append(std::move(made)) < 0)
        return nullptr;
    TreeItem *item = model_->insertItem(parent, row, node);
    lists_.NoteNewTopic(*node);
    const QModelIndex index = model_->indexOf(item);
    view_->setCurrentIndex(index);
    view_->scrollTo(index);
    UpdateGroup(parent);
    markChanged();
    // Undoing the step takes the topic out again; redoing it puts it back.
    auto step = std::make_unique<history::CommandGroup>();
    step->add(std::make_unique<history::Reversed>(std::make_unique<history::RemoveSubtree>(node->uni)));
    step->add(rollUp.finish());
    const std::string parentId = parent && parent->node ? parent->node->uni : std::string();
    history_->pushDone(std::move(step), history::addStepName(node->text),
                       TreeHistory::Kind::Structure, {parentId, node->uni});
    view_->edit(index);
    return node;
}

void TreeController::addTopic()
{
    TreeItem *selected = selectedItem();
    if (!selected || !selected->node || selected->node->lev == 0)
        return;
    const int kind = selected->parent && selected->parent->node ? selected->parent->node->type : 1;
    newTopic(selected->parent, selected->row, kind, tree::NewTopicType(*selected->node, false));
}

void TreeController::addSubTopic()
{
    TreeItem *selected = selectedItem();
    if (!selected || !selected->node)
        return;
    TNimbusNode &parent = *selected->node;
    if (parent.lev == 0 && parent.top)
        return;
    view_->setExpanded(model_->indexOf(selected), true);
    newTopic(selected, 0, parent.type, tree::NewTopicType(parent, true));
}

TNimbusNode *TreeController::insertTopic(TNimbusNode *parentNode, std::unique_ptr<TNimbusNode> made,
                                         std::unique_ptr<history::StoreCommand> with)
{
    auto *parent = parentNode ? static_cast<TreeItem *>(parentNode->treeItem) : nullptr;
    if (!parent || !made)
        return nullptr;
    TNimbusNode *node = made.get();
    node->lev = parent->level() + 1;
    history::FieldEditRecorder rollUp(store_, idsUpFrom(parent),
                                      history::FieldEditRecorder::Kind::RollUp);
    if (store_.Append(std::move(made)) < 0)
        return nullptr;
    model_->insertItem(parent, parent->childCount(), node);
    lists_.NoteNewTopic(*node);
    UpdateGroup(parent);
    markChanged();
    // A step as the window's own new topic is: undoing it takes the topic out again.
    auto step = std::make_unique<history::CommandGroup>();
    step->add(
        std::make_unique<history::Reversed>(std::make_unique<history::RemoveSubtree>(node->uni)));
    step->add(std::move(with)); // after the topic is back, before it goes
    step->add(rollUp.finish());
    history_->pushDone(std::move(step), history::addStepName(node->text),
                       TreeHistory::Kind::Structure, {parentNode->uni, node->uni});
    return node;
}

void TreeController::removeNode(TNimbusNode *node)
{
    if (node && node->treeItem)
        removeItem(static_cast<TreeItem *>(node->treeItem));
}

void TreeController::removeTopic()
{
    removeItem(selectedItem());
}

void TreeController::removeItem(TreeItem *selected)
{
    if (!selected || !selected->node)
        return;
    // Sections and system topics directly in a section stay (the menu does not offer them).
    if (selected->node->lev == 0 || (selected->level() == 1 && selected->node->sys))
        return;
    const TreeItem *parent = selected->parent;
    const std::string id = selected->node->uni;
    const std::string parentId = parent && parent->node ? parent->node->uni : std::string();
    // The step keeps the nodes and puts their pages aside; the pages forget them as they go.
    history_->perform(std::make_unique<history::RemoveSubtree>(id),
                      history::removeStepName(selected->node->text,
                                              tree::TopicTree::subtreeSize(selected) - 1),
                      idsUpFrom(parent), {id, parentId});
}

void TreeController::increaseLevel()
{
    TreeItem *item = selectedItem();
    if (!item || !item->node || item->node->lev == 0 || !tree_.previousSibling(item))
        return;
    const int position = tree_.position(item);
    if (!MoveSubtree(position, position, +1,
                     history::moveStepName(item->node->text, history::MoveKind::LevelDown)))
        return;
    if (TreeItem *moved = selectedItem(); moved && moved->parent) {
        view_->setExpanded(model_->indexOf(moved->parent), true);
        view_->scrollTo(model_->indexOf(moved));
    }
}

void TreeController::reduceLevel()
{
    TreeItem *item = selectedItem();
    if (!item || item->level() < 2)
        return;
    MoveSubtree(tree_.position(item), tree::ReduceLevelTarget(tree_, item), -1,
                history::moveStepName(item->node->text, history::MoveKind::LevelUp));
}

void TreeController::moveAmongSiblings(int step)
{
    TreeItem *item = selectedItem();
    if (!item || !item->node || item->node->lev == 0)
        return;
    const std::string uni = item->node->uni;
    // Down is the next sibling moved before this one; both are moves the drop rule allows.
    if (step < 0) {
        TreeItem *before = tree_.previousSibling(item);
        if (before)
            MoveSubtree(tree_.position(item), tree_.position(before), 0,
                        history::moveStepName(item->node->text, history::MoveKind::Up));
    } else {
        TreeItem *after = tree_.nextSibling(item);
        if (after && MoveSubtree(tree_.position(after), tree_.position(item), 0,
                                 history::moveStepName(item->node->text, history::MoveKind::Down)))
            selectNode(store_.Find(uni));
    }
}

bool TreeController::canDrop(TreeItem *dragged, TreeItem *target) const
{
    return dragged && target &&
           tree::CanDrop(dragged->node, dragged->level(), target->node, target->level());
}

void TreeController::dropOnto(TreeItem *dragged, TreeItem *target)
{
    if (!canDrop(dragged, target))
        return;
    MoveSubtree(tree_.position(dragged), tree_.position(target), 0);
}

// ---- sorting and expanding ----

void TreeController::sortChildren(tree::SortMode mode)
{
    TreeItem *parent = selectedItem();
    if (!parent || !parent->hasChildren() || !parent->node)
        return;
    auto childOrder = [parent] {
        std::vector<std::string> ids;
        for (const auto &child : parent->children)
            if (child->node)
                ids.push_back(child->node->uni);
        return ids;
    };
    std::vector<std::string> before = childOrder();
    model_->sortChildren(parent, [mode](const TreeItem *a, const TreeItem *b) {
        return tree::CompareForSort(mode, *a->node, *b->node) < 0;
    });
    markChanged();
    std::vector<std::string> after = childOrder();
    if (after != before)
        history_->pushDone(std::make_unique<history::ReorderChildren>(parent->node->uni,
                                                                      std::move(before),
                                                                      std::move(after)),
                           history::sortStepName(parent->node->text, static_cast<int>(mode)),
                           TreeHistory::Kind::Structure, {parent->node->uni, parent->node->uni});
}

void TreeController::setAllExpanded(bool expanded)
{
    tree_.forEach([expanded](TreeItem *item) {
        item->expanded = expanded && item->hasChildren() && tree::mayExpandAt(item->node ? item->node->lev : 0);
    });
}

void TreeController::showExpansion(const TreeItem *select)
{
    // Expanding thousands of items one by one in a laid-out view costs a relayout each; after
    // a reset the view only records them and lays out once.
    bulkExpansion_ = true;
    view_->setUpdatesEnabled(false);
    model_->rebuild([] {});
    tree_.forEach([this](TreeItem *item) {
        if (item->expanded)
            view_->setExpanded(model_->indexOf(item), true);
    });
    selectAfterBulk(select);
    view_->setUpdatesEnabled(true);
    bulkExpansion_ = false;
    markChanged();
}

void TreeController::selectAfterBulk(const TreeItem *item)
{
    if (!item)
        return;
    const QModelIndex index = model_->indexOf(item);
    view_->setCurrentIndex(index);
    view_->scrollTo(index);
}

void TreeController::expandAll()
{
    setAllExpanded(true);
    showExpansion(tree_.first());
}

void TreeController::contractAll()
{
    setAllExpanded(false);
    showExpansion(tree_.first());
}

void TreeController::expandMatching(tree::ExpandChoice choice)
{
    setAllExpanded(false);
    const TreeItem *firstFound = nullptr;
    tree_.forEach([&](TreeItem *item) {
        if (!item->node || !tree::ExpandChoiceMatches(choice, *item->node))
            return;
        if (!firstFound)
            firstFound = item;
        for (TreeItem *up = item->parent; up; up = up->parent)
            up->expanded = !up->node || tree::mayExpandAt(up->node->lev);
    });
    showExpansion(firstFound ? firstFound : selectedItem());
}

void TreeController::goToTopic(TNimbusNode *node)
{
    auto *item = node ? static_cast<TreeItem *>(node->treeItem) : nullptr;
    if (!item)
        return;
    setAllExpanded(false);
    for (TreeItem *up = item; up; up = up->parent)
        up->expanded = up->hasChildren() && (!up->node || tree::mayExpandAt(up->node->lev));
    showExpansion(item);
}

void TreeController::revealTopic(TNimbusNode *node)
{
    auto *item = node ? static_cast<TreeItem *>(node->treeItem) : nullptr;
    if (!item)
        return;
    for (TreeItem *up = item->parent; up; up = up->parent)
        if (up->hasChildren() && (!up->node || tree::mayExpandAt(up->node->lev)))
            up->expanded = true;
    showExpansion(item);
}

void TreeController::selectNode(const TNimbusNode *node)
{
    if (node && node->treeItem)
        view_->selectItem(static_cast<const TreeItem *>(node->treeItem));
}

// ---- toolbar and dialogs ----

void TreeController::toggleFavourite()
{
    TNimbusNode *node = selectedNode();
    if (!node || node->lev == 0)
        return;
    beginEdit(node);
    tree::ToggleFavourite(*node);
    markChanged();
    endEdit();
    emit nodeChanged(node);
}

bool TreeController::canSkipOccurrence() const
{
    const TNimbusNode *node = selectedNode();
    return recurrence_ && node && node->lev > 0 && recurrence::canSkipOccurrence(*node);
}

void TreeController::skipOccurrence()
{
    TreeItem *item = selectedItem();
    if (!canSkipOccurrence() || !item || history_->replaying())
        return;
    TNimbusNode *node = item->node;
    cancelEdit();
    history::FieldEditRecorder values(store_, idsUpFrom(item->parent), history::FieldEditRecorder::Kind::RollUp);
    values.watch(node->uni);
    const recurrence::Series before = *recurrence::seriesOf(*node);
    if (!recurrence::skipOccurrence(*node, *recurrence_, clock_.now()))
        return;
    model_->itemChanged(item);
    UpdateGroup(item->parent);
    markChanged();
    auto step = std::make_unique<history::CommandGroup>();
    step->add(std::make_unique<recurrence::SeriesEdit>(*recurrence_, node->uni, before, *recurrence::seriesOf(*node)));
    step->add(values.finish());
    history_->pushDone(std::move(step), history::skipOccurrenceStepName(node->text),
                       TreeHistory::Kind::Values, {node->uni, node->uni});
    emit nodeChanged(node);
}

void TreeController::applyToSelected(const std::function<tree::ButtonEffect(TNimbusNode &)> &effect)
{
    TreeItem *item = selectedItem();
    if (!item || !item->node || item->node->lev == 0)
        return;
    beginEdit(item->node);
    const tree::ButtonEffect done = effect(*item->node);
    if (!done.applied) {
        cancelEdit();
        return;
    }
    model_->itemChanged(item);
    if (done.updateParent)
        UpdateGroup(item->parent);
    markChanged();
    endEdit();
    emit nodeChanged(item->node);
}

void TreeController::nodeEdited(TNimbusNode *node)
{
    auto *item = node ? static_cast<TreeItem *>(node->treeItem) : nullptr;
    if (!item)
        return;
    model_->itemChanged(item);
    UpdateGroup(item->parent);
    markChanged();
    endEdit();
    emit nodeChanged(node);
}

void TreeController::beginEdit(TNimbusNode *node, const history::StepName &name)
{
    cancelEdit();
    if (!node || history_->replaying())
        return;
    // The groups above roll up; the topic itself is the change.
    edit_ = std::make_unique<history::FieldEditRecorder>(
        store_, idsUpFrom(static_cast<const TreeItem *>(node->treeItem)),
        history::FieldEditRecorder::Kind::RollUp);
    edit_->watch(node->uni);
    editId_ = node->uni;
    editName_ = name;
}

void TreeController::endEdit()
{
    if (!edit_)
        return;
    std::unique_ptr<history::FieldEdit> fields = edit_->finish();
    std::vector<std::unique_ptr<history::StoreCommand>> joined = std::move(joined_);
    cancelEdit();
    TNimbusNode *node = store_.Find(editId_);
    if ((!fields && joined.empty()) || !node)
        return;
    history::StepName name = editName_;
    if (name.empty() && fields)
        for (const auto &topic : fields->topics())
            if (topic.id == editId_)
                name = history::editStepName(*node, topic.changes);
    if (name.empty()) // only the groups above changed
        name = history::changeStepName(node->text);
    std::unique_ptr<history::StoreCommand> step = std::move(fields);
    if (!joined.empty()) {
        auto group = std::make_unique<history::CommandGroup>();
        group->add(std::move(step));
        for (auto &command : joined)
            group->add(std::move(command));
        step = std::move(group);
    }
    history_->pushDone(std::move(step), name, TreeHistory::Kind::Values, {editId_, editId_});
}

void TreeController::cancelEdit()
{
    edit_.reset();
    joined_.clear();
}

void TreeController::joinEdit(std::unique_ptr<history::StoreCommand> command)
{
    if (edit_ && command)
        joined_.push_back(std::move(command));
}

void TreeController::valuesReplayed(TNimbusNode *select)
{
    markChanged();
    if (select && select->treeItem) {
        model_->itemChanged(static_cast<TreeItem *>(select->treeItem));
        selectNode(select);
    }
    emit nodeChanged(selectedNode());
}

void TreeController::schedulesChanged(const DeadlineResult &result)
{
    const TNimbusNode *selected = selectedNode();
    for (TNimbusNode *node : result.restyled) {
        auto *item = static_cast<TreeItem *>(node->treeItem);
        if (!item)
            continue;
        model_->itemChanged(item);
        // A group's roll-up (its status and percentage) is stored with it.
        if (tree::UpdateGroup(item->parent, clock_.now()) > 0)
            store_.modified = true;
        if (node == selected)
            emit nodeChanged(node);
    }
    // Texts that only the window shows need the grids redrawn, not the store saved.
    if (result.storeChanged)
        store_.modified = true;
    if (result.changed || !result.restyled.empty()) {
        treeChanged_ = true;
        view_->viewport()->update();
    }
}

// ---- the grids ----

void TreeController::timerTreeTick()
{
    if (!view_->isVisible() || building_ || painting_)
        return;
    const TreeItem *first = view_->firstVisibleItem();
    if (first == lastFirstVisible_ && !treeChanged_)
        return;
    painting_ = true;
    lastFirstVisible_ = first;
    const std::vector<TreeRow> rows = view_->visibleRows();
    emit visibleRowsChanged(rows);
    painting_ = false;
    treeChanged_ = false;
}

} // namespace nimbus
