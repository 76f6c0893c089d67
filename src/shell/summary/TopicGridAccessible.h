// What a screen reader learns from the grids beside the tree: each grid is a list whose items
// are its rows, named after the row's topic and what its cell shows ("Quarterly report: 5
// days"). The grids draw their cells themselves, so without this they read as empty.
#pragma once

#include <QAccessibleWidget>
#include <QPointer>
#include <vector>

namespace nimbus::summarypage {

class TopicGrid;

class TopicGridAccessible : public QAccessibleWidget {
public:
    explicit TopicGridAccessible(TopicGrid *grid);
    ~TopicGridAccessible() override;

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

    // Installed once: every TopicGrid is read through this interface.
    static void installFactory();

private:
    TopicGrid *grid() const;
    mutable std::vector<QAccessible::Id> rows_; // one registered interface per row index
};

} // namespace nimbus::summarypage
