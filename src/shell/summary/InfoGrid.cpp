// The "Due" cell: highlight fill, navy text centred when it fits, white inner frame (or their
// dark counterparts on a dark desktop).
#include "shell/summary/InfoGrid.h"

#include <QPainter>

#include "shell/TreeColours.h"
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
    const look::Shade shade = treelook::shadeOf(palette());
    const look::TreeLook &look = look::treeLook(shade);
    const QRect inner = cell.adjusted(0, 1, -1, -2);
    painter.fillRect(inner, treelook::toQColor(look::dueFill(info.colour, shade)));
    const QString text = QString::fromLocal8Bit(info.text);
    const int textWidth = painter.fontMetrics().horizontalAdvance(text);
    painter.setPen(treelook::toQColor(look.dueText));
    painter.drawText(QRect(cell.left() + gridcells::InfoTextLeft(cell.width(), textWidth),
                           cell.top(), cell.width(), cell.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.setPen(treelook::toQColor(look.dueFrame));
    painter.drawRect(inner);
}

std::string InfoGrid::CellText(const GridRow &row) const
{
    return gridcells::InfoCellText(*row.node);
}

} // namespace nimbus::summarypage
