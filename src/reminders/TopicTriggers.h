// When a topic is to be reminded of, from its schedule fields alone:
//   - an event: when it starts, and the topic's chosen lead time before that;
//   - a task: on the morning of its due day, the lead time before a due time, and once it is
//     overdue (at its due time, or on the morning after a due day without a time);
//   - either: on the morning its urgency lead time ("flag as urgent N days before") begins.
// Times are those of the topic's current occurrence: a recurring topic that moves on brings
// new triggers. A due day without a time counts from the morning hour, so that nobody is
// woken at midnight.
#pragma once

#include <cstdint>
#include <vector>

#include "reminders/ReminderTrigger.h"
#include "store/DateTime.h"

namespace nimbus::reminders {

// Whether a topic is one the program reminds of at all: a task or an event of the user's
// "Topics" section, not completed, with a due date.
bool isRemindedTopic(const TNimbusNode &node);

// Appends the topic's triggers (at most four). leadMinutes 0: no advance reminder.
// morningMinutes: minutes after midnight at which a due day without a time begins.
void appendTriggers(const TNimbusNode &node, int leadMinutes, int morningMinutes,
                    std::vector<ReminderTrigger> &out);

// Bounds of every trigger a topic can have, whatever its lead time: from the day before it
// is due (or its urgency lead time before) up to two days after. False for no due date. A pass
// looks up a topic's lead time only when these bounds meet the span it asks about.
bool triggerBounds(const TNimbusNode &node, DateTime &earliest, DateTime &latest);

// The instant a date key and time text stand for; false when the date is no date.
bool dueInstant(const TNimbusNode &node, int morningMinutes, DateTime &dueAt, bool &hasTime);

} // namespace nimbus::reminders
