// The change rules shared by nimbus-cli and the running program, without a process: the
// channel form of changes and answers, and changes landing on a node through the window's rules.
#include <gtest/gtest.h>

#include "store/Clock.h"
#include "store/TNimbusNode.h"
#include "tree/ChangeRequest.h"
#include "tree/ChangeRules.h"
#include "tree/RepeatField.h"

using namespace nimbus;
using namespace nimbus::cli;

namespace {
// Tuesday 5 March 2024, 10:00.
const DateTime kNow = DateTime::fromCivil(2024, 3, 5, 10, 0, 0);
} // namespace

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

// A rule whose end comes on its first day, before the topic's due time, yields no date: the
// end counts the time of day, as every later occurrence's does.
TEST(RepeatField, AnEndBeforeTheDueTimeOnTheFirstDayLeavesNoDate)
{
    TNimbusNode node{"1"};
    node.dlDate = "20260302"; // a Monday
    node.dlTime = "10:00:00";
    EXPECT_EQ(applyRuleField(node, "FREQ=WEEKLY;BYDAY=MO;UNTIL=20260302T090000").status, kUsage);
    node.dlTime = "08:00:00";
    ASSERT_TRUE(applyRuleField(node, "FREQ=WEEKLY;BYDAY=MO;UNTIL=20260302T090000"));
    ASSERT_TRUE(attachedSeries(node));
    EXPECT_EQ(attachedSeries(node)->startDay, DateTime::fromCivil(2026, 3, 2).dayNumber());
}
