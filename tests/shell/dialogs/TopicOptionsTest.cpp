// The "Topic options" values: taken from a node, changed by OK, applied back onto the node.
#include <gtest/gtest.h>

#include <string>

#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/TNimbusNode.h"
#include "store/TopicOptions.h"
#include "store/TopicOptionsView.h"

using namespace nimbus;

namespace {

// 10 March 2024, noon.
const DateTime kNow = DateTime::fromCivil(2024, 3, 10, 12, 0, 0);

DateTime day(int year, int month, int dayOfMonth)
{
    return DateTime::fromCivil(year, month, dayOfMonth);
}

TNimbusNode task(int status, int percent, const std::string &due = "20240320")
{
    TNimbusNode node("17");
    node.lev = 1;
    node.type = kSectionTopics;
    node.text = "Write report";
    node.ttype = kTopicTask;
    node.status = status;
    node.percent = percent;
    node.dl = !due.empty();
    node.dlDate = due;
    return node;
}

TNimbusNode recurringTask(int status, const std::string &date)
{
    TNimbusNode node = task(status, status == kStatusCompleted ? 100 : 0, date);
    node.recur = true;
    node.rsDate = date;
    node.rno = 1;
    node.rtype = kUnitMonths;
    return node;
}

// The controls as the dialog first shows the values: OK on them is "OK without changes".
TopicOptionsControls shown(const TopicOptions &v)
{
    const TopicOptionsPickers p = topicOptionsPickers(v, kNow);
    TopicOptionsControls c;
    c.name = v.name;
    c.deadlineTicked = v.deadline;
    c.recurChecked = p.recurChecked;
    c.deadDate = p.deadDate;
    c.deadTimeTicked = p.deadTimeTicked;
    c.deadTime = p.deadTime;
    c.recurCountText = p.recurFilled ? std::to_string(v.recurCount) : "";
    c.recurUnitIndex = p.recurFilled ? v.recurUnit : -1;
    c.recurDate = p.recurDate;
    c.recurTimeTicked = p.recurTimeTicked;
    c.recurTime = p.recurTime;
    c.flagText = std::to_string(v.flagDays);
    c.autoComplete = v.autoComplete;
    c.calcProgress = v.calcProgress;
    c.percentIndex = p.percentIndex;
    c.durationText = std::to_string(v.durationCount);
    c.durationUnitIndex = v.durationUnit;
    c.priorityIndex = p.priorityIndex;
    return c;
}

// Opens the values of a node, lets a test change the controls, presses OK and applies.
template <typename Change>
TopicOptionsApplied edit(TNimbusNode &node, Change change, bool itemHasChildren = false)
{
    TopicOptions values = topicOptionsFromNode(node, dates::DayMonthYear, itemHasChildren);
    TopicOptionsControls controls = shown(values);
    change(controls);
    acceptTopicOptions(values, controls);
    return applyTopicOptions(values, node, FixedClock(kNow));
}

} // namespace

TEST(TopicOptionsFromNode, NormalisesTheTaskPercentageOnTheValuesOnly)
{
    struct Case {
        int status, percent;
        bool children;
        int shown;
    } cases[] = {
        {kStatusCompleted, 30, false, 100}, {kStatusInProgress, 0, false, 50},
        {kStatusInProgress, 70, false, 70}, {kStatusNotStarted, 40, false, 0},
        {kStatusNotStarted, 40, true, 40},  {kStatusOnHold, 0, false, 0},
    };
    for (const Case &c : cases) {
        TNimbusNode node = task(c.status, c.percent);
        EXPECT_EQ(topicOptionsFromNode(node, 0, c.children).percent, c.shown)
            << "status " << c.status << " at " << c.percent;
        EXPECT_EQ(node.percent, c.percent) << "a cancelled dialog must leave the node alone";
    }
    TNimbusNode event = task(kStatusInProgress, 0);
    event.ttype = kTopicEvent;
    EXPECT_EQ(topicOptionsFromNode(event, 0, false).percent, 0);
}

