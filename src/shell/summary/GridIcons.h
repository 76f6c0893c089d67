// The small pictures of the "Status" grid (page kinds, favourite and urgency marks, task and
// event states, progress), drawn by the program at the screen's scale and kept once drawn.
#pragma once

#include <QHash>
#include <QPixmap>

#include "store/GridCells.h"

namespace nimbus::summarypage {

class GridIcons {
public:
    static constexpr int kIconSize = 14; // logical pixels

    // The picture of an icon of the lists imagesDoc, imagesTopicStatus and imagesprogress;
    // a null pixmap for none.
    QPixmap Icon(gridcells::Icon icon, qreal devicePixelRatio);

private:
    static QPixmap draw(gridcells::Icon icon, qreal devicePixelRatio);
    QHash<quint64, QPixmap> cache_;
};

} // namespace nimbus::summarypage
