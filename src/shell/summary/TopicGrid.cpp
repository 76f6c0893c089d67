// Rows, heading, backgrounds and mouse handling shared by the "Due" and "Status" grids.
#include "shell/summary/TopicGrid.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "shell/TreeColours.h"
#include "shell/summary/TopicGridAccessible.h"
#include "store/GridCells.h"
#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

namespace nimbus::summarypage {

TopicGrid::TopicGrid(const QString &heading, QWidget *parent) : QWidget(parent), heading_(heading)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    TopicGridAccessible::installFactory();
}

QString TopicGrid::RowText(int row) const
{
    if (row < 0 || row >= static_cast<int>(rows_.size()) || !rows_[static_cast<std::size_t>(row)].node)
        return {};
    const GridRow &shown = rows_[static_cast<std::size_t>(row)];
    return QString::fromLocal8Bit(shown.node->text.c_str()) + QStringLiteral(": ") +
           QString::fromLocal8Bit(CellText(shown).c_str());
}

void TopicGrid::SetRows(std::vector<GridRow> rows)
{
    rows_ = std::move(rows);
    // A row that left the screen must not be remembered: its node may go away.
    hoverNode_ = nullptr;
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&changed);
    }
}

int TopicGrid::RowAt(QPoint position) const
{
    const int y = position.y() - kHeaderHeight;
    if (position.y() < kHeaderHeight)
        return -1;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (y >= rows_[i].top && y < rows_[i].top + rows_[i].height)
            return static_cast<int>(i);
    return -1;
}

void TopicGrid::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    const look::TreeLook &look = treelook::lookFor(palette());
    painter.fillRect(dirty, treelook::toQColor(look.plainBackground));
    painter.setClipRect(QRect(0, kHeaderHeight, width(), height() - kHeaderHeight));
    for (const GridRow &row : rows_) {
        const QRect cell(0, kHeaderHeight + row.top, width(), row.height);
        if (!row.node || !cell.intersects(dirty))
            continue;
        painter.fillRect(cell, treelook::toQColor(row.selected              ? look.selectedBackground
                                                  : row.node->rowShade == 1 ? look.bandBackground
                                                                            : look.plainBackground));
        DrawCell(painter, cell, row);
    }
    painter.setClipping(false);
    if (dirty.top() < kHeaderHeight)
        drawHeading(painter);
}

void TopicGrid::drawHeading(QPainter &painter)
{
    const look::TreeLook &look = treelook::lookFor(palette());
    const QRect header(0, 0, width(), kHeaderHeight);
    QLinearGradient shade(header.topLeft(), header.bottomLeft());
    shade.setColorAt(0, treelook::toQColor(look.headingTop));
    shade.setColorAt(1, treelook::toQColor(look.headingBottom));
    painter.fillRect(header, shade);
    painter.setPen(treelook::toQColor(look.headingLine));
    painter.drawLine(header.bottomLeft(), header.bottomRight());
    painter.setPen(treelook::toQColor(look.headingText));
    painter.drawText(header, Qt::AlignCenter, heading_);
}

void TopicGrid::mousePressEvent(QMouseEvent *event)
{
    const int row = RowAt(event->position().toPoint());
    if (row >= 0 && event->button() == Qt::LeftButton)
        emit RowClicked(rows_[static_cast<std::size_t>(row)].node);
}

void TopicGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int row = RowAt(event->position().toPoint());
    hoverNode_ = row >= 0 ? rows_[static_cast<std::size_t>(row)].node : nullptr;
    if (hoverNode_ && event->button() == Qt::LeftButton)
        emit RowDoubleClicked(hoverNode_);
}

void TopicGrid::mouseMoveEvent(QMouseEvent *event)
{
    const int row = RowAt(event->position().toPoint());
    hoverNode_ = row >= 0 ? rows_[static_cast<std::size_t>(row)].node : nullptr;
}

void TopicGrid::leaveEvent(QEvent *)
{
    hoverNode_ = nullptr;
}

void TopicGrid::contextMenuEvent(QContextMenuEvent *event)
{
    // From the keyboard: the selected row, the one the keys act on.
    int row = -1;
    if (event->reason() == QContextMenuEvent::Mouse) {
        row = RowAt(event->pos());
    } else {
        for (std::size_t i = 0; i < rows_.size(); ++i)
            if (rows_[i].selected)
                row = static_cast<int>(i);
    }
    if (row < 0)
        return;
    event->accept();
    emit RowMenuRequested(rows_[static_cast<std::size_t>(row)].node, event->globalPos());
}

void TopicGrid::wheelEvent(QWheelEvent *event)
{
    // The grids follow the tree; they never scroll on their own.
    event->accept();
}

} // namespace nimbus::summarypage
