// The foot of the main window (`panelFoot`): the activity log's title with room beside it for
// status lines, the button that opens the whole log, and the log's last lines (`reLog`).
#pragma once

#include <QObject>

class QHBoxLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace nimbus {

class ActivityLogPanel : public QObject {
public:
    // Fills panelFoot, which owns the controls.
    explicit ActivityLogPanel(QWidget *panelFoot);

    // Puts a status line or button beside the title, after the ones added before.
    void addBesideTitle(QWidget *widget, int stretch = 0);

    QLabel *labelActivityLog = nullptr;
    QPushButton *buttonMainLog = nullptr;
    QPlainTextEdit *reLog = nullptr;

private:
    QHBoxLayout *bar_ = nullptr;
    int added_ = 0;
};

} // namespace nimbus
