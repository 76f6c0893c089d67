// The recurrence editor's rules: showing a series as choices, making a rule of them, and
// putting a series into words.
#include "recurrence/RuleEditing.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "fileio/UiText.h"
#include "store/DateFormat.h"
#include "store/DateTime.h"
#include "store/TopicCodes.h"

namespace nimbus::recurrence {

namespace {

// The words are the user's language's: each piece is one text for the translators, with %1
// and %2 where the pieces it joins go.
std::string words(std::string pattern, const std::vector<std::string> &parts)
{
    for (std::size_t i = parts.size(); i-- > 0;) {
        const std::string mark = "%" + std::to_string(i + 1);
        for (std::size_t at = pattern.find(mark); at != std::string::npos;
             at = pattern.find(mark, at + parts[i].size()))
            pattern.replace(at, mark.size(), parts[i]);
    }
    return pattern;
}

std::string weekdayName(int weekday)
{
    switch (weekday) {
    case 0:
        return text::translate("RuleWords", "Monday");
    case 1:
        return text::translate("RuleWords", "Tuesday");
    case 2:
        return text::translate("RuleWords", "Wednesday");
    case 3:
        return text::translate("RuleWords", "Thursday");
    case 4:
        return text::translate("RuleWords", "Friday");
    case 5:
        return text::translate("RuleWords", "Saturday");
    default:
        return text::translate("RuleWords", "Sunday");
    }
}

std::string monthName(int month)
{
    switch (month) {
    case 1:
        return text::translate("RuleWords", "January");
    case 2:
        return text::translate("RuleWords", "February");
    case 3:
        return text::translate("RuleWords", "March");
    case 4:
        return text::translate("RuleWords", "April");
    case 5:
        return text::translate("RuleWords", "May");
    case 6:
        return text::translate("RuleWords", "June");
    case 7:
        return text::translate("RuleWords", "July");
    case 8:
        return text::translate("RuleWords", "August");
    case 9:
        return text::translate("RuleWords", "September");
    case 10:
        return text::translate("RuleWords", "October");
    case 11:
        return text::translate("RuleWords", "November");
    default:
        return text::translate("RuleWords", "December");
    }
}

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
std::string joinWords(const std::vector<std::string> &parts)
{
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += i + 1 == parts.size() ? text::translate("RuleWords", " and ")
                                         : text::translate("RuleWords", ", ");
        out += parts[i];
    }
    return out;
}

std::string ordinal(int n)
{
    switch (n) {
    case 1:
        return text::translate("RuleWords", "first");
    case 2:
        return text::translate("RuleWords", "second");
    case 3:
        return text::translate("RuleWords", "third");
    case 4:
        return text::translate("RuleWords", "fourth");
    case 5:
        return text::translate("RuleWords", "fifth");
    case -1:
        return text::translate("RuleWords", "last");
    default:
        break;
    }
    if (n < 0)
        return words(text::translate("RuleWords", "%1 to last"), {ordinal(-n)});
    const int tens = n % 100;
    std::string pattern = text::translate("RuleWords", "%1th");
    if (tens < 11 || tens > 13) {
        if (n % 10 == 1)
            pattern = text::translate("RuleWords", "%1st");
        else if (n % 10 == 2)
            pattern = text::translate("RuleWords", "%1nd");
        else if (n % 10 == 3)
            pattern = text::translate("RuleWords", "%1rd");
    }
    return words(pattern, {std::to_string(n)});
}

// "Every week", "Every 2 weeks".
std::string everyWords(Frequency frequency, int interval)
{
    if (interval == 1) {
        switch (frequency) {
        case Frequency::Daily:
            return text::translate("RuleWords", "Every day");
        case Frequency::Weekly:
            return text::translate("RuleWords", "Every week");
        case Frequency::Monthly:
            return text::translate("RuleWords", "Every month");
        case Frequency::Yearly:
            return text::translate("RuleWords", "Every year");
        }
    }
    std::string pattern;
    switch (frequency) {
    case Frequency::Daily:
        pattern = text::translate("RuleWords", "Every %1 days");
        break;
    case Frequency::Weekly:
        pattern = text::translate("RuleWords", "Every %1 weeks");
        break;
    case Frequency::Monthly:
        pattern = text::translate("RuleWords", "Every %1 months");
        break;
    case Frequency::Yearly:
        pattern = text::translate("RuleWords", "Every %1 years");
        break;
    }
    return words(pattern, {std::to_string(interval)});
}

std::string periodName(Frequency frequency)
{
    switch (frequency) {
    case Frequency::Daily:
        return text::translate("RuleWords", "day");
    case Frequency::Weekly:
        return text::translate("RuleWords", "week");
    case Frequency::Monthly:
        return text::translate("RuleWords", "month");
    case Frequency::Yearly:
        break;
    }
    return text::translate("RuleWords", "year");
}

std::string weekdayWords(const WeekdayNum &day)
{
    const std::string name = weekdayName(std::clamp(day.weekday, 0, 6));
    return day.nth == 0
               ? name
               : words(text::translate("RuleWords", "the %1 %2"), {ordinal(day.nth), name});
}

std::string monthDayWords(int day)
{
    return day > 0 ? words(text::translate("RuleWords", "day %1"), {std::to_string(day)})
                   : words(text::translate("RuleWords", "the %1 day"), {ordinal(day)});
}

std::string dateWords(std::int64_t day, int dateOrder)
{
    return dates::displayDate(dates::dateKey(DateTime::fromDayNumber(day)), dateOrder);
}

std::string onWords(const std::string &where)
{
    return words(text::translate("RuleWords", " on %1"), {where});
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
        return onWords(joinWords(days)) +
               words(text::translate("RuleWords", ", when that is %1"), {joinWords(monthDays)});
    if (!days.empty())
        return onWords(joinWords(days));
    if (!monthDays.empty())
        return onWords(joinWords(monthDays));
    const CivilTime start = DateTime::fromDayNumber(series.startDay).civil();
    switch (r.frequency) {
    case Frequency::Daily:
        return {};
    case Frequency::Weekly:
        return onWords(weekdayName(weekdayOf(series.startDay)));
    case Frequency::Monthly:
        return onWords(monthDayWords(start.day));
    case Frequency::Yearly:
        return onWords(r.byMonth.empty()
                           ? words(text::translate("RuleWords", "%1 %2"),
                                   {std::to_string(start.day), monthName(start.month)})
                           : monthDayWords(start.day));
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
        out = text::translate("RuleWords", "Every weekday");
    } else {
        out = everyWords(r.frequency, interval);
        if (!r.byMonth.empty()) {
            std::vector<std::string> months;
            for (const int month : r.byMonth)
                months.push_back(monthName(std::clamp(month, 1, 12)));
            out += words(text::translate("RuleWords", " in %1"), {joinWords(months)});
        }
        out += placeWords(series);
    }
    if (!r.bySetPos.empty()) {
        std::vector<std::string> positions;
        for (const int pos : r.bySetPos)
            positions.push_back(ordinal(pos));
        out += words(text::translate("RuleWords", ", taking the %1 of those days in each %2"),
                     {joinWords(positions), periodName(r.frequency)});
    }
    if (r.count == 1)
        out += text::translate("RuleWords", ", once");
    else if (r.count > 1)
        out += words(text::translate("RuleWords", ", %1 times"), {std::to_string(r.count)});
    else if (r.until)
        out += words(text::translate("RuleWords", ", until %1"),
                     {dateWords(untilDayOf(series), dateOrder)});
    if (series.exceptions.size() == 1)
        out += text::translate("RuleWords", "; 1 date skipped");
    else if (!series.exceptions.empty())
        out += words(text::translate("RuleWords", "; %1 dates skipped"),
                     {std::to_string(series.exceptions.size())});
    if (!series.additions.empty()) {
        constexpr std::size_t kShown = 3;
        std::vector<std::string> added;
        for (std::size_t i = 0; i < series.additions.size() && i < kShown; ++i)
            added.push_back(dateWords(series.additions[i], dateOrder));
        if (series.additions.size() > kShown)
            added.push_back(words(text::translate("RuleWords", "%1 more dates"),
                                  {std::to_string(series.additions.size() - kShown)}));
        out += words(text::translate("RuleWords", "; also on %1"), {joinWords(added)});
    }
    return out;
}

} // namespace nimbus::recurrence
