// Lines of text shown as rows of a single column.
#include "viewer/TextLinesView.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>

#include "viewer/ViewerTableModel.h"

namespace nimbus::viewer {

TextLinesView::TextLinesView(QWidget *parent) : QTableView(parent)
{
    setShowGrid(false);
    // Rows are read with the arrow keys; Tab goes on to the window's buttons.
    setTabKeyNavigation(false);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalHeader()->setVisible(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void TextLinesView::fitToLongestLine()
{
    const auto *lines = qobject_cast<const ViewerTableModel *>(model());
    if (!lines || lines->columnCount() == 0)
        return;
    const TableContent &content = lines->content();
    std::size_t longest = 0;
    std::size_t longestRow = 0;
    for (std::size_t row = 0; row < content.rowCount(); ++row)
        if (content.cell(row, 0).size() > longest) {
            longest = content.cell(row, 0).size();
            longestRow = row;
        }
    int width = viewport()->width();
    if (longest > 0) {
        const std::string_view line = content.cell(longestRow, 0);
        const QString text =
            QString::fromLocal8Bit(line.data(), static_cast<qsizetype>(line.size()));
        width = std::max(width, fontMetrics().horizontalAdvance(text) + 16);
    }
    setColumnWidth(0, width);
}

QString TextLinesView::selectedText() const
{
    const auto *lines = qobject_cast<const ViewerTableModel *>(model());
    if (!lines)
        return {};
    QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList text;
    for (const QModelIndex &index : rows)
        text << lines->cellText(index.row(), 0);
    return text.join(QLatin1Char('\n'));
}

void TextLinesView::copySelection() const
{
    QApplication::clipboard()->setText(selectedText());
}

void TextLinesView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace nimbus::viewer
