// Draws one caption of the topic tree: the type or section icon left of the caption, and the
// caption's colour and weight by the kind and state of the topic.
#pragma once

#include <QStyledItemDelegate>

namespace nimbus {

class TNimbusNode;

class TopicItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

    // Caption boldness of a node at a depth, as the tree shows it.
    static bool captionBold(const TNimbusNode &node, int depth);
};

} // namespace nimbus
