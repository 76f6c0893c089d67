// Tables read from RTF; see RtfTableBuilder.h.
#include "shell/rtf/RtfTableBuilder.h"

#include "shell/rtf/RtfParagraphState.h"

#include <QTextTable>

#include <algorithm>

namespace nimbus::rtf {

namespace {

constexpr double TwipsPerPixel = RtfParagraphState::TwipsPerPixel;

void setBorder(QTextTableCellFormat &format, int side, int twips)
{
    const qreal width = twips / TwipsPerPixel;
    const QBrush black(Qt::black);
    switch (side) {
    case RtfCellDefinition::Top:
        format.setTopBorder(width);
        format.setTopBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setTopBorderBrush(black);
        break;
    case RtfCellDefinition::Left:
        format.setLeftBorder(width);
        format.setLeftBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setLeftBorderBrush(black);
        break;
    case RtfCellDefinition::Bottom:
        format.setBottomBorder(width);
        format.setBottomBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBottomBorderBrush(black);
        break;
    default:
        format.setRightBorder(width);
        format.setRightBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setRightBorderBrush(black);
        break;
    }
}

} // namespace

QTextCursor RtfTableBuilder::beginRow(const QTextCursor &at, const RtfRowDefinition &row)
{
    if (!table_) {
        edges_.clear();
        int previous = 0;
        for (const RtfCellDefinition &cell : row.cells()) {
            const int edge = qMax(previous + 1, cell.right - row.left());
            edges_.push_back(edge);
            previous = edge;
        }
        if (edges_.size() > std::size_t(MaxColumns))
            edges_.resize(std::size_t(MaxColumns));
        if (edges_.empty())
            edges_.push_back(DefaultWidth);
        QTextTableFormat format;
        format.setBorder(0);
        format.setCellSpacing(0);
        format.setCellPadding(CellPadding / TwipsPerPixel);
        format.setBorderCollapse(true);
        QTextCursor cursor(at);
        table_ = cursor.insertTable(1, qMax<int>(1, static_cast<int>(edges_.size())), format);
        row_ = 0;
        openMerges_.clear();
        merges_.clear();
    } else {
        table_->appendRows(1);
        ++row_;
    }
    placeRow(row);
    formatCells(row);
    trackVerticalMerges();
    slot_ = 0;
    rowOpen_ = true;
    return cursorInSlot(0);
}

// Puts each cell of the row on the columns between its left and right edges.
void RtfTableBuilder::placeRow(const RtfRowDefinition &row)
{
    slots_.clear();
    int next = 0;
    for (const RtfCellDefinition &cell : row.cells()) {
        if (cell.merged && !slots_.empty()) { // \clmrg: the cell belongs to the one before
            Slot *first = &slots_.back();
            while (first->merged)
                --first;
            first->span = qMax(first->span, columnForEdge(qMax(edges_[std::size_t(next - 1)] + 1,
                                                                cell.right - row.left())) -
                                                  first->column + 1);
            next = first->column + first->span;
            Slot merged = *first;
            merged.merged = true;
            slots_.push_back(merged);
            continue;
        }
        if (next >= MaxColumns)
            break;
        Slot slot;
        slot.column = next;
        const int edge = qMax(next > 0 ? edges_[std::size_t(next - 1)] + 1 : 1,
                              cell.right - row.left());
        const int last = qMax(next, columnForEdge(edge));
        slot.span = last - next + 1;
        slot.verticalMerged = cell.verticalMerged;
        slot.verticalMergeFirst = cell.verticalMergeFirst;
        slots_.push_back(slot);
        next = last + 1;
    }
    if (slots_.empty())
        slots_.push_back(Slot());
    ensureColumns(next);
    for (const Slot &slot : slots_)
        if (slot.span > 1 && !slot.merged)
            table_->mergeCells(row_, slot.column, 1, slot.span);
}

int RtfTableBuilder::columnOfEdge(int edge) const
{
    if (edges_.empty())
        return 0;
    int best = 0;
    for (std::size_t i = 1; i < edges_.size(); ++i)
        if (std::abs(edges_[i] - edge) < std::abs(edges_[std::size_t(best)] - edge))
            best = static_cast<int>(i);
    return best;
}

int RtfTableBuilder::columnForEdge(int edge)
{
    const auto at = std::lower_bound(edges_.begin(), edges_.end(), edge);
    const int column = static_cast<int>(at - edges_.begin());
    if (at != edges_.end() && *at == edge)
        return column;
    if (static_cast<int>(edges_.size()) >= MaxColumns)
        return qMin(columnOfEdge(edge), MaxColumns - 1);
    if (at == edges_.end()) {
        edges_.push_back(edge);
        table_->appendColumns(1);
        return column;
    }
    splitColumn(column, edge);
    return column;
}

// A row has an edge inside a column: the column becomes two, and the cells of the rows
// before, which covered the whole column, span both.
void RtfTableBuilder::splitColumn(int column, int edge)
{
    // The new column goes to the right of the one split, so that the cells that covered it
    // keep their text first when they are widened over both.
    edges_.insert(edges_.begin() + column, edge);
    table_->insertColumns(column + 1, 1);
    for (int row = 0; row < row_; ++row) {
        if (table_->cellAt(row, column + 1).column() != column + 1)
            continue; // a cell over both columns grew by itself
        const QTextTableCell left = table_->cellAt(row, column);
        merge(left.row(), left.column(), left.rowSpan(), left.columnSpan() + 1);
    }
    auto shift = [column](VerticalMerge &merge) {
        if (merge.rows == 0)
            return;
        if (merge.column > column)
            ++merge.column;
        else if (merge.column + merge.columns > column)
            ++merge.columns;
    };
    for (VerticalMerge &merge : merges_)
        shift(merge);
    std::vector<VerticalMerge> open(openMerges_.size());
    for (VerticalMerge merge : openMerges_) {
        shift(merge);
        if (merge.rows > 0 && std::size_t(merge.column) < open.size())
            open[std::size_t(merge.column)] = merge;
    }
    openMerges_ = std::move(open);
}

// Merges cells; an empty first cell keeps its paragraph's format (Qt would take the format
// of the empty cell merged into it).
void RtfTableBuilder::merge(int row, int column, int rows, int columns)
{
    const QTextBlockFormat format = table_->cellAt(row, column).firstCursorPosition().blockFormat();
    table_->mergeCells(row, column, rows, columns);
    QTextCursor first = table_->cellAt(row, column).firstCursorPosition();
    if (first.blockFormat() != format)
        first.setBlockFormat(format);
}

void RtfTableBuilder::ensureColumns(int count)
{
    count = qMin(count, MaxColumns);
    while (table_->columns() < count) {
        edges_.push_back(edges_.empty() ? DefaultWidth : edges_.back() + DefaultWidth);
        table_->appendColumns(1);
    }
}

void RtfTableBuilder::formatCells(const RtfRowDefinition &row)
{
    std::size_t slot = 0;
    for (const RtfCellDefinition &cell : row.cells()) {
        if (slot >= slots_.size())
            break;
        if (slots_[slot].merged) {
            ++slot;
            continue;
        }
        QTextTableCellFormat format;
        for (int side = 0; side < 4; ++side)
            if (cell.borders[std::size_t(side)] > 0)
                setBorder(format, side, cell.borders[std::size_t(side)]);
        if (format.propertyCount() > 0)
            table_->cellAt(row_, slots_[slot].column).setFormat(format);
        ++slot;
    }
}

void RtfTableBuilder::trackVerticalMerges()
{
    openMerges_.resize(std::size_t(MaxColumns));
    auto close = [this](VerticalMerge &merge) {
        if (merge.rows > 1)
            merges_.push_back(merge);
        merge = VerticalMerge();
        merge.rows = 0;
    };
    for (const Slot &slot : slots_) {
        if (slot.merged)
            continue;
        VerticalMerge &open = openMerges_[std::size_t(slot.column)];
        if (slot.verticalMerged && open.rows > 0 && open.columns == slot.span) {
            ++open.rows;
            continue;
        }
        if (open.rows > 0)
            close(open);
        if (slot.verticalMergeFirst)
            open = VerticalMerge{row_, slot.column, 1, slot.span};
    }
}

QTextCursor RtfTableBuilder::cursorInSlot(std::size_t slot)
{
    const QTextTableCell cell = table_->cellAt(row_, slots_[slot].column);
    return slots_[slot].merged ? cell.lastCursorPosition() : cell.firstCursorPosition();
}

QTextCursor RtfTableBuilder::nextCell()
{
    if (slot_ + 1 < slots_.size())
        return cursorInSlot(++slot_);
    const Slot last = slots_.back();
    const int column = last.column + last.span;
    if (column >= MaxColumns) // no room: the text joins the last cell
        return table_->cellAt(row_, last.column).lastCursorPosition();
    if (column >= table_->columns())
        ensureColumns(column + 1);
    slots_.push_back(Slot{column, 1, false, false, false});
    return cursorInSlot(++slot_);
}

void RtfTableBuilder::endRow()
{
    rowOpen_ = false;
}

QTextCursor RtfTableBuilder::endTable()
{
    QTextTableFormat format = table_->format();
    QList<QTextLength> widths;
    int previous = 0;
    for (int edge : edges_) {
        widths << QTextLength(QTextLength::FixedLength, (edge - previous) / TwipsPerPixel);
        previous = edge;
    }
    format.setColumnWidthConstraints(widths);
    table_->setFormat(format);
    for (VerticalMerge &open : openMerges_)
        if (open.rows > 1)
            merges_.push_back(open);
    for (const VerticalMerge &merge : merges_)
        if (merge.row + merge.rows <= table_->rows() &&
            merge.column + merge.columns <= table_->columns())
            this->merge(merge.row, merge.column, merge.rows, merge.columns);
    QTextCursor cursor = table_->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
    table_ = nullptr;
    rowOpen_ = false;
    slots_.clear();
    openMerges_.clear();
    merges_.clear();
    row_ = -1;
    return cursor;
}

} // namespace nimbus::rtf
