// Repeats typed in words: what each phrase means as a rule, the first dates a series made from
// it has (checked by hand against a calendar), the words shown for a rule read back to the same
// rule, and the messages for what cannot be read.
#include <gtest/gtest.h>

#include "recurrence/RecurrenceWords.h"
#include "recurrence/RuleText.h"
#include "store/DateTime.h"
#include "store/TopicCodes.h"

namespace nimbus::recurrence {
namespace {

std::int64_t day(int y, int m, int d)
{
    return DateTime::fromCivil(y, m, d).dayNumber();
}

TypedRepeat parsed(const std::string &text)
{
    TypedRepeat repeat;
    std::string error;
    EXPECT_TRUE(RecurrenceWords().parse(text, repeat, error)) << text << ": " << error;
    return repeat;
}

std::string error(const std::string &text)
{
    TypedRepeat repeat;
    std::string why;
    EXPECT_FALSE(RecurrenceWords().parse(text, repeat, why)) << text;
    return why;
}

// The first dates of a series made from words with the given first date, as nimbus-cli makes
// it: begun on the first day the rule yields.
std::string firstDates(const std::string &text, std::int64_t due, std::size_t count = 4)
{
    Series s;
    s.startDay = due;
    s.rule = parsed(text).rule;
    const std::optional<std::int64_t> first = firstRuleDay(s.rule, s.startDay, s.time);
    if (!first)
        return "none";
    s.startDay = *first;
    std::string out;
    for (const std::int64_t d : s.between(due, due + 3 * 366, count))
        out += (out.empty() ? "" : " ") + formatDateText(d, std::nullopt);
    return out;
}

TEST(RecurrenceWords, PhrasesBecomeRulesWithTheirFirstDates)
{
    struct Case {
        const char *words;
        const char *rule;
        const char *dates; // from Tuesday 8 December 2026
    };
    const Case cases[] = {
        {"mon,wed,fri", "FREQ=WEEKLY;BYDAY=MO,WE,FR", "20261209 20261211 20261214 20261216"},
        {"Mon, Wed and Fri", "FREQ=WEEKLY;BYDAY=MO,WE,FR", "20261209 20261211 20261214 20261216"},
        {"weekdays", "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR", "20261208 20261209 20261210 20261211"},
        {"every weekday", "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR",
         "20261208 20261209 20261210 20261211"},
        {"weekends", "FREQ=WEEKLY;BYDAY=SA,SU", "20261212 20261213 20261219 20261220"},
        {"2nd tue", "FREQ=MONTHLY;BYDAY=2TU", "20261208 20270112 20270209 20270309"},
        {"last fri", "FREQ=MONTHLY;BYDAY=-1FR", "20261225 20270129 20270226 20270326"},
        {"first monday", "FREQ=MONTHLY;BYDAY=1MO", "20270104 20270201 20270301 20270405"},
        {"1st and 3rd thu", "FREQ=MONTHLY;BYDAY=1TH,3TH", "20261217 20270107 20270121 20270204"},
        {"monthly on 15 x10", "FREQ=MONTHLY;BYMONTHDAY=15;COUNT=10",
         "20261215 20270115 20270215 20270315"},
        {"monthly on the 31st", "FREQ=MONTHLY;BYMONTHDAY=31",
         "20261231 20270131 20270331 20270531"},
        {"monthly on last day", "FREQ=MONTHLY;BYMONTHDAY=-1",
         "20261231 20270131 20270228 20270331"},
        {"every 2 weeks on mon,thu", "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH",
         "20261210 20261221 20261224 20270104"},
        {"every other week on fri", "FREQ=WEEKLY;INTERVAL=2;BYDAY=FR",
         "20261211 20261225 20270108 20270122"},
        {"weekly until 2026-12-29", "FREQ=WEEKLY;UNTIL=20261229T235959",
         "20261208 20261215 20261222 20261229"},
        {"daily x3", "FREQ=DAILY;COUNT=3", "20261208 20261209 20261210"},
        {"3 times daily", "FREQ=DAILY;COUNT=3", "20261208 20261209 20261210"},
        {"yearly in mar", "FREQ=YEARLY;BYMONTH=3", "20270308 20280308 20290308"},
        {"2nd sun in may", "FREQ=YEARLY;BYDAY=2SU;BYMONTH=5", "20270509 20280514 20290513"},
        {"freq=monthly;byday=mo,tu,we,th,fr;bysetpos=-1",
         "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", "20261231 20270129 20270226 20270331"},
    };
    const std::int64_t tuesday = day(2026, 12, 8);
    for (const Case &c : cases) {
        const TypedRepeat repeat = parsed(c.words);
        EXPECT_EQ(repeat.kind, TypedRepeat::Kind::Rich) << c.words;
        EXPECT_EQ(formatRule(repeat.rule), c.rule) << c.words;
        EXPECT_EQ(firstDates(c.words, tuesday), c.dates) << c.words;
    }
    // A rule whose end comes before its first day yields nothing.
    EXPECT_EQ(firstDates("last fri until 2026-12-20", tuesday), "none");
}

TEST(RecurrenceWords, CountsAndUnitsAloneStayPlainRules)
{
    struct Case {
        const char *words;
        int count;
        int unit;
    };
    const Case cases[] = {{"2 weeks", 2, kUnitWeeks},       {"1 month", 1, kUnitMonths},
                          {"every day", 1, kUnitDays},      {"every 3 years", 3, kUnitYears},
                          {"yearly", 1, kUnitYears},        {"fortnightly", 2, kUnitWeeks},
                          {"90 minutes", 90, kUnitMinutes}, {"every 2 hours", 2, kUnitHours}};
    for (const Case &c : cases) {
        const TypedRepeat repeat = parsed(c.words);
        EXPECT_EQ(repeat.kind, TypedRepeat::Kind::Plain) << c.words;
        EXPECT_EQ(repeat.count, c.count) << c.words;
        EXPECT_EQ(repeat.unit, c.unit) << c.words;
    }
    EXPECT_EQ(parsed("none").kind, TypedRepeat::Kind::None);
}

TEST(RecurrenceWords, TheWordsShownForARuleReadBackToIt)
{
    for (const char *rule :
         {"FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=10", "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR",
          "FREQ=MONTHLY;INTERVAL=3;BYDAY=2TU;UNTIL=20270630T235959",
          "FREQ=MONTHLY;BYMONTHDAY=1,15,-1", "FREQ=YEARLY;BYDAY=-1MO;BYMONTH=5",
          "FREQ=DAILY;INTERVAL=2;COUNT=5", "FREQ=YEARLY;BYMONTH=1,7",
          "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", "FREQ=MONTHLY;BYMONTHDAY=-2"}) {
        Rule r;
        std::string why;
        ASSERT_TRUE(parseRule(rule, r, why)) << rule;
        const std::string words = RecurrenceWords::describe(r);
        EXPECT_EQ(formatRule(parsed(words).rule), rule) << words;
    }
    Rule r;
    std::string why;
    ASSERT_TRUE(parseRule("FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH;COUNT=6", r, why));
    EXPECT_EQ(RecurrenceWords::describe(r), "every 2 weeks on mon,thu x6");
}

TEST(RecurrenceWords, WhatCannotBeReadIsNamedWithTheUsage)
{
    EXPECT_NE(error("weekly sometimes").find("\"sometimes\" is not understood"), std::string::npos);
    EXPECT_NE(error("every fortnight").find("\"every\" needs a unit"), std::string::npos);
    EXPECT_NE(error("last").find("weekday"), std::string::npos);
    EXPECT_NE(error("2nd tue weekly").find("monthly or yearly"), std::string::npos);
    EXPECT_NE(error("weekly x0").find("1 to"), std::string::npos);
    EXPECT_NE(error("weekly x3 until 2027-01-01").find("not both"), std::string::npos);
    EXPECT_NE(error("weekly until someday").find("\"someday\" is not a date"), std::string::npos);
    EXPECT_NE(error("2 hours on mon").find("minutes or hours"), std::string::npos);
    EXPECT_NE(error("monthly on 32").find("day of the month"), std::string::npos);
    EXPECT_NE(error("monthly 2 weeks").find("second unit"), std::string::npos);
    EXPECT_NE(error("6th fri").find("five"), std::string::npos);
    EXPECT_NE(error("FREQ=HOURLY").find("cannot be used"), std::string::npos);
    EXPECT_NE(error("").find("no repeat"), std::string::npos);
    // Every message ends with what a repeat may be.
    EXPECT_NE(error("sometimes").find(RecurrenceWords::usage()), std::string::npos);
}

TEST(RecurrenceWords, UntilTakesTheCallersDates)
{
    const RecurrenceWords words([](const std::string &text) -> std::optional<std::int64_t> {
        if (text == "tomorrow")
            return DateTime::fromCivil(2026, 12, 9).dayNumber();
        return std::nullopt;
    });
    TypedRepeat repeat;
    std::string why;
    ASSERT_TRUE(words.parse("daily until tomorrow", repeat, why)) << why;
    EXPECT_EQ(formatRule(repeat.rule), "FREQ=DAILY;UNTIL=20261209T235959");
    EXPECT_FALSE(words.parse("daily until 2026-12-09", repeat, why));
}

} // namespace
} // namespace nimbus::recurrence
