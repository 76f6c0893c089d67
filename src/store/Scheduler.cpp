// Schedule rules of tasks and events.
#include "store/Scheduler.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "store/DateDigits.h"
#include "store/DateFormat.h"
#include "store/OccurrenceRule.h"
#include "store/TNimbusNode.h"

namespace nimbus::schedule {

namespace {

constexpr std::int64_t kMsecsPerHour = 3'600'000;
constexpr std::int64_t kMsecsPerMinute = 60'000;

int clampToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// Day number of a date key; false when it is not a valid date. The deadline timer parses
// every due date every ten seconds: parseDateKey reads the usual eight digits on a fast path.
bool dayOf(std::string_view dateText, std::int64_t &day)
{
    DateTime date;
    if (!dates::parseDateKey(dateText, date))
        return false;
    day = date.dayNumber();
    return true;
}

// Day number and time of day after adding a period; the value form of AddPeriod.
struct DayAndTime {
    std::int64_t day = 0;
    std::int64_t time = 0;

    auto operator<=>(const DayAndTime &) const = default;
};
DayAndTime addPeriodValue(std::int64_t day, std::int64_t time, int unit, int count);

DateAndTime textOf(DayAndTime value, bool hasTime)
{
    DateAndTime text;
    text.date = dates::dateKey(DateTime::fromDayNumber(value.day));
    if (hasTime)
        text.time = dates::timeText(DateTime::fromMsecs(value.time));
    return text;
}

// A topic that recurs every so many minutes or hours lives by the clock: without a time its
// occurrences count from midnight. That is also how a roll that lands exactly on midnight
// reads back, since the store file does not write a time of "00:00:00".
bool recursByClock(const TNimbusNode &node)
{
    return node.recur && !RichRuleOf(node) &&
           (node.rtype == kUnitMinutes || node.rtype == kUnitHours);
}

// The due time of day in milliseconds; none for a topic without a time (a time that is not a
// time counts as none).
std::optional<std::int64_t> dueTimeOf(const TNimbusNode &node)
{
    if (!dates::isNoTime(node.dlTime)) {
        if (const std::int64_t time = timeOfDay(node.dlTime); time > 0)
            return time;
    }
    if (recursByClock(node))
        return 0;
    return std::nullopt;
}

// The next occurrence of a topic with a rich rule after its current due date and time; none
// once the series has ended.
std::optional<std::int64_t> nextRichDay(const TNimbusNode &node, const OccurrenceRule &rule)
{
    std::int64_t day = DateTime().dayNumber(); // a date that does not parse counts from day 0
    dayOf(node.dlDate, day);
    return rule.NextDayAfter(day, dueTimeOf(node).value_or(0));
}

// Whether completing the topic moves it on to a next date: a rich rule does while its series
// has an occurrence left.
bool rollsForward(const TNimbusNode &node)
{
    if (!node.recur)
        return false;
    if (const OccurrenceRule *rule = RichRuleOf(node))
        return nextRichDay(node, *rule).has_value();
    return node.rtype >= kUnitMinutes && node.rtype <= kUnitYears;
}

// Whether a pass may complete the topic; the pass right after a roll only shows the new
// occurrence, so that dates of days and longer still catch up one period a pass.
enum class Completing { Allowed, HeldBack };
int schedulePass(TNimbusNode &node, DateTime now, Completing completing);

int complete(TNimbusNode &node, const std::string &date, const std::string &time, DateTime now)
{
    // A finished topic that does not move on has nothing left to complete: doing it again
    // would change nothing the user sees, yet mark the store changed on every tick.
    if (node.status == kStatusCompleted && !rollsForward(node)) {
        if (node.statusText.empty())
            return kUnchanged;
        node.statusText.clear();
        return kTextChanged;
    }
    node.fdate = date;
    node.fTime = time;
    MarkCompleted(node, now);
    // The next occurrence shows its own status and time left at once: an imported or synced
    // series, or one left while the program was closed, must not read "no due date" and
    // "waiting" until something else recomputes it.
    if (rollsForward(node))
        schedulePass(node, now, Completing::HeldBack);
    return kStatusChanged;
}

// Instants as milliseconds from day 0, for stepping through occurrences by the clock.
std::int64_t instantOf(DayAndTime value)
{
    return value.day * DateTime::kMsecsPerDay + value.time;
}

DayAndTime dayAndTimeOf(std::int64_t instant)
{
    std::int64_t day = instant / DateTime::kMsecsPerDay;
    std::int64_t time = instant % DateTime::kMsecsPerDay;
    if (time < 0) {
        day -= 1;
        time += DateTime::kMsecsPerDay;
    }
    return {day, time};
}

// Whether the occurrence starting then is over at nowAt: a task once its due moment has come,
// an event once it has ended (the moments at which UpdateSchedule completes them).
bool occurrenceOver(const TNimbusNode &node, std::int64_t start, std::int64_t nowAt)
{
    if (node.ttype != kTopicEvent)
        return start <= nowAt;
    const DayAndTime from = dayAndTimeOf(start);
    const DayAndTime end =
        addPeriodValue(from.day, from.time, node.durtype, std::max(node.durno, 1) - 1);
    return instantOf(end) <= nowAt;
}

// Occurrences by the clock come every few minutes or hours: stepping one period at a time,
// a topic done late or left while the program was closed would stay overdue, or take
// hundreds of deadline passes to catch up. It goes straight to the first occurrence that is
// not over (an event still running counts); period is the length of one step.
DayAndTime firstOccurrenceNotOver(const TNimbusNode &node, DayAndTime next, std::int64_t period,
                                  DateTime now)
{
    const std::int64_t nowAt = instantOf({now.dayNumber(), now.msecsOfDay()});
    std::int64_t start = instantOf(next);
    if (period <= 0 || !occurrenceOver(node, start, nowAt))
        return next;
    std::int64_t steps = (nowAt - start) / period + 1; // the first start after now
    start += steps * period;
    while (steps > 1 && !occurrenceOver(node, start - period, nowAt)) {
        start -= period;
        --steps;
    }
    return dayAndTimeOf(start);
}

}  // namespace

std::int64_t timeOfDay(std::string_view timeText)
{
    if (dates::isNoTime(timeText))
        return 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (dates::readTimeTextDigits(timeText, hour, minute, second))
        return ((hour * 60 + minute) * 60 + second) * 1000;
    DateTime time;
    return dates::parseTimeText(timeText, time) ? time.msecsOfDay() : 0;
}

int UpdateSchedule(TNimbusNode &node, DateTime now)
{
    return schedulePass(node, now, Completing::Allowed);
}

namespace {

int schedulePass(TNimbusNode &node, DateTime now, Completing completing)
{
    const std::int64_t today = now.dayNumber();
    const std::int64_t nowTime = now.msecsOfDay();
    const bool isTask = node.ttype == kTopicTask;
    const bool isEvent = node.ttype == kTopicEvent;

    std::int64_t due = 0;
    // A due date that is not a date (a hand-edited file) is treated like no due date rather
    // than as one in the distant past, which would complete or roll the topic at once.
    if ((!node.dl && !node.recur) || node.dlDate.empty() || (isTask && node.status == kStatusCompleted)
        || !dayOf(node.dlDate, due)) {
        node.statusText.clear();
        node.daysLeft = kNoDueDate;
        return kNoSchedule;
    }
    const std::optional<std::int64_t> dueClock = dueTimeOf(node);
    const bool hasTime = dueClock.has_value();
    const std::int64_t dueTime = dueClock.value_or(0);

    // The end of an event counts its first period: a one-day event ends on its start day. A
    // duration below one period still ends at the start, never before it.
    DayAndTime end{due, dueTime};
    if (isEvent) {
        end = addPeriodValue(due, dueTime, node.durtype, std::max(node.durno, 1) - 1);
        if (!hasTime)
            end.time = 0;  // no start time, no end time
    }
    const std::int64_t endDate = end.day;
    const std::int64_t endTime = end.time;
    // The texts of the end, as the completion records them; only made when completing. A pass
    // that holds completion back leaves the topic for the next one.
    auto completeAtEnd = [&]() {
        if (completing == Completing::HeldBack)
            return int(kStatusChanged);
        if (!isEvent)
            return complete(node, node.dlDate, node.dlTime, now);
        const DateAndTime text = textOf(end, hasTime);
        return complete(node, text.date, text.time, now);
    };

    node.daysLeft = clampToInt(due - today);

    if (today < due) {
        if (isEvent)
            node.status = kStatusNotStarted;
        return DayText(node, node.daysLeft);
    }

    if (due < today) {
        if (isTask) {
            if (node.autoComplete)
                return completeAtEnd();
            return DayText(node, node.daysLeft);
        }
        if (endDate < today)
            return completeAtEnd();
        if (endDate > today)
            return InProgress(node, kTextChanged);
        if (hasTime && endTime <= nowTime)
            return completeAtEnd();
        return InProgress(node, kTextChanged);
    }

    // Due today.
    if (hasTime) {
        if (nowTime < dueTime) {
            const int r = TimeText(node, dueTime - nowTime);
            if (isEvent && node.status != kStatusNotStarted) {
                node.status = kStatusNotStarted;
                return kStatusChanged;
            }
            return r;
        }
        if (isTask)
            return TimeText(node, dueTime - nowTime);
        if (endDate != today)
            return InProgress(node, kStatusChanged);
        if (endTime <= nowTime)
            return completeAtEnd();
        return InProgress(node, kTextChanged);
    }
    if (!isTask)
        return InProgress(node, kTextChanged);
    if (node.statusText != "Today") {
        node.highlightColour = kColourYellow;
        node.statusText = "Today";
        return kTextChanged;
    }
    return kUnchanged;
}

} // namespace

int InProgress(TNimbusNode &node, int r)
{
    if (node.statusText == "In progress")
        return kUnchanged;
    node.status = kStatusInProgress;
    node.highlightColour = kColourYellow;
    node.statusText = "In progress";
    return r;
}

int DayText(TNimbusNode &node, int days)
{
    node.highlightColour = days < 0 ? kColourPink : days > 0 ? kColourBlueGrey : kColourYellow;
    std::string text;
    if (days == -1)
        text = "-1 day";
    else if (days >= 91)
        text = std::to_string(days / 30) + " months";
    else if (days >= 31)
        text = std::to_string(days / 7) + " weeks";
    else if (days == 1)
        text = "1 day";
    else
        text = std::to_string(days) + " days";  // negative counts stay in days
    const bool unchanged = node.statusText == text;
    node.statusText = std::move(text);

    // The lead time is counted in days whatever its unit says.
    if (!node.urgent && node.flno > 0 && days <= node.flno) {
        node.urgent = true;
        node.urgentCount += 1;
        return kStatusChanged;
    }
    return unchanged ? kUnchanged : kTextChanged;
}

int TimeText(TNimbusNode &node, std::int64_t spanMsecs)
{
    std::string text;
    if (spanMsecs < 0) {
        text = "-";
        node.highlightColour = kColourPink;
    } else {
        node.highlightColour = kColourYellow;
    }
    const std::int64_t span = spanMsecs < 0 ? -spanMsecs : spanMsecs;
    const std::int64_t hours = span / kMsecsPerHour;
    const std::int64_t minutes = span / kMsecsPerMinute % 60;
    const std::int64_t seconds = span / 1000 % 60;
    if (hours >= 2 || (hours == 1 && minutes > 30)) {
        text += hours == 1 ? "1 hour " : std::to_string(hours) + " hours ";
    } else if (const std::int64_t total = hours * 60 + minutes; total > 0) {
        text += total == 1 ? "1 min" : std::to_string(total) + " mins";
    } else {
        text += seconds == 1 ? "1 sec" : std::to_string(seconds) + " secs";
    }
    const bool unchanged = node.statusText == text;
    node.statusText = std::move(text);
    return unchanged ? kUnchanged : kTextChanged;
}

void MarkCompleted(TNimbusNode &node, DateTime now)
{
    node.status = kStatusCompleted;
    node.statusText.clear();
    RollRecurrence(node, now);
    if (node.urgent) {
        node.urgent = false;
        node.urgentCount -= 1;
    }
}

void RollRecurrence(TNimbusNode &node, DateTime now)
{
    // A recurrence without a known unit has no next date: the topic stays where it is. (A
    // rich rule answers that with its next occurrence, below, asked only once.)
    const OccurrenceRule *rule = node.recur ? RichRuleOf(node) : nullptr;
    if (!rule && !rollsForward(node))
        return;
    std::int64_t day = DateTime().dayNumber();  // a date that does not parse counts from day 0
    dayOf(node.dlDate, day);
    const std::optional<std::int64_t> time = dueTimeOf(node);
    const DayAndTime current{day, time.value_or(0)};
    DayAndTime next;
    if (rule) {
        // The rule counts from its own first date, which a roll never changes.
        const std::optional<std::int64_t> nextDay = nextRichDay(node, *rule);
        if (!nextDay)
            return;
        next = {*nextDay, current.time};
    } else {
        next = addPeriodValue(current.day, current.time, node.rtype, node.rno);
        // A count that adds nothing (0, a negative or wrapped number from a hand-edited file)
        // would complete the topic onto the same date for ever: it moves on by one period.
        if (next <= current)
            next = addPeriodValue(current.day, current.time, node.rtype, 1);
    }
    if (recursByClock(node))
        next = firstOccurrenceNotOver(node, next, instantOf(next) - instantOf(current), now);
    DateAndTime text = textOf(next, time.has_value());
    node.dlDate = std::move(text.date);
    node.dlTime = std::move(text.time);
    node.daysLeft = clampToInt(next.day - now.dayNumber());
    node.rsDate = node.dlDate;
    node.rsTime = node.dlTime;
    node.status = node.ttype == kTopicTask ? kStatusNotStarted : kStatusWaiting;
    node.percent = 0;
}

namespace {

DayAndTime addPeriodValue(std::int64_t day, std::int64_t time, int unit, int count)
{
    switch (unit) {
    case kUnitMinutes:
    case kUnitHours: {
        // The count is taken as an unsigned 16-bit number, as it always has been.
        const std::int64_t n = static_cast<std::uint16_t>(count);
        if (unit == kUnitMinutes) {
            day += n / 1440;
            time += (n % 1440 / 60) * kMsecsPerHour + (n % 60) * kMsecsPerMinute;
        } else {
            day += n / 24;
            time += (n % 24) * kMsecsPerHour;
        }
        if (time >= DateTime::kMsecsPerDay) {
            day += 1;
            time -= DateTime::kMsecsPerDay;
        }
        break;
    }
    case kUnitDays: day += count; break;
    case kUnitWeeks: day += 7 * static_cast<std::int64_t>(count); break;
    case kUnitMonths:
    case kUnitYears: {
        const CivilTime c = DateTime::fromDayNumber(day).civil();
        std::int64_t year = c.year;
        std::int64_t month = c.month;
        int dayOfMonth = c.day;
        if (unit == kUnitMonths) {
            month += count;
            year += (month - 1 >= 0 ? (month - 1) / 12 : (month - 12) / 12);
            month = ((month - 1) % 12 + 12) % 12 + 1;
            // Late days of a month become the 28th in the month reached; adding no months
            // leaves the date as it is (an event of one month ends on its start day).
            if (dayOfMonth > 28 && count != 0)
                dayOfMonth = 28;
        } else {
            year += count;
            // 29 February in a year that has none becomes the 28th.
            if (month == 2 && dayOfMonth == 29 && !DateTime::isLeapYear(static_cast<int>(year)))
                dayOfMonth = 28;
        }
        year = std::clamp<std::int64_t>(year, -9999, 99999);
        day = DateTime::fromCivil(static_cast<int>(year), static_cast<int>(month), dayOfMonth)
                  .dayNumber();
        break;
    }
    default: break;
    }
    return {day, time};
}

}  // namespace

bool RollsForward(const TNimbusNode &node)
{
    return rollsForward(node);
}

const OccurrenceRule *RichRuleOf(const TNimbusNode &node)
{
    const OccurrenceRule *rule = node.richRule.get();
    return rule && rule->FitsPlainRule(node.rno, node.rtype) ? rule : nullptr;
}

bool RecursByClock(const TNimbusNode &node)
{
    return recursByClock(node);
}

DateAndTime CompletionMark(const TNimbusNode &node, std::string_view date, std::string_view time)
{
    if (node.ttype != kTopicEvent)
        return {std::string(date), std::string(time)};
    std::int64_t day = 0;
    if (!dayOf(date, day))
        return {std::string(date), std::string(time)};
    // As schedulePass finds the end: a time of day, or midnight for a series by the clock.
    const std::int64_t clock = timeOfDay(time);
    const bool hasTime = clock > 0 || recursByClock(node);
    DayAndTime end = addPeriodValue(day, clock, node.durtype, std::max(node.durno, 1) - 1);
    if (!hasTime)
        end.time = 0;
    return textOf(end, hasTime);
}

MarkValue CompletionMarkValue(const TNimbusNode &node, std::int64_t day, std::int64_t time,
                              bool hasTime)
{
    // A time text holds whole seconds of the day.
    auto seconds = [](std::int64_t msecs) {
        const std::int64_t perDay = DateTime::kMsecsPerDay;
        const std::int64_t ofDay = (msecs % perDay + perDay) % perDay;
        return ofDay / 1000 * 1000;
    };
    const std::int64_t clock = hasTime ? seconds(time) : 0;
    if (node.ttype != kTopicEvent)
        return {day, clock};
    const bool endHasTime = clock > 0 || recursByClock(node);
    const DayAndTime end = addPeriodValue(day, clock, node.durtype, std::max(node.durno, 1) - 1);
    return {end.day, endHasTime ? seconds(end.time) : 0};
}

DateAndTime AddPeriod(std::string_view dateText, std::string_view timeText, int unit, int count)
{
    std::int64_t day = DateTime().dayNumber();  // a date that does not parse counts from day 0
    dayOf(dateText, day);
    const bool hasTime = !dates::isNoTime(timeText);
    const DayAndTime result = addPeriodValue(day, hasTime ? timeOfDay(timeText) : 0, unit, count);
    DateAndTime text;
    text.date = dates::dateKey(DateTime::fromDayNumber(result.day));
    if (hasTime)
        text.time = dates::timeText(DateTime::fromMsecs(result.time));
    return text;
}

}  // namespace nimbus::schedule
