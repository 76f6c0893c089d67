// Expansion of a recurring series into its occurrences, period by period as calendars define
// it: each period (a day, a week from Monday, a month, a year) yields the days that pass every
// "by" part, then the set positions pick among them. The first date is always the first
// occurrence and counts toward a count.
#include "recurrence/RecurrenceRule.h"

#include <algorithm>

#include "store/DateTime.h"

namespace nimbus::recurrence {

namespace {

// No date past the end of year 9999 is ever produced, and a rule whose periods stay empty
// this many times in a row (31 February, say) is taken to have ended.
const std::int64_t kLastDay = DateTime::fromCivil(9999, 12, 31).dayNumber();
constexpr int kMaxEmptyPeriods = 5000;

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

std::int64_t monthIndexOf(std::int64_t day)
{
    const CivilTime c = DateTime::fromDayNumber(day).civil();
    return static_cast<std::int64_t>(c.year) * 12 + (c.month - 1);
}

std::int64_t firstDayOfMonthIndex(std::int64_t index)
{
    return DateTime::fromCivil(static_cast<int>(floorDiv(index, 12)),
                               static_cast<int>(index - floorDiv(index, 12) * 12) + 1, 1)
        .dayNumber();
}

bool contains(const std::vector<int> &values, int value)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

// The rule with the defaults a calendar fills in from the first date: a weekly rule without
// weekdays falls on the first date's weekday, a monthly one on its day of the month, a yearly
// one on its month and day.
struct Effective {
    Frequency frequency = Frequency::Daily;
    std::int64_t interval = 1;
    std::vector<int> byMonth;
    std::vector<int> byMonthDay;
    unsigned everyWeekday = 0;       // bit per weekday, any position
    std::vector<WeekdayNum> nthDays; // weekdays at a position in the month or year
    std::vector<int> bySetPos;
};

Effective effectiveOf(const Series &s)
{
    Effective e;
    const Rule &r = s.rule;
    e.frequency = r.frequency;
    e.interval = std::max(r.interval, 1);
    e.byMonth = r.byMonth;
    e.byMonthDay = r.byMonthDay;
    e.bySetPos = r.bySetPos;
    const bool positional = r.frequency == Frequency::Monthly || r.frequency == Frequency::Yearly;
    for (const WeekdayNum &w : r.byDay) {
        if (w.weekday < 0 || w.weekday > 6)
            continue;
        if (w.nth != 0 && positional)
            e.nthDays.push_back(w);
        else
            e.everyWeekday |= 1u << w.weekday;
    }
    if (r.byDay.empty() && r.byMonthDay.empty()) {
        const CivilTime c = DateTime::fromDayNumber(s.startDay).civil();
        switch (r.frequency) {
        case Frequency::Daily:
            break;
        case Frequency::Weekly:
            e.everyWeekday = 1u << weekdayOf(s.startDay);
            break;
        case Frequency::Monthly:
            e.byMonthDay = {c.day};
            break;
        case Frequency::Yearly:
            if (e.byMonth.empty())
                e.byMonth = {c.month};
            e.byMonthDay = {c.day};
            break;
        }
    }
    return e;
}

// Whether day (the dayOfMonth-th of a month of daysInMonth days) passes the weekday parts; the
// positions count within [spanFirst, spanLast].
bool weekdayMatches(const Effective &e, std::int64_t day, std::int64_t spanFirst,
                    std::int64_t spanLast)
{
    if (e.everyWeekday == 0 && e.nthDays.empty())
        return true;
    const int weekday = weekdayOf(day);
    if (e.everyWeekday & (1u << weekday))
        return true;
    for (const WeekdayNum &w : e.nthDays) {
        if (w.weekday != weekday)
            continue;
        const std::int64_t fromStart = (day - spanFirst) / 7 + 1;
        const std::int64_t fromEnd = -((spanLast - day) / 7 + 1);
        if (w.nth == fromStart || w.nth == fromEnd)
            return true;
    }
    return false;
}

// The days of one period [first, last] that pass the rule, sorted, after the set positions.
void periodDays(const Effective &e, std::int64_t first, std::int64_t last,
                std::vector<std::int64_t> &out)
{
    out.clear();
    const bool yearSpan = e.frequency == Frequency::Yearly && e.byMonth.empty();
    std::int64_t yearFirst = 0;
    std::int64_t yearLast = 0;
    if (yearSpan) {
        const int year = DateTime::fromDayNumber(first).civil().year;
        yearFirst = DateTime::fromCivil(year, 1, 1).dayNumber();
        yearLast = DateTime::fromCivil(year, 12, 31).dayNumber();
    }
    std::int64_t monthIndex = monthIndexOf(first);
    for (std::int64_t monthFirst = firstDayOfMonthIndex(monthIndex); monthFirst <= last;
         monthFirst = firstDayOfMonthIndex(++monthIndex)) {
        const int year = static_cast<int>(floorDiv(monthIndex, 12));
        const int month = static_cast<int>(monthIndex - floorDiv(monthIndex, 12) * 12) + 1;
        const int daysInMonth = DateTime::daysInMonth(year, month);
        const std::int64_t monthLast = monthFirst + daysInMonth - 1;
        if (!e.byMonth.empty() && !contains(e.byMonth, month))
            continue;
        const std::int64_t spanFirst = yearSpan ? yearFirst : monthFirst;
        const std::int64_t spanLast = yearSpan ? yearLast : monthLast;
        for (std::int64_t day = std::max(first, monthFirst); day <= std::min(last, monthLast);
             ++day) {
            const int dayOfMonth = static_cast<int>(day - monthFirst) + 1;
            if (!e.byMonthDay.empty() && !contains(e.byMonthDay, dayOfMonth) &&
                !contains(e.byMonthDay, dayOfMonth - daysInMonth - 1))
                continue;
            if (weekdayMatches(e, day, spanFirst, spanLast))
                out.push_back(day);
        }
    }
    if (e.bySetPos.empty() || out.empty())
        return;
    std::vector<std::int64_t> picked;
    const auto size = static_cast<std::int64_t>(out.size());
    for (const int pos : e.bySetPos) {
        const std::int64_t index = pos > 0 ? pos - 1 : size + pos;
        if (pos != 0 && index >= 0 && index < size)
            picked.push_back(out[static_cast<std::size_t>(index)]);
    }
    std::sort(picked.begin(), picked.end());
    picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
    out.swap(picked);
}

// Walks the occurrences the rule itself makes (the first date among them), in order, from a
// given day on. Without a count it starts at the period holding that day; with one it has to
// count from the first date. A walker that does not force the first date gives only the days
// the rule's parts themselves pick, from the first date on.
class Walker {
public:
    Walker(const Series &s, std::int64_t from, bool forceStart = true)
        : s_(s), e_(effectiveOf(s)), from_(from), forceStart_(forceStart)
    {
        if (!forceStart) {
            startGiven_ = true;
        } else if (s.rule.count <= 0 && from > s.startDay) {
            startGiven_ = true;
            period_ = std::max<std::int64_t>(0, periodIndexOf(from));
        }
    }

