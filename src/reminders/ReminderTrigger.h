// One moment at which a topic is to be reminded of: what happens (an event starts, a task is
// due today ...) and when.
#pragma once

#include <string>
#include <string_view>

#include "store/DateTime.h"

namespace nimbus {

class TNimbusNode;

namespace reminders {

// In the order of importance: when one topic has several reminders at once, the later kind in
// this list is the one shown.
enum class ReminderKind : char {
    Upcoming = 'L',     // the chosen time before an event starts or a task is due
    DueToday = 'T',     // a task is due today
    Starts = 'S',       // an event starts
    TurnedUrgent = 'U', // the topic's urgency lead time has come
    Overdue = 'O',      // a task's due time has passed
};

bool kindFromCode(char code, ReminderKind &kind);
int kindRank(ReminderKind kind);

// One occurrence of a topic's schedule: when it starts as the store counts it (a day without
// a time from midnight) and whether the store gives it a time of day.
struct Occurrence {
    DateTime start;
    bool hasTime = false;

    bool operator==(const Occurrence &) const = default;
};

struct ReminderTrigger {
    const TNimbusNode *node = nullptr;
    Occurrence occurrence; // the one the trigger belongs to
    ReminderKind kind = ReminderKind::Starts;
    DateTime at;
    // The instant the topic itself is due or starts (the time the reminder talks about).
    DateTime dueAt;
    bool dueHasTime = false;
};

// Names one trigger for the reminder state: the topic, the kind and the instant. A recurring
// topic that moved on, or a due date that was changed, gives a new key.
std::string triggerKey(std::string_view uni, ReminderKind kind, DateTime at);

} // namespace reminders
} // namespace nimbus
