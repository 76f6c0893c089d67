// The reminders' preferences on the preferences page.
#include "shell/reminders/ReminderPreferencesBox.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "reminders/ReminderPreferences.h"

namespace nimbus::reminderui {

namespace {

QTime timeOf(int minutes)
{
    return QTime(minutes / 60, minutes % 60);
}

int minutesOf(const QTime &time)
{
    return time.hour() * 60 + time.minute();
}

} // namespace

ReminderPreferencesBox::ReminderPreferencesBox(reminders::ReminderPreferences &preferences,
                                               QWidget *parent)
    : QGroupBox(tr("Reminders"), parent), preferences_(preferences)
{
    setObjectName(QStringLiteral("groupReminders"));
    auto *layout = new QVBoxLayout(this);
    checkReminders = new QCheckBox(tr("Remind me of events and tasks as they come due"), this);
    checkReminders->setObjectName(QStringLiteral("checkReminders"));
    checkReminderSound = new QCheckBox(tr("Play a sound with reminders"), this);
    checkReminderSound->setObjectName(QStringLiteral("checkReminderSound"));
    checkQuietHours = new QCheckBox(tr("Quiet hours from"), this);
    checkQuietHours->setObjectName(QStringLiteral("checkQuietHours"));
    timeQuietFrom = new QTimeEdit(this);
    timeQuietFrom->setObjectName(QStringLiteral("timeQuietFrom"));
    timeQuietFrom->setAccessibleName(tr("Quiet hours from"));
    labelQuietTo = new QLabel(tr("to"), this);
    timeQuietTo = new QTimeEdit(this);
    timeQuietTo->setObjectName(QStringLiteral("timeQuietTo"));
    labelQuietTo->setBuddy(timeQuietTo);
    for (QTimeEdit *edit : {timeQuietFrom, timeQuietTo})
        edit->setDisplayFormat(QStringLiteral("HH:mm"));
    checkKeepInTray = new QCheckBox(tr("Keep running in the tray when the window is closed"), this);
    checkKeepInTray->setObjectName(QStringLiteral("checkKeepInTray"));

    layout->addWidget(checkReminders);
    layout->addWidget(checkReminderSound);
    auto *quiet = new QHBoxLayout;
    quiet->addWidget(checkQuietHours);
    quiet->addWidget(timeQuietFrom);
    quiet->addWidget(labelQuietTo);
    quiet->addWidget(timeQuietTo);
    quiet->addStretch();
    layout->addLayout(quiet);
    layout->addWidget(checkKeepInTray);
    showPreferences();

    for (QCheckBox *check : {checkReminders, checkReminderSound, checkQuietHours, checkKeepInTray})
        connect(check, &QCheckBox::toggled, this, &ReminderPreferencesBox::takeControls);
    for (QTimeEdit *edit : {timeQuietFrom, timeQuietTo})
        connect(edit, &QTimeEdit::timeChanged, this, &ReminderPreferencesBox::takeControls);
}

void ReminderPreferencesBox::showPreferences()
{
    showing_ = true;
    checkReminders->setChecked(preferences_.enabled);
    checkReminderSound->setChecked(preferences_.sound);
    checkQuietHours->setChecked(preferences_.quietHours);
    timeQuietFrom->setTime(timeOf(preferences_.quietFrom));
    timeQuietTo->setTime(timeOf(preferences_.quietTo));
    checkKeepInTray->setChecked(preferences_.keepInTray);
    showing_ = false;
    for (QWidget *w : {static_cast<QWidget *>(checkReminderSound), static_cast<QWidget *>(checkQuietHours)})
        w->setEnabled(preferences_.enabled);
    timeQuietFrom->setEnabled(preferences_.enabled && preferences_.quietHours);
    timeQuietTo->setEnabled(preferences_.enabled && preferences_.quietHours);
}

void ReminderPreferencesBox::takeControls()
{
    if (showing_)
        return;
    reminders::ReminderPreferences before = preferences_;
    preferences_.enabled = checkReminders->isChecked();
    preferences_.sound = checkReminderSound->isChecked();
    preferences_.quietHours = checkQuietHours->isChecked();
    preferences_.quietFrom = minutesOf(timeQuietFrom->time());
    preferences_.quietTo = minutesOf(timeQuietTo->time());
    preferences_.keepInTray = checkKeepInTray->isChecked();
    const bool same = before.enabled == preferences_.enabled && before.sound == preferences_.sound &&
                      before.quietHours == preferences_.quietHours &&
                      before.quietFrom == preferences_.quietFrom &&
                      before.quietTo == preferences_.quietTo &&
                      before.keepInTray == preferences_.keepInTray;
    showPreferences();
    if (!same)
        emit changed();
}

} // namespace nimbus::reminderui
