// The software panel of the about page: the list of registered products (`listSoftware`),
// the update log button and the "Check for updates" button.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "shell/software/UpdateController.h"
#include "update/SoftwareList.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace nimbus {

namespace viewer {
class DisplayControl;
}

class SoftwarePanel : public QWidget {
    Q_OBJECT
public:
    // The viewer registry while there is one (it goes when the main window closes).
    using ViewerRegistry = std::function<viewer::DisplayControl *()>;

    // Registers itself with updates, which shows its rows here from now on.
    SoftwarePanel(UpdateController &updates, ViewerRegistry viewers, QWidget *parent = nullptr);

    // Empties the list and fills it with rows.
    void showRows(const std::vector<update::SoftwareRow> &rows);

    QLabel *labelUpdates = nullptr;

    QLabel *labelCheckResult = nullptr; // what the last check did
    QTreeWidget *listSoftware = nullptr;
    QPushButton *buttonUpdateLog = nullptr;
    QPushButton *buttonCheckVersion = nullptr;

    void buttonCheckVersionClick();
    void buttonUpdateLogClick();
    void listSoftwareDblClick();

private:
    QPointer<UpdateController> updates_;
    ViewerRegistry viewers_;
};

} // namespace nimbus
