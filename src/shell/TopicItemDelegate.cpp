// Icon and caption of a tree row; the row's background is the view's (MainTreeView::drawRow).
#include "shell/TopicItemDelegate.h"

#include <QPainter>

#include "shell/TopicIcons.h"
#include "shell/TopicTreeModel.h"
#include "shell/TreeColours.h"
#include "store/TNimbusNode.h"

namespace nimbus {

namespace {

constexpr int kIconSize = 16;
constexpr int kIconGap = 4;

TNimbusNode *nodeAt(const QModelIndex &index)
{
    return static_cast<TNimbusNode *>(index.data(TopicTreeModel::NodeRole).value<void *>());
}

int depthOf(QModelIndex index)
{
    int depth = 0;
    for (index = index.parent(); index.isValid(); index = index.parent())
        ++depth;
    return depth;
}

} // namespace

bool TopicItemDelegate::captionBold(const TNimbusNode &node, int depth)
{
    return node.lev == 0 || depth == 1 || depth == 2;
}

void TopicItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    const TNimbusNode *node = nodeAt(index);
    if (!node)
        return;
    painter->save();
    const QRect rect = option.rect;
    const QIcon icon = node->lev == 0 ? icons::section(node->type) : icons::topicType(node->ttype);
    const QRect iconRect(rect.left() + 2, rect.top() + (rect.height() - kIconSize) / 2, kIconSize,
                         kIconSize);
    icon.paint(painter, iconRect);

    QFont font = option.font;
    font.setBold(captionBold(*node, depthOf(index)));
    painter->setFont(font);
    const look::TreeLook &colours = treelook::lookFor(option.palette);
    painter->setPen(treelook::toQColor(look::captionColour(colours, *node)));
    const QRect textRect = rect.adjusted(2 + kIconSize + kIconGap, 0, -2, 0);
    const QString text =
        QFontMetrics(font).elidedText(index.data().toString(), Qt::ElideRight, textRect.width());
    painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text);
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(QPen(treelook::toQColor(colours.focusFrame), 1, Qt::DotLine));
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QSize TopicItemDelegate::sizeHint(const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    QFont font = option.font;
    font.setBold(true);
    const int width = QFontMetrics(font).horizontalAdvance(index.data().toString());
    return {width + kIconSize + kIconGap + 8, treelook::kRowHeight};
}

void TopicItemDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                             const QModelIndex &) const
{
    // The editor covers the caption, not the icon.
    editor->setGeometry(option.rect.adjusted(2 + kIconSize + kIconGap - 3, 0, 0, 0));
}

} // namespace nimbus
