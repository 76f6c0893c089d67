// The recurrence editor's rules: showing a series as choices, making a rule of them, and
// putting a series into words.
#include "recurrence/RuleEditing.h"

#include <algorithm>
#include <array>
#include <vector>

#include "store/DateFormat.h"
#include "store/DateTime.h"
#include "store/TopicCodes.h"

namespace nimbus::recurrence {

namespace {

constexpr std::array<const char *, 7> kWeekdayNames = {
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
constexpr std::array<const char *, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// The last day an occurrence at the series' time of day may fall on before its end.
std::int64_t untilDayOf(const Series &series)
{
    return floorDiv(*series.rule.until - series.time.value_or(0), DateTime::kMsecsPerDay);
}

unsigned weekdayBits(const std::vector<WeekdayNum> &days)
{
    unsigned bits = 0;
    for (const WeekdayNum &day : days)
        if (day.weekday >= 0 && day.weekday <= 6)
            bits |= 1u << day.weekday;
    return bits;
}

bool anyPositioned(const std::vector<WeekdayNum> &days)
{
    return std::any_of(days.begin(), days.end(), [](const WeekdayNum &d) { return d.nth != 0; });
}

// "a", "a and b", "a, b and c".
std::string joinWords(const std::vector<std::string> &words)
{
    std::string out;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0)
            out += i + 1 == words.size() ? " and " : ", ";
        out += words[i];
    }
    return out;
}

std::string ordinal(int n)
{
    static constexpr std::array<const char *, 5> kWords = {"first", "second", "third", "fourth",
                                                           "fifth"};
    if (n == -1)
        return "last";
    if (n < 0)
        return ordinal(-n) + " to last";
    if (n <= 5)
        return kWords[static_cast<std::size_t>(n - 1)];
    const int tens = n % 100;
    const char *suffix = "th";
    if (tens < 11 || tens > 13) {
        if (n % 10 == 1)
            suffix = "st";
        else if (n % 10 == 2)
            suffix = "nd";
        else if (n % 10 == 3)
            suffix = "rd";
    }
    return std::to_string(n) + suffix;
}

std::string unitName(Frequency frequency, bool plural)
{
    const char *names[] = {"day", "week", "month", "year"};
    return std::string(names[static_cast<int>(frequency)]) + (plural ? "s" : "");
}

std::string weekdayWords(const WeekdayNum &day)
{
    const std::string name = kWeekdayNames[static_cast<std::size_t>(std::clamp(day.weekday, 0, 6))];
    return day.nth == 0 ? name : "the " + ordinal(day.nth) + " " + name;
}

std::string monthDayWords(int day)
{
    return day > 0 ? "day " + std::to_string(day) : "the " + ordinal(day) + " day";
}

std::string dateWords(std::int64_t day, int dateOrder)
{
    return dates::displayDate(dates::dateKey(DateTime::fromDayNumber(day)), dateOrder);
}

// Where in its period the series falls: " on Monday and Friday", " on day 15", " on 5 May".
std::string placeWords(const Series &series)
{
    const Rule &r = series.rule;
    std::vector<std::string> days;
    for (const WeekdayNum &day : r.byDay)
        days.push_back(weekdayWords(day));
    std::vector<std::string> monthDays;
    for (const int day : r.byMonthDay)
        monthDays.push_back(monthDayWords(day));
    if (!days.empty() && !monthDays.empty())
        return " on " + joinWords(days) + ", when that is " + joinWords(monthDays);
    if (!days.empty())
        return " on " + joinWords(days);
    if (!monthDays.empty())
        return " on " + joinWords(monthDays);
    const CivilTime start = DateTime::fromDayNumber(series.startDay).civil();
    switch (r.frequency) {
    case Frequency::Daily:
        return {};
    case Frequency::Weekly:
        return " on " +
               std::string(kWeekdayNames[static_cast<std::size_t>(weekdayOf(series.startDay))]);
    case Frequency::Monthly:
        return " on day " + std::to_string(start.day);
    case Frequency::Yearly:
        return r.byMonth.empty() ? " on " + std::to_string(start.day) + " " +
                                       kMonthNames[static_cast<std::size_t>(start.month - 1)]
                                 : " on day " + std::to_string(start.day);
    }
    return {};
}

} // namespace

