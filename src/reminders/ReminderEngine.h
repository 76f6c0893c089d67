// The reminder rules at work. Each pass (the deadline timer's, every ten seconds) finds the
// triggers that fell due since the last pass and were not handled yet, from each topic's
// occurrences (TopicOccurrences: whatever schedule passes, rebuilds or rolls came between),
// the triggers of topics that arrived from elsewhere less than a day late, and the snoozed
// reminders whose time has come; it records them as shown and hands them out grouped: those
// that fell due together as one group, and those missed while the program was closed or the
// computer slept as one digest, one line per topic however many of its occurrences it missed.
// Quiet hours hold everything back (the watermark stays) until they end.
//
//     ReminderEngine engine(state, preferences, leads);
//     for (const ReminderGroup &group : engine.poll(store, clock.now()))
//         show(group);                     // then state.Save(log) when state.modified
//
// A store of 100,000 topics costs milliseconds a walk, and the window wants a pass, the tray's
// counts and the next reminders at once: poll and look give them from one walk.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "reminders/ReminderTrigger.h"
#include "reminders/TopicTriggers.h"
#include "reminders/TrayCounts.h"
#include "store/DateTime.h"

namespace nimbus {
class TNimbusStructure;
}

namespace nimbus::reminders {

class ReminderLeads;
class ReminderMidnights;
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
    // The occurrence it is about: actions on it act on that one, not on a later one.
    Occurrence occurrence;
    // Occurrences of the topic a digest folds into this line, and the first one's due time.
    int occurrences = 1;
    DateTime firstDueAt;
};

struct ReminderGroup {
    std::vector<ReminderItem> items;
    bool digest = false;      // missed: the program was closed or the computer asleep
    bool whileClosed = false; // a digest of what fell due while the program was closed
};

// A reminder still to come, for the tray's menu.
struct UpcomingReminder {
    std::string uni;
    std::string title;
    ReminderKind kind = ReminderKind::Starts;
    DateTime at;
    bool snoozed = false;
};

// What the tray shows: its counts and the next reminders, soonest first.
struct TrayLook {
    TrayCounts counts;
    std::vector<UpcomingReminder> upcoming;
};

// The choices of a snooze.
enum class SnoozeChoice { TenMinutes, OneHour, TomorrowMorning };
DateTime snoozeUntil(SnoozeChoice choice, DateTime now, int morningMinutes);

class ReminderEngine {
public:
    // The gap between two passes after which what fell due meanwhile was missed (the
    // computer slept or the clock jumped): five minutes more than the hour the clocks go
    // forward in spring, which is no absence. And how late a topic from elsewhere may arrive.
    static constexpr std::int64_t kAwaySeconds = 65 * 60;
    static constexpr std::int64_t kArrivalSeconds = 24 * 60 * 60;

    // midnights: which topics' midnight is a real time; none, when null.
    ReminderEngine(ReminderState &state, const ReminderPreferences &preferences,
                   const ReminderLeads &leads, ReminderMidnights *midnights = nullptr);

    std::vector<ReminderGroup> poll(const TNimbusStructure &store, DateTime now);
    // The pass, and from the same walk what the tray shows after it (the next count
    // reminders): the same as poll followed by look.
    std::vector<ReminderGroup> poll(const TNimbusStructure &store, DateTime now, TrayLook &tray,
                                    std::size_t count);
    void snooze(const std::vector<std::string> &keys, DateTime until);
    void dismiss(const std::vector<std::string> &keys);
    // The next count reminders after now, soonest first (snoozed ones included).
    std::vector<UpcomingReminder> upcoming(const TNimbusStructure &store, DateTime now,
                                           std::size_t count) const;
    // The tray's counts and the next count reminders, in one walk.
    TrayLook look(const TNimbusStructure &store, DateTime now, std::size_t count) const;

private:
    struct Pass;
    class NextReminders;
    // The one walk behind poll, upcoming and look; each part only when asked for.
    std::vector<ReminderGroup> walk(const TNimbusStructure &store, DateTime now, bool pass,
                                    NextReminders *next, TrayCounts *counts);
    void walk(const TNimbusStructure &store, DateTime now, NextReminders *next,
              TrayCounts *counts) const;
    bool beginPass(DateTime now, Pass &pass);
    void passTopic(const TNimbusNode &node, Pass &pass);
    std::vector<ReminderGroup> endPass(const TNimbusStructure &store, Pass &pass);
    void offerTopic(const TNimbusNode &node, DateTime now, NextReminders &next,
                    std::vector<ReminderTrigger> &scratch) const;
    void offerSnoozed(const TNimbusStructure &store, DateTime now, NextReminders &next) const;
    TriggerRules rulesFor(const TNimbusNode &node) const;
    void resendSnoozed(const TNimbusStructure &store, DateTime now, ReminderGroup &together);

    ReminderState &state_;
    const ReminderPreferences &preferences_;
    const ReminderLeads &leads_;
    ReminderMidnights *midnights_;
    // The instant of the first pass: what fell due before it fell due while closed.
    std::optional<DateTime> startedAt_;
    // The instant of the last pass, to tell a sleep or a clock jump.
    std::optional<DateTime> lastPass_;
};

} // namespace nimbus::reminders
