// The tray entry (QSystemTrayIcon, which speaks StatusNotifierItem where the desktop has it):
// the program's icon with the number of overdue and urgent topics drawn on it, a tooltip
// naming them, and a menu with the counts, "Show Nimbus Desk", the next five reminders and
// "Exit".
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <vector>

#include "reminders/ReminderEngine.h"
#include "reminders/TrayCounts.h"

class QAction;
class QMenu;

namespace nimbus::reminderui {

class ReminderTray : public QObject {
    Q_OBJECT
public:
    static constexpr int kNextReminders = 5;

    explicit ReminderTray(QObject *parent = nullptr);
    ~ReminderTray() override;

    // Shows the entry when the desktop has a tray; false when it has none.
    bool showInTray();
    bool visible() const;
    // Whether the entry is shown and the desktop's tray is still there to show it (the
    // program that hosts the tray may have gone since).
    bool reachable() const;
    // Asks whether the desktop has a tray now; the system's answer unless replaced.
    std::function<bool()> trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    void update(const reminders::TrayCounts &counts,
                const std::vector<reminders::UpcomingReminder> &next, DateTime now, int dateOrder);

    QSystemTrayIcon *trayIcon() const { return tray_; }
    QMenu *menu() const { return menu_; }
    QAction *actionShow = nullptr;
    QAction *actionExit = nullptr;
    // The icon with a count drawn on it; none: the plain icon.
    static QIcon iconWithCount(int count);

signals:
    void showRequested();
    void exitRequested();
    void openTopic(const QByteArray &uni);

private:
    QSystemTrayIcon *tray_;
    QMenu *menu_;
    int shownCount_ = -1;
};

} // namespace nimbus::reminderui
