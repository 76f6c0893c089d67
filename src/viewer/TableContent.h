// The rows of a file shown as a list or a table: every row's fields in one flat store, so that
// a file of hundreds of thousands of lines costs little more than its bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/ColumnSort.h"

namespace nimbus::viewer {

class TableContent {
public:
    // Fields beyond this many in a line are not shown: a hostile line of a million commas must
    // not make a million columns.
    static constexpr std::size_t kMaxColumns = 1024;

    // Lines as rows of one field each (the list display).
    static TableContent fromListLines(std::vector<std::string> &&lines);
    // Lines split by the table line format. With headingLine, the first line gives the
    // headings instead of a row. Lines that begin with the end-of-file mark (byte 26) are
    // skipped. Row line numbers count from 1 as in the file.
    static TableContent fromTableLines(const std::vector<std::string> &lines, bool headingLine);

    void clear();
    void addRow(const std::vector<std::string> &fields, int lineNumber);

    std::size_t rowCount() const { return lineNumbers_.size(); }
    // The widest row (at most kMaxColumns).
    std::size_t columnCount() const { return columnCount_; }
    std::size_t fieldCount(std::size_t row) const { return rowStart_[row + 1] - rowStart_[row]; }
    // The cell, or empty when the row has fewer fields.
    std::string_view cell(std::size_t row, std::size_t column) const;
    std::vector<std::string> rowFields(std::size_t row) const;
    int lineNumber(std::size_t row) const { return lineNumbers_[row]; }

    const std::vector<std::string> &headings() const { return headings_; }
    void setHeadings(std::vector<std::string> headings) { headings_ = std::move(headings); }

    // Row indexes in the order of a sort by column (stable; ties keep file order).
    std::vector<std::uint32_t> sortedOrder(std::size_t column, ColumnType type,
                                           bool ascending) const;

private:
    std::vector<std::string> cells_;
    std::vector<std::size_t> rowStart_{0};
    std::vector<int> lineNumbers_;
    std::vector<std::string> headings_;
    std::size_t columnCount_ = 0;
};

} // namespace nimbus::viewer
