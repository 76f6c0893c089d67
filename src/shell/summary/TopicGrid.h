// A narrow grid beside the topic tree: a heading and one row per visible tree row, each row
// showing one topic. Rows come from the tree (SyncInfoGrids) with their places, so painting
// touches only the rows on screen. Subclasses draw the cells.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

// Complete, so that the node pointer can travel in signals.
#include "store/TNimbusNode.h"

namespace nimbus::summarypage {

// One visible tree row: its topic, its place in the tree's viewport, and the item's state.
struct GridRow {
    TNimbusNode *node = nullptr;
    int top = 0;
    int height = 18;
    bool selected = false;
    bool collapsed = true; // the item's children are hidden (or it has none)
};

class TopicGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeaderHeight = 18;

    TopicGrid(const QString &heading, QWidget *parent = nullptr);

    // The rows the tree shows now; the grid repaints them. Rows are in the tree viewport's
    // coordinates, which start below the grid's heading.
    void SetRows(std::vector<GridRow> rows);
    const std::vector<GridRow> &Rows() const { return rows_; }
    // Row under a point of the widget, -1 when none.
    int RowAt(QPoint position) const;
    // The topic of the row under the pointer, remembered for the double-click.
    TNimbusNode *HoverNode() const { return hoverNode_; }
    const QString &Heading() const { return heading_; }
    // A row in words: its topic and what its cell shows (for a screen reader).
    QString RowText(int row) const;

    QSize sizeHint() const override { return {80, 200}; }

signals:
    // A cell was clicked: the tree selects the row's item.
    void RowClicked(nimbus::TNimbusNode *node);
    // A cell was double-clicked: the topic's properties open.
    void RowDoubleClicked(nimbus::TNimbusNode *node);
    // A right-click (or the Menu key) on a row: the tree's menu for its topic.
    void RowMenuRequested(nimbus::TNimbusNode *node, const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

    // Draws a row's cell over its background.
    virtual void DrawCell(QPainter &painter, const QRect &cell, const GridRow &row) = 0;
    // What the cell shows, in words.
    virtual std::string CellText(const GridRow &row) const = 0;

private:
    void drawHeading(QPainter &painter);

    QString heading_;
    std::vector<GridRow> rows_;
    TNimbusNode *hoverNode_ = nullptr;
};

} // namespace nimbus::summarypage
