// The grids' rows as accessible list items.
#include "shell/summary/TopicGridAccessible.h"

#include "shell/summary/TopicGrid.h"

namespace nimbus::summarypage {

namespace {

// One row of a grid; it asks the grid for its text each time, so it never goes stale when
// the rows move with the tree.
class GridRowAccessible : public QAccessibleInterface {
public:
    GridRowAccessible(TopicGrid *grid, int row) : grid_(grid), row_(row) {}

    bool isValid() const override
    {
        return grid_ && row_ < static_cast<int>(grid_->Rows().size());
    }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        return grid_ ? grid_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *parent() const override
    {
        return grid_ ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        if (t == QAccessible::Name)
            return grid_->RowText(row_);
        if (t == QAccessible::Description)
            return grid_->Heading();
        return {};
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const GridRow &row = grid_->Rows()[static_cast<std::size_t>(row_)];
        const QRect local(0, TopicGrid::kHeaderHeight + row.top, grid_->width(), row.height);
        return QRect(grid_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (isValid())
            state.selected = grid_->Rows()[static_cast<std::size_t>(row_)].selected;
        state.selectable = true;
        state.readOnly = true;
        return state;
    }
    int row() const { return row_; }
    const TopicGrid *grid() const { return grid_; }

private:
    QPointer<TopicGrid> grid_;
    int row_;
};

QAccessibleInterface *gridFactory(const QString &, QObject *object)
{
    if (auto *grid = qobject_cast<TopicGrid *>(object))
        return new TopicGridAccessible(grid);
    return nullptr;
}

} // namespace

TopicGridAccessible::TopicGridAccessible(TopicGrid *grid)
    : QAccessibleWidget(grid, QAccessible::List, grid->Heading())
{
}

TopicGridAccessible::~TopicGridAccessible()
{
    for (QAccessible::Id id : rows_)
        QAccessible::deleteAccessibleInterface(id);
}

TopicGrid *TopicGridAccessible::grid() const
{
    return static_cast<TopicGrid *>(widget());
}

int TopicGridAccessible::childCount() const
{
    return static_cast<int>(grid()->Rows().size());
}

QAccessibleInterface *TopicGridAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    while (static_cast<int>(rows_.size()) <= index)
        rows_.push_back(QAccessible::registerAccessibleInterface(
            new GridRowAccessible(grid(), static_cast<int>(rows_.size()))));
    return QAccessible::accessibleInterface(rows_[static_cast<std::size_t>(index)]);
}

int TopicGridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const auto *row = dynamic_cast<const GridRowAccessible *>(child);
    return row && row->grid() == grid() && row->row() < childCount() ? row->row() : -1;
}

QAccessibleInterface *TopicGridAccessible::childAt(int x, int y) const
{
    const int row = grid()->RowAt(grid()->mapFromGlobal(QPoint(x, y)));
    return row >= 0 ? child(row) : nullptr;
}

void TopicGridAccessible::installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    (void)installed;
}

} // namespace nimbus::summarypage
