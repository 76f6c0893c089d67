// The reminders' part of the preferences page: reminders on or off, their sound, quiet hours
// and keeping the program in the tray when the window is closed. Each change is written at
// once (only when a value changed).
#pragma once

#include <QGroupBox>
#include <functional>

class QCheckBox;
class QLabel;
class QTimeEdit;

namespace nimbus::reminders {
class ReminderPreferences;
}

namespace nimbus::reminderui {

class ReminderPreferencesBox : public QGroupBox {
    Q_OBJECT
public:
    ReminderPreferencesBox(reminders::ReminderPreferences &preferences, QWidget *parent = nullptr);

    QCheckBox *checkReminders = nullptr;
    QCheckBox *checkReminderSound = nullptr;
    QCheckBox *checkQuietHours = nullptr;
    QTimeEdit *timeQuietFrom = nullptr;
    QLabel *labelQuietTo = nullptr;
    QTimeEdit *timeQuietTo = nullptr;
    QCheckBox *checkKeepInTray = nullptr;

    // Shows the preferences' values.
    void showPreferences();

signals:
    // A value changed; the owner writes the file.
    void changed();

private:
    void takeControls();

    reminders::ReminderPreferences &preferences_;
    bool showing_ = false;
};

} // namespace nimbus::reminderui
