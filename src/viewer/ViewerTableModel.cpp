// The list and table model of the viewer window.
#include "viewer/ViewerTableModel.h"

#include <QApplication>
#include <QStyle>
#include <numeric>

namespace nimbus::viewer {

namespace {

QString toQt(std::string_view text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

bool sameColumns(const std::vector<ColumnLayout> &a, const std::vector<ColumnLayout> &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].caption != b[i].caption || a[i].type != b[i].type)
            return false;
    return true;
}

} // namespace

ViewerTableModel::ViewerTableModel(QObject *parent) : QAbstractTableModel(parent)
{
    ascendingIcon_ = QApplication::style()->standardIcon(QStyle::SP_ArrowUp);
    descendingIcon_ = QApplication::style()->standardIcon(QStyle::SP_ArrowDown);
}

void ViewerTableModel::setContent(TableContent content, std::vector<ColumnLayout> columns,
                                  bool rotated, bool lineNumbers)
{
    const bool sameShape =
        !rotated && !rotated_ && lineNumbers == lineNumbers_ && sameColumns(columns, columns_);
    const int oldRows = tableRows();
    const int newRows = static_cast<int>(content.rowCount());
    auto install = [&](int shownRows) {
        content_ = std::move(content);
        columns_ = std::move(columns);
        rotated_ = rotated;
        lineNumbers_ = lineNumbers;
        shownRows_ = shownRows;
        applySort();
    };

    if (!sameShape) {
        beginResetModel();
        install(newRows);
        endResetModel();
        return;
    }
    // Views see each step on consistent data: rows that go are removed before the new
    // content arrives, rows that come are inserted after the kept ones were updated.
    if (newRows < oldRows) {
        beginRemoveRows(QModelIndex(), newRows, oldRows - 1);
        shownRows_ = newRows;
        endRemoveRows();
    }
    install(std::min(oldRows, newRows));
    const int kept = std::min(oldRows, newRows);
    if (kept > 0 && tableColumns() > 0)
        emit dataChanged(index(0, 0), index(kept - 1, tableColumns() - 1));
    if (newRows > oldRows) {
        beginInsertRows(QModelIndex(), oldRows, newRows - 1);
        shownRows_ = newRows;
        endInsertRows();
    }
    if (tableColumns() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, tableColumns() - 1);
}

void ViewerTableModel::clearContent()
{
    beginResetModel();
    content_.clear();
    columns_.clear();
    order_.clear();
    shownRows_ = 0;
    endResetModel();
}

void ViewerTableModel::applySort()
{
    if (sortColumn_ >= 0 && sortColumn_ < tableColumns() && !rotated_) {
        order_ =
            content_.sortedOrder(static_cast<std::size_t>(sortColumn_),
                                 columns_[static_cast<std::size_t>(sortColumn_)].type, ascending_);
    } else {
        order_.resize(content_.rowCount());
        std::iota(order_.begin(), order_.end(), 0u);
    }
}

void ViewerTableModel::sortBy(int column, bool ascending)
{
    if (rotated_)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Persistent indexes (the current row, the selection) follow their rows.
    const QModelIndexList before = persistentIndexList();
    std::vector<std::uint32_t> rowsBefore;
    rowsBefore.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex &index : before)
        rowsBefore.push_back(order_[static_cast<std::size_t>(index.row())]);

    sortColumn_ = column;
    ascending_ = ascending;
    applySort();

    if (!before.isEmpty()) {
        std::vector<int> positionOf(order_.size());
        for (std::size_t i = 0; i < order_.size(); ++i)
            positionOf[order_[i]] = static_cast<int>(i);
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i)
            after.push_back(
                index(positionOf[rowsBefore[static_cast<std::size_t>(i)]], before[i].column()));
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ViewerTableModel::setSortKey(int column, bool ascending)
{
    sortColumn_ = column;
    ascending_ = ascending;
}

void ViewerTableModel::setSortIndicator(int column, bool ascending)
{
    indicatorColumn_ = column;
    indicatorAscending_ = ascending;
    const Qt::Orientation orientation = rotated_ ? Qt::Vertical : Qt::Horizontal;
    if (tableColumns() > 0)
        emit headerDataChanged(orientation, 0, tableColumns() - 1);
}

QString ViewerTableModel::cellText(int row, int column) const
{
    if (row < 0 || row >= tableRows() || column < 0)
        return {};
    return toQt(
        content_.cell(order_[static_cast<std::size_t>(row)], static_cast<std::size_t>(column)));
}

int ViewerTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return rotated_ ? tableColumns() : tableRows();
}

int ViewerTableModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return rotated_ ? tableRows() : tableColumns();
}

QVariant ViewerTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return rotated_ ? cellText(index.column(), index.row()) : cellText(index.row(), index.column());
}

QVariant ViewerTableModel::columnHeader(int column, int role) const
{
    if (column < 0 || column >= tableColumns())
        return {};
    const int image = column == indicatorColumn_ ? (indicatorAscending_ ? 1 : 0) : -1;
    switch (role) {
    case Qt::DisplayRole:
        return toQt(columns_[static_cast<std::size_t>(column)].caption);
    case Qt::DecorationRole:
        if (image < 0)
            return {};
        return image == 1 ? ascendingIcon_ : descendingIcon_;
    case ImageIndexRole:
        return image;
    default:
        return {};
    }
}

QVariant ViewerTableModel::rowHeader(int row, int role) const
{
    if (role != Qt::DisplayRole || row < 0 || row >= tableRows())
        return {};
    return content_.lineNumber(order_[static_cast<std::size_t>(row)]);
}

QVariant ViewerTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const bool columnSide = (orientation == Qt::Horizontal) != rotated_;
    return columnSide ? columnHeader(section, role) : rowHeader(section, role);
}

} // namespace nimbus::viewer