TEST(TopicOptionsFromNode, KnowsThePlaceAndKindOfTheNode)
{
    TNimbusNode section("STD0001");
    section.type = kSectionTopics;
    section.sys = true;
    section.ttype = -1;
    const TopicOptions s = topicOptionsFromNode(section, 2, true);
    EXPECT_EQ(s.sectionKind, kSectionTopics);
    EXPECT_FALSE(s.taskOrEvent);
    EXPECT_EQ(s.dateFormat, 2);

    TNimbusNode node = task(kStatusNotStarted, 0);
    EXPECT_EQ(topicOptionsFromNode(node, 0, false).sectionKind, -1);
    EXPECT_TRUE(topicOptionsFromNode(node, 0, false).taskOrEvent);
    EXPECT_FALSE(topicOptionsFromNode(node, 0, false).hasChildren);
    EXPECT_TRUE(topicOptionsFromNode(node, 0, true).hasChildren); // the tree item knows first
    node.childCount = 1;
    EXPECT_TRUE(topicOptionsFromNode(node, 0, false).hasChildren);
    node.sys = true;
    EXPECT_FALSE(topicOptionsFromNode(node, 0, false).taskOrEvent);
}

TEST(TopicOptionsOk, TaskPercentageDecidesItsStatus)
{
    // 40 %: in progress, with the progress marked as set.
    TNimbusNode node = task(kStatusNotStarted, 0);
    TopicOptionsApplied done = edit(node, [](TopicOptionsControls &c) { c.percentIndex = 4; });
    EXPECT_TRUE(done.applied);
    EXPECT_EQ(node.status, kStatusInProgress);
    EXPECT_EQ(node.percent, 40);
    EXPECT_TRUE(node.prog);
    EXPECT_EQ(node.statusText, "10 days");
    EXPECT_EQ(node.sortKey, "AZZ");

    // Back to 0 %: not started.
    edit(node, [](TopicOptionsControls &c) { c.percentIndex = 0; });
    EXPECT_EQ(node.status, kStatusNotStarted);
    EXPECT_EQ(node.percent, 0);

    // 100 %: completed; a completed task has no schedule text.
    done = edit(node, [](TopicOptionsControls &c) { c.percentIndex = 10; });
    EXPECT_EQ(node.status, kStatusCompleted);
    EXPECT_EQ(node.percent, 100);
    EXPECT_EQ(done.schedule, 0);
    EXPECT_EQ(node.statusText, "");
    EXPECT_EQ(node.daysLeft, 99999);
    EXPECT_EQ(node.sortKey[0], 'X');
}

TEST(TopicOptionsOk, GroupTakingItsPercentageFromSubTasksKeepsIt)
{
    TNimbusNode node = task(kStatusInProgress, 45);
    node.childCount = 2;
    node.calpr = true;
    edit(node, [](TopicOptionsControls &c) { c.calcProgress = true; });
    EXPECT_EQ(node.percent, 45);
    EXPECT_EQ(node.status, kStatusInProgress);
    EXPECT_TRUE(node.prog);

    // Untick it and the chosen percentage counts.
    edit(node, [](TopicOptionsControls &c) {
        c.calcProgress = false;
        c.percentIndex = 7;
    });
    EXPECT_EQ(node.percent, 70);
    EXPECT_FALSE(node.calpr);
}

TEST(TopicOptionsOk, OkWithoutChangesKeepsTheStatusAndTheExactPercentage)
{
    // The dialog has no status control and its list shows tens: the percentage left where the
    // dialog put it changes neither, whatever else OK changes.
    const struct {
        int status, percent;
    } cases[] = {{kStatusWaiting, 0},    {kStatusWaiting, 30},    {kStatusOnHold, 0},
                 {kStatusOnHold, 50},    {kStatusInProgress, 0},  {kStatusInProgress, 66},
                 {kStatusNotStarted, 0}, {kStatusCompleted, 100}, {kStatusNotStarted, 40}};
    for (const auto &c : cases) {
        TNimbusNode node = task(c.status, c.percent);
        const bool prog = c.status == kStatusInProgress; // as the tree's build leaves it
        node.prog = prog;
        edit(node, [](TopicOptionsControls &) {});
        EXPECT_EQ(node.status, c.status) << c.status << " at " << c.percent;
        EXPECT_EQ(node.percent, c.percent) << c.status << " at " << c.percent;
        EXPECT_EQ(node.prog, prog) << c.status << " at " << c.percent;
        edit(node, [](TopicOptionsControls &controls) { controls.deadDate = day(2024, 4, 1); });
        EXPECT_EQ(node.status, c.status) << c.status << " at " << c.percent;
        EXPECT_EQ(node.dlDate, "20240401");
    }
}

