// The options dialog's values meet what changed while it was open: only the groups the user
// changed are written, each whole.
#include <gtest/gtest.h>

#include "store/TopicOptionsMerge.h"

namespace nimbus {
namespace {

TopicOptions opened()
{
    TopicOptions o;
    o.cancelled = false;
    o.name = "Quarterly report";
    o.deadline = true;
    o.dueDate = "20261215";
    o.dueTime = "10:00:00";
    o.percent = 20;
    o.status = kStatusInProgress;
    o.priority = 1;
    return o;
}

TEST(TopicOptionsMerge, OnlyWhatTheUserChangedGoesOverTheNewerValues)
{
    TopicOptions edited = opened();
    edited.priority = 3;
    TopicOptions now = opened(); // a sync renamed it and moved its time meanwhile
    now.name = "Quarterly report (phone)";
    now.dueTime = "11:00:00";
    now.percent = 60;

    const TopicOptions merged = mergeTopicOptions(opened(), edited, now);
    EXPECT_EQ(merged.priority, 3);
    EXPECT_EQ(merged.name, "Quarterly report (phone)");
    EXPECT_EQ(merged.dueTime, "11:00:00");
    EXPECT_EQ(merged.percent, 60);
    EXPECT_FALSE(merged.cancelled);

    // A group the user changed goes whole: the date typed here with the time shown here, not
    // with the time set elsewhere.
    edited.dueDate = "20261218";
    const TopicOptions dated = mergeTopicOptions(opened(), edited, now);
    EXPECT_EQ(dated.dueDate, "20261218");
    EXPECT_EQ(dated.dueTime, "10:00:00");
    // Nothing changed meanwhile: the dialog's values as they are.
    const TopicOptions plain = mergeTopicOptions(opened(), edited, opened());
    EXPECT_EQ(plain.dueDate, "20261218");
    EXPECT_EQ(plain.priority, 3);
    EXPECT_EQ(plain.name, "Quarterly report");
}

// The same group changed on both sides: named for the user, and either side can be kept.
TEST(TopicOptionsMerge, AGroupChangedOnBothSidesIsNamedAndEitherSideKept)
{
    TopicOptions edited = opened();
    edited.name = "Quarterly report (mine)";
    edited.priority = 2;
    TopicOptions now = opened();
    now.name = "Quarterly report (phone)";
    now.dueTime = "11:00:00";
    EXPECT_EQ(clashingGroups(opened(), edited, now), std::vector<std::string>{"title"});
    EXPECT_EQ(mergeTopicOptions(opened(), edited, now).name, "Quarterly report (mine)");
    const TopicOptions theirs = mergeTopicOptions(opened(), edited, now, true);
    EXPECT_EQ(theirs.name, "Quarterly report (phone)");
    EXPECT_EQ(theirs.priority, 2);
    EXPECT_EQ(theirs.dueTime, "11:00:00");
    // The same value on both sides is no clash.
    now.name = edited.name;
    EXPECT_TRUE(clashingGroups(opened(), edited, now).empty());
}

// A rule beyond "every N units" belongs to the dates: a sync that set another one meanwhile
// meets the rule chosen here as a clash, and a rule left alone here takes the newer one.
TEST(TopicOptionsMerge, ARichRuleGoesWithTheDates)
{
    TopicOptions mine = opened();
    mine.recur = true;
    mine.richRule = "START=20261215;FREQ=WEEKLY;BYDAY=MO,WE";
    TopicOptions synced = opened();
    synced.recur = true;
    synced.richRule = "START=20261215;FREQ=WEEKLY;BYDAY=TU";
    EXPECT_EQ(clashingGroups(opened(), mine, synced), std::vector<std::string>{"dates and repeat"});
    EXPECT_EQ(mergeTopicOptions(opened(), mine, synced, true).richRule, synced.richRule);
    EXPECT_EQ(mergeTopicOptions(opened(), opened(), synced).richRule, synced.richRule);
}

} // namespace
} // namespace nimbus
