// nimbus-cli's rules without a process: typed dates and the plain text of a page. The change
// rules it shares with the running program are tested in tests/tree.
#include <gtest/gtest.h>

#include "cli/DateArgument.h"
#include "cli/RtfPlainText.h"
#include "store/Clock.h"

using namespace nimbus;
using namespace nimbus::cli;

namespace {
// Tuesday 5 March 2024, 10:00.
const DateTime kNow = DateTime::fromCivil(2024, 3, 5, 10, 0, 0);
} // namespace

TEST(DateArgument, DisplayOrdersIsoFormsAndWordsGiveDateKeys)
{
    EXPECT_EQ(parseDateArgument("2024-03-07", kNow, 0), "20240307");
    EXPECT_EQ(parseDateArgument("20240307", kNow, 1), "20240307");
    EXPECT_EQ(parseDateArgument("07/03/2024", kNow, 0), "20240307");
    EXPECT_EQ(parseDateArgument("03/07/2024", kNow, 1), "20240307");
    EXPECT_EQ(parseDateArgument("2024/03/07", kNow, 0), "20240307"); // a leading year in any order
    EXPECT_EQ(parseDateArgument("Today", kNow, 0), "20240305");
    EXPECT_EQ(parseDateArgument("tomorrow", kNow, 0), "20240306");
    EXPECT_EQ(parseDateArgument("+3d", kNow, 0), "20240308");
    EXPECT_EQ(parseDateArgument("+2w", kNow, 0), "20240319");
    EXPECT_EQ(parseDateArgument("tuesday", kNow, 0), "20240305"); // today is one
    EXPECT_EQ(parseDateArgument("fri", kNow, 0), "20240308");
    EXPECT_EQ(parseDateArgument("monday", kNow, 0), "20240311");
}

TEST(DateArgument, ImpossibleOrMalformedDatesAndTimesAreRefused)
{
    for (const char *bad : {"30/02/2024", "2024-02-30", "2024-13-01", "20240230", "+3x", "+d", "soon", "",
                            "1/2/24", "2024-03", "01/02/2024/5"})
        EXPECT_FALSE(parseDateArgument(bad, kNow, 0)) << bad;
    EXPECT_EQ(parseTimeArgument("14:05"), "14:05:00");
    EXPECT_EQ(parseTimeArgument("9:30:15"), "09:30:15");
    for (const char *bad : {"24:00", "12:60", "12", "12:5", "ab:cd"})
        EXPECT_FALSE(parseTimeArgument(bad)) << bad;
}

TEST(RtfPlainText, KeepsTheWordsAndDropsTheMachinery)
{
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                            "{\\*\\generator Writer;}\\f0\\fs20 Caf\\'e9 {\\b bold}\\par "
                            "Tab\\tab end \\u8364? x{\\pict\\pngblip 89504e47}\\par}";
    EXPECT_EQ(rtfPlainText(rtf), "Caf\xc3\xa9 bold\nTab\tend \xe2\x82\xac x");
    EXPECT_EQ(rtfPlainText("plain words"), "plain words");
}
