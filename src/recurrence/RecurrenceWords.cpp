// Reading a repeat typed in words, and saying a rule in them.
#include "recurrence/RecurrenceWords.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <vector>

#include "recurrence/RuleText.h"
#include "store/DateTime.h"
#include "store/TopicCodes.h"

namespace nimbus::recurrence {

namespace {

constexpr std::array<std::string_view, 7> kWeekdays = {"mon", "tue", "wed", "thu",
                                                       "fri", "sat", "sun"};
constexpr std::array<std::string_view, 12> kMonths = {"jan", "feb", "mar", "apr", "may", "jun",
                                                      "jul", "aug", "sep", "oct", "nov", "dec"};
constexpr int kMaxInterval = 9999; // as the store's plain count
constexpr int kMaxCount = 100'000;

std::optional<int> numberOf(std::string_view word)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || ec != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return value;
}

// "mon", "monday", "mondays", "tues", "thurs".
std::optional<int> weekdayOf(std::string_view word)
{
    if (word.size() > 3 && word.back() == 's' && word != "tues" && word != "thurs")
        word.remove_suffix(1);
    static constexpr std::array<std::string_view, 7> kLong = {
        "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"};
    for (int d = 0; d < 7; ++d)
        if (word == kWeekdays[d] || word == kLong[d] || (d == 1 && word == "tues") ||
            (d == 3 && (word == "thur" || word == "thurs")))
            return d;
    return std::nullopt;
}

std::optional<int> monthOf(std::string_view word)
{
    static constexpr std::array<std::string_view, 12> kLong = {
        "january", "february", "march",     "april",   "may",      "june",
        "july",    "august",   "september", "october", "november", "december"};
    for (int m = 0; m < 12; ++m)
        if (word == kMonths[m] || word == kLong[m] || (m == 8 && word == "sept"))
            return m + 1;
    return std::nullopt;
}

// "1st" ... "31st", "first" ... "fifth", "last": a position (last = -1).
std::optional<int> ordinalOf(std::string_view word)
{
    static constexpr std::array<std::string_view, 5> kWords = {"first", "second", "third", "fourth",
                                                               "fifth"};
    for (int i = 0; i < 5; ++i)
        if (word == kWords[i])
            return i + 1;
    if (word == "last")
        return -1;
    if (word.size() < 3)
        return std::nullopt;
    const std::string_view suffix = word.substr(word.size() - 2);
    const std::optional<int> n = numberOf(word.substr(0, word.size() - 2));
    if (!n || *n < 1 || *n > 31)
        return std::nullopt;
    const int tens = *n % 100 / 10, ones = *n % 10;
    const std::string_view expected = tens == 1   ? "th"
                                      : ones == 1 ? "st"
                                      : ones == 2 ? "nd"
                                      : ones == 3 ? "rd"
                                                  : "th";
    if (suffix != expected)
        return std::nullopt;
    return n;
}

struct UnitWord {
    std::string_view word;
    int unit;
};
constexpr UnitWord kUnitWords[] = {{"minute", kUnitMinutes}, {"hour", kUnitHours},
                                   {"day", kUnitDays},       {"week", kUnitWeeks},
                                   {"month", kUnitMonths},   {"year", kUnitYears}};

std::optional<int> unitOf(std::string_view word)
{
    if (word.size() > 3 && word.back() == 's')
        word.remove_suffix(1);
    for (const UnitWord &u : kUnitWords)
        if (word == u.word)
            return u.unit;
    return std::nullopt;
}

std::optional<Frequency> frequencyOfUnit(int unit)
{
    switch (unit) {
    case kUnitDays:
        return Frequency::Daily;
    case kUnitWeeks:
        return Frequency::Weekly;
    case kUnitMonths:
        return Frequency::Monthly;
    case kUnitYears:
        return Frequency::Yearly;
    default:
        return std::nullopt;
    }
}

std::optional<Frequency> frequencyOfAdverb(std::string_view word)
{
    if (word == "daily")
        return Frequency::Daily;
    if (word == "weekly")
        return Frequency::Weekly;
    if (word == "monthly")
        return Frequency::Monthly;
    if (word == "yearly" || word == "annually")
        return Frequency::Yearly;
    return std::nullopt;
}

std::optional<std::int64_t> isoDate(const std::string &text)
{
    std::string digits;
    for (char c : text)
        if (c != '-')
            digits += c;
    std::int64_t day = 0;
    std::optional<std::int64_t> time;
    if (digits.size() != 8 || !parseDateText(digits, day, time))
        return std::nullopt;
    return day;
}

// Lower case words, split at blanks and commas ("mon, wed and fri" is three weekdays).
std::vector<std::string> wordsOf(std::string_view text)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == ',') {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

void addUnique(std::vector<int> &values, int value)
{
    if (std::find(values.begin(), values.end(), value) == values.end())
        values.push_back(value);
}

} // namespace

