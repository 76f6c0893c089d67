// Building the tree from the store, writing it back, moving subtrees and the group roll-up.
#include <gtest/gtest.h>

#include "RecordingLog.h"
#include "TreeFixture.h"
#include "tree/GroupRollup.h"
#include "tree/TopicTree.h"
#include "tree/TreeBuild.h"

using namespace nimbus;
using namespace nimbus::tree;
using nimbus::test::addNodes;
using nimbus::test::outline;

namespace {

const DateTime kNow = DateTime::fromCivil(2026, 3, 10, 9, 30, 0);

struct Built {
    TNimbusStructure store;
    TopicTree tree;
    test::RecordingLog log;
    BuildResult result;
    explicit Built(const std::vector<std::string> &lines)
    {
        addNodes(store, lines);
        store.modified = false;
        result = BuildTree(store, tree, kNow, log);
    }
    TreeItem *item(const std::string &text)
    {
        for (TreeItem *i : tree.preOrder())
            if (i->node->text == text)
                return i;
        return nullptr;
    }
    void sync() { SyncStoreFromTree(tree, store, nullptr, nullptr); }
};

} // namespace

TEST(BuildTree, PlacesNodesByDepthAndWritesTheSameOrderBack)
{
    Built b({"0 Topics", "1 A", "2 A1", "3 A1x", "2 A2", "1 B", "0 Contacts type=6", "1 C"});
    EXPECT_EQ(b.tree.count(), 8);
    EXPECT_EQ(b.item("A1x")->parent, b.item("A1"));
    EXPECT_EQ(b.item("A2")->parent, b.item("A"));
    EXPECT_EQ(b.item("B")->parent, b.item("Topics"));
    EXPECT_EQ(b.item("C")->parent, b.item("Contacts"));
    EXPECT_EQ(b.item("A1x")->node->treeItem, b.item("A1x"));
    b.sync();
    EXPECT_EQ(outline(b.store), "0:Topics 1:A 2:A1 3:A1x 2:A2 1:B 0:Contacts 1:C");
    EXPECT_TRUE(b.log.lines.empty());
}

TEST(BuildTree, UpgradesOldValuesAndFixesSectionIds)
{
    Built b({"0 Topics uni=S1", "1 Old done=1 ttype=2", "1 Plain ttype=4 status=0",
             "1 Going ttype=4 status=2 pr=50 calpr=0", "1 Going2 ttype=4 status=2 pr=30 calpr=0"});
    EXPECT_EQ(b.store.Node(0)->uni, "STD0001");
    EXPECT_EQ(b.store.Node(0)->ttype, -1);
    EXPECT_EQ(b.item("Old")->node->status, kStatusCompleted);
    EXPECT_FALSE(b.item("Old")->node->done);
    EXPECT_EQ(b.item("Plain")->node->status, kStatusNotStarted);
    EXPECT_FALSE(b.item("Going")->node->prog); // exactly 50 % and no roll-up: not set by hand
    EXPECT_TRUE(b.item("Going2")->node->prog);
    EXPECT_TRUE(b.store.modified);
}

TEST(BuildTree, RemembersTheTopAndSelectedItemsAndExpansion)
{
    Built b({"0 Topics exp=1", "1 A exp=1 top=1", "2 A1 sel=1", "1 B exp=1"});
    EXPECT_EQ(b.result.topItem, b.item("A"));
    EXPECT_EQ(b.result.selectedItem, b.item("A1"));
    EXPECT_TRUE(b.item("A")->expanded);
    EXPECT_FALSE(b.item("B")->expanded); // nothing to expand
    b.sync();
    EXPECT_TRUE(b.store.Find("n2")->exp);
    EXPECT_FALSE(b.store.Find("n2")->topnode); // the caller says which item is on top now
}

// A node stored two levels deeper than the node before it used to be left out of the tree,
// and the next save (which writes the tree) dropped it.
TEST(BuildTree, ADepthJumpKeepsTheNodeAndItsSubtree)
{
    Built b({"0 Topics", "1 A", "3 Deep", "4 DeepChild", "4 DeepChild2", "2 Back", "1 B"});
    ASSERT_NE(b.item("Deep"), nullptr);
    EXPECT_EQ(b.item("Deep")->parent, b.item("A"));
    EXPECT_EQ(b.item("DeepChild")->parent, b.item("Deep"));
    EXPECT_EQ(b.item("DeepChild2")->parent, b.item("Deep"));
    EXPECT_EQ(b.item("Back")->parent, b.item("A"));
    EXPECT_TRUE(b.log.mentions("\"Deep\""));
    EXPECT_FALSE(b.log.mentions("DeepChild"));
    EXPECT_EQ(b.result.repaired, 3);
    EXPECT_TRUE(b.store.modified);
    b.sync();
    EXPECT_EQ(outline(b.store), "0:Topics 1:A 2:Deep 3:DeepChild 3:DeepChild2 2:Back 1:B");
}

TEST(BuildTree, TopicsBeforeTheFirstSectionMoveIntoIt)
{
    Built b({"2 Stray", "3 StrayChild", "0 Topics", "1 A"});
    EXPECT_EQ(b.tree.count(), 4);
    EXPECT_EQ(b.item("Stray")->parent, b.item("Topics"));
    EXPECT_EQ(b.item("StrayChild")->parent, b.item("Stray"));
    b.sync();
    EXPECT_EQ(outline(b.store), "0:Topics 1:Stray 2:StrayChild 1:A");
}

