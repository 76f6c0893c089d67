// The one reader of date keys, time texts and stamps, as each of its callers sees it: the
// stored-form reader that tolerates what older files hold, the strict eight digits that
// filters and calendar files take, and the time of day the schedule reads.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "store/DateDigits.h"
#include "store/DateFormat.h"
#include "store/DateTime.h"
#include "store/Scheduler.h"

using namespace nimbus;

namespace {

struct DateRow {
    const char *text;
    std::optional<DateTime> stored; // what parseDateKey makes of it
};

std::string shown(const char *text)
{
    return "\"" + std::string(text) + "\"";
}

} // namespace

TEST(DateKeyParsing, StoredDateKeysKeepTheirToleranceAndRefuseImpossibleDates)
{
    const DateTime mar5 = DateTime::fromCivil(2024, 3, 5);
    const DateRow rows[] = {
        {"20240229", DateTime::fromCivil(2024, 2, 29)}, // a leap day
        {"20230229", std::nullopt},                     // not in a common year
        {"21000229", std::nullopt},                     // nor in a century that is not a leap year
        {"20000229", DateTime::fromCivil(2000, 2, 29)},
        {"20240230", std::nullopt},
        {"20241301", std::nullopt}, // bad month
        {"20240001", std::nullopt},
        {"20240100", std::nullopt}, // bad day
        {"20240132", std::nullopt},
        {"00000101", std::nullopt}, // no year 0
        {"99991231", DateTime::fromCivil(9999, 12, 31)},
        {"2024ab01", std::nullopt}, // not digits
        {"", std::nullopt},
        {"2024-03-05", std::nullopt},
        {" 20240305", std::nullopt}, // a leading blank
        // What older files may hold is read by slices: text after the eight digits is ignored,
        // a short key takes what its slices give, and a slice may carry a sign.
        {"20240305 ", mar5},
        {"202403051", mar5},
        {"2024035", mar5},
        {"2024030", std::nullopt},
        {"2024+3+5", mar5},
    };
    for (const DateRow &row : rows) {
        DateTime parsed = DateTime::fromCivil(1999, 1, 1);
        const bool ok = dates::parseDateKey(row.text, parsed);
        EXPECT_EQ(ok, row.stored.has_value()) << shown(row.text);
        EXPECT_EQ(parsed, row.stored.value_or(DateTime::fromCivil(1999, 1, 1))) << shown(row.text);
    }
}

TEST(DateKeyParsing, TheScheduleReadsTimesOfDayAsItAlwaysHas)
{
    const struct {
        const char *text;
        std::int64_t msecs;
    } rows[] = {
        {"", 0},
        {"00:00:00", 0},
        {"09:05:30", (9 * 3600 + 5 * 60 + 30) * 1000},
        {"23:59:59", (23 * 3600 + 59 * 60 + 59) * 1000},
        {"24:00:00", 0}, // impossible times are no time
        {"12:60:00", 0},
        {"12:00:60", 0},
        {"09:05:30.250", (9 * 3600 + 5 * 60 + 30) * 1000 + 250},
        // Other forms are read by slices, as the stored forms always were.
        {"09:05", (9 * 3600 + 5 * 60) * 1000},
        {"09:05:30 ", (9 * 3600 + 5 * 60 + 30) * 1000},
        {"09-05-30", (9 * 3600 + 5 * 60 + 30) * 1000},
        {"9:05:30", 0},
        {" 09:05:30", 0},
        {"ab:cd:ef", 0},
    };
    for (const auto &row : rows)
        EXPECT_EQ(schedule::timeOfDay(row.text), row.msecs) << shown(row.text);
}

TEST(DateKeyParsing, TheStrictFormsTakeOnlyExactDigitsOfARealDateAndTime)
{
    const char *dateKeys[] = {"20240229", "20000229", "99991231", "00010101"};
    for (const char *text : dateKeys) {
        dates::CivilDate date;
        EXPECT_TRUE(dates::readDateKeyDigits(text, date)) << shown(text);
    }
    const char *notDateKeys[] = {"20230229",  "20241301",  "20240100", "00000101",
                                 "2024ab01",  "",          "2024035",  "202403051",
                                 "20240305 ", " 20240305", "2024+3+5", "2024-03-05"};
    for (const char *text : notDateKeys) {
        dates::CivilDate date{1, 2, 3};
        EXPECT_FALSE(dates::readDateKeyDigits(text, date)) << shown(text);
        EXPECT_EQ(date.year * 10000 + date.month * 100 + date.day, 10203) << "left as it was";
    }
    dates::CivilDate leap;
    ASSERT_TRUE(dates::readDateKeyDigits("20240229", leap));
    EXPECT_EQ(leap.year * 10000 + leap.month * 100 + leap.day, 20240229);

    int h = 1, m = 2, s = 3;
    EXPECT_TRUE(dates::readTimeTextDigits("23:59:59", h, m, s));
    EXPECT_EQ(h * 10000 + m * 100 + s, 235959);
    const char *notTimes[] = {"24:00:00",  "12:60:00", "12:00:60", "9:05:30",      " 09:05:30",
                              "09:05:30 ", "09:05",    "09-05-30", "09:05:30.250", "ab:cd:ef"};
    for (const char *text : notTimes) {
        h = 1, m = 2, s = 3;
        EXPECT_FALSE(dates::readTimeTextDigits(text, h, m, s)) << shown(text);
        EXPECT_EQ(h * 10000 + m * 100 + s, 10203) << "left as it was";
    }

    DateTime at;
    EXPECT_TRUE(dates::parseStamp("20240229-235959", at));
    EXPECT_EQ(at, DateTime::fromCivil(2024, 2, 29, 23, 59, 59));
    const char *notStamps[] = {
        "20230229-120000",  "20240229-240000", "20240229 120000", "20240229-12000",
        "20240229-1200000", "2024022-9120000", "20240229-12:000", ""};
    for (const char *text : notStamps) {
        at = DateTime::fromCivil(1999, 1, 1);
        EXPECT_FALSE(dates::parseStamp(text, at)) << shown(text);
        EXPECT_EQ(at, DateTime::fromCivil(1999, 1, 1)) << shown(text);
    }
}
