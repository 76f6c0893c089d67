// The reminder rules at work. Each pass (the deadline timer's, every ten seconds) finds the
// triggers that fell due since the last pass and were not handled yet, and the snoozed
// reminders whose time has come; it records them as shown and hands them out grouped: those
// that fell due together as one group, and those that fell due while the program was closed
// as one digest. Quiet hours hold everything back (the watermark stays) until they end.
//
//     ReminderEngine engine(state, preferences, leads);
//     for (const ReminderGroup &group : engine.poll(store, clock.now()))
//         show(group);                     // then state.Save(log) when state.modified
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "reminders/ReminderTrigger.h"
#include "store/DateTime.h"

namespace nimbus {
class TNimbusStructure;
}

namespace nimbus::reminders {

class ReminderLeads;
class ReminderPreferences;
class ReminderState;

// One reminder as it is shown.
struct ReminderItem {
    std::string key;
    std::string uni;
    std::string title;
    ReminderKind kind = ReminderKind::Starts;
    DateTime at;    // when it fell due
    DateTime dueAt; // when the topic starts or is due
    bool dueHasTime = false;
    bool isTask = false;
    bool resent = false; // comes back after a snooze
};

struct ReminderGroup {
    std::vector<ReminderItem> items;
    bool digest = false; // fell due while the program was closed
};

// A reminder still to come, for the tray's menu.
struct UpcomingReminder {
    std::string uni;
    std::string title;
    ReminderKind kind = ReminderKind::Starts;
    DateTime at;
    bool snoozed = false;
};

// The choices of a snooze.
enum class SnoozeChoice { TenMinutes, OneHour, TomorrowMorning };
DateTime snoozeUntil(SnoozeChoice choice, DateTime now, int morningMinutes);

class ReminderEngine {
public:
    ReminderEngine(ReminderState &state, const ReminderPreferences &preferences,
                   const ReminderLeads &leads);

    std::vector<ReminderGroup> poll(const TNimbusStructure &store, DateTime now);
    void snooze(const std::vector<std::string> &keys, DateTime until);
    void dismiss(const std::vector<std::string> &keys);
    // The next count reminders after now, soonest first (snoozed ones included).
    std::vector<UpcomingReminder> upcoming(const TNimbusStructure &store, DateTime now,
                                           std::size_t count) const;

private:
    ReminderState &state_;
    const ReminderPreferences &preferences_;
    const ReminderLeads &leads_;
    // The instant of the first pass: what fell due before it fell due while closed.
    std::optional<DateTime> startedAt_;
};

} // namespace nimbus::reminders
