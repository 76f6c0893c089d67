// Schedule rules of tasks and events: status changes that happen by themselves (events start
// and finish, overdue topics complete or turn urgent, recurring topics roll forward), the
// time-left texts with their colours, and the date arithmetic of periods. Free functions over
// one node; "now" is always passed in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/DateTime.h"

namespace nimbus {

class TNimbusNode;

namespace schedule {

class OccurrenceRule;

// Results of UpdateSchedule: no schedule, nothing visible changed, text or status changed,
// status changed so that the tree image and the parents need refreshing.
enum ScheduleResult : int {
    kNoSchedule = 0,
    kUnchanged = 1,
    kTextChanged = 2,
    kStatusChanged = 3,
};

constexpr int kNoDueDate = 99999;

// A topic that completes and rolls forward shows its next occurrence at once; when that is
// past too, the next call completes it again (days and longer catch up one period a call).
int UpdateSchedule(TNimbusNode &node, DateTime now);
// Time left in whole days as text and colour; automatic urgency. 1 unchanged, 2 changed,
// 3 the topic was made urgent.
int DayText(TNimbusNode &node, int days);
// Time left (span in milliseconds, negative when overdue) as text and colour.
int TimeText(TNimbusNode &node, std::int64_t spanMsecs);
// Marks the topic in progress unless it already shows so; returns 1 or r.
int InProgress(TNimbusNode &node, int r);
void MarkCompleted(TNimbusNode &node, DateTime now);
// Moves a recurring topic on by one period; a recurrence in minutes or hours goes on to the
// first occurrence that is not over at now.
void RollRecurrence(TNimbusNode &node, DateTime now);

struct DateAndTime {
    std::string date;  // date key
    std::string time;  // time text, empty when the start had no time
};
// Adds count periods of a unit (minutes ... years) to a date key and time text.
DateAndTime AddPeriod(std::string_view dateText, std::string_view timeText, int unit, int count);

// Milliseconds of the day of a time text; 0 for no time or a text that is not a time.
std::int64_t timeOfDay(std::string_view timeText);

// Whether completing the topic moves it on to a next date, and whether its occurrences come
// every so many minutes or hours (so that a day without a time starts at midnight).
bool RollsForward(const TNimbusNode &node);
// The topic's rich rule while it still applies (see OccurrenceRule::FitsPlainRule); null
// otherwise.
const OccurrenceRule *RichRuleOf(const TNimbusNode &node);
bool RecursByClock(const TNimbusNode &node);
// The "last completed" date and time (fdate, fTime) that a pass writes when it completes the
// occurrence of the topic that starts on date and time: a task's own due date and time, an
// event's end. Reminders tell by it a topic the schedule moved on from one the user did.
DateAndTime CompletionMark(const TNimbusNode &node, std::string_view date, std::string_view time);
// The same mark in numbers, for passes over many topics that would otherwise write and read
// back two texts per occurrence: the day number and the milliseconds of the day (whole
// seconds; 0 for no time, as timeOfDay reads the mark's time text) of the occurrence that
// starts on day at time (hasTime false: the occurrence has no time of day).
struct MarkValue {
    std::int64_t day = 0;
    std::int64_t time = 0;
};
MarkValue CompletionMarkValue(const TNimbusNode &node, std::int64_t day, std::int64_t time,
                              bool hasTime);

}  // namespace schedule
}  // namespace nimbus