TEST(TopicOptionsOk, ChosenPercentageDecidesTheStatusOfAWaitingOrHeldTask)
{
    TNimbusNode waiting = task(kStatusWaiting, 30);
    edit(waiting, [](TopicOptionsControls &c) { c.percentIndex = 4; });
    EXPECT_EQ(waiting.status, kStatusInProgress);
    EXPECT_EQ(waiting.percent, 40);

    TNimbusNode onHold = task(kStatusOnHold, 50);
    edit(onHold, [](TopicOptionsControls &c) { c.percentIndex = 0; });
    EXPECT_EQ(onHold.status, kStatusNotStarted);
    onHold.status = kStatusOnHold;
    edit(onHold, [](TopicOptionsControls &c) { c.percentIndex = 10; });
    EXPECT_EQ(onHold.status, kStatusCompleted);
}

TEST(TopicOptionsOk, RecurringTaskThatWasCompletedStartsAfresh)
{
    TNimbusNode node = recurringTask(kStatusCompleted, "20240331");
    edit(node, [](TopicOptionsControls &) {});
    EXPECT_EQ(node.status, kStatusNotStarted);
    EXPECT_EQ(node.percent, 0);
    EXPECT_EQ(node.dlDate, "20240331");
    EXPECT_TRUE(node.recur);
    EXPECT_EQ(node.rno, 1);
    EXPECT_EQ(node.rtype, kUnitMonths);
}

TEST(TopicOptionsOk, OnlyAMovedNextDateMovesTheDueDate)
{
    // The next time is stored empty: unticked, it stays so and does not count as a change.
    TNimbusNode node = recurringTask(kStatusNotStarted, "20240315");
    edit(node, [](TopicOptionsControls &c) { c.recurCountText = "2"; });
    EXPECT_EQ(node.rno, 2);
    EXPECT_EQ(node.dlDate, "20240315");
    EXPECT_EQ(node.rsTime, "");

    edit(node, [](TopicOptionsControls &c) {
        c.recurDate = day(2024, 3, 22);
        c.recurTimeTicked = true;
        c.recurTime = DateTime::fromCivil(1970, 1, 1, 9, 30, 0);
    });
    EXPECT_EQ(node.rsDate, "20240322");
    EXPECT_EQ(node.dlDate, "20240322");
    EXPECT_EQ(node.dlTime, "09:30:00");
    EXPECT_TRUE(node.dl);
}

TEST(TopicOptionsOk, OneOffTopicMadeRecurringTakesTheNextDateAsDueDate)
{
    TNimbusNode node = task(kStatusNotStarted, 0, "");
    node.dl = false;
    edit(node, [](TopicOptionsControls &c) {
        c.recurChecked = true;
        c.recurCountText = "1";
        c.recurUnitIndex = kUnitWeeks;
        c.recurDate = day(2024, 3, 18);
    });
    EXPECT_TRUE(node.recur);
    EXPECT_TRUE(node.dl);
    EXPECT_EQ(node.dlDate, "20240318");
    EXPECT_EQ(node.rsDate, "20240318");
    EXPECT_EQ(node.rtype, kUnitWeeks);
    EXPECT_EQ(node.statusText, "8 days");
}

TEST(TopicOptionsOk, RecurrenceWithoutCountOrUnitStillMovesForward)
{
    // Every 0 periods, or in no unit, an overdue task completing itself would "roll" onto the
    // same date on every tick.
    TNimbusNode node = task(kStatusNotStarted, 0, "20240305");
    node.autoComplete = true;
    edit(node, [](TopicOptionsControls &c) {
        c.recurChecked = true;
        c.recurCountText = "none";
        c.recurUnitIndex = -1;
        c.recurDate = day(2024, 3, 5);
    });
    EXPECT_EQ(node.rno, 1);
    EXPECT_EQ(node.rtype, kUnitDays);
    EXPECT_EQ(node.dlDate, "20240306") << "the overdue topic moved on by one day";
}

TEST(TopicOptionsOk, DueDateBoxDecidesWhetherThePickersCount)
{
    TNimbusNode node = task(kStatusNotStarted, 0, "20240320");
    // Unticked: the stored date stays but no longer counts.
    edit(node, [](TopicOptionsControls &c) {
        c.deadlineTicked = false;
        c.deadDate = day(2024, 5, 1);
    });
    EXPECT_FALSE(node.dl);
    EXPECT_EQ(node.dlDate, "20240320");
    EXPECT_EQ(node.statusText, "");
    EXPECT_EQ(node.daysLeft, 99999);

    // Ticked: the pickers give the date, and the time only while its box is ticked.
    edit(node, [](TopicOptionsControls &c) {
        c.deadlineTicked = true;
        c.deadDate = day(2024, 3, 10);
        c.deadTimeTicked = true;
        c.deadTime = DateTime::fromCivil(1970, 1, 1, 14, 5, 0);
    });
    EXPECT_EQ(node.dlDate, "20240310");
    EXPECT_EQ(node.dlTime, "14:05:00");
    EXPECT_EQ(node.statusText, "2 hours ");

    edit(node, [](TopicOptionsControls &c) { c.deadTimeTicked = false; });
    EXPECT_EQ(node.dlTime, "");
    EXPECT_EQ(node.statusText, "Today");
}

