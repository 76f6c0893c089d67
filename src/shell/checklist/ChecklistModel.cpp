// The checklist items as a table model.
#include "shell/checklist/ChecklistModel.h"

#include <algorithm>

#include "store/ChecklistRules.h"
#include "store/THyperData.h"

namespace nimbus::checklist {

namespace {

constexpr int kItemColumn = 0;
constexpr int kFinishedColumn = 1;

QString toQt(const std::string &text)
{
    return QString::fromLocal8Bit(text.c_str());
}

} // namespace

ChecklistModel::ChecklistModel(QObject *parent) : QAbstractTableModel(parent) {}

void ChecklistModel::reset(std::vector<ChecklistItem> items, const THyperData &page, int dateOrder)
{
    beginResetModel();
    items_ = std::move(items);
    dateOrder_ = dateOrder;
    columnNumbers_.clear();
    headings_.clear();
    for (const auto &column : page.columns) {
        columnNumbers_.push_back(column->col);
        headings_.push_back(toQt(column->hdg));
    }
    endResetModel();
}

void ChecklistModel::clearAll()
{
    beginResetModel();
    items_.clear();
    columnNumbers_.clear();
    headings_.clear();
    endResetModel();
}

void ChecklistModel::append(std::vector<ChecklistItem> added)
{
    if (added.empty())
        return;
    const int first = count();
    beginInsertRows({}, first, first + static_cast<int>(added.size()) - 1);
    for (ChecklistItem &item : added)
        items_.push_back(std::move(item));
    endInsertRows();
}

void ChecklistModel::setText(int row, const std::string &text)
{
    if (row < 0 || row >= count())
        return;
    SetItemText(items_[static_cast<std::size_t>(row)], text);
    rowChanged(row);
}

void ChecklistModel::setTick(int row, bool ticked, const Clock &clock)
{
    if (row < 0 || row >= count())
        return;
    SetTick(items_[static_cast<std::size_t>(row)], ticked, clock);
    rowChanged(row);
}

void ChecklistModel::removeItems(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // From the bottom up, so that the rows still to go keep their numbers.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const int row = *it;
        if (row < 0 || row >= count())
            continue;
        beginRemoveRows({}, row, row);
        items_.erase(items_.begin() + row);
        endRemoveRows();
    }
}

int ChecklistModel::move(int row, int delta)
{
    const int target = MoveTarget(row, count(), delta);
    if (target < 0)
        return -1;
    // beginMoveRows names the row the item goes before: one further down when moving down.
    const int destination = delta > 0 ? target + 1 : target;
    beginMoveRows({}, row, row, {}, destination);
    MoveItem(items_, row, delta);
    endMoveRows();
    return target;
}

void ChecklistModel::untickAll()
{
    for (ChecklistItem &item : items_)
        item.checked = false;
    if (!items_.empty() && columnCount() > 0)
        emit dataChanged(index(0, 0), index(count() - 1, columnCount() - 1));
}

void ChecklistModel::clearDates()
{
    for (ChecklistItem &item : items_)
        item.finished.clear();
    if (!items_.empty() && columnCount() > 0)
        emit dataChanged(index(0, 0), index(count() - 1, columnCount() - 1));
}

void ChecklistModel::removeAll()
{
    if (items_.empty())
        return;
    beginRemoveRows({}, 0, count() - 1);
    items_.clear();
    endRemoveRows();
}

int ChecklistModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int ChecklistModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columnNumbers_.size());
}

int ChecklistModel::textColumn() const
{
    const auto it = std::find(columnNumbers_.begin(), columnNumbers_.end(), kItemColumn);
    return it == columnNumbers_.end() ? 0 : static_cast<int>(it - columnNumbers_.begin());
}

QString ChecklistModel::cellText(const ChecklistItem &item, int column) const
{
    switch (columnNumbers_[static_cast<std::size_t>(column)]) {
    case kItemColumn:
        return toQt(item.text);
    case kFinishedColumn:
        return toQt(FinishedText(item.finished, dateOrder_));
    default:
        return {};
    }
}

QVariant ChecklistModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ChecklistItem &item = items_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cellText(item, index.column());
    case Qt::CheckStateRole:
        // The tick is drawn in the first column; pressing it is the view's job, not the
        // delegate's, so the item is not user-checkable.
        if (index.column() == 0)
            return item.checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ToolTipRole:
        if (index.column() == textColumn() && item.link.found)
            return toQt(item.link.link);
        return {};
    default:
        return {};
    }
}

QVariant ChecklistModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= headings_.size())
        return {};
    return headings_.at(section);
}

Qt::ItemFlags ChecklistModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ChecklistModel::rowChanged(int row)
{
    if (columnCount() == 0)
        return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

} // namespace nimbus::checklist
