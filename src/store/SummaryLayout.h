// Where the nine badges of the summary page sit for a window size. The three rows and three
// columns spread out evenly as the window grows beyond 800 x 600.
#pragma once

#include <array>

#include "store/SummaryRules.h"

namespace nimbus::summary {

struct BadgePlace {
    int left = 0; // both pictures of the badge
    int top = 0;
    int labelLeft = 0;
    int labelTop = 0;
};

// Offset of a badge's label from its pictures' top-left corner.
constexpr int kLabelDown = 104;
constexpr int kLabelRight = 18;

// Row and column (0 to 2) of a group's badge on the page.
int BadgeRow(Group group);
int BadgeColumn(Group group);

// The badge an arrow key moves to from a group's badge, as the badges are laid out: rows and
// columns step by one and wrap around at the edges (Down from the bottom row goes to the top).
enum class Direction { Left, Right, Up, Down };
Group BadgeNeighbour(Group from, Direction direction);

// Places of all badges, indexed by indexOf(group), for a page of the given client size.
std::array<BadgePlace, kGroupCount> LayoutSummary(int width, int height);

} // namespace nimbus::summary
