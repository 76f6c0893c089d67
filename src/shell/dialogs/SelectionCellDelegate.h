// Draws the cells of the topic selection grid as the due lists beside the tree draw theirs:
// the schedule text on its highlight colour, the state with its icon and priority box, and
// the title, on a light grey row when selected and white otherwise.
#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>
#include <functional>

namespace nimbus {
class TNimbusNode;
}

namespace nimbus::dialogs {

class SelectionCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int NodeRole = Qt::UserRole + 1; // the row's TNimbusNode, as void*

    using StatusIcon = std::function<QPixmap(const TNimbusNode &)>;
    explicit SelectionCellDelegate(StatusIcon statusIcon, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    StatusIcon statusIcon_;
};

} // namespace nimbus::dialogs
