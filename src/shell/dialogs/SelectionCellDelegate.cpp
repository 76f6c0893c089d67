// Cell drawing of the topic selection grid.
#include "shell/dialogs/SelectionCellDelegate.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPainter>

#include "shell/dialogs/DialogText.h"
#include "store/TNimbusNode.h"
#include "store/TopicSelectionRows.h"

namespace nimbus::dialogs {

namespace {

QColor toColour(int colour)
{
    return QColor(colourRed(colour), colourGreen(colour), colourBlue(colour));
}

void drawDue(QPainter *painter, const QRect &cell, const SelectionRow &row)
{
    if (row.due.empty())
        return;
    const QRect inner = cell.adjusted(0, 1, 0, -1);
    painter->fillRect(inner, toColour(row.dueColour));
    const QString text = toQt(row.due);
    const int width = painter->fontMetrics().horizontalAdvance(text);
    // Centred when it fits, else from the left edge.
    const int left = width < inner.width() ? (inner.width() - width) / 2 + 2 : 2;
    painter->setPen(toColour(kDueTextColour));
    painter->drawText(inner.adjusted(left, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter->setPen(Qt::white);
    painter->drawRect(inner.adjusted(0, 0, -1, -1));
}

void drawStatus(QPainter *painter, const QRect &cell, const SelectionRow &row, const QPixmap &icon)
{
    int left = cell.left() + 2;
    if (!icon.isNull()) {
        painter->drawPixmap(left, cell.top() + (cell.height() - 16) / 2, 16, 16, icon);
        left += 18;
    }
    if (row.priority > 0) {
        // The grey priority box of the due lists.
        const QRect box(left, cell.top() + 2, 14, cell.height() - 4);
        painter->fillRect(box, toColour(kSelectedRowColour));
        QFont bold = painter->font();
        bold.setBold(true);
        painter->save();
        painter->setFont(bold);
        painter->setPen(QColor(144, 144, 144));
        painter->drawText(box, Qt::AlignCenter, QString::number(row.priority));
        painter->restore();
        left += 18;
    }
    QString text = toQt(row.status);
    if (row.percent > 0)
        // The number and its percent sign as the user's language writes them ("60 %" in German).
        text += QLatin1Char(' ') + QCoreApplication::translate("SelectionCellDelegate", "%1%")
                                       .arg(QLocale().toString(row.percent));
    painter->setPen(Qt::black);
    painter->drawText(QRect(left, cell.top(), cell.right() - left, cell.height()),
                      Qt::AlignLeft | Qt::AlignVCenter, text);
}

} // namespace

SelectionCellDelegate::SelectionCellDelegate(StatusIcon statusIcon, QObject *parent)
    : QStyledItemDelegate(parent), statusIcon_(std::move(statusIcon))
{
}

void SelectionCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect, toColour(selected ? kSelectedRowColour : kRowColour));
    const auto *node = static_cast<const TNimbusNode *>(index.data(NodeRole).value<void *>());
    if (node) {
        const SelectionRow row = selectionRow(*node);
        const QRect cell = option.rect;
        switch (index.column()) {
        case 0:
            drawDue(painter, cell, row);
            break;
        case 1:
            drawStatus(painter, cell, row, statusIcon_ ? statusIcon_(*node) : QPixmap());
            break;
        default: {
            QFont font = painter->font();
            font.setBold(row.urgent);
            painter->setFont(font);
            painter->setPen(row.urgent ? QColor(192, 0, 0) : QColor(Qt::black));
            painter->drawText(cell.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                              toQt(row.title));
            break;
        }
        }
    }
    painter->restore();
}

} // namespace nimbus::dialogs