EditableRule defaultEditableRule(std::int64_t day, int plainCount, int plainUnit)
{
    EditableRule e;
    if (plainCount >= 1 && plainCount <= EditableRule::kMaxInterval) {
        const std::array<std::pair<int, Frequency>, 4> units = {
            std::pair{kUnitDays, Frequency::Daily}, std::pair{kUnitWeeks, Frequency::Weekly},
            std::pair{kUnitMonths, Frequency::Monthly}, std::pair{kUnitYears, Frequency::Yearly}};
        for (const auto &[unit, frequency] : units)
            if (unit == plainUnit) {
                e.frequency = frequency;
                e.interval = plainCount;
            }
    }
    const CivilTime c = DateTime::fromDayNumber(day).civil();
    e.weekdays = 1u << weekdayOf(day);
    e.monthDay = c.day;
    e.nth = (c.day - 1) / 7 + 1;
    if (e.nth > 4)
        e.nth = -1;
    e.nthWeekday = weekdayOf(day);
    e.untilDay = day + 30;
    return e;
}

std::optional<EditableRule> editableRule(const Series &series)
{
    const Rule &r = series.rule;
    if (!series.additions.empty() || !r.bySetPos.empty() || !r.byMonth.empty() || r.interval < 1 ||
        r.interval > EditableRule::kMaxInterval || r.count < 0 ||
        r.count > EditableRule::kMaxCount || (r.count > 0 && r.until))
        return std::nullopt;
    EditableRule e = defaultEditableRule(series.startDay);
    e.frequency = r.frequency;
    e.interval = r.interval;
    if (r.count > 0) {
        e.end = RuleEnd::AfterCount;
        e.count = r.count;
    } else if (r.until) {
        e.end = RuleEnd::OnDate;
        e.untilDay = untilDayOf(series);
    }
    switch (r.frequency) {
    case Frequency::Daily:
        if (!r.byMonthDay.empty())
            return std::nullopt;
        if (!r.byDay.empty()) {
            // Every day but some weekdays is a weekly rule on the others.
            if (r.interval != 1 || anyPositioned(r.byDay))
                return std::nullopt;
            e.frequency = Frequency::Weekly;
            e.weekdays = weekdayBits(r.byDay);
        }
        break;
    case Frequency::Weekly:
        if (!r.byMonthDay.empty() || anyPositioned(r.byDay))
            return std::nullopt;
        if (!r.byDay.empty())
            e.weekdays = weekdayBits(r.byDay);
        break;
    case Frequency::Monthly:
        if (r.byDay.empty()) {
            if (r.byMonthDay.size() > 1 || (r.byMonthDay.size() == 1 && r.byMonthDay[0] < 1))
                return std::nullopt;
            e.monthly = MonthlyChoice::DayOfMonth;
            if (!r.byMonthDay.empty())
                e.monthDay = r.byMonthDay[0];
        } else {
            const WeekdayNum day = r.byDay[0];
            if (r.byDay.size() != 1 || !r.byMonthDay.empty() || day.nth == 0 || day.nth > 4 ||
                day.nth < -1)
                return std::nullopt;
            e.monthly = MonthlyChoice::NthWeekday;
            e.nth = day.nth;
            e.nthWeekday = day.weekday;
        }
        break;
    case Frequency::Yearly:
        if (!r.byDay.empty() || !r.byMonthDay.empty())
            return std::nullopt;
        break;
    }
    return e;
}

