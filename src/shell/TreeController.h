// The topic tree at work: builds it from the store and writes it back, and carries out
// every change the menu, the toolbar, the mouse and the keyboard ask for (adding, renaming,
// removing, moving, sorting, expanding, the toolbar's buttons), keeping the store's modified
// flag and the groups' roll-up up to date. The rules themselves are core functions
// (shell/core/TreeRules.h, TreeBuild.h, GroupRollup.h); this class applies them to the view.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "history/StepName.h"
#include "shell/MainTreeView.h"
#include "store/DeadlineTick.h"
#include "store/TNimbusNode.h" // complete for signals that carry a node
#include "tree/TopicTree.h"
#include "tree/TreeRules.h"

namespace nimbus {

class Clock;
class StoreLog;
class TNimbusNode;
class TNimbusStructure;
class TopicTreeModel;
class SummaryLists;
class TreeHistory;

namespace history {
class FieldEditRecorder;
class StoreCommand;
} // namespace history
namespace recurrence {
class RecurrenceFile;
}

class TreeController : public QObject {
    Q_OBJECT
public:
    // The view belongs to the window's layout; the controller gives it its model.
    TreeController(TNimbusStructure &store, SummaryLists &lists, const Clock &clock, StoreLog &log,
                   MainTreeView *view, QObject *parent = nullptr);
    ~TreeController() override;

    MainTreeView *treeMain() const { return view_; }
    TopicTreeModel *model() const { return model_; }
    tree::TopicTree &tree() { return tree_; }
    TNimbusStructure &store() { return store_; }

    // ---- the tree and the store ----
    void BuildTree();
    void SyncStoreFromTree();
    void UpdateGroup(tree::TreeItem *item);
    // name: the step's name in the undo history (empty: "Move '<title>'").
    bool MoveSubtree(int sourceIndex, int targetIndex, int levelDelta,
                     const history::StepName &name = {});
    // Scrolls to the item that was first visible when the store was written; once the view
    // has its size.
    void applyPendingScroll();

    // ---- what the user does ----
    void addTopic();    // "Insert new topic", before the selected topic
    void addSubTopic(); // "Insert new sub-topic" / "Insert new topic in this section"
    void removeTopic(); // "Remove this topic permanently"
    // A topic made elsewhere (nimbus-cli) becomes parent's last child, as a new topic does,
    // without starting to edit its caption; the store takes the node. Null when refused.
    // with: what else the topic was given (its series), undone and redone with it.
    TNimbusNode *insertTopic(TNimbusNode *parent, std::unique_ptr<TNimbusNode> node,
                             std::unique_ptr<history::StoreCommand> with = nullptr);
    // "Remove this topic permanently" for a given topic, whatever is selected.
    void removeNode(TNimbusNode *node);
    void increaseLevel();
    void reduceLevel();
    // Moves the selected topic (with its sub-topics) one place up (-1) or down (+1) among its
    // siblings; the keyboard's way of dragging it before a sibling.
    void moveAmongSiblings(int step);
    void sortChildren(tree::SortMode mode);
    void expandMatching(tree::ExpandChoice choice);
    void expandAll();
    void contractAll();
    void toggleFavourite();
    // "Skip this occurrence": where the rich recurrences are kept (none: nothing is skipped),
    // whether the selected topic's current occurrence can be skipped, and the skip as one step.
    void setRecurrenceFile(recurrence::RecurrenceFile *file) { recurrence_ = file; }
    bool canSkipOccurrence() const;
    void skipOccurrence();
    // A toolbar button's effect on the selected topic, with its follow-up work.
    void applyToSelected(const std::function<tree::ButtonEffect(TNimbusNode &)> &effect);
    bool canDrop(tree::TreeItem *dragged, tree::TreeItem *target) const;
    void dropOnto(tree::TreeItem *dragged, tree::TreeItem *target);
    // Collapses the tree, opens the node's item and selects it (a jump from the summary).
    void goToTopic(TNimbusNode *node);
    // Opens the branches above the node and selects it, leaving every other branch as the user
    // left it (a search hit or a reminder opened).
    void revealTopic(TNimbusNode *node);
    void selectNode(const TNimbusNode *node);
    // A node's values changed outside the tree (a dialog, the deadline timer): redraw it and
    // roll its parents up.
    void nodeEdited(TNimbusNode *node);
    // The deadline pass changed schedules and restyled some nodes: redraw them and roll their
    // parents up; the store is marked modified only when a stored field changed.
    void schedulesChanged(const DeadlineResult &result);

    // ---- the undo history ----
    TreeHistory *history() const { return history_; }
    // Around a change of a topic's values made elsewhere (a dialog): begin before it, and
    // nodeEdited ends it; the change becomes one step (name: empty for a name from what
    // changed).
    void beginEdit(TNimbusNode *node, const history::StepName &name = {});
    // The change begun was refused: no step.
    void cancelEdit();
    // Joins a change of something beside the topic's values (its series in the recurrence
    // file) to the step begun; nodeEdited makes one step of both.
    void joinEdit(std::unique_ptr<history::StoreCommand> command);
    // A step was undone or redone: redraw, select the topic it names and refresh the pages.
    void valuesReplayed(TNimbusNode *select);

    tree::TreeItem *selectedItem() const;
    TNimbusNode *selectedNode() const;

    // ---- the grids beside the tree ----
    // Driven by timerTree: when the rows on screen changed, reports them (visibleRowsChanged).
    void timerTreeTick();
    bool treeChanged() const { return treeChanged_; }
    bool building() const { return building_; }
    // Something changed in the tree: the store must be written and the grids realigned.
    void markChanged();

signals:
    void selectionChanged(TNimbusNode *node);
    // A node's values changed (type, status, text ...); the toolbar and pages refresh.
    void nodeChanged(TNimbusNode *node);
    // These nodes are about to be destroyed; whoever shows one must forget it.
    void topicsRemoving(const std::vector<TNimbusNode *> &nodes);
    void propertiesRequested(TNimbusNode *node);
    void visibleRowsChanged(const std::vector<TreeRow> &rows);
    void treeRebuilt();

private:
    TNimbusNode *newTopic(tree::TreeItem *parent, int row, int kind, int ttype);
    void removeItem(tree::TreeItem *selected);
    // Lets the view show the core items' expansion after a bulk change.
    void showExpansion(const tree::TreeItem *select);
    void setAllExpanded(bool expanded);
    void selectAfterBulk(const tree::TreeItem *item);
    // The step begun by beginEdit, with the groups' roll-up that followed.
    void endEdit();

    TreeHistory *history_ = nullptr;
    recurrence::RecurrenceFile *recurrence_ = nullptr;
    std::unique_ptr<history::FieldEditRecorder> edit_;
    std::string editId_;
    history::StepName editName_;
    std::vector<std::unique_ptr<history::StoreCommand>> joined_;

    TNimbusStructure &store_;
    SummaryLists &lists_;
    const Clock &clock_;
    StoreLog &log_;
    tree::TopicTree tree_;
    TopicTreeModel *model_;
    MainTreeView *view_;
    const tree::TreeItem *pendingTop_ = nullptr;
    const void *lastFirstVisible_ = nullptr;
    bool building_ = false;
    bool bulkExpansion_ = false;
    bool treeChanged_ = false;
    bool painting_ = false;
};

} // namespace nimbus
