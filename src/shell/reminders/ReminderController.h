// Reminders in the running program: owns the reminder preferences, the topics' lead times,
// the reminder state and the rules (reminders/), makes a pass with each deadline tick, shows
// what it hands out through the desktop's notifications (or the program's own window when
// there are none, which the log says once) and carries out the actions chosen on them. Opening
// and completing a topic are the window's to do: they come out as signals.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "reminders/ReminderEngine.h"
#include "reminders/ReminderLeads.h"
#include "reminders/ReminderMidnights.h"
#include "reminders/ReminderPreferences.h"
#include "reminders/ReminderState.h"
#include "shell/reminders/ReminderPresenter.h"

namespace nimbus {
class Clock;
class StoreLog;
class TNimbusStructure;
} // namespace nimbus

namespace nimbus::reminderui {

class ReminderController : public QObject {
    Q_OBJECT
public:
    // presenter null: desktop notifications when the session bus has them, else the window.
    ReminderController(const std::string &dataFolder, const Clock &clock, StoreLog &log,
                       std::unique_ptr<ReminderPresenter> presenter = nullptr,
                       QObject *parent = nullptr);
    ~ReminderController() override;

    // One pass: what fell due is shown, the state written when it changed. With a tray, the
    // same walk also finds its counts and next reminders (count of them).
    void tick(const TNimbusStructure &store, int dateOrder, reminders::TrayLook *tray = nullptr,
              std::size_t count = 0);
    // The state and the lead times, when changed (closing).
    void save();
    // A topic's advance reminder, written at once when it changed.
    void setLead(const std::string &uni, int minutes);
    // The global preferences changed (the preferences page): written at once.
    void preferencesChanged();

    reminders::ReminderPreferences &preferences() { return preferences_; }
    reminders::ReminderLeads &leads() { return leads_; }
    reminders::ReminderMidnights &midnights() { return midnights_; }
    reminders::ReminderEngine &engine() { return engine_; }
    // Where reminders appear; chosen on first use when none was given.
    ReminderPresenter *presenter();
    // The reminders shown and not yet acted upon, by handle.
    const QHash<quint32, reminders::ReminderGroup> &shown() const { return shown_; }

signals:
    void openTopic(const QByteArray &uni);
    // "Mark completed" on the occurrence that starts at occurrenceMsecs (a DateTime's msecs).
    void completeTopic(const QByteArray &uni, qint64 occurrenceMsecs, bool occurrenceHasTime);
    // Something the tray shows may have changed (a pass, a snooze).
    void remindersChanged();

private:
    void usePresenter(std::unique_ptr<ReminderPresenter> presenter);
    void onAction(quint32 handle, const QString &key);
    void onDismissed(quint32 handle);
    void onFailed(quint32 handle, const QString &why);
    ReminderNote noteFor(const reminders::ReminderGroup &group, int dateOrder) const;
    std::vector<std::string> keysOf(const reminders::ReminderGroup &group) const;
    void saveState();

    const Clock &clock_;
    StoreLog &log_;
    reminders::ReminderPreferences preferences_;
    reminders::ReminderLeads leads_;
    reminders::ReminderState state_;
    reminders::ReminderMidnights midnights_;
    reminders::ReminderEngine engine_;
    std::unique_ptr<ReminderPresenter> presenter_;
    QHash<quint32, reminders::ReminderGroup> shown_;
    quint32 nextHandle_ = 1;
    int dateOrder_ = 0;
    std::string fallbackReason_; // why the window shows reminders, until the log said it
};

} // namespace nimbus::reminderui
