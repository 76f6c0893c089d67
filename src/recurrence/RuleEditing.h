// The rules behind the options dialog's recurrence editor: which series the editor can show as
// its choices (a frequency with an interval, weekdays of a week, a day of the month or the nth
// weekday, an end), the rule its choices make, the series OK stores, and the words that
// explain a series the editor cannot show, so that it can be kept as it is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "recurrence/RecurrenceRule.h"

namespace nimbus::recurrence {

enum class MonthlyChoice { DayOfMonth, NthWeekday };
enum class RuleEnd { Never, AfterCount, OnDate };

// The editor's choices.
struct EditableRule {
    static constexpr int kMaxInterval = 999;
    static constexpr int kMaxCount = 9999;
    static constexpr unsigned kWorkingDays = 0x1F; // Monday to Friday

    Frequency frequency = Frequency::Weekly;
    int interval = 1;
    unsigned weekdays = 0; // weekly: a bit per weekday, Monday the lowest
    MonthlyChoice monthly = MonthlyChoice::DayOfMonth;
    int monthDay = 1;   // 1..31
    int nth = 1;        // 1..4, or -1 for the last
    int nthWeekday = 0; // Monday 0 ... Sunday 6
    RuleEnd end = RuleEnd::Never;
    int count = 10;
    std::int64_t untilDay = 0; // the last day an occurrence may fall on

    bool operator==(const EditableRule &) const = default;
};

// The choices that show a new rule starting on day: the plain rule's frequency and interval
// when it has days, weeks, months or years (weekly otherwise) on the day's weekday, the
// monthly choices on its day of the month and its weekday's place in the month (a fifth one
// is the last), ten times or thirty days on.
EditableRule defaultEditableRule(std::int64_t day, int plainCount = 1, int plainUnit = -1);

// The editor's view of a series; none when the editor cannot show it without changing what it
// means: set positions, several days of the month, months, weekdays at a position beyond the
// fourth or from the end other than the last, added dates, counts or intervals beyond the
// editor's range. Skipped dates do not matter: the series keeps them.
std::optional<EditableRule> editableRule(const Series &series);

// The rule the choices make. An end date on the day the original rule already ended keeps the
// original's end (it may stop at a time of day).
Rule ruleFromEditable(const EditableRule &chosen, const Series *original = nullptr);

// What OK stores. original: the topic's series when it had one. chosen: the editor's choices,
// none when it kept a series it cannot show. firstDay, time: the next date due and time the
// dialog shows (no time: none). A rule left as it was keeps its first date (unless the next
// date was moved before it) and its skipped and added dates; a changed rule starts on the
// first day it picks from firstDay on, keeping the skipped dates. A time that was not changed
// stays as the series had it.
Series editedSeries(const Series *original, const EditableRule *chosen, std::int64_t firstDay,
                    std::optional<std::int64_t> time);

// The next occurrences of the series from day on (the preview of the choices), at most limit.
std::vector<std::int64_t> nextOccurrences(const Series &series, std::int64_t day,
                                          std::size_t limit = 5);

// The series in words, for the user: "Every 2 weeks on Monday and Friday, 10 times", with its
// set positions, months, end, skipped and added dates. dateOrder: the display order of dates
// (0 day first, 1 month first, 2 year first).
std::string describeSeries(const Series &series, int dateOrder);

} // namespace nimbus::recurrence
