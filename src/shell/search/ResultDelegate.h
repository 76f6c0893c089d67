// Paints a results row: two icons, then the path and where it matched over the snippet,
// both as rich text so that the matched words stand out.
#pragma once

#include <QStyledItemDelegate>

namespace nimbus::searchui {

class ResultDelegate : public QStyledItemDelegate {
public:
    static constexpr int kStatusIconRole = Qt::UserRole + 1;
    static constexpr int kHtmlRole = Qt::UserRole + 2;
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace nimbus::searchui
