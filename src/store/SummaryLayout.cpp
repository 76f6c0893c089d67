// Badge positions of the summary page.
#include "store/SummaryLayout.h"

namespace nimbus::summary {

namespace {

// Picture numbers row by row: 1 2 3 / 5 9 4 / 6 7 8.
constexpr Group kGrid[3][3] = {{Group::Deadlines, Group::Urgent, Group::Overdue},
                               {Group::InProgress, Group::Waiting, Group::Events},
                               {Group::New, Group::Changes, Group::Favourites}};

} // namespace

int BadgeRow(Group group)
{
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            if (kGrid[row][column] == group)
                return row;
    return 0;
}

int BadgeColumn(Group group)
{
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            if (kGrid[row][column] == group)
                return column;
    return 0;
}

Group BadgeNeighbour(Group from, Direction direction)
{
    int row = BadgeRow(from);
    int column = BadgeColumn(from);
    switch (direction) {
    case Direction::Left:
        column = (column + 2) % 3;
        break;
    case Direction::Right:
        column = (column + 1) % 3;
        break;
    case Direction::Up:
        row = (row + 2) % 3;
        break;
    case Direction::Down:
        row = (row + 1) % 3;
        break;
    }
    return kGrid[row][column];
}

std::array<BadgePlace, kGroupCount> LayoutSummary(int width, int height)
{
    const int gx = width > 800 ? (width - 800) / 4 : 0;
    const int gy = height > 600 ? (height - 600) / 4 : 0;
    const int rowTops[3] = {gy + 15, 2 * gy + 200, 3 * gy + 385};
    const int columnLefts[3] = {gx + 60, 2 * gx + 300, 3 * gx + 540};
    std::array<BadgePlace, kGroupCount> places{};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            BadgePlace &place = places[static_cast<std::size_t>(indexOf(kGrid[row][column]))];
            place.left = columnLefts[column];
            place.top = rowTops[row];
            place.labelLeft = place.left + kLabelRight;
            place.labelTop = place.top + kLabelDown;
        }
    return places;
}

} // namespace nimbus::summary
