// The triggers of a topic between two reminder passes, from its occurrence history rather than
// from its state now. A schedule pass (the deadline timer, any rebuild of the tree, start-up,
// nimbus-cli) may finish an event or move a series on before the reminder pass sees it, and
// one pass may move a series over many occurrences at once after a sleep or a closed program:
//   - the current occurrence counts while the topic is open, or when the schedule finished it
//     (its "last completed" is the one a pass writes, not the moment a user completed it);
//   - a series that moves on by itself (recurring events, recurring tasks that complete
//     themselves) also has the occurrences after the current one that have begun (the next
//     schedule pass moves past them), and those before it when its last completion was the
//     schedule's (a pass moved past them).
#pragma once

#include <vector>

#include "reminders/TopicTriggers.h"

namespace nimbus::reminders {

// At most this many occurrences each way in one pass: a series every minute left for weeks
// is folded into one reminder anyway.
inline constexpr int kMaxOccurrences = 1500;

// Whether the topic is completed and the schedule completed it.
bool finishedBySchedule(const TNimbusNode &node);
// Whether the topic's occurrences move on without the user.
bool rollsBySchedule(const TNimbusNode &node);
// The occurrence count periods after (negative: before) the given one; false when the topic
// does not recur by a known unit.
bool shiftOccurrence(const TNimbusNode &node, const Occurrence &from, int count, Occurrence &out);
// The least time between two occurrences, in milliseconds; 0 when it does not recur.
std::int64_t shortestPeriod(const TNimbusNode &node);

// Appends the triggers of the topic in (since, now], and those of its current occurrence in
// (arrivedAfter, now] (arrivedAfter <= since: a topic that arrives from elsewhere with a
// trigger a little in the past; its key tells whether it was reminded of already).
void appendDueTriggers(const TNimbusNode &node, const TriggerRules &rules, DateTime arrivedAfter,
                       DateTime since, DateTime now, std::vector<ReminderTrigger> &out);

} // namespace nimbus::reminders
