// The two grids beside the tree as one pair: gridInfo ("Due") and gridDue ("Status"), kept
// row for row with the tree's visible rows by SyncInfoGrids.
#pragma once

#include <QObject>
#include <vector>

#include "shell/summary/DueGrid.h"
#include "shell/summary/InfoGrid.h"

namespace nimbus::summarypage {

class InfoGrids : public QObject {
    Q_OBJECT
public:
    // The grids are children of their panels (panelInfo, panelDue); the pair owns neither.
    InfoGrids(QWidget *infoPanel, QWidget *duePanel, QObject *parent = nullptr);

    // Realigns both grids with the visible tree rows, first visible row first. Only those
    // rows are kept and painted, however large the tree.
    void SyncInfoGrids(const std::vector<GridRow> &rows);

    InfoGrid *gridInfo = nullptr;
    DueGrid *gridDue = nullptr;

signals:
    // From either grid: select the topic's tree item, open its properties.
    void RowClicked(nimbus::TNimbusNode *node);
    void RowDoubleClicked(nimbus::TNimbusNode *node);
    void RowMenuRequested(nimbus::TNimbusNode *node, const QPoint &globalPos);
};

} // namespace nimbus::summarypage
