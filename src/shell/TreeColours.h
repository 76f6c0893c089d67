// Colours and sizes of the topic tree's rows, shared by the tree and the grids beside it. The
// colours follow the desktop: the documented light set, or the dark set under a dark palette.
#pragma once

#include <QColor>
#include <QPalette>

#include "shell/core/TreeLook.h"

namespace nimbus::treelook {

constexpr int kRowHeight = 20; // every tree row, and so every grid row beside it
constexpr int kIndent = 24;    // pixels per level

inline QColor toQColor(look::Rgb colour)
{
    return {colour.red, colour.green, colour.blue};
}

inline look::Shade shadeOf(const QPalette &palette)
{
    const QColor base = palette.color(QPalette::Base);
    return look::shadeFor({base.red(), base.green(), base.blue()});
}

// The colour set for a widget's palette.
inline const look::TreeLook &lookFor(const QPalette &palette)
{
    return look::treeLook(shadeOf(palette));
}

} // namespace nimbus::treelook
