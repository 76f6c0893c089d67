// Creating the grid pair and realigning it.
#include "shell/summary/InfoGrids.h"

namespace nimbus::summarypage {

InfoGrids::InfoGrids(QWidget *infoPanel, QWidget *duePanel, QObject *parent)
    : QObject(parent), gridInfo(new InfoGrid(infoPanel)), gridDue(new DueGrid(duePanel))
{
    for (TopicGrid *grid :
         {static_cast<TopicGrid *>(gridInfo), static_cast<TopicGrid *>(gridDue)}) {
        connect(grid, &TopicGrid::RowClicked, this, &InfoGrids::RowClicked);
        connect(grid, &TopicGrid::RowDoubleClicked, this, &InfoGrids::RowDoubleClicked);
        connect(grid, &TopicGrid::RowMenuRequested, this, &InfoGrids::RowMenuRequested);
    }
}

void InfoGrids::SyncInfoGrids(const std::vector<GridRow> &rows)
{
    gridInfo->SetRows(rows);
    gridDue->SetRows(rows);
}

} // namespace nimbus::summarypage
