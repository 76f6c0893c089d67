// gridInfo, headed "Due": each task's and event's schedule text on its highlight colour.
#pragma once

#include "shell/summary/TopicGrid.h"

namespace nimbus::summarypage {

class InfoGrid : public TopicGrid {
    Q_OBJECT
public:
    explicit InfoGrid(QWidget *parent = nullptr);

protected:
    std::string CellText(const GridRow &row) const override;
    void DrawCell(QPainter &painter, const QRect &cell, const GridRow &row) override;
};

} // namespace nimbus::summarypage
