// The pictures of the summary page, drawn by the program itself so that they stay sharp at
// any screen scale: the sky behind the badges and each badge's low and highlighted picture.
#pragma once

#include <QPixmap>
#include <QSize>

#include "shell/core/TreeLook.h"
#include "store/SummaryRules.h"

namespace nimbus::summarypage {

// Logical size of a badge picture; its label sits just below it, 18 pixels in, so the disc
// is drawn a little right of the picture's middle to stand centred over its label.
constexpr int kBadgeWidth = 130;
constexpr int kBadgeHeight = 100;

class BadgeArt {
public:
    // A badge picture at the given device pixel ratio; highlighted pictures glow.
    static QPixmap Badge(summary::Group group, bool highlighted, qreal devicePixelRatio);
    // The sky for a page of the given logical size: a day sky, or a night sky with faint clouds
    // on a dark desktop, so that the white labels stay readable.
    static QPixmap Sky(QSize size, qreal devicePixelRatio, look::Shade shade);
};

} // namespace nimbus::summarypage
