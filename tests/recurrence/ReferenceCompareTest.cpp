// Three hundred generated series (every frequency, weekdays with and without positions, days
// of the month, months, set positions, counts, ends, skipped and added dates), expanded over
// three years by the program and by python3-dateutil's rrule, must agree date for date.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "SeriesGenerator.h"
#include "recurrence/RecurrenceRule.h"
#include "recurrence/RuleText.h"
#include "store/DateTime.h"
#include "support/TempFolder.h"

namespace nimbus::recurrence {
namespace {

std::string textOf(const std::vector<std::int64_t> &days, const Series &s)
{
    std::string out;
    for (const std::int64_t day : days) {
        if (!out.empty())
            out += ' ';
        out += formatDateText(day, s.time);
    }
    return out;
}

TEST(ReferenceCompare, ThreeHundredSeriesMatchDateutilOverThreeYears)
{
    test::TempFolder folder;
    Generator generator(20260607);
    std::vector<Series> series;
    std::vector<std::string> ours;
    std::ofstream input(folder / "series.txt");
    for (int i = 0; i < 300; ++i) {
        Series s = generator.next();
        const std::int64_t windowEnd = s.startDay + 3 * 365;
        generator.skipSomeOccurrences(s, s.between(s.startDay, windowEnd, 50));
        // The text form is what the reference reads, so it must carry the series whole.
        Series reread;
        std::string error;
        ASSERT_TRUE(parseSeries(formatSeries(s), reread, error))
            << formatSeries(s) << ": " << error;
        ASSERT_EQ(reread, s) << formatSeries(s);
        input << (i % 2 ? "Europe/Berlin" : "America/New_York") << '\t'
              << formatDateText(windowEnd, std::nullopt) << '\t' << formatSeries(s) << '\n';
        ours.push_back(textOf(s.between(s.startDay, windowEnd), s));
        series.push_back(std::move(s));
    }
    input.close();

    // Debian's python, which has python3-dateutil (a python earlier on PATH may not).
    const std::string command = std::string("/usr/bin/python3 ") + NIMBUS_RRULE_REFERENCE + " < " +
                                (folder / "series.txt") + " > " + (folder / "expected.txt");
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream expected(folder / "expected.txt");
    std::string line;
    int compared = 0;
    int withOccurrencesLeftOut = 0;
    for (std::size_t i = 0; i < ours.size() && std::getline(expected, line); ++i, ++compared) {
        EXPECT_EQ(ours[i], line) << formatSeries(series[i]);
        withOccurrencesLeftOut += !series[i].exceptions.empty();
    }
    EXPECT_EQ(compared, 300);
    EXPECT_GT(withOccurrencesLeftOut, 30);
}

} // namespace
} // namespace nimbus::recurrence
