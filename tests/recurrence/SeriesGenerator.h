// Random series of every kind the program carries (weekdays with and without positions, days
// of the month, months, set positions, counts, ends, skipped and added dates), for the tests
// that compare the expansion with an independent one and carry series through files.
#pragma once

#include <algorithm>
#include <random>
#include <vector>

#include "recurrence/RecurrenceRule.h"
#include "store/DateTime.h"

namespace nimbus::recurrence {

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    Series next()
    {
        Series s;
        s.startDay = DateTime::fromCivil(2024, 1, 1).dayNumber() + pick(0, 6 * 365);
        if (pick(0, 2) > 0)
            s.time = (pick(0, 23) * 3600 + pick(0, 3) * 15 * 60) * std::int64_t(1000);
        Rule &r = s.rule;
        r.frequency = static_cast<Frequency>(pick(0, 3));
        r.interval = pick(0, 2) == 0 ? pick(2, 4) : 1;
        switch (r.frequency) {
        case Frequency::Daily:
            if (pick(0, 2) == 0) // every weekday
                r.byDay = weekdays(0b0011111, false);
            break;
        case Frequency::Weekly:
            if (pick(0, 3) > 0)
                r.byDay = weekdays(static_cast<unsigned>(pick(1, 127)), false);
            break;
        case Frequency::Monthly:
            switch (pick(0, 4)) {
            case 0:
                break; // the first date's day of the month
            case 1:
                r.byMonthDay = {pick(1, 31)};
                if (pick(0, 2) == 0)
                    r.byMonthDay.push_back(pick(1, 28));
                break;
            case 2:
                r.byMonthDay = {-pick(1, 3)};
                break;
            case 3:
                r.byDay = {{pick(0, 6), pick(0, 4) == 0 ? -1 : pick(1, 4)}};
                break;
            case 4: // the last working day, the first weekend day
                r.byDay = weekdays(pick(0, 1) ? 0b0011111 : 0b1100000, false);
                r.bySetPos = {pick(0, 1) ? -1 : 1};
                break;
            }
            break;
        case Frequency::Yearly:
            switch (pick(0, 3)) {
            case 0:
                break;
            case 1:
                r.byMonth = {pick(1, 12)};
                break;
            case 2:
                r.byMonth = {pick(1, 12)};
                r.byDay = {{pick(0, 6), pick(0, 3) == 0 ? -1 : pick(1, 4)}};
                break;
            case 3:
                r.byMonth = {pick(1, 6), pick(7, 12)};
                r.byMonthDay = {pick(1, 28)};
                break;
            }
            break;
        }
        switch (pick(0, 3)) {
        case 0:
            r.count = pick(1, 40);
            break;
        case 1:
            r.until = (s.startDay + pick(0, 900)) * DateTime::kMsecsPerDay +
                      (pick(0, 1) ? DateTime::kMsecsPerDay - 1000 : pick(0, 23) * 3'600'000);
            break;
        default:
            break;
        }
        for (int i = pick(0, 3); i > 0; --i)
            s.exceptions.push_back(s.startDay + pick(0, 400));
        for (int i = pick(0, 2); i > 0; --i)
            s.additions.push_back(s.startDay + pick(1, 400));
        for (auto *days : {&s.exceptions, &s.additions}) {
            std::sort(days->begin(), days->end());
            days->erase(std::unique(days->begin(), days->end()), days->end());
        }
        return s;
    }

    // Some of the skipped dates should be real occurrences, or skipping is hardly tested.
    void skipSomeOccurrences(Series &s, const std::vector<std::int64_t> &days)
    {
        if (days.size() > 2 && pick(0, 1) == 0)
            s.skip(days[static_cast<std::size_t>(pick(1, static_cast<int>(days.size()) - 1))]);
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::vector<WeekdayNum> weekdays(unsigned mask, bool = false)
    {
        std::vector<WeekdayNum> days;
        for (int d = 0; d < 7; ++d)
            if (mask & (1u << d))
                days.push_back({d, 0});
        return days;
    }
    std::mt19937 random_;
};

} // namespace nimbus::recurrence
