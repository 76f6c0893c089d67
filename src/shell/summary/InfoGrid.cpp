// The "Due" cell: highlight fill, navy text centred when it fits, white inner frame.
#include "shell/summary/InfoGrid.h"

#include <QPainter>

#include "store/GridCells.h"
#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

namespace nimbus::summarypage {

InfoGrid::InfoGrid(QWidget *parent) : TopicGrid(QStringLiteral("Due"), parent)
{
    setObjectName(QStringLiteral("gridInfo"));
}

void InfoGrid::DrawCell(QPainter &painter, const QRect &cell, const GridRow &row)
{
    const gridcells::InfoCell info = gridcells::InfoCellFor(*row.node);
    if (!info.shown)
        return;
    const QRect inner = cell.adjusted(0, 1, -1, -2);
    painter.fillRect(
        inner, QColor(colourRed(info.colour), colourGreen(info.colour), colourBlue(info.colour)));
    const QString text = QString::fromLocal8Bit(info.text);
    const int textWidth = painter.fontMetrics().horizontalAdvance(text);
    painter.setPen(QColor(0, 0, 128));
    painter.drawText(QRect(cell.left() + gridcells::InfoTextLeft(cell.width(), textWidth),
                           cell.top(), cell.width(), cell.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.setPen(Qt::white);
    painter.drawRect(inner);
}

std::string InfoGrid::CellText(const GridRow &row) const
{
    return gridcells::InfoCellText(*row.node);
}

} // namespace nimbus::summarypage