TEST(TopicOptionsOk, EventsKeepADurationOfAtLeastOnePeriod)
{
    TNimbusNode node = task(kStatusNotStarted, 0, "20240309");
    node.ttype = kTopicEvent;
    node.durno = 1;
    node.durtype = kUnitDays;

    // Started yesterday, three days long: running today.
    edit(node, [](TopicOptionsControls &c) { c.durationText = "3"; });
    EXPECT_EQ(node.durno, 3);
    EXPECT_EQ(node.durtype, kUnitDays);
    EXPECT_EQ(node.status, kStatusInProgress);
    EXPECT_EQ(node.statusText, "In progress");

    for (const char *text : {"0", "", "-4", "two"}) {
        edit(node, [&](TopicOptionsControls &c) { c.durationText = text; });
        EXPECT_EQ(node.durno, 1) << '"' << text << '"';
    }
    // One day long from yesterday: it ended, so it is finished.
    EXPECT_EQ(node.status, kStatusCompleted);
    EXPECT_EQ(node.fdate, "20240309");
}

TEST(TopicOptionsOk, FinishedRecurringEventIsFutureAgainAndKeepsItsPercent)
{
    TNimbusNode node = recurringTask(kStatusCompleted, "20240410");
    node.ttype = kTopicEvent;
    node.percent = 20;
    node.durno = 1;
    node.durtype = kUnitDays;
    edit(node, [](TopicOptionsControls &) {});
    EXPECT_EQ(node.status, kStatusNotStarted);
    EXPECT_EQ(node.percent, 20);
    EXPECT_EQ(node.statusText, "4 weeks");
}

TEST(TopicOptionsApply, CancelledOrSystemTopicChangesNothing)
{
    TNimbusNode node = task(kStatusNotStarted, 0);
    TopicOptions values = topicOptionsFromNode(node, 0, false);
    TopicOptionsControls controls = shown(values);
    controls.name = "Changed";
    controls.percentIndex = 10;
    const FixedClock clock(kNow);

    EXPECT_FALSE(applyTopicOptions(values, node, clock).applied); // cancelled until OK
    acceptTopicOptions(values, controls);
    EXPECT_FALSE(values.cancelled);
    node.sys = true;
    EXPECT_FALSE(applyTopicOptions(values, node, clock).applied);
    EXPECT_EQ(node.text, "Write report");
    EXPECT_EQ(node.status, kStatusNotStarted);
}

TEST(TopicOptionsOk, TitlePriorityAndFlagDays)
{
    TNimbusNode node = task(kStatusNotStarted, 0);
    TopicOptionsApplied done = edit(node, [](TopicOptionsControls &c) {
        c.name = "  Quarterly report  ";
        c.priorityIndex = 1;
        c.flagText = " 5 ";
    });
    EXPECT_TRUE(done.titleChanged);
    EXPECT_EQ(node.text, "  Quarterly report");
    EXPECT_EQ(node.pri, 2);
    EXPECT_EQ(node.flno, 5);
    EXPECT_EQ(node.sortKey, "AZ2");

    // An empty title keeps the old one; no priority chosen is none.
    done = edit(node, [](TopicOptionsControls &c) {
        c.name = "   ";
        c.priorityIndex = -1;
        c.flagText = "x";
    });
    EXPECT_FALSE(done.titleChanged);
    EXPECT_EQ(node.text, "  Quarterly report");
    EXPECT_EQ(node.pri, 0);
    EXPECT_EQ(node.flno, 0);
}

TEST(TopicOptionsOk, CountsTypedIntoNumberEdits)
{
    EXPECT_EQ(countFromText("12"), 12);
    EXPECT_EQ(countFromText(" 3 "), 3);
    EXPECT_EQ(countFromText("+4"), 4);
    EXPECT_EQ(countFromText("-2"), -2);
    EXPECT_EQ(countFromText(""), 0);
    EXPECT_EQ(countFromText("3x"), 0);
    EXPECT_EQ(countFromText("1 2"), 0);
    EXPECT_EQ(countFromText("99999999999"), 0);
}
