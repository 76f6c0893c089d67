// Reading and writing the text form of rules and series.
#include "recurrence/RuleText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <vector>

#include "store/DateTime.h"

namespace nimbus::recurrence {

namespace {

constexpr std::array<std::string_view, 7> kWeekdayCodes = {"MO", "TU", "WE", "TH",
                                                           "FR", "SA", "SU"};
constexpr std::size_t kMaxListSize = 400; // more values than any rule can use
constexpr std::size_t kMaxDates = 100'000;

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t end = std::min(text.find(separator, at), text.size());
        parts.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return parts;
}

bool parseInt(std::string_view text, int &value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool parseIntList(std::string_view text, int low, int high, bool noZero, std::vector<int> &values)
{
    values.clear();
    for (const std::string_view part : split(text, ',')) {
        int value = 0;
        if (!parseInt(part, value) || value < low || value > high || (noZero && value == 0) ||
            values.size() >= kMaxListSize)
            return false;
        values.push_back(value);
    }
    return true;
}

bool parseWeekdayList(std::string_view text, std::vector<WeekdayNum> &days)
{
    days.clear();
    for (std::string_view part : split(text, ',')) {
        if (part.size() < 2 || days.size() >= kMaxListSize)
            return false;
        const std::string_view code = part.substr(part.size() - 2);
        const auto found = std::find(kWeekdayCodes.begin(), kWeekdayCodes.end(), code);
        if (found == kWeekdayCodes.end())
            return false;
        WeekdayNum day;
        day.weekday = static_cast<int>(found - kWeekdayCodes.begin());
        part.remove_suffix(2);
        if (!part.empty() &&
            (!parseInt(part, day.nth) || day.nth == 0 || day.nth < -53 || day.nth > 53))
            return false;
        days.push_back(day);
    }
    return true;
}

bool parseDateList(std::string_view text, std::vector<std::int64_t> &days)
{
    days.clear();
    if (text.empty())
        return true;
    for (const std::string_view part : split(text, ',')) {
        std::int64_t day = 0;
        std::optional<std::int64_t> time;
        if (!parseDateText(part, day, time) || days.size() >= kMaxDates)
            return false;
        days.push_back(day);
    }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return true;
}

template <typename T, typename F>
void appendList(std::string &out, std::string_view key, const std::vector<T> &values, F format)
{
    if (values.empty())
        return;
    out += ';';
    out += key;
    out += '=';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i)
            out += ',';
        out += format(values[i]);
    }
}

std::string twoDigits(int value)
{
    return std::string(1, char('0' + value / 10)) + char('0' + value % 10);
}

} // namespace

bool parseDateText(std::string_view text, std::int64_t &day, std::optional<std::int64_t> &time)
{
    auto digits = [&](std::size_t at, std::size_t count, int &value) {
        value = 0;
        for (std::size_t i = at; i < at + count; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return false;
            value = value * 10 + (text[i] - '0');
        }
        return true;
    };
    int year = 0, month = 0, dayOfMonth = 0;
    if ((text.size() != 8 && text.size() != 15) || !digits(0, 4, year) || !digits(4, 2, month) ||
        !digits(6, 2, dayOfMonth) || !DateTime::isValidDate(year, month, dayOfMonth))
        return false;
    day = DateTime::fromCivil(year, month, dayOfMonth).dayNumber();
    time.reset();
    if (text.size() == 15) {
        int hour = 0, minute = 0, second = 0;
        if (text[8] != 'T' || !digits(9, 2, hour) || !digits(11, 2, minute) ||
            !digits(13, 2, second) || !DateTime::isValidTime(hour, minute, second))
            return false;
        time = ((hour * 60 + minute) * 60 + second) * std::int64_t(1000);
    }
    return true;
}

std::string formatDateText(std::int64_t day, std::optional<std::int64_t> time)
{
    const CivilTime c = DateTime::fromDayNumber(day).civil();
    std::string text = std::to_string(c.year);
    while (text.size() < 4)
        text.insert(text.begin(), '0');
    text += twoDigits(c.month) + twoDigits(c.day);
    if (time) {
        const std::int64_t seconds = *time / 1000;
        text += 'T';
        text += twoDigits(int(seconds / 3600));
        text += twoDigits(int(seconds / 60 % 60));
        text += twoDigits(int(seconds % 60));
    }
    return text;
}