RecurrenceWords::RecurrenceWords(DateReader readDate) : readDate_(std::move(readDate))
{
    if (!readDate_)
        readDate_ = isoDate;
}

std::string RecurrenceWords::usage()
{
    return "a repeat is N UNIT (minutes, hours, days, weeks, months, years) or none, or a rule "
           "such as \"weekdays\", \"mon,wed,fri\", \"every 2 weeks on mon,thu\", \"2nd tue\", "
           "\"last fri\", \"monthly on 15\", \"yearly in mar\"; end it with xN (N times) or "
           "\"until DATE\"";
}

bool RecurrenceWords::parse(std::string_view text, TypedRepeat &repeat, std::string &error) const
{
    const std::vector<std::string> words = wordsOf(text);
    auto fail = [&](const std::string &why) {
        error = why + "; " + usage();
        return false;
    };
    if (words.empty())
        return fail("no repeat given");
    if (words.size() == 1 && words[0] == "none") {
        repeat = TypedRepeat{};
        return true;
    }
    // A rule in its own words, as the calendar files and "Recurrence.dat" write it.
    if (words[0].rfind("freq=", 0) == 0) {
        std::string upper(text);
        for (char &c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        upper.erase(std::remove_if(upper.begin(), upper.end(),
                                   [](unsigned char c) { return std::isspace(c); }),
                    upper.end());
        TypedRepeat rich;
        rich.kind = TypedRepeat::Kind::Rich;
        std::string why;
        if (!parseRule(upper, rich.rule, why))
            return fail("the rule \"" + std::string(text) + "\" cannot be used: " + why);
        const Rule &r = rich.rule;
        if (r.byDay.empty() && r.byMonthDay.empty() && r.byMonth.empty() && r.bySetPos.empty() &&
            r.count == 0 && !r.until) {
            static constexpr int kUnitOf[] = {kUnitDays, kUnitWeeks, kUnitMonths, kUnitYears};
            repeat = TypedRepeat{
                TypedRepeat::Kind::Plain, r.interval, kUnitOf[static_cast<int>(r.frequency)], {}};
            return true;
        }
        repeat = std::move(rich);
        return true;
    }

    std::optional<Frequency> frequency;
    std::optional<int> unit; // as typed with a count or "every": plain when nothing follows
    int interval = 1;
    bool intervalGiven = false;
    Rule rule;
    std::vector<int> pendingOrdinals;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string &w = words[i];
        const std::string next = i + 1 < words.size() ? words[i + 1] : std::string();
        auto setFrequency = [&](Frequency f) {
            if (frequency && *frequency != f)
                return false;
            frequency = f;
            return true;
        };
        if (!pendingOrdinals.empty() && !ordinalOf(w) && !weekdayOf(w) && w != "day" &&
            w != "and" && w != "the")
            return fail("\"" + w + "\" follows a position; say which weekday, as \"2nd tue\"");
        if (w == "and" || w == "on" || w == "the" || w == "of" || w == "each") {
            continue;
        } else if (w == "every") {
            if (next == "other") {
                interval = 2;
                intervalGiven = true;
                ++i;
            } else if (const std::optional<int> n = numberOf(next)) {
                if (*n < 1 || *n > kMaxInterval)
                    return fail("every takes a count from 1 to " + std::to_string(kMaxInterval));
                interval = *n;
                intervalGiven = true;
                ++i;
            }
            const std::string after = i + 1 < words.size() ? words[i + 1] : std::string();
            if (!unitOf(after) && !weekdayOf(after) && after != "weekday" && after != "weekdays")
                return fail("\"every\" needs a unit or a weekday after it");
        } else if (const std::optional<int> n = numberOf(w); n && unitOf(next)) {
            if (intervalGiven || *n < 1 || *n > kMaxInterval)
                return fail("a repeat takes one count from 1 to " + std::to_string(kMaxInterval));
            interval = *n;
            intervalGiven = true;
        } else if (n && (next == "times" || next == "x")) {
            if (*n < 1 || *n > kMaxCount)
                return fail("a repeat ends after 1 to " + std::to_string(kMaxCount) + " times");
            rule.count = *n;
            ++i;
        } else if (n) {
            if (*n < 1 || *n > 31)
                return fail("\"" + w + "\" is not a day of the month (1 to 31)");
            addUnique(rule.byMonthDay, *n);
        } else if (const std::optional<int> u = unitOf(w)) {
            if (!pendingOrdinals.empty() && *u == kUnitDays) {
                for (int o : pendingOrdinals)
                    addUnique(rule.byMonthDay, o);
                pendingOrdinals.clear();
                continue;
            }
            if (unit || (frequency && frequencyOfUnit(*u) != frequency))
                return fail("\"" + w + "\" is a second unit");
            unit = *u;
            if (const std::optional<Frequency> f = frequencyOfUnit(*u))
                frequency = f;
        } else if (const std::optional<Frequency> f = frequencyOfAdverb(w)) {
            if (!setFrequency(*f))
                return fail("\"" + w + "\" contradicts how often the repeat was already said");
        } else if (w == "fortnightly") {
            if (!setFrequency(Frequency::Weekly) || intervalGiven)
                return fail("\"fortnightly\" contradicts how often the repeat was already said");
            interval = 2;
            intervalGiven = true;
        } else if (w == "weekday" || w == "weekdays" || w == "weekend" || w == "weekends") {
            const bool weekend = w.rfind("weekend", 0) == 0;
            for (int d = weekend ? 5 : 0; d < (weekend ? 7 : 5); ++d)
                rule.byDay.push_back({d, 0});
        } else if (const std::optional<int> d = weekdayOf(w)) {
            if (pendingOrdinals.empty())
                rule.byDay.push_back({*d, 0});
            for (int o : pendingOrdinals)
                rule.byDay.push_back({*d, o});
            pendingOrdinals.clear();
        } else if (const std::optional<int> o = ordinalOf(w)) {
            // "2nd tue", "1st and 3rd mon", "last day"; "the 15th" is a day of the month.
            if (weekdayOf(next) || ordinalOf(next) || next == "day" || next == "and") {
                pendingOrdinals.push_back(*o);
            } else if (*o > 0) {
                addUnique(rule.byMonthDay, *o);
            } else {
                return fail("\"last\" needs a weekday or \"day\" after it");
            }
        } else if (const std::optional<int> m = monthOf(w)) {
            addUnique(rule.byMonth, *m);
        } else if (w == "in") {
            if (!monthOf(next))
                return fail("\"in\" needs a month after it");
        } else if (w.size() > 1 && (w[0] == 'x') && numberOf(w.substr(1))) {
            const int count = *numberOf(w.substr(1));
            if (count < 1 || count > kMaxCount)
                return fail("a repeat ends after 1 to " + std::to_string(kMaxCount) + " times");
            rule.count = count;
        } else if (w == "until") {
            if (next.empty())
                return fail("\"until\" needs a date after it");
            const std::optional<std::int64_t> day = readDate_(next);
            if (!day)
                return fail("\"" + next + "\" is not a date");
            // The whole last day is in.
            rule.until = *day * DateTime::kMsecsPerDay + DateTime::kMsecsPerDay - 1000;
            ++i;
        } else {
            return fail("\"" + w + "\" is not understood");
        }
    }
    if (!pendingOrdinals.empty())
        return fail("a position needs a weekday after it, as \"2nd tue\"");
    if (rule.count > 0 && rule.until)
        return fail("a repeat ends either after a count or at a date, not both");

    const bool extras = !rule.byDay.empty() || !rule.byMonthDay.empty() || !rule.byMonth.empty() ||
                        rule.count > 0 || rule.until.has_value();
    if (unit && !frequencyOfUnit(*unit)) {
        if (extras)
            return fail("repeats by minutes or hours take no days, count or end");
        repeat = TypedRepeat{TypedRepeat::Kind::Plain, interval, *unit, {}};
        return true;
    }
    const bool positional = std::any_of(rule.byDay.begin(), rule.byDay.end(),
                                        [](const WeekdayNum &d) { return d.nth != 0; });
    if (!frequency) {
        if (positional || !rule.byMonthDay.empty())
            frequency = rule.byMonth.empty() ? Frequency::Monthly : Frequency::Yearly;
        else if (!rule.byDay.empty())
            frequency = Frequency::Weekly;
        else if (!rule.byMonth.empty())
            frequency = Frequency::Yearly;
        else if (intervalGiven)
            return fail("a count needs a unit after it");
        else
            return fail("say how often it repeats");
    }
    if (positional && (*frequency == Frequency::Daily || *frequency == Frequency::Weekly))
        return fail("a weekday at a position (\"2nd tue\") repeats monthly or yearly");
    for (const WeekdayNum &d : rule.byDay)
        if (d.nth > 5 && *frequency == Frequency::Monthly)
            return fail("a month has at most five of each weekday");
    rule.frequency = *frequency;
    rule.interval = interval;
    if (!extras) {
        static constexpr int kUnitOf[] = {kUnitDays, kUnitWeeks, kUnitMonths, kUnitYears};
        repeat = TypedRepeat{
            TypedRepeat::Kind::Plain, interval, kUnitOf[static_cast<int>(*frequency)], {}};
        return true;
    }
    repeat = TypedRepeat{TypedRepeat::Kind::Rich, 0, -1, std::move(rule)};
    return true;
}

