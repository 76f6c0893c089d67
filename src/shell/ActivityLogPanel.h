// The foot of the main window (`panelFoot`): the activity log's title with room beside it for
// status lines, the button that opens the whole log, and the log's last lines (`reLog`).
#pragma once

#include <QObject>
#include <functional>

class QHBoxLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace nimbus {

class Clock;
struct TAppPaths;
namespace viewer {
class DisplayControl;
}

class ActivityLogPanel : public QObject {
public:
    // Fills panelFoot, which owns the controls. buttonMainLog opens the main log file that paths
    // names (start-up fills paths in later) in a viewer of the registry displayControl returns.
    ActivityLogPanel(QWidget *panelFoot, const TAppPaths &paths, const Clock &clock,
                     std::function<viewer::DisplayControl *()> displayControl);

    // Puts a status line or button beside the title, after the ones added before.
    void addBesideTitle(QWidget *widget, int stretch = 0);

    void buttonMainLogClick();

    QLabel *labelActivityLog = nullptr;
    QPushButton *buttonMainLog = nullptr;
    QPlainTextEdit *reLog = nullptr;

private:
    const TAppPaths &paths_;
    const Clock &clock_;
    std::function<viewer::DisplayControl *()> displayControl_;
    QHBoxLayout *bar_ = nullptr;
    int added_ = 0;
};

} // namespace nimbus