    std::optional<std::int64_t> next()
    {
        if (!startGiven_) {
            startGiven_ = true;
            emitted_ = 1;
            if (beyondEnd(s_.startDay))
                return finish();
            if (s_.startDay >= from_)
                return s_.startDay;
        }
        while (!done_) {
            while (pos_ < buffer_.size()) {
                const std::int64_t day = buffer_[pos_++];
                if (day < s_.startDay || (forceStart_ && day == s_.startDay))
                    continue;
                if (beyondEnd(day) || (s_.rule.count > 0 && emitted_ >= s_.rule.count))
                    return finish();
                ++emitted_;
                if (day >= from_)
                    return day;
            }
            if (!fill())
                return finish();
        }
        return std::nullopt;
    }

private:
    std::optional<std::int64_t> finish()
    {
        done_ = true;
        return std::nullopt;
    }

    bool beyondEnd(std::int64_t day) const
    {
        if (day > kLastDay)
            return true;
        return s_.rule.until && day * DateTime::kMsecsPerDay + s_.time.value_or(0) > *s_.rule.until;
    }

    std::int64_t weekStartOf(std::int64_t day) const { return day - weekdayOf(day); }

    std::int64_t periodIndexOf(std::int64_t day) const
    {
        switch (e_.frequency) {
        case Frequency::Daily:
            return floorDiv(day - s_.startDay, e_.interval);
        case Frequency::Weekly:
            return floorDiv(weekStartOf(day) - weekStartOf(s_.startDay), 7 * e_.interval);
        case Frequency::Monthly:
            return floorDiv(monthIndexOf(day) - monthIndexOf(s_.startDay), e_.interval);
        case Frequency::Yearly:
            return floorDiv(DateTime::fromDayNumber(day).civil().year -
                                DateTime::fromDayNumber(s_.startDay).civil().year,
                            e_.interval);
        }
        return 0;
    }

