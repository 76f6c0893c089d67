// Colours and sizes of the topic tree's rows, shared by the tree and the grids beside it.
#pragma once

#include <QColor>

namespace nimbus::treelook {

constexpr int kRowHeight = 20; // every tree row, and so every grid row beside it
constexpr int kIndent = 24;    // pixels per level

inline QColor selectedBackground()
{
    return {229, 229, 229};
}
inline QColor bandBackground()
{
    return {232, 244, 244};
}
inline QColor plainBackground()
{
    return {255, 255, 255};
}
inline QColor sectionCaption()
{
    return {16, 16, 16};
}
inline QColor urgentCaption()
{
    return {255, 0, 0};
}
inline QColor completedCaption()
{
    return {0, 128, 0};
}
inline QColor topicCaption()
{
    return {0, 0, 128};
}

} // namespace nimbus::treelook
