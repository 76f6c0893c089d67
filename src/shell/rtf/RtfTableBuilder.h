// Builds QTextTables from RTF rows while the reader goes through them: a row starts when the
// first paragraph marked \intbl arrives, \cell moves to the next cell, \row ends the row and
// the first paragraph outside the table ends the table. Cells are placed on columns by their
// right edges: every edge of every row is a column edge, so wider cells span columns (the way
// word processors write merged cells); \clmgf/\clmrg and \clvmgf/\clvmrg merge cells as well.
#pragma once

#include "shell/rtf/RtfRowDefinition.h"

#include <QTextCursor>

#include <vector>

class QTextTable;

namespace nimbus::rtf {

class RtfTableBuilder {
public:
    // A row never has more columns than this; further cells share the last one.
    static constexpr int MaxColumns = 64;
    // Twips between a cell's text and its borders.
    static constexpr int CellPadding = 60;
    // The width of a column that no \cellx gave.
    static constexpr int DefaultWidth = 2880;

    bool inTable() const { return table_ != nullptr; }
    bool inRow() const { return rowOpen_; }

    // Starts a row (and a table at `at` when none is open); returns the cursor in its first cell.
    QTextCursor beginRow(const QTextCursor &at, const RtfRowDefinition &row);
    // Ends the current cell; returns the cursor in the next one (added when the row has none).
    QTextCursor nextCell();
    void endRow();
    // Ends the table; returns the cursor in the paragraph after it.
    QTextCursor endTable();

private:
    struct Slot {
        int column = 0;
        int span = 1;
        bool verticalMerged = false;
        bool verticalMergeFirst = false;
        bool merged = false; // a \clmrg cell: its \cell belongs to the cell before it
    };
    struct VerticalMerge {
        int row = 0, column = 0, rows = 0, columns = 1; // rows 0: none open
    };

    void placeRow(const RtfRowDefinition &row);
    int columnOfEdge(int edge) const;
    // The column whose right edge is `edge`, made by splitting a column or adding one.
    int columnForEdge(int edge);
    void splitColumn(int column, int edge);
    void ensureColumns(int count);
    void merge(int row, int column, int rows, int columns);
    void formatCells(const RtfRowDefinition &row);
    void trackVerticalMerges();
    QTextCursor cursorInSlot(std::size_t slot);

    QTextTable *table_ = nullptr;
    std::vector<int> edges_; // right edges of the table's columns, in twips
    std::vector<Slot> slots_;
    std::size_t slot_ = 0;
    int row_ = -1;
    bool rowOpen_ = false;
    std::vector<VerticalMerge> openMerges_; // by column
    std::vector<VerticalMerge> merges_;
};

} // namespace nimbus::rtf
