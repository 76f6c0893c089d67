// Header clicks and the sort direction.
#include "viewer/SortState.h"

namespace nimbus::viewer {

bool SortState::click(int column, bool rotated)
{
    if (rotated || column < 0)
        return false;
    if (column == column_) {
        ascending_ = !ascending_;
    } else {
        column_ = column;
        ascending_ = true;
    }
    return true;
}

void SortState::set(int column, bool ascending)
{
    column_ = column;
    ascending_ = ascending;
}

int SortState::imageIndex(int column) const
{
    if (column < 0 || column != column_)
        return -1;
    return ascending_ ? 1 : 0;
}

} // namespace nimbus::viewer
