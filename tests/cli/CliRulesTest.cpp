// nimbus-cli's rules without a process: typed dates, the channel form of changes and answers,
// the plain text of a page, and changes landing on a node through the window's rules.
#include <gtest/gtest.h>

#include "cli/ChangeRequest.h"
#include "cli/ChangeRules.h"
#include "cli/DateArgument.h"
#include "cli/RtfPlainText.h"
#include "store/Clock.h"
#include "store/TNimbusNode.h"

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

TEST(ChangeRequest, SurvivesTheChannelWithCaseSeparatorsAndLineEnds)
{
    ChangeRequest change;
    change.kind = ChangeRequest::Kind::Add;
    change.reply = "nimbus-cli-12-1";
    change.id = "STD020";
    change.title = "Call Ann & Bob = NOW\r\n100%";
    change.fields = {{"due", "20240307"}, {"priority", "2"}};
    const std::string line = encodeChange(change);
    // One packet, and nothing a copy that lower-cases lines could change.
    EXPECT_EQ(line.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n"), std::string::npos) << line;
    const std::size_t eq = line.find('=');
    const auto back = decodeChange(line.substr(0, eq), line.substr(eq + 1));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->kind, ChangeRequest::Kind::Add);
    EXPECT_EQ(back->reply, change.reply);
    EXPECT_EQ(back->id, change.id);
    EXPECT_EQ(back->title, change.title);
    EXPECT_EQ(back->fields, change.fields);
}

TEST(ChangeRequest, ForeignWordsBadEncodingAndUnsafeReplyChannelsAreRefused)
{
    EXPECT_FALSE(decodeChange("topic-move", "id=1"));
    EXPECT_FALSE(decodeChange("topic-done", "id=%zz"));
    EXPECT_FALSE(decodeChange("topic-done", "id=1%4"));
    EXPECT_FALSE(decodeChange("topic-done", "reply=..%2fnimbusslavemode&id=1"));
    EXPECT_FALSE(decodeChange("topic-done", "reply=nimbusslavemode&id=1"));
    // Names from later versions are ignored.
    const auto later = decodeChange("topic-done", "id=7&colour=red");
    ASSERT_TRUE(later);
    EXPECT_EQ(later->id, "7");
}

TEST(ChangeAnswer, OkAndFailRoundTrip)
{
    const auto ok = decodeAnswer(encodeAnswer({kSuccess, "42", ""}));
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->status, kSuccess);
    EXPECT_EQ(ok->id, "42");
    const auto failed = decodeAnswer(encodeAnswer({kNothingFound, "", "no topic has the id 9, sorry"}));
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->status, kNothingFound);
    EXPECT_EQ(failed->message, "no topic has the id 9, sorry");
    EXPECT_FALSE(decodeAnswer("fail=0,x"));
    EXPECT_FALSE(decodeAnswer("wakeup=now"));
}

TEST(RtfPlainText, KeepsTheWordsAndDropsTheMachinery)
{
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                            "{\\*\\generator Writer;}\\f0\\fs20 Caf\\'e9 {\\b bold}\\par "
                            "Tab\\tab end \\u8364? x{\\pict\\pngblip 89504e47}\\par}";
    EXPECT_EQ(rtfPlainText(rtf), "Caf\xc3\xa9 bold\nTab\tend \xe2\x82\xac x");
    EXPECT_EQ(rtfPlainText("plain words"), "plain words");
}

TEST(ChangeRules, FieldsLandThroughTheWindowsRules)
{
    FixedClock clock(kNow);
    TNimbusNode section("S");
    section.type = kSectionTopics;
    TNimbusNode node("1");
    initNewTopic(node, section, "Report", clock);
    EXPECT_EQ(node.lev, 1);
    EXPECT_EQ(node.ttype, kTopicTask);
    EXPECT_EQ(node.status, kStatusNotStarted);

    Fields fields;
    std::string value;
    for (auto [name, typed] : std::vector<std::pair<std::string, std::string>>{
             {"priority", "2"}, {"urgent", "yes"}, {"recur", "2 weeks"}}) {
        ASSERT_TRUE(checkField(name, typed, value)) << name;
        fields.emplace_back(name, value);
    }
    fields.insert(fields.begin(), {{"due", "20240303"}, {"time", "09:00:00"}});
    ASSERT_TRUE(applyFields(node, fields, clock));
    EXPECT_TRUE(node.recur);
    EXPECT_EQ(node.rno, 2);
    EXPECT_EQ(node.rtype, kUnitWeeks);
    EXPECT_EQ(node.pri, 2);
    EXPECT_TRUE(node.urgent);
    EXPECT_EQ(node.daysLeft, -2);
    EXPECT_EQ(node.statusText, "-2 days");

    // done on a recurring task moves it on by its period, as the "finished" button does.
    ASSERT_TRUE(completeTopic(node, clock));
    EXPECT_EQ(node.dlDate, "20240317");
    EXPECT_EQ(node.status, kStatusNotStarted);
}

TEST(ChangeRules, RefusedValuesSayWhatTheFieldTakes)
{
    std::string value;
    EXPECT_EQ(checkField("priority", "10", value).status, kUsage);
    EXPECT_EQ(checkField("percent", "55", value).status, kUsage);
    EXPECT_EQ(checkField("recur", "2 fortnights", value).status, kUsage);
    EXPECT_EQ(checkField("colour", "red", value).status, kUsage);
    EXPECT_EQ(checkField("title", "two\nlines", value).status, kUsage);
    FixedClock clock(kNow);
    TNimbusNode note("5");
    note.lev = 1;
    note.ttype = kTopicInformation;
    EXPECT_EQ(applyFields(note, {{"due", "20240307"}}, clock).status, kUsage);
    EXPECT_EQ(completeTopic(note, clock).status, kUsage);
    EXPECT_TRUE(note.dlDate.empty());
}
