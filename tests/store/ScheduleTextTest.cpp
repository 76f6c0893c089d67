// The schedule texts the window shows: read back from the English the schedule keeps, in the
// user's language, for every text the schedule writes.
#include <gtest/gtest.h>

#include <set>

#include "fileio/UiText.h"
#include "store/ScheduleText.h"
#include "store/Scheduler.h"
#include "store/TNimbusNode.h"

using namespace nimbus;

namespace {

// Every text DayText and TimeText write, for counts and spans on both sides of now.
std::set<std::string> everyScheduleText()
{
    std::set<std::string> texts{"Today", "In progress"};
    TNimbusNode node("1");
    for (int days = -400; days <= 400; ++days) {
        node.urgent = true; // no lead time to pass
        schedule::DayText(node, days);
        texts.insert(node.statusText);
    }
    for (std::int64_t seconds = -10000; seconds <= 10000; seconds += 7) {
        schedule::TimeText(node, seconds * 1000);
        texts.insert(node.statusText);
    }
    return texts;
}

// A language with its own words and the count after the unit, to see the count moved.
std::string wordsAfter(const char *, const char *source)
{
    return std::string(source) == "Today" ? "Heute" : source;
}

std::string countAfter(const char *, const char *source, const char *, int n)
{
    const std::string s(source);
    const std::string unit = s == "%n day(s)"    ? (n == 1 ? "Tag" : "Tage")
                             : s == "%n hour(s)" ? (n == 1 ? "Stunde" : "Stunden")
                                                 : "?";
    return unit + " " + std::to_string(n);
}

} // namespace

TEST(ScheduleText, EveryTextTheScheduleWritesIsReadBackAndTranslated)
{
    const std::set<std::string> texts = everyScheduleText();
    ASSERT_GT(texts.size(), 100u);
    // Without a translation every text is shown exactly as the schedule wrote it.
    for (const std::string &text : texts)
        EXPECT_EQ(schedule::shownStatusText(text), text);

    text::setTranslator(&wordsAfter);
    text::setCountTranslator(&countAfter);
    int translated = 0;
    for (const std::string &text : texts)
        translated += schedule::shownStatusText(text) != text;
    EXPECT_EQ(translated, static_cast<int>(texts.size()) - 1); // all but "In progress"
    EXPECT_EQ(schedule::shownStatusText("Today"), "Heute");
    EXPECT_EQ(schedule::shownStatusText("-1 day"), "-Tag 1");
    EXPECT_EQ(schedule::shownStatusText("-12 days"), "-Tage 12");
    // The blank the hours keep stays, so that the grids place the text as before.
    EXPECT_EQ(schedule::shownStatusText("3 hours "), "Stunden 3 ");
    EXPECT_EQ(schedule::shownStatusText("-1 hour "), "-Stunde 1 ");
    // Anything else (a text from a newer copy, say) is shown as it stands.
    for (const char *other : {"", "soon", "3", "3 fortnights", "- 3 days", "3days", "x3 days"})
        EXPECT_EQ(schedule::shownStatusText(other), other);
    text::setTranslator(nullptr);
    text::setCountTranslator(nullptr);
}
