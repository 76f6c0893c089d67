// gridDue, headed "Status": per topic its page, favourite and urgency icons, its state and,
// for tasks, the priority.
#pragma once

#include "shell/summary/GridIcons.h"
#include "shell/summary/TopicGrid.h"

namespace nimbus::summarypage {

class DueGrid : public TopicGrid {
    Q_OBJECT
public:
    explicit DueGrid(QWidget *parent = nullptr);

protected:
    std::string CellText(const GridRow &row) const override;
    void DrawCell(QPainter &painter, const QRect &cell, const GridRow &row) override;

private:
    GridIcons icons_;
};

} // namespace nimbus::summarypage
