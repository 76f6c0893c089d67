// The checklist editor's rules without a window: progress and status from ticks, stamps,
// moves, clipboard text, links, the entry box and the popup menu.
#include <gtest/gtest.h>

#include "store/ChecklistRules.h"
#include "store/Clock.h"
#include "store/Scheduler.h"
#include "store/TNimbusNode.h"

namespace nimbus {
namespace {

const FixedClock kClock(DateTime::fromCivil(2024, 3, 5, 14, 7, 9));

std::vector<ChecklistItem> itemsWithTicks(std::initializer_list<bool> ticks)
{
    std::vector<ChecklistItem> items;
    for (bool tick : ticks) {
        items.push_back(checklist::MakeItem("item"));
        items.back().checked = tick;
    }
    return items;
}

TNimbusNode task()
{
    TNimbusNode node("57");
    node.ttype = kTopicTask;
    node.status = kStatusNotStarted;
    return node;
}

TEST(ChecklistProgressTest, SharesRoundDownAndEndsMapToStatus)
{
    EXPECT_FALSE(checklist::ProgressFromTicks(0, 0));
    const auto none = checklist::ProgressFromTicks(0, 3);
    EXPECT_EQ(none->percent, 0);
    EXPECT_EQ(none->status, kStatusNotStarted);
    const auto two = checklist::ProgressFromTicks(2, 3);
    EXPECT_EQ(two->percent, 66);
    EXPECT_EQ(two->status, kStatusInProgress);
    EXPECT_EQ(checklist::ProgressFromTicks(1, 3)->percent, 33);
    EXPECT_EQ(checklist::ProgressFromTicks(199, 200)->percent, 99);
    const auto all = checklist::ProgressFromTicks(3, 3);
    EXPECT_EQ(all->percent, 100);
    EXPECT_EQ(all->status, kStatusCompleted);
}

TEST(ChecklistProgressTest, TaskWalksThroughStartFinishAndBack)
{
    TNimbusNode node = task();
    auto outcome =
        checklist::UpdateProgressFromChecklist(node, itemsWithTicks({true, true, false}), kClock);
    EXPECT_TRUE(outcome.statusChanged);
    EXPECT_EQ(node.percent, 66);
    EXPECT_EQ(node.status, kStatusInProgress);
    EXPECT_EQ(node.sta, "20240305-140709");
    EXPECT_TRUE(node.prog);
    EXPECT_TRUE(node.fdate.empty());

    // A later start keeps the first start stamp.
    FixedClock later(DateTime::fromCivil(2024, 3, 9, 8, 0, 0));
    checklist::UpdateProgressFromChecklist(node, itemsWithTicks({true, false, false}), later);
    EXPECT_EQ(node.percent, 33);
    EXPECT_EQ(node.sta, "20240305-140709");

    outcome =
        checklist::UpdateProgressFromChecklist(node, itemsWithTicks({true, true, true}), later);
    EXPECT_TRUE(outcome.statusChanged);
    EXPECT_EQ(node.percent, 100);
    EXPECT_EQ(node.status, kStatusCompleted);
    EXPECT_EQ(node.fdate, "20240309");
    EXPECT_EQ(node.fTime, "00:00:00");

    outcome =
        checklist::UpdateProgressFromChecklist(node, itemsWithTicks({false, false, false}), later);
    EXPECT_EQ(node.percent, 0);
    EXPECT_EQ(node.status, kStatusNotStarted);
    EXPECT_TRUE(outcome.storeModified);
}

TEST(ChecklistProgressTest, FinishingFromTheListRefreshesTheTimeLeftAtOnce)
{
    // The "Due" cell shows statusText: ticking the last item must not leave "10 days" there
    // until the deadline timer's next pass.
    TNimbusNode node = task();
    node.dl = true;
    node.dlDate = "20240315";
    schedule::UpdateSchedule(node, kClock.now());
    ASSERT_EQ(node.statusText, "10 days");
    checklist::UpdateProgressFromChecklist(node, itemsWithTicks({true, true}), kClock);
    EXPECT_EQ(node.status, kStatusCompleted);
    EXPECT_EQ(node.statusText.find("days"), std::string::npos) << node.statusText;
    // Unticking brings the time left back.
    checklist::UpdateProgressFromChecklist(node, itemsWithTicks({false, false}), kClock);
    EXPECT_EQ(node.statusText, "10 days");
}

TEST(ChecklistProgressTest, UnchangedTaskAndEmptyListLeaveTheTopicAlone)
{
    TNimbusNode node = task();
    node.status = kStatusCompleted;
    node.percent = 100;
    node.fdate = "20230101";
    auto outcome =
        checklist::UpdateProgressFromChecklist(node, itemsWithTicks({true, true}), kClock);
    EXPECT_FALSE(outcome.storeModified);
    EXPECT_EQ(node.fdate, "20230101");

    outcome = checklist::UpdateProgressFromChecklist(node, {}, kClock);
    EXPECT_FALSE(outcome.storeModified);
    EXPECT_EQ(node.status, kStatusCompleted);
    EXPECT_EQ(node.percent, 100);
}

TEST(ChecklistProgressTest, OtherTopicsTakeOnlyThePercentage)
{
    TNimbusNode idea("8");
    idea.ttype = kTopicIdea;
    idea.status = kStatusNone;
    const auto outcome =
        checklist::UpdateProgressFromChecklist(idea, itemsWithTicks({true, true, true}), kClock);
    EXPECT_TRUE(outcome.storeModified);
    EXPECT_FALSE(outcome.statusChanged);
    EXPECT_EQ(idea.percent, 100);
    EXPECT_EQ(idea.status, kStatusNone);
    EXPECT_TRUE(idea.fdate.empty());
}

TEST(ChecklistItemTest, TickStampsAndUntickKeepsTheStamp)
{
    ChecklistItem item = checklist::MakeItem("Call the printer");
    checklist::SetTick(item, true, kClock);
    EXPECT_EQ(item.finished, "20240305-140709");
    EXPECT_EQ(checklist::FinishedText(item.finished, 0), "05/03/2024 14:07");
    EXPECT_EQ(checklist::FinishedText(item.finished, 2), "2024/03/05 14:07");
    checklist::SetTick(item, false, FixedClock(DateTime::fromCivil(2025, 1, 1)));
    EXPECT_FALSE(item.checked);
    EXPECT_EQ(item.finished, "20240305-140709");
    EXPECT_EQ(checklist::FinishedText("", 0), "");
}

TEST(ChecklistItemTest, TextsAreKeptOnOneLineAndLinksFound)
{
    ChecklistItem item = checklist::MakeItem("see\r\nwww.example.org\tnow");
    EXPECT_EQ(item.text, "see  www.example.org now");
    EXPECT_TRUE(item.link.found);
    EXPECT_EQ(checklist::LinkTarget(item), "http://www.example.org");
    EXPECT_EQ(checklist::ContainingFolder(checklist::LinkTarget(item)), "");

    checklist::SetItemText(item, "plain words");
    EXPECT_FALSE(item.link.found);
    EXPECT_EQ(checklist::LinkTarget(item), "plain words");
    EXPECT_FALSE(checklist::NamesFile(item));

    const ChecklistItem dropped = checklist::MakeItem("/home/ann/Reports/march.pdf");
    EXPECT_TRUE(checklist::NamesFile(dropped));
    EXPECT_EQ(checklist::ContainingFolder(checklist::LinkTarget(dropped)), "/home/ann/Reports/");

    const ChecklistItem windows = checklist::MakeItem("open C:\\Docs\\plan.doc today");
    EXPECT_TRUE(checklist::NamesFile(windows));
    EXPECT_EQ(checklist::ContainingFolder(checklist::LinkTarget(windows)), "C:\\Docs\\");
}

TEST(ChecklistClipboardTest, PasteMakesOneItemPerNonBlankLine)
{
    EXPECT_EQ(checklist::SplitPastedText("one\r\ntwo\n\n  \nthree\n"),
              (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_TRUE(checklist::SplitPastedText("").empty());
    EXPECT_EQ(checklist::SplitPastedText("a\tb"), (std::vector<std::string>{"a b"}));

    std::vector<ChecklistItem> items;
    for (const char *text : {"alpha", "beta", "gamma"})
        items.push_back(checklist::MakeItem(text));
    const std::string copied = checklist::JoinItemTexts(items, {0, 2, 7});
    EXPECT_EQ(copied, "alpha\ngamma");
    EXPECT_EQ(checklist::SplitPastedText(copied), (std::vector<std::string>{"alpha", "gamma"}));
}

TEST(ChecklistMoveTest, MovesStopAtTheEnds)
{
    std::vector<ChecklistItem> items;
    for (const char *text : {"a", "b", "c"})
        items.push_back(checklist::MakeItem(text));
    EXPECT_EQ(checklist::MoveItem(items, 0, -1), -1);
    EXPECT_EQ(checklist::MoveItem(items, 2, +1), -1);
    EXPECT_EQ(checklist::MoveItem(items, 5, -1), -1);
    EXPECT_EQ(checklist::MoveItem(items, 0, +1), 1);
    EXPECT_EQ(checklist::MoveItem(items, 2, -1), 1);
    EXPECT_EQ(items[0].text, "b");
    EXPECT_EQ(items[1].text, "c");
    EXPECT_EQ(items[2].text, "a");
}

TEST(ChecklistEntryTest, AddAndChangeModes)
{
    auto state = checklist::AddState();
    EXPECT_EQ(state.caption, "Add");
    EXPECT_FALSE(state.buttonEnabled);
    state = checklist::AfterTyping(state, "x");
    EXPECT_TRUE(state.buttonEnabled);
    state = checklist::AfterTyping(state, "");
    EXPECT_FALSE(state.buttonEnabled);

    EXPECT_EQ(checklist::ChangeState(false).mode, checklist::EntryMode::Add);
    state = checklist::ChangeState(true);
    EXPECT_EQ(state.mode, checklist::EntryMode::Change);
    // Emptying the box while changing keeps the button: the change is applied as typed.
    EXPECT_TRUE(checklist::AfterTyping(state, "").buttonEnabled);
}

TEST(ChecklistMenuTest, PopupFollowsListSelectionClipboardAndLock)
{
    checklist::MenuContext empty;
    auto state = checklist::PopupState(empty);
    EXPECT_TRUE(state.add);
    EXPECT_FALSE(state.change || state.up || state.down || state.remove || state.selectAll);
    EXPECT_FALSE(state.openLink || state.openFolder || state.copy || state.paste);

    checklist::MenuContext busy{3, 1, true, true, false};
    state = checklist::PopupState(busy);
    EXPECT_TRUE(state.change && state.up && state.down && state.remove && state.selectAll);
    EXPECT_TRUE(state.openLink && state.openFolder && state.copy && state.paste);

    busy.readOnly = true;
    state = checklist::PopupState(busy);
    EXPECT_FALSE(state.add || state.change || state.up || state.remove || state.paste ||
                 state.title);
    EXPECT_TRUE(state.copy && state.openLink && state.print && state.selectAll);
}

} // namespace
} // namespace nimbus
