// The main window's reminders: the ReminderController with its passes, the tray entry and the
// reminders' part of the preferences page, wired to the window. "Open" brings the window to
// the front on the topic; "Mark completed" is the "Task finished" button's rule on the
// occurrence the reminder named, as one step of the undo history.
#pragma once

#include <QByteArray>
#include <QObject>
#include <string>

class QTimer;

namespace nimbus {
class TformMain;
}

namespace nimbus::reminderui {

class ReminderController;
class ReminderTray;

class WindowReminders : public QObject {
    Q_OBJECT
public:
    explicit WindowReminders(TformMain &window);

    ReminderController *controller() const { return controller_; }
    ReminderTray *tray() const { return tray_; }

    // One pass (start step and deadline timer) and, with trayToo, the tray brought up to date
    // from the same walk over the topics. The deadline timer refreshes the tray itself after
    // its schedule pass.
    void tick(bool trayToo = true);
    void refreshTray();
    // Whether a close from the desktop only hides the window: the preference is on and the
    // tray entry is there to bring it back.
    bool keepsRunningOnClose() const;
    // The window was hidden to the tray: it is shown again if the tray goes away.
    void hiddenToTray();
    static constexpr int kTrayWatchMsecs = 1000;
    // Closing: leads of topics that are gone are dropped, the files written, the tray hidden.
    void close();
    // A topic's lead time, for the topic options dialog.
    int leadOf(const std::string &uni) const;
    void setLead(const std::string &uni, int minutes);

    void openTopic(const QByteArray &uni);
    void completeTopic(const QByteArray &uni, qint64 occurrenceMsecs, bool occurrenceHasTime);

private:
    TformMain &window_;
    ReminderController *controller_;
    ReminderTray *tray_;
    QTimer *trayWatch_ = nullptr;
};

} // namespace nimbus::reminderui
