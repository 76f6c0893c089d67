// The "Status" cell: icons in 18-pixel slots, and the priority in a grey box.
#include "shell/summary/DueGrid.h"

#include <QPainter>

#include "shell/TreeColours.h"
#include "store/GridCells.h"
#include "store/TNimbusNode.h"

namespace nimbus::summarypage {

using gridcells::kIconInset;
using gridcells::kSlotWidth;

DueGrid::DueGrid(QWidget *parent) : TopicGrid(QStringLiteral("Status"), parent)
{
    setObjectName(QStringLiteral("gridDue"));
}

void DueGrid::DrawCell(QPainter &painter, const QRect &cell, const GridRow &row)
{
    const gridcells::DueCell due = gridcells::DueCellFor(*row.node, row.collapsed);
    const qreal ratio = devicePixelRatioF();
    const int iconTop = cell.top() + (cell.height() - GridIcons::kIconSize) / 2;
    const gridcells::Icon cellIcons[] = {due.content, due.marker, due.state};
    for (int slot = 0; slot < 3; ++slot) {
        const QPixmap icon = icons_.Icon(cellIcons[slot], ratio);
        if (!icon.isNull())
            painter.drawPixmap(cell.left() + slot * kSlotWidth + kIconInset, iconTop, icon);
    }
    if (due.priority > 0) {
        const int slotLeft = cell.left() + 3 * kSlotWidth;
        const QRect box(slotLeft + 2, cell.top() + 2, 14, cell.height() - 4);
        const look::TreeLook &look = treelook::lookFor(palette());
        painter.fillRect(box, treelook::toQColor(look.priorityBox));
        QFont bold = painter.font();
        bold.setBold(true);
        painter.save();
        painter.setFont(bold);
        painter.setPen(treelook::toQColor(look.priorityText));
        painter.drawText(QRect(slotLeft + 5, cell.top(), kSlotWidth, cell.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(due.priority));
        painter.restore();
    }
}

std::string DueGrid::CellText(const GridRow &row) const
{
    return gridcells::DueCellText(*row.node, row.collapsed);
}

} // namespace nimbus::summarypage
