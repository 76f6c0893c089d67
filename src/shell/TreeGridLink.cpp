// The grids beside the tree, level with its rows.
#include "shell/TreeGridLink.h"

#include "shell/MainTreeView.h"
#include "shell/TformMain.h"
#include "shell/TreeActions.h"
#include "shell/TreeController.h"
#include "shell/summary/InfoGrids.h"
#include "shell/summary/TopicGrid.h"
#include "tree/TopicTree.h"

namespace nimbus {

TreeGridLink::TreeGridLink(TformMain &window, summarypage::InfoGrids &grids)
    : QObject(&grids), window_(window), grids_(grids)
{
    connect(window.treeController(), &TreeController::visibleRowsChanged, this,
            &TreeGridLink::syncRows);
    connect(&grids, &summarypage::InfoGrids::RowClicked, this, &TreeGridLink::rowClicked);
    connect(&grids, &summarypage::InfoGrids::RowDoubleClicked, &window, &TformMain::editTopic);
    connect(&grids, &summarypage::InfoGrids::RowMenuRequested, this, &TreeGridLink::rowMenu);
}

void TreeGridLink::syncRows(const std::vector<TreeRow> &rows)
{
    TreeController *tree = window_.treeController();
    if (!tree)
        return;
    const TNimbusNode *selected = tree->selectedNode();
    // Rows come in the tree's viewport, below the heading and the search field; the grids
    // draw theirs below their own heading: the difference moves them level with the tree's
    // rows.
    const QWidget *viewport = tree->treeMain()->viewport();
    const int shift = viewport->mapToGlobal(QPoint()).y() -
                      grids_.gridInfo->mapToGlobal(QPoint()).y() -
                      summarypage::TopicGrid::kHeaderHeight;
    std::vector<summarypage::GridRow> gridRows;
    gridRows.reserve(rows.size());
    for (const TreeRow &row : rows) {
        const auto *item = static_cast<const tree::TreeItem *>(row.node->treeItem);
        gridRows.push_back({row.node, row.rect.top() + shift, row.rect.height(),
                            row.node == selected, !item || !item->expanded});
    }
    grids_.SyncInfoGrids(gridRows);
}

void TreeGridLink::rowClicked(TNimbusNode *node)
{
    if (TreeController *tree = window_.treeController())
        tree->selectNode(node);
}

void TreeGridLink::rowMenu(TNimbusNode *node, const QPoint &globalPos)
{
    TreeController *tree = window_.treeController();
    if (!tree || !node)
        return;
    tree->selectNode(node);
    window_.treeActions()->popupForSelection(globalPos);
}

} // namespace nimbus
