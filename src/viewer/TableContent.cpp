// Building the rows of a list or table and sorting them by a column.
#include "viewer/TableContent.h"

#include <algorithm>
#include <numeric>

#include "viewer/TableLine.h"

namespace nimbus::viewer {

namespace {
constexpr char kEndOfFileMark = 26;
}

TableContent TableContent::fromListLines(std::vector<std::string> &&lines)
{
    TableContent content;
    content.cells_ = std::move(lines);
    const std::size_t rows = content.cells_.size();
    content.rowStart_.resize(rows + 1);
    std::iota(content.rowStart_.begin(), content.rowStart_.end(), std::size_t{0});
    content.lineNumbers_.resize(rows);
    std::iota(content.lineNumbers_.begin(), content.lineNumbers_.end(), 1);
    content.columnCount_ = rows > 0 ? 1 : 0;
    return content;
}

TableContent TableContent::fromTableLines(const std::vector<std::string> &lines, bool headingLine)
{
    TableContent content;
    content.lineNumbers_.reserve(lines.size());
    content.rowStart_.reserve(lines.size() + 1);
    std::vector<std::string> fields;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string &line = lines[i];
        if (i == 0 && headingLine) {
            splitTableLine(line, fields);
            if (fields.size() > kMaxColumns)
                fields.resize(kMaxColumns);
            content.headings_ = fields;
            continue;
        }
        if (!line.empty() && line.front() == kEndOfFileMark)
            continue;
        splitTableLine(line, fields);
        content.addRow(fields, static_cast<int>(i + 1));
    }
    return content;
}

void TableContent::clear()
{
    *this = TableContent();
}

void TableContent::addRow(const std::vector<std::string> &fields, int lineNumber)
{
    const std::size_t count = std::min(fields.size(), kMaxColumns);
    cells_.insert(cells_.end(), fields.begin(),
                  fields.begin() + static_cast<std::ptrdiff_t>(count));
    rowStart_.push_back(cells_.size());
    lineNumbers_.push_back(lineNumber);
    columnCount_ = std::max(columnCount_, count);
}

std::string_view TableContent::cell(std::size_t row, std::size_t column) const
{
    const std::size_t index = rowStart_[row] + column;
    return index < rowStart_[row + 1] ? std::string_view(cells_[index]) : std::string_view();
}

std::vector<std::string> TableContent::rowFields(std::size_t row) const
{
    return std::vector<std::string>(cells_.begin() + static_cast<std::ptrdiff_t>(rowStart_[row]),
                                    cells_.begin() +
                                        static_cast<std::ptrdiff_t>(rowStart_[row + 1]));
}

std::vector<std::uint32_t> TableContent::sortedOrder(std::size_t column, ColumnType type,
                                                     bool ascending) const
{
    std::vector<std::uint32_t> order(rowCount());
    std::iota(order.begin(), order.end(), 0u);
    // Keys are built once per row, not once per comparison.
    if (type == ColumnType::Number) {
        struct Key {
            bool isNumber;
            double number;
            std::string text;
        };
        std::vector<Key> keys(order.size());
        for (std::size_t r = 0; r < keys.size(); ++r) {
            keys[r].isNumber = numberKey(cell(r, column), keys[r].number);
            if (!keys[r].isNumber)
                keys[r].text = lowerCase(cell(r, column));
        }
        auto less = [&keys](std::uint32_t a, std::uint32_t b) {
            const Key &x = keys[a];
            const Key &y = keys[b];
            if (x.isNumber != y.isNumber)
                return !x.isNumber;
            return x.isNumber ? x.number < y.number : x.text < y.text;
        };
        if (ascending)
            std::stable_sort(order.begin(), order.end(), less);
        else
            std::stable_sort(order.begin(), order.end(),
                             [&less](std::uint32_t a, std::uint32_t b) { return less(b, a); });
        return order;
    }
    std::vector<std::string> keys(order.size());
    for (std::size_t r = 0; r < keys.size(); ++r)
        keys[r] = sortKey(type, cell(r, column));
    if (ascending)
        std::stable_sort(order.begin(), order.end(),
                         [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    else
        std::stable_sort(order.begin(), order.end(),
                         [&keys](std::uint32_t a, std::uint32_t b) { return keys[b] < keys[a]; });
    return order;
}

} // namespace nimbus::viewer
