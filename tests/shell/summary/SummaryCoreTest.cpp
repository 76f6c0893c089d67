// The summary's rules without a window: group membership and order, the days key, the
// recent lists and their files, the badge layout, the deadline pass and the grid cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "SummaryFixture.h"
#include "store/DeadlineTick.h"
#include "store/GridCells.h"
#include "store/SummaryLayout.h"
#include "store/SummaryLists.h"
#include "support/TempFolder.h"

namespace nimbus {
namespace {

using summary::Group;

std::vector<std::string> unis(const TNimbusStructure &list)
{
    std::vector<std::string> out;
    for (const auto &entry : list.Entries())
        out.push_back(entry.node ? entry.node->uni : "<none>");
    return out;
}

using Unis = std::vector<std::string>;

TEST(SummaryGroupsTest, DaysKeysListTheMostOverdueFirst)
{
    EXPECT_EQ(summary::DaysKey(0), "+100000000");
    EXPECT_EQ(summary::DaysKey(-10), " 999999989");
    const int days[] = {42, -1, 0, -400, 7, -10};
    std::vector<std::pair<std::string, int>> keyed;
    for (int d : days)
        keyed.emplace_back(summary::DaysKey(d), d);
    std::sort(keyed.begin(), keyed.end());
    std::vector<int> order;
    for (const auto &k : keyed)
        order.push_back(k.second);
    EXPECT_EQ(order, (std::vector<int>{-400, -10, -1, 0, 7, 42}));
}

TEST(SummaryGroupsTest, DeadlinesAndOverdueFromComputedSchedules)
{
    test::SummaryFixture f;
    f.Due("today", kTopicTask, 0);
    f.Due("late", kTopicTask, -10);
    f.Due("soon", kTopicTask, 3);
    f.Due("done", kTopicTask, 3, kStatusCompleted); // completed: in no group
    f.Due("far", kTopicTask, 43);                   // beyond six weeks
    f.Topic("undated", kTopicTask);
    SummaryLists lists;
    lists.Rebuild(f.store);

    EXPECT_EQ(unis(lists.List(Group::Deadlines)), (Unis{"late", "today", "soon"}));
    EXPECT_EQ(unis(lists.List(Group::Overdue)), (Unis{"late"}));
    for (int i = 0; i < summary::kGroupCount; ++i)
        for (const auto &entry : lists.List(summary::groupAt(i)).Entries())
            EXPECT_NE(entry.node->uni, "done") << summary::MenuCaption(summary::groupAt(i));
    EXPECT_EQ(summary::BadgeText(Group::Deadlines, lists.Count(Group::Deadlines)), "Deadlines: 3");
}

TEST(SummaryGroupsTest, EqualKeysAreAllListedInStoreOrder)
{
    test::SummaryFixture f;
    f.Topic("a", kTopicTask, kStatusInProgress);
    f.Topic("b", kTopicTask, kStatusInProgress); // same sort key "AZZ" as a
    f.Topic("c", kTopicTask, kStatusNotStarted).percent = 30;
    f.Due("d1", kTopicTask, 5);
    f.Due("d2", kTopicTask, 5); // same days key as d1
    SummaryLists lists;
    lists.Rebuild(f.store);
    EXPECT_EQ(unis(lists.List(Group::InProgress)), (Unis{"a", "b", "c"}));
    EXPECT_EQ(unis(lists.List(Group::Deadlines)), (Unis{"d1", "d2"}));

    // Showing a group keeps every entry and the order.
    const TNimbusStructure &shown = lists.ResolveGroup(Group::InProgress, f.store);
    EXPECT_EQ(unis(shown), (Unis{"a", "b", "c"}));
}

TEST(SummaryGroupsTest, OtherGroupsFollowTheirRules)
{
    test::SummaryFixture f;
    f.Due("meeting", kTopicEvent, 2);
    f.Due("today-event", kTopicEvent, 0); // a one-day event today runs all day
    f.Due("later-event", kTopicEvent, 60);
    f.Topic("waiting", kTopicTask, kStatusWaiting);
    f.Topic("note", kTopicInformation, kStatusNone).fav = true;
    TNimbusNode &hot = f.Topic("hot", kTopicIdea, kStatusNone);
    hot.urgent = true;
    hot.fav = true;
    hot.UpdateSortKey();
    f.Topic("held", kTopicTask, kStatusCompleted).percent = 50; // completed: not in progress
    f.store.Node(0)->fav = true;                                // a section is never listed
    SummaryLists lists;
    lists.Rebuild(f.store);

    EXPECT_EQ(f.store.Find("today-event")->status, kStatusInProgress);
    EXPECT_EQ(unis(lists.List(Group::Events)), (Unis{"today-event", "meeting"}));
    EXPECT_EQ(unis(lists.List(Group::InProgress)), (Unis{"today-event"}));
    EXPECT_EQ(unis(lists.List(Group::Waiting)), (Unis{"waiting"}));
    EXPECT_EQ(unis(lists.List(Group::Urgent)), (Unis{"hot"}));
    // Favourites in sort-key order: the urgent one ("ZAZ") before the plain note ("ZZZ").
    EXPECT_EQ(unis(lists.List(Group::Favourites)), (Unis{"hot", "note"}));
}

TEST(SummaryGroupsTest, ShowingAGroupDropsTopicsRemovedSinceItWasBuilt)
{
    test::SummaryFixture f;
    f.Topic("keep", kTopicTask, kStatusWaiting);
    f.Topic("gone", kTopicTask, kStatusWaiting);
    SummaryLists lists;
    lists.Rebuild(f.store);
    f.store.Delete(f.store.IndexOf("gone")); // destroys the node the group points at
    EXPECT_EQ(unis(lists.ResolveGroup(Group::Waiting, f.store)), (Unis{"keep"}));
}

TEST(SummaryRecentListsTest, MovesToFrontKeepsFiftyAndSavesOnlyWhenModified)
{
    test::TempFolder dir;
    test::SummaryFixture f;
    SummaryLists lists;
    lists.SetDataFolder(dir.path());
    for (int i = 1; i <= 60; ++i)
        lists.NoteNewTopic(f.Topic(std::to_string(i), kTopicTask));
    EXPECT_EQ(lists.RecentNew().Count(), 50);
    EXPECT_EQ(lists.RecentNew().Id(0), "60");

    TNimbusNode &a = *f.store.Find("5");
    TNimbusNode &b = *f.store.Find("7");
    lists.NoteChangedTopic(a);
    lists.NoteChangedTopic(b);
    lists.NoteChangedTopic(a); // saved again: moves to the front, listed once
    EXPECT_EQ(unis(lists.RecentChanges()), (Unis{"5", "7"}));

    ASSERT_TRUE(lists.SaveRecentLists(f.store));
    EXPECT_FALSE(lists.RecentNew().modified);
    SummaryLists again;
    again.SetDataFolder(dir.path());
    again.LoadRecentLists(f.store);
    EXPECT_EQ(unis(again.RecentChanges()), (Unis{"5", "7"}));
    EXPECT_EQ(again.RecentNew().Count(), 50);
    EXPECT_EQ(again.ResolveGroup(Group::New, f.store).Id(49), "11");

    // Unmodified lists are not written again.
    std::filesystem::remove(dir / "strchanges.dat");
    ASSERT_TRUE(lists.SaveRecentLists(f.store));
    EXPECT_FALSE(std::filesystem::exists(dir / "strchanges.dat"));
}

TEST(SummaryRecentListsTest, LoadingDropsIdsTheStoreNoLongerHas)
{
    test::TempFolder dir;
    test::SummaryFixture f;
    f.Topic("1", kTopicTask);
    {
        std::ofstream out(dir / "strnew.dat", std::ios::binary);
        out << "uni=9\r\nuni=1\r\n";
    }
    SummaryLists lists;
    lists.SetDataFolder(dir.path());
    lists.LoadRecentLists(f.store);
    EXPECT_EQ(unis(lists.RecentNew()), (Unis{"1"}));
    EXPECT_TRUE(lists.RecentNew().modified);
    EXPECT_EQ(lists.RecentChanges().Count(), 0);
}

TEST(SummaryLayoutTest, BadgesSpreadWithTheWindow)
{
    const auto wide = summary::LayoutSummary(1200, 800); // gaps 100 and 50
    const summary::BadgePlace &middle = wide[summary::indexOf(Group::Waiting)];
    EXPECT_EQ(middle.left, 500);
    EXPECT_EQ(middle.top, 300);
    EXPECT_EQ(middle.labelLeft, 518);
    EXPECT_EQ(middle.labelTop, 404);
    const summary::BadgePlace &corner = wide[summary::indexOf(Group::Favourites)];
    EXPECT_EQ(corner.left, 840);
    EXPECT_EQ(corner.top, 535);

    // At or below 800 x 600 the badges keep their base places.
    for (auto [w, h] : {std::pair{800, 600}, std::pair{500, 300}}) {
        const auto places = summary::LayoutSummary(w, h);
        EXPECT_EQ(places[summary::indexOf(Group::Deadlines)].left, 60);
        EXPECT_EQ(places[summary::indexOf(Group::Deadlines)].top, 15);
        EXPECT_EQ(places[summary::indexOf(Group::Events)].left, 540);
        EXPECT_EQ(places[summary::indexOf(Group::Events)].top, 200);
    }
}

TEST(DeadlineTickTest, RecomputesTheUsersTopicsAndRegroups)
{
    test::SummaryFixture f;
    TNimbusNode &autoTask = f.Due("auto", kTopicTask, 1);
    autoTask.autoComplete = true;
    f.Due("plain", kTopicTask, 1);
    TNimbusNode &elsewhere = f.Due("net", kTopicTask, 1);
    elsewhere.type = kSectionNetwork;
    SummaryLists lists;
    lists.Rebuild(f.store);
    EXPECT_EQ(lists.Count(Group::Deadlines), 3);

    // Nothing due changes within the same day.
    f.store.modified = false;
    DeadlineResult same = RunDeadlineTick(f.store, f.clock, &lists);
    EXPECT_FALSE(same.changed);
    EXPECT_FALSE(f.store.modified);

    // Two days on: the automatic task completes, the plain one is overdue, the topic outside
    // the "Topics" section is left as it was.
    f.clock.advanceSeconds(2 * 86400);
    DeadlineResult later = RunDeadlineTick(f.store, f.clock, &lists);
    EXPECT_TRUE(later.changed);
    EXPECT_TRUE(f.store.modified);
    EXPECT_EQ(later.restyled, (std::vector<TNimbusNode *>{&autoTask}));
    EXPECT_EQ(autoTask.status, kStatusCompleted);
    EXPECT_EQ(f.store.Find("plain")->statusText, "-1 day");
    EXPECT_EQ(elsewhere.statusText, "1 day");
    EXPECT_EQ(unis(lists.List(Group::Overdue)), (Unis{"plain"}));
    EXPECT_EQ(unis(lists.List(Group::Deadlines)), (Unis{"plain", "net"}));
}

TEST(GridCellsTest, StatusCellIconsBySlot)
{
    using gridcells::IconList;
    TNimbusNode task("1");
    task.ttype = kTopicTask;
    task.status = kStatusInProgress;
    task.prog = true;
    task.percent = 40;
    task.pri = 3;
    task.dac = 2;
    task.fav = true;
    auto cell = gridcells::DueCellFor(task, true);
    EXPECT_EQ(cell.content.list, IconList::Doc);
    EXPECT_EQ(cell.content.index, 2);
    EXPECT_EQ(cell.marker.index, 14);
    EXPECT_EQ(cell.state.list, IconList::Progress);
    EXPECT_EQ(cell.state.index, 4);
    EXPECT_EQ(cell.priority, 3);

    // Urgent descendants show on a collapsed group only.
    task.childCount = 2;
    task.urgentCount = 1;
    EXPECT_EQ(gridcells::DueCellFor(task, true).marker.index, 15);
    EXPECT_EQ(gridcells::DueCellFor(task, false).marker.index, 14);
    task.fav = false;
    EXPECT_EQ(gridcells::DueCellFor(task, true).marker.index, 0);
    EXPECT_EQ(gridcells::DueCellFor(task, false).marker.list, IconList::None);

    // A collapsed group of any type shows its urgent children: a general topic holding an
    // urgent note has no task children (childCount 0) yet hides something urgent.
    TNimbusNode group("9");
    group.ttype = kTopicGeneral;
    group.urgentCount = 1;
    EXPECT_EQ(gridcells::DueCellFor(group, true).marker.index, 0);
    EXPECT_EQ(gridcells::DueCellFor(group, false).marker.list, IconList::None);

    // Without progress: the status image, shifted by 5 when recurring; on hold hides the
    // priority; no status shows no image rather than the urgency mark at index 0.
    task.prog = false;
    task.recur = true;
    task.status = kStatusWaiting;
    EXPECT_EQ(gridcells::DueCellFor(task, false).state.index, 10);
    task.status = kStatusOnHold;
    EXPECT_EQ(gridcells::DueCellFor(task, false).priority, 0);
    task.status = kStatusNone;
    EXPECT_EQ(gridcells::DueCellFor(task, false).state.list, IconList::None);

    TNimbusNode event("2");
    event.ttype = kTopicEvent;
    event.status = kStatusNotStarted;
    event.pri = 4; // events show no priority
    EXPECT_EQ(gridcells::DueCellFor(event, true).state.list, IconList::None);
    event.dl = true;
    EXPECT_EQ(gridcells::DueCellFor(event, true).state.index, 1);
    event.recur = true;
    EXPECT_EQ(gridcells::DueCellFor(event, true).state.index, 6);
    EXPECT_EQ(gridcells::DueCellFor(event, true).priority, 0);

    TNimbusNode page("3");
    page.dac = 1;
    page.dam = 2;
    EXPECT_EQ(gridcells::DueCellFor(page, true).content.index, 1);
    page.dam = 1;
    EXPECT_EQ(gridcells::DueCellFor(page, true).content.index, 0);
}

TEST(GridCellsTest, DueCellTextAndPlace)
{
    TNimbusNode note("1");
    note.ttype = kTopicInformation;
    note.statusText = "Today";
    EXPECT_FALSE(gridcells::InfoCellFor(note).shown);
    TNimbusNode task("2");
    task.statusText = "-3 days";
    task.highlightColour = kColourPink;
    const auto cell = gridcells::InfoCellFor(task);
    EXPECT_TRUE(cell.shown);
    EXPECT_EQ(cell.colour, kColourPink);
    EXPECT_EQ(gridcells::InfoTextLeft(80, 40), 22);
    EXPECT_EQ(gridcells::InfoTextLeft(40, 60), 2);
}

} // namespace
} // namespace nimbus
