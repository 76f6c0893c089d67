// Keeps the grids beside the tree (`panelDue`, `panelInfo`) row for row with the tree's rows
// on screen, and lets a click on a grid row act on the tree: select the topic, open its
// options, open the tree's menu for it.
#pragma once

#include <QObject>
#include <vector>

namespace nimbus {

namespace summarypage {
class InfoGrids;
}
class TformMain;
class TNimbusNode;
struct TreeRow;

class TreeGridLink : public QObject {
    Q_OBJECT
public:
    // Connects the window's tree and the grids; lives as long as the grids.
    TreeGridLink(TformMain &window, summarypage::InfoGrids &grids);

private:
    void syncRows(const std::vector<TreeRow> &rows);
    void rowClicked(TNimbusNode *node);
    void rowMenu(TNimbusNode *node, const QPoint &globalPos);

    TformMain &window_;
    summarypage::InfoGrids &grids_;
};

} // namespace nimbus