TEST(TopicTree, PositionsCountEveryItemInDisplayOrder)
{
    Built b({"0 Topics", "1 A", "2 A1", "1 B", "0 Contacts type=6"});
    for (int i = 0; i < b.tree.count(); ++i)
        EXPECT_EQ(b.tree.position(b.tree.at(i)), i);
    EXPECT_EQ(b.tree.at(3), b.item("B"));
    EXPECT_EQ(b.tree.at(5), nullptr);
    EXPECT_EQ(b.tree.nextOutside(b.item("A1")), b.item("B"));
    EXPECT_EQ(b.tree.nextOutside(b.item("B")), b.item("Contacts"));
}

TEST(MoveSubtree, IncreaseReduceAndDropBeforeASibling)
{
    Built b({"0 Topics", "1 A", "1 B", "2 B1", "1 C", "0 Contacts type=6"});
    // Increase: B becomes the last child of A, taking B1 along.
    ASSERT_TRUE(MoveSubtree(b.store, 2, 2, +1));
    EXPECT_EQ(outline(b.store), "0:Topics 1:A 2:B 3:B1 1:C 0:Contacts");
    b.result = BuildTree(b.store, b.tree, kNow, b.log);
    // Reduce: B goes after its parent's subtree, one level up.
    TreeItem *item = b.item("B");
    EXPECT_EQ(ReduceLevelTarget(b.tree, item), 4);
    ASSERT_TRUE(MoveSubtree(b.store, 2, ReduceLevelTarget(b.tree, item), -1));
    EXPECT_EQ(outline(b.store), "0:Topics 1:A 1:B 2:B1 1:C 0:Contacts");
    // Drop: C before A.
    ASSERT_TRUE(MoveSubtree(b.store, 4, 1, 0));
    EXPECT_EQ(outline(b.store), "0:Topics 1:C 1:A 1:B 2:B1 0:Contacts");
    // Into its own subtree: refused, nothing moves.
    EXPECT_FALSE(MoveSubtree(b.store, 3, 4, 0));
    // Reducing the last topic of the last section moves it to the end.
    Built last({"0 Topics", "1 A", "2 A1"});
    EXPECT_EQ(ReduceLevelTarget(last.tree, last.item("A1")), -1);
    ASSERT_TRUE(MoveSubtree(last.store, 2, -1, -1));
    EXPECT_EQ(outline(last.store), "0:Topics 1:A 1:A1");
}

namespace {

// A group task with sub-tasks of the given statuses (and percentages); returns the group.
TNimbusNode &rollUp(Built &b)
{
    UpdateGroup(b.item("Group"), kNow);
    return *b.item("Group")->node;
}

} // namespace

TEST(UpdateGroup, StatusFollowsTheSubTasks)
{
    Built done({"0 Topics", "1 Group ttype=4 status=1", "2 a ttype=4 status=3",
                "2 b ttype=4 status=3", "2 c ttype=4 status=3"});
    TNimbusNode &group = rollUp(done);
    EXPECT_EQ(group.status, kStatusCompleted);
    EXPECT_EQ(group.fdate, "20260310");
    EXPECT_EQ(group.fTime, "00:00:00");
    EXPECT_EQ(group.childCount, 3);

    Built mixed({"0 Topics", "1 Group ttype=4 status=1", "2 a ttype=4 status=1",
                 "2 b ttype=4 status=2", "2 c ttype=4 status=3"});
    EXPECT_EQ(rollUp(mixed).status, kStatusInProgress);
    EXPECT_FALSE(mixed.item("Group")->node->sta.empty());

    Built waiting({"0 Topics", "1 Group ttype=4 status=2", "2 a ttype=4 status=1",
                   "2 b ttype=4 status=3", "2 c ttype=4 status=1"});
    EXPECT_EQ(rollUp(waiting).status, kStatusNotStarted);
}

TEST(UpdateGroup, PercentageLeavesOutTasksOnHold)
{
    Built b({"0 Topics", "1 Group ttype=4 status=1", "2 a ttype=4 status=2 pr=20",
             "2 b ttype=4 status=2 pr=60", "2 c ttype=4 status=4 pr=90"});
    EXPECT_EQ(rollUp(b).percent, 40);
    Built allHeld({"0 Topics", "1 Group ttype=4 status=1", "2 a ttype=4 status=4 pr=20"});
    EXPECT_EQ(rollUp(allHeld).percent, 0);
    Built byHand(
        {"0 Topics", "1 Group ttype=4 status=1 pr=70 calpr=0", "2 a ttype=4 status=2 pr=20"});
    EXPECT_EQ(rollUp(byHand).percent, 70);
}

TEST(UpdateGroup, UrgencyClimbsToEveryAncestor)
{
    Built b({"0 Topics", "1 Top ttype=2", "2 Mid ttype=2", "3 Leaf ttype=5 urgent=1"});
    EXPECT_EQ(b.item("Mid")->node->urgentCount, 1);
    EXPECT_EQ(b.item("Top")->node->urgentCount, 1);
    EXPECT_EQ(b.item("Top")->node->sortKey[1], 'Z'); // no task children: childCount stays 0
    b.item("Leaf")->node->urgent = false;
    EXPECT_EQ(UpdateGroup(b.item("Mid"), kNow), 2);
    EXPECT_EQ(b.item("Top")->node->urgentCount, 0);
}
