// When a topic is to be reminded of, from its schedule fields alone:
//   - an event: when it starts, and the topic's chosen lead time before that;
//   - a task: on the morning of its due day, the lead time before a due time, and once it is
//     overdue (at its due time, or on the morning after a due day without a time);
//   - either: on the morning its urgency lead time ("flag as urgent N days before") begins.
// Triggers belong to one occurrence: the topic's current one, or (TopicOccurrences) one its
// series had or is about to have. A due day without a time counts from the morning hour, so
// that nobody is woken at midnight, unless the topic's midnight is a real time
// (ReminderMidnights) or its series lives by the clock.
#pragma once

#include <cstdint>
#include <vector>

#include "reminders/ReminderTrigger.h"
#include "store/DateTime.h"

namespace nimbus::reminders {

// How one topic's triggers are placed.
struct TriggerRules {
    int leadMinutes = 0;         // 0: no advance reminder
    int morningMinutes = 8 * 60; // when a due day without a time begins
    bool midnight = false;       // the topic's "no time" is a real 00:00
};

// Whether a topic is one the program reminds of at all: a task or an event of the user's
// "Topics" section, not completed, with a due date.
bool isRemindedTopic(const TNimbusNode &node);
// A task or event of the "Topics" section with a due date, whatever its status.
bool isScheduledTopic(const TNimbusNode &node);

// The topic's current occurrence (its due date and time); false for no date.
bool currentOccurrence(const TNimbusNode &node, Occurrence &occurrence);

// Appends the triggers (at most four) of one occurrence of a scheduled topic.
void appendTriggers(const TNimbusNode &node, const Occurrence &occurrence,
                    const TriggerRules &rules, std::vector<ReminderTrigger> &out);
// The current occurrence's triggers of a reminded topic.
void appendTriggers(const TNimbusNode &node, int leadMinutes, int morningMinutes,
                    std::vector<ReminderTrigger> &out);

// Bounds of every trigger the current occurrence can have, whatever its lead time: from the
// day before it is due (or its urgency lead time before) up to two days after. False for no
// due date. A pass looks up a topic's lead time only when these bounds meet its span.
bool triggerBounds(const TNimbusNode &node, DateTime &earliest, DateTime &latest);

// The instant the current occurrence is due at, as reminders count it; false for no date.
bool dueInstant(const TNimbusNode &node, int morningMinutes, DateTime &dueAt, bool &hasTime,
                bool midnight = false);

} // namespace nimbus::reminders