std::string RecurrenceWords::describe(const Rule &rule)
{
    // Set positions, days from the month's end but the last, and weekdays by position in a
    // daily or weekly rule have no words here.
    const bool sayable =
        rule.bySetPos.empty() &&
        std::all_of(rule.byMonthDay.begin(), rule.byMonthDay.end(),
                    [](int d) { return d > 0 || d == -1; }) &&
        std::all_of(rule.byDay.begin(), rule.byDay.end(), [&](const WeekdayNum &d) {
            return d.nth == 0 ||
                   (rule.frequency != Frequency::Daily && rule.frequency != Frequency::Weekly &&
                    d.nth >= -1 && d.nth <= 31);
        });
    if (!sayable)
        return formatRule(rule);
    static constexpr std::array<std::string_view, 4> kAdverbs = {"daily", "weekly", "monthly",
                                                                 "yearly"};
    static constexpr std::array<std::string_view, 4> kUnits = {"days", "weeks", "months", "years"};
    const auto f = static_cast<std::size_t>(rule.frequency);
    std::string out = rule.interval > 1
                          ? "every " + std::to_string(rule.interval) + " " + std::string(kUnits[f])
                          : std::string(kAdverbs[f]);
    const auto ordinal = [](int n) {
        if (n == -1)
            return std::string("last");
        const int tens = n % 100 / 10, ones = n % 10;
        return std::to_string(n) + (tens == 1   ? "th"
                                    : ones == 1 ? "st"
                                    : ones == 2 ? "nd"
                                    : ones == 3 ? "rd"
                                                : "th");
    };
    std::vector<std::string> on;
    unsigned plainDays = 0;
    for (const WeekdayNum &d : rule.byDay)
        if (d.nth == 0)
            plainDays |= 1u << d.weekday;
    if (plainDays == 0x1F && rule.byDay.size() == 5) {
        on.emplace_back("weekdays");
    } else {
        for (const WeekdayNum &d : rule.byDay)
            if (d.nth == 0)
                on.emplace_back(kWeekdays[static_cast<std::size_t>(d.weekday)]);
    }
    for (const WeekdayNum &d : rule.byDay)
        if (d.nth != 0)
            on.push_back(ordinal(d.nth) + " " +
                         std::string(kWeekdays[static_cast<std::size_t>(d.weekday)]));
    for (int day : rule.byMonthDay)
        on.push_back(day == -1 ? std::string("last day") : std::to_string(day));
    if (!on.empty()) {
        out += " on ";
        for (std::size_t i = 0; i < on.size(); ++i) {
            if (i)
                out += ',';
            out += on[i];
        }
    }
    if (!rule.byMonth.empty()) {
        out += " in ";
        for (std::size_t i = 0; i < rule.byMonth.size(); ++i) {
            if (i)
                out += ',';
            out += kMonths[static_cast<std::size_t>(rule.byMonth[i] - 1)];
        }
    }
    if (rule.count > 0)
        out += " x" + std::to_string(rule.count);
    if (rule.until) {
        const CivilTime c = DateTime::fromDayNumber(*rule.until / DateTime::kMsecsPerDay).civil();
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", c.year, c.month, c.day);
        out += " until " + std::string(date);
    }
    return out;
}

} // namespace nimbus::recurrence
