// A topic's occurrences around a reminder pass.
#include "reminders/TopicOccurrences.h"

#include <algorithm>

#include "store/DateFormat.h"
#include "store/OccurrenceRule.h"
#include "store/Scheduler.h"
#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

namespace nimbus::reminders {

namespace {

constexpr std::int64_t kMsecsPerMinute = 60'000;
constexpr std::int64_t kMsecsPerHour = 3'600'000;

// Periods in whole units; a count that adds nothing moves on by one unit, as RollRecurrence does.
int unitsPerStep(const TNimbusNode &node)
{
    return node.rno > 0 ? node.rno : 1;
}

// Minutes and hours step by the clock; their count is an unsigned 16-bit number, as the
// scheduler reads it.
std::int64_t clockStep(const TNimbusNode &node)
{
    const std::int64_t unit = node.rtype == kUnitMinutes ? kMsecsPerMinute : kMsecsPerHour;
    const std::int64_t n = static_cast<std::uint16_t>(node.rno);
    return (n > 0 ? n : 1) * unit;
}

// Whether the topic's "last completed" is what a pass writes on completing this occurrence.
// Worked out in numbers: a pass asks this of many occurrences of many topics.
bool completedBySchedule(const TNimbusNode &node, const Occurrence &occurrence)
{
    DateTime completed;
    if (!dates::parseDateKey(node.fdate, completed))
        return false;
    const schedule::MarkValue mark = schedule::CompletionMarkValue(
        node, occurrence.start.dayNumber(), occurrence.start.msecsOfDay(), occurrence.hasTime);
    return mark.day == completed.dayNumber() && mark.time == schedule::timeOfDay(node.fTime);
}

struct Span {
    DateTime first;
    DateTime last;
};

} // namespace

bool rollsBySchedule(const TNimbusNode &node)
{
    return schedule::RollsForward(node) &&
           (node.ttype == kTopicEvent || (node.ttype == kTopicTask && node.autoComplete));
}

bool finishedBySchedule(const TNimbusNode &node)
{
    Occurrence current;
    return node.status == kStatusCompleted && !schedule::RollsForward(node) &&
           (node.ttype == kTopicEvent || node.autoComplete) && currentOccurrence(node, current) &&
           completedBySchedule(node, current);
}

std::int64_t shortestPeriod(const TNimbusNode &node)
{
    if (!schedule::RollsForward(node))
        return 0;
    if (schedule::RichRuleOf(node))
        return DateTime::kMsecsPerDay; // a rich rule comes at most once a day
    const std::int64_t n = unitsPerStep(node);
    switch (node.rtype) {
    case kUnitMinutes:
    case kUnitHours:
        return clockStep(node);
    case kUnitDays:
        return n * DateTime::kMsecsPerDay;
    case kUnitWeeks:
        return 7 * n * DateTime::kMsecsPerDay;
    case kUnitMonths:
        return 28 * n * DateTime::kMsecsPerDay;
    default:
        return 365 * n * DateTime::kMsecsPerDay;
    }
}

bool shiftOccurrence(const TNimbusNode &node, const Occurrence &from, int count, Occurrence &out)
{
    if (!schedule::RollsForward(node))
        return false;
    out.hasTime = from.hasTime;
    if (const schedule::OccurrenceRule *rule = schedule::RichRuleOf(node)) {
        // The whole rule's occurrences, one at a time, at the same time of day.
        std::int64_t day = from.start.dayNumber();
        for (int i = 0; i != count; i += count > 0 ? 1 : -1) {
            const std::optional<std::int64_t> next =
                count > 0 ? rule->NextDayAfter(day, DateTime::kMsecsPerDay)
                          : rule->PreviousDayBefore(day);
            if (!next)
                return false;
            day = *next;
        }
        out.start = DateTime::fromDayNumber(day).addMsecs(from.start.msecsOfDay());
        return true;
    }
    switch (node.rtype) {
    case kUnitMinutes:
    case kUnitHours:
        out.start = from.start.addMsecs(count * clockStep(node));
        return true;
    case kUnitDays:
        out.start = from.start.addDays(static_cast<std::int64_t>(count) * unitsPerStep(node));
        return true;
    case kUnitWeeks:
        out.start = from.start.addDays(static_cast<std::int64_t>(count) * 7 * unitsPerStep(node));
        return true;
    default: {
        // Months and years move by the calendar, late days of a month as the scheduler does.
        const schedule::DateAndTime moved = schedule::AddPeriod(
            dates::dateKey(from.start), from.hasTime ? dates::timeText(from.start) : std::string(),
            node.rtype, count * unitsPerStep(node));
        DateTime day;
        if (!dates::parseDateKey(moved.date, day))
            return false;
        out.start = day.addMsecs(from.start.msecsOfDay());
        return true;
    }
    }
}

void appendDueTriggers(const TNimbusNode &node, const TriggerRules &rules, DateTime arrivedAfter,
                       DateTime since, DateTime now, std::vector<ReminderTrigger> &out)
{
    Occurrence current;
    if (!isScheduledTopic(node) || !currentOccurrence(node, current))
        return;
    std::vector<ReminderTrigger> triggers;
    auto spanOf = [&](const Occurrence &occurrence) {
        triggers.clear();
        appendTriggers(node, occurrence, rules, triggers);
        Span span{triggers.front().at, triggers.front().at};
        for (const ReminderTrigger &t : triggers) {
            span.first = std::min(span.first, t.at);
            span.last = std::max(span.last, t.at);
        }
        return span;
    };
    // The occurrence's triggers in (after, now]; the span of all of them.
    auto take = [&](const Occurrence &occurrence, DateTime after) {
        const Span span = spanOf(occurrence);
        for (const ReminderTrigger &t : triggers)
            if (t.at > after && t.at <= now)
                out.push_back(t);
        return span;
    };

    // An event that arrives by sync after it began is finished by the first pass at once.
    if (node.status != kStatusCompleted || finishedBySchedule(node))
        take(current, arrivedAfter);
    if (!rollsBySchedule(node))
        return;

    // Occurrences that have begun since: the next schedule pass moves past them.
    Occurrence occurrence = current;
    for (int i = 0; i < kMaxOccurrences && shiftOccurrence(node, occurrence, 1, occurrence); ++i)
        if (take(occurrence, since).first > now)
            break;

    // Occurrences a schedule pass moved past before this reminder pass: only when the last
    // completion was the schedule's, since a user who completed an occurrence early skipped it.
    std::vector<Occurrence> earlier;
    bool moved = false;
    occurrence = current;
    for (int i = 0; i < kMaxOccurrences && shiftOccurrence(node, occurrence, -1, occurrence); ++i) {
        if (spanOf(occurrence).last <= since) {
            moved = moved || (!earlier.empty() && completedBySchedule(node, occurrence));
            break;
        }
        moved = moved || completedBySchedule(node, occurrence);
        earlier.push_back(occurrence);
    }
    if (moved)
        for (const Occurrence &past : earlier)
            take(past, since);
}

} // namespace nimbus::reminders
