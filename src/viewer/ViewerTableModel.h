// The rows of a list or table behind the viewer's report view. Cells live once, in the
// core's TableContent; the view asks only for the rows it paints.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <cstdint>
#include <vector>

#include "viewer/TableContent.h"
#include "viewer/ViewerRules.h"

namespace nimbus::viewer {

class ViewerTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The header image of a column: 1 ascending, 0 descending, -1 none.
    static constexpr int ImageIndexRole = Qt::UserRole + 1;

    explicit ViewerTableModel(QObject *parent = nullptr);

    // Shows new content. With the same columns and orientation as before, rows already
    // present are updated in place and the others inserted or removed, so that a refresh
    // keeps the view's rows (selection, current row, scroll position); otherwise the model
    // is reset. The current sort is applied to the new rows.
    void setContent(TableContent content, std::vector<ColumnLayout> columns, bool rotated,
                    bool lineNumbers);
    void clearContent();

    // Orders the rows by a column by its sort type. Does nothing in a rotated table.
    void sortBy(int column, bool ascending);
    // Sets the sort the next setContent applies, without sorting now.
    void setSortKey(int column, bool ascending);
    // Shows the direction image on the sort column's header (-1: none).
    void setSortIndicator(int column, bool ascending);

    const TableContent &content() const { return content_; }
    const std::vector<ColumnLayout> &columns() const { return columns_; }
    // Row indexes of content() in the order shown.
    const std::vector<std::uint32_t> &order() const { return order_; }
    bool rotated() const { return rotated_; }
    // The shown text of a cell of the unrotated table, in shown order.
    QString cellText(int row, int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    int tableRows() const { return shownRows_; }
    int tableColumns() const { return static_cast<int>(columns_.size()); }
    QVariant columnHeader(int column, int role) const;
    QVariant rowHeader(int row, int role) const;
    void applySort();

    TableContent content_;
    std::vector<ColumnLayout> columns_;
    std::vector<std::uint32_t> order_;
    // The rows the views know of; differs from the content's only while rows are inserted
    // or removed.
    int shownRows_ = 0;
    bool rotated_ = false;
    bool lineNumbers_ = false;
    int sortColumn_ = -1;
    bool ascending_ = true;
    int indicatorColumn_ = -1;
    bool indicatorAscending_ = true;
    QIcon ascendingIcon_;
    QIcon descendingIcon_;
};

} // namespace nimbus::viewer
