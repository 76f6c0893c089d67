// The items of one checklist page as a table: tick and text under "Item", the finish date
// under "Finished", other columns empty. Changes go through the checklist:: rules.
#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "store/ChecklistItem.h"

namespace nimbus {
class Clock;
class THyperData;
} // namespace nimbus

namespace nimbus::checklist {

class ChecklistModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChecklistModel(QObject *parent = nullptr);

    // Shows the items under the page's columns (the page is read, not kept).
    void reset(std::vector<ChecklistItem> items, const THyperData &page, int dateOrder);
    // No items and no columns.
    void clearAll();

    const std::vector<ChecklistItem> &items() const { return items_; }
    const ChecklistItem &item(int row) const { return items_.at(static_cast<std::size_t>(row)); }
    int count() const { return static_cast<int>(items_.size()); }

    void append(std::vector<ChecklistItem> added);
    void setText(int row, const std::string &text);
    void setTick(int row, bool ticked, const Clock &clock);
    // Removes the rows (any order, duplicates allowed).
    void removeItems(std::vector<int> rows);
    // Moves the row one place up or down; its new row, or -1 when it stays.
    int move(int row, int delta);
    void untickAll();
    void clearDates();
    void removeAll();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The model column that shows the item text (the page's column number 0).
    int textColumn() const;

private:
    QString cellText(const ChecklistItem &item, int column) const;
    void rowChanged(int row);

    std::vector<ChecklistItem> items_;
    std::vector<int> columnNumbers_; // the page's `col` of each model column
    QStringList headings_;
    int dateOrder_ = 0;
};

} // namespace nimbus::checklist
