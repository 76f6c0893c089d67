// The viewer's current sort: which column and which direction, and how a header click
// changes them.
#pragma once

namespace nimbus::viewer {

class SortState {
public:
    // A click on a column header: the sort column again reverses the direction, another
    // column sorts ascending. A rotated table is not sorted: false, nothing changes.
    bool click(int column, bool rotated);
    // Sets the sort directly (the initial sort of the options).
    void set(int column, bool ascending);
    void clear() { column_ = -1; }

    int column() const { return column_; }
    bool ascending() const { return ascending_; }
    bool active() const { return column_ >= 0; }
    // The header image of a column: 1 ascending, 0 descending, -1 for the other columns.
    int imageIndex(int column) const;

private:
    int column_ = -1;
    bool ascending_ = true;
};

} // namespace nimbus::viewer
