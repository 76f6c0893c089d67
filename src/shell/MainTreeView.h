// The topic tree view `treeMain`: rows with bands, the expand zone left of each caption, the
// double-click that opens a topic's properties, and dragging a topic before a sibling.
// What happens to the topics is the TreeController's business; the view reports requests.
#pragma once

#include <QRect>
#include <QStringList>
#include <QTreeView>
#include <functional>
#include <vector>

#include "tree/TopicTree.h"

namespace nimbus {

class TNimbusNode;
class TopicTreeModel;

// One tree row on screen: its node and rectangle in the view's viewport.
struct TreeRow {
    TNimbusNode *node = nullptr;
    QRect rect;
};

class MainTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit MainTreeView(QWidget *parent = nullptr);

    void setTopicModel(TopicTreeModel *model);
    TopicTreeModel *topicModel() const { return model_; }

    tree::TreeItem *itemAt(const QPoint &viewportPos) const;
    tree::TreeItem *currentItem() const;
    tree::TreeItem *firstVisibleItem() const;
    void selectItem(const tree::TreeItem *item);
    void scrollToTop(const tree::TreeItem *item);
    // The strip left of an item's caption (its indentation and expand sign) where a click
    // expands or collapses it.
    bool inExpandZone(const QPoint &viewportPos) const;

    // The rows on screen, top to bottom, at most one more than fit. Numbers them: each node's
    // rowIndex is its row on screen and rowShade says whether it is drawn banded; nodes that
    // left the screen get rowIndex -1. Touches only the rows on screen.
    std::vector<TreeRow> visibleRows();

    // Decides whether a dragged item may be dropped onto another.
    void setDropRule(std::function<bool(tree::TreeItem *dragged, tree::TreeItem *target)> rule)
    {
        dropRule_ = std::move(rule);
    }

    // Band colour of a row by its position on screen (even rows are banded).
    static bool bandedRow(int rowOnScreen) { return rowOnScreen % 2 == 0; }

signals:
    // The user expanded or collapsed an item in its expand zone.
    void userToggled(tree::TreeItem *item);
    // A double-click outside the expand zone: the topic's properties.
    void propertiesRequested(tree::TreeItem *item);
    void dropRequested(tree::TreeItem *dragged, tree::TreeItem *target);
    // Calendar files (.ics) from outside were dropped on target (null: below the items).
    void calendarFilesDropped(const QStringList &paths, tree::TreeItem *target);
    // The view's size changed: a different number of rows is on screen.
    void geometryChanged();

protected:
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                 const QModelIndex &index) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void followPalette();
    bool acceptsDrop(const QPoint &viewportPos) const;
    // The local .ics files a drag from outside carries; empty when it carries anything else.
    static QStringList calendarFiles(const QDropEvent *event, const QWidget *self);

    TopicTreeModel *model_ = nullptr;
    tree::TreeItem *pressed_ = nullptr;
    std::vector<TNimbusNode *> shownNodes_; // the nodes numbered by the last visibleRows()
    std::function<bool(tree::TreeItem *, tree::TreeItem *)> dropRule_;
};

} // namespace nimbus