Rule ruleFromEditable(const EditableRule &chosen, const Series *original)
{
    Rule r;
    r.frequency = chosen.frequency;
    r.interval = std::clamp(chosen.interval, 1, EditableRule::kMaxInterval);
    switch (chosen.frequency) {
    case Frequency::Daily:
    case Frequency::Yearly:
        break;
    case Frequency::Weekly:
        for (int weekday = 0; weekday < 7; ++weekday)
            if (chosen.weekdays & (1u << weekday))
                r.byDay.push_back({weekday, 0});
        break;
    case Frequency::Monthly:
        if (chosen.monthly == MonthlyChoice::DayOfMonth)
            r.byMonthDay = {std::clamp(chosen.monthDay, 1, 31)};
        else
            r.byDay = {{std::clamp(chosen.nthWeekday, 0, 6), chosen.nth}};
        break;
    }
    switch (chosen.end) {
    case RuleEnd::Never:
        break;
    case RuleEnd::AfterCount:
        r.count = std::clamp(chosen.count, 1, EditableRule::kMaxCount);
        break;
    case RuleEnd::OnDate:
        if (original && original->rule.until && untilDayOf(*original) == chosen.untilDay)
            r.until = original->rule.until;
        else // the whole day, as a date-only end
            r.until = chosen.untilDay * DateTime::kMsecsPerDay + DateTime::kMsecsPerDay - 1000;
        break;
    }
    return r;
}

Series editedSeries(const Series *original, const EditableRule *chosen, std::int64_t firstDay,
                    std::optional<std::int64_t> time)
{
    Series s = original ? *original : Series{};
    if (!original)
        s.startDay = firstDay;
    const bool ruleChanged = chosen && (!original || editableRule(*original) != *chosen);
    if (ruleChanged) {
        s.rule = ruleFromEditable(*chosen, original);
        s.startDay = firstRuleDay(s.rule, firstDay).value_or(firstDay);
    } else if (original && firstDay < original->startDay) {
        s.startDay =
            std::min(original->startDay, firstRuleDay(s.rule, firstDay).value_or(firstDay));
    }
    // No time and midnight are the same to the dialog; the series keeps the form it had.
    if (!original || original->time.value_or(0) != time.value_or(0))
        s.time = time;
    return s;
}

std::vector<std::int64_t> nextOccurrences(const Series &series, std::int64_t day, std::size_t limit)
{
    return series.between(day, DateTime::fromCivil(9999, 12, 31).dayNumber(), limit);
}

std::string describeSeries(const Series &series, int dateOrder)
{
    const Rule &r = series.rule;
    const int interval = std::max(r.interval, 1);
    std::string out;
    const bool plainWeekly = r.frequency == Frequency::Weekly && r.byMonthDay.empty() &&
                             r.byMonth.empty() && r.bySetPos.empty() && !anyPositioned(r.byDay);
    if (plainWeekly && interval == 1 && r.byDay.size() == 5 &&
        weekdayBits(r.byDay) == EditableRule::kWorkingDays) {
        out = "Every weekday";
    } else {
        out = interval == 1
                  ? "Every " + unitName(r.frequency, false)
                  : "Every " + std::to_string(interval) + " " + unitName(r.frequency, true);
        if (!r.byMonth.empty()) {
            std::vector<std::string> months;
            for (const int month : r.byMonth)
                months.emplace_back(
                    kMonthNames[static_cast<std::size_t>(std::clamp(month, 1, 12) - 1)]);
            out += " in " + joinWords(months);
        }
        out += placeWords(series);
    }
    if (!r.bySetPos.empty()) {
        std::vector<std::string> positions;
        for (const int pos : r.bySetPos)
            positions.push_back(ordinal(pos));
        out += ", taking the " + joinWords(positions) + " of those days in each " +
               unitName(r.frequency, false);
    }
    if (r.count == 1)
        out += ", once";
    else if (r.count > 1)
        out += ", " + std::to_string(r.count) + " times";
    else if (r.until)
        out += ", until " + dateWords(untilDayOf(series), dateOrder);
    if (!series.exceptions.empty())
        out += "; " + std::to_string(series.exceptions.size()) +
               (series.exceptions.size() == 1 ? " date skipped" : " dates skipped");
    if (!series.additions.empty()) {
        constexpr std::size_t kShown = 3;
        std::vector<std::string> added;
        for (std::size_t i = 0; i < series.additions.size() && i < kShown; ++i)
            added.push_back(dateWords(series.additions[i], dateOrder));
        if (series.additions.size() > kShown)
            added.push_back(std::to_string(series.additions.size() - kShown) + " more dates");
        out += "; also on " + joinWords(added);
    }
    return out;
}

} // namespace nimbus::recurrence