bool parseRule(std::string_view text, Rule &rule, std::string &error)
{
    Rule r;
    bool haveFrequency = false;
    for (const std::string_view part : split(text, ';')) {
        if (part.empty())
            continue;
        const std::size_t equals = part.find('=');
        if (equals == std::string_view::npos) {
            error = "a part without a value";
            return false;
        }
        const std::string_view key = part.substr(0, equals);
        const std::string_view value = part.substr(equals + 1);
        bool ok = true;
        if (key == "FREQ") {
            haveFrequency = true;
            if (value == "DAILY")
                r.frequency = Frequency::Daily;
            else if (value == "WEEKLY")
                r.frequency = Frequency::Weekly;
            else if (value == "MONTHLY")
                r.frequency = Frequency::Monthly;
            else if (value == "YEARLY")
                r.frequency = Frequency::Yearly;
            else
                ok = false;
        } else if (key == "INTERVAL") {
            ok = parseInt(value, r.interval) && r.interval >= 1 && r.interval <= 10'000;
        } else if (key == "COUNT") {
            ok = parseInt(value, r.count) && r.count >= 1;
        } else if (key == "UNTIL") {
            std::int64_t day = 0;
            std::optional<std::int64_t> time;
            // A date-only end lets the whole day in.
            ok = parseDateText(value, day, time);
            r.until = day * DateTime::kMsecsPerDay + time.value_or(DateTime::kMsecsPerDay - 1000);
        } else if (key == "BYDAY") {
            ok = parseWeekdayList(value, r.byDay);
        } else if (key == "BYMONTHDAY") {
            ok = parseIntList(value, -31, 31, true, r.byMonthDay);
        } else if (key == "BYMONTH") {
            ok = parseIntList(value, 1, 12, true, r.byMonth);
        } else if (key == "BYSETPOS") {
            ok = parseIntList(value, -366, 366, true, r.bySetPos);
        } else if (key == "WKST") {
            ok = value == "MO"; // weeks from another day change which days a week holds
        } else {
            error = "the part " + std::string(key) + " is not supported";
            return false;
        }
        if (!ok) {
            error = "the value of " + std::string(key) + " is not understood";
            return false;
        }
    }
    if (!haveFrequency) {
        error = "no frequency";
        return false;
    }
    rule = std::move(r);
    return true;
}

std::string formatRule(const Rule &rule)
{
    static constexpr std::array<std::string_view, 4> kFrequencies = {"DAILY", "WEEKLY", "MONTHLY",
                                                                     "YEARLY"};
    std::string out = "FREQ=" + std::string(kFrequencies[static_cast<std::size_t>(rule.frequency)]);
    if (rule.interval > 1)
        out += ";INTERVAL=" + std::to_string(rule.interval);
    appendList(out, "BYDAY", rule.byDay, [](const WeekdayNum &w) {
        return (w.nth ? std::to_string(w.nth) : std::string()) +
               std::string(kWeekdayCodes[static_cast<std::size_t>(w.weekday)]);
    });
    const auto number = [](int v) { return std::to_string(v); };
    appendList(out, "BYMONTHDAY", rule.byMonthDay, number);
    appendList(out, "BYMONTH", rule.byMonth, number);
    appendList(out, "BYSETPOS", rule.bySetPos, number);
    if (rule.count > 0)
        out += ";COUNT=" + std::to_string(rule.count);
    if (rule.until) {
        const std::int64_t day = *rule.until / DateTime::kMsecsPerDay;
        out += ";UNTIL=" + formatDateText(day, *rule.until - day * DateTime::kMsecsPerDay);
    }
    return out;
}

bool parseSeries(std::string_view text, Series &series, std::string &error)
{
    Series s;
    bool haveStart = false;
    std::string ruleText;
    for (const std::string_view part : split(text, ';')) {
        const std::size_t equals = part.find('=');
        const std::string_view key = part.substr(0, std::min(equals, part.size()));
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : part.substr(equals + 1);
        if (key == "START") {
            haveStart = parseDateText(value, s.startDay, s.time);
            if (!haveStart) {
                error = "the first date is not a date";
                return false;
            }
        } else if (key == "EXDATE" || key == "RDATE") {
            if (!parseDateList(value, key == "EXDATE" ? s.exceptions : s.additions)) {
                error = "a date of " + std::string(key) + " is not a date";
                return false;
            }
        } else if (!part.empty()) {
            if (!ruleText.empty())
                ruleText += ';';
            ruleText += part;
        }
    }
    if (!haveStart) {
        error = "no first date";
        return false;
    }
    if (!parseRule(ruleText, s.rule, error))
        return false;
    series = std::move(s);
    return true;
}

std::string formatSeries(const Series &series)
{
    std::string out =
        "START=" + formatDateText(series.startDay, series.time) + ';' + formatRule(series.rule);
    const auto date = [](std::int64_t day) { return formatDateText(day, std::nullopt); };
    appendList(out, "EXDATE", series.exceptions, date);
    appendList(out, "RDATE", series.additions, date);
    return out;
}

} // namespace nimbus::recurrence
