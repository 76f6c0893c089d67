// A recurring series: its first date and time, a rule in the terms calendars use (a frequency
// and interval with weekdays, days of the month, months and positions, ending never, after a
// count or at an instant), single dates skipped and single dates added. Days are whole day
// numbers since 1970-01-01 in the topic's own wall-clock time, so an occurrence keeps its
// time of day across daylight-saving changes.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace nimbus::recurrence {

enum class Frequency { Daily, Weekly, Monthly, Yearly };

// Monday 0 ... Sunday 6, the order of a calendar week.
int weekdayOf(std::int64_t day);

struct WeekdayNum {
    int weekday = 0; // Monday 0 ... Sunday 6
    int nth = 0;     // 0 every such weekday; 2 the second, -1 the last (monthly and yearly)

    bool operator==(const WeekdayNum &) const = default;
};

struct Rule {
    Frequency frequency = Frequency::Daily;
    int interval = 1;
    std::vector<WeekdayNum> byDay;
    std::vector<int> byMonthDay; // 1..31 or -31..-1 (from the month's end)
    std::vector<int> byMonth;    // 1..12
    std::vector<int> bySetPos;   // positions within one period, -366..366 without 0
    int count = 0;               // 0 no count
    // The last moment an occurrence may start (milliseconds since 1970-01-01, wall clock).
    std::optional<std::int64_t> until;

    bool operator==(const Rule &) const = default;
};

struct Series {
    std::int64_t startDay = 0;
    std::optional<std::int64_t> time; // milliseconds of the day; none for a date-only topic
    Rule rule;
    std::vector<std::int64_t> exceptions; // days skipped, sorted
    std::vector<std::int64_t> additions;  // days added, sorted

    bool operator==(const Series &) const = default;

    // The first occurrence on or after day; none when the series has ended by then.
    std::optional<std::int64_t> firstOnOrAfter(std::int64_t day) const;
    // The first occurrence whose moment comes strictly after day and time of day.
    std::optional<std::int64_t> nextAfter(std::int64_t day, std::int64_t msecsOfDay) const;
    // The occurrences from first to last (inclusive days), at most limit of them.
    std::vector<std::int64_t> between(std::int64_t first, std::int64_t last,
                                      std::size_t limit = 100'000) const;
    // The last occurrence before day; none when there is none.
    std::optional<std::int64_t> previousBefore(std::int64_t day) const;
    // Whether day is an occurrence.
    bool occursOn(std::int64_t day) const;
    // Skips one occurrence (adds an exception; an added date is taken out instead).
    void skip(std::int64_t day);
};

// The first day on or after day that the rule's own parts pick when a series of it starts on
// day (a series counts its first date whatever the rule says): where a series chosen in the
// options dialog or made from words starts, so that it does not begin with a day its rule
// excludes (a Tuesday start for a rule "on mon,wed,fri"). time: the series' time of day, which
// an end (UNTIL) on that day may come before. The count is not looked at; none when the rule
// picks no day before its end.
std::optional<std::int64_t> firstRuleDay(const Rule &rule, std::int64_t day,
                                         std::optional<std::int64_t> time = std::nullopt);

} // namespace nimbus::recurrence