    // Loads the days of the next period that has any; false when the rule has none left.
    bool fill()
    {
        buffer_.clear();
        pos_ = 0;
        for (int empty = 0; empty < kMaxEmptyPeriods; ++empty) {
            std::int64_t first = 0;
            std::int64_t last = 0;
            const std::int64_t k = period_++;
            switch (e_.frequency) {
            case Frequency::Daily:
                first = last = s_.startDay + k * e_.interval;
                break;
            case Frequency::Weekly:
                first = weekStartOf(s_.startDay) + 7 * k * e_.interval;
                last = first + 6;
                break;
            case Frequency::Monthly: {
                const std::int64_t index = monthIndexOf(s_.startDay) + k * e_.interval;
                first = firstDayOfMonthIndex(index);
                last = firstDayOfMonthIndex(index + 1) - 1;
                break;
            }
            case Frequency::Yearly: {
                const std::int64_t year =
                    DateTime::fromDayNumber(s_.startDay).civil().year + k * e_.interval;
                if (year > 9999)
                    return false;
                first = DateTime::fromCivil(static_cast<int>(year), 1, 1).dayNumber();
                last = DateTime::fromCivil(static_cast<int>(year), 12, 31).dayNumber();
                break;
            }
            }
            if (beyondEnd(first))
                return false;
            periodDays(e_, first, last, buffer_);
            if (!buffer_.empty())
                return true;
        }
        return false;
    }

    const Series &s_;
    Effective e_;
    std::int64_t from_;
    bool forceStart_ = true;
    std::int64_t period_ = 0;
    std::int64_t emitted_ = 0;
    std::vector<std::int64_t> buffer_;
    std::size_t pos_ = 0;
    bool startGiven_ = false;
    bool done_ = false;
};

bool sortedContains(const std::vector<std::int64_t> &days, std::int64_t day)
{
    return std::binary_search(days.begin(), days.end(), day);
}

} // namespace

int weekdayOf(std::int64_t day)
{
    // Day 0, 1 January 1970, was a Thursday.
    return static_cast<int>(((day % 7) + 7 + 3) % 7);
}

std::vector<std::int64_t> Series::between(std::int64_t first, std::int64_t last,
                                          std::size_t limit) const
{
    std::vector<std::int64_t> out;
    Walker walker(*this, first);
    std::optional<std::int64_t> ruleDay = walker.next();
    auto added = std::lower_bound(additions.begin(), additions.end(), first);
    while (out.size() < limit) {
        std::optional<std::int64_t> day;
        if (ruleDay && (added == additions.end() || *ruleDay <= *added))
            day = ruleDay;
        else if (added != additions.end())
            day = *added;
        if (!day || *day > last)
            break;
        if (ruleDay && *ruleDay == *day)
            ruleDay = walker.next();
        while (added != additions.end() && *added == *day)
            ++added;
        if (!sortedContains(exceptions, *day) && (out.empty() || out.back() != *day))
            out.push_back(*day);
    }
    return out;
}

std::optional<std::int64_t> Series::firstOnOrAfter(std::int64_t day) const
{
    const std::vector<std::int64_t> one = between(day, kLastDay, 1);
    if (one.empty())
        return std::nullopt;
    return one.front();
}

std::optional<std::int64_t> Series::nextAfter(std::int64_t day, std::int64_t msecsOfDay) const
{
    return firstOnOrAfter(time.value_or(0) > msecsOfDay ? day : day + 1);
}

std::optional<std::int64_t> Series::previousBefore(std::int64_t day) const
{
    // Looks back over a widening span, so that a near occurrence costs a short walk.
    const std::int64_t earliest =
        std::min(startDay, additions.empty() ? startDay : additions.front());
    for (std::int64_t span = 64;; span *= 4) {
        const std::int64_t from = std::max(earliest, day - span);
        const std::vector<std::int64_t> found = between(from, day - 1);
        if (!found.empty())
            return found.back();
        if (from == earliest)
            return std::nullopt;
    }
}

std::optional<std::int64_t> firstRuleDay(const Rule &rule, std::int64_t day,
                                         std::optional<std::int64_t> time)
{
    Series probe;
    probe.startDay = day;
    probe.time = time;
    probe.rule = rule;
    probe.rule.count = 0;
    Walker walker(probe, day, false);
    return walker.next();
}

bool Series::occursOn(std::int64_t day) const
{
    return firstOnOrAfter(day) == day;
}

void Series::skip(std::int64_t day)
{
    if (const auto added = std::lower_bound(additions.begin(), additions.end(), day);
        added != additions.end() && *added == day)
        additions.erase(added);
    if (occursOn(day)) {
        exceptions.insert(std::lower_bound(exceptions.begin(), exceptions.end(), day), day);
    }
}

} // namespace nimbus::recurrence
