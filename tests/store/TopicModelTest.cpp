// The topic record and the store's list: defaults, sort keys, copying, image indexes, and
// the id index kept beside the list through every kind of change.
#include <gtest/gtest.h>

#include <random>

#include "store/TNimbusStructure.h"

namespace nimbus {
namespace {

TEST(TopicModelTest, NewNodeIsTaskWithDefaults)
{
    const TNimbusNode node("12");
    EXPECT_EQ(node.uni, "12");
    EXPECT_EQ(node.ttype, kTopicTask);
    EXPECT_EQ(node.status, 0);
    EXPECT_TRUE(node.calpr);
    EXPECT_EQ(node.rtype, -1);
    EXPECT_EQ(node.fltyp, -1);
    EXPECT_EQ(node.durtype, -1);
    EXPECT_EQ(node.daysLeft, 99999);
    EXPECT_EQ(node.sortKey, "ZZZ");
    EXPECT_EQ(node.rowIndex, -1);
    EXPECT_FALSE(node.content);
}

TEST(TopicModelTest, SortKey)
{
    struct Case {
        int status;
        bool urgent;
        int children;
        int urgentBelow;
        int pri;
        const char *key;
    };
    const Case cases[] = {
        {3, true, 0, 0, 2, "XA2"},  {5, false, 0, 0, 0, "AZZ"}, {1, false, 0, 0, 12, "AZ1"},
        {2, false, 3, 1, 9, "AA9"}, {4, false, 0, 1, -3, "YZ8"}, {0, false, 0, 0, 0, "ZZZ"},
        {7, false, 2, 0, 1, "ZZ1"},
    };
    for (const Case &c : cases) {
        TNimbusNode node("1");
        node.status = c.status;
        node.urgent = c.urgent;
        node.childCount = c.children;
        node.urgentCount = c.urgentBelow;
        node.pri = c.pri;
        node.sortKey = "???";
        node.UpdateSortKey();
        EXPECT_EQ(node.sortKey, c.key) << c.status << " " << c.pri;
    }
    // The key as text: always three characters, ordered and joined as its text is.
    SortKey key;
    EXPECT_EQ(key, "ZZZ");
    key = "A";
    EXPECT_EQ(key, "AZZ");
    key = "ABCD";
    EXPECT_EQ(key.view(), "ABC");
    EXPECT_EQ(key + "x", "ABCx");
    EXPECT_LT(key, "ABD");
    EXPECT_LT(SortKey("AZZ"), SortKey("XAA"));
    std::string joined = "0";
    joined += key;
    EXPECT_EQ(joined, "0ABC");
}

TEST(TopicModelTest, AssignNodeCopiesTopicButNotPlaceOrOrigin)
{
    TNimbusNode incoming("x-5");
    incoming.recordTag = 9;
    incoming.text = "Incoming";
    incoming.lev = 4;
    incoming.type = 2;
    incoming.sys = incoming.top = incoming.send = incoming.done = incoming.prog = true;
    incoming.oldttype = 6;
    incoming.urgent = incoming.fav = incoming.recur = incoming.lock = incoming.dl = true;
    incoming.autoComplete = true;
    incoming.calpr = false;
    incoming.ttype = 3;
    incoming.status = 2;
    incoming.pri = 4;
    incoming.dac = 2;
    incoming.dam = 3;
    incoming.dlDate = incoming.rsDate = incoming.fdate = "20240101";
    incoming.dlTime = incoming.rsTime = incoming.fTime = "10:00:00";
    incoming.rno = 2;
    incoming.rtype = 3;
    incoming.flno = 1;
    incoming.fltyp = 2;
    incoming.percent = 30;
    incoming.cre = incoming.sta = incoming.sent = "20240101-100000";
    incoming.from = "bob";
    incoming.durno = 3;
    incoming.durtype = 2;
    incoming.statusText = "In progress";

    TNimbusNode local("5");
    local.lev = 1;
    local.type = 1;
    local.AssignNode(incoming);
    EXPECT_EQ(local.uni, "5");
    EXPECT_EQ(local.lev, 1);
    EXPECT_EQ(local.type, 1);
    EXPECT_FALSE(local.sys || local.top || local.send || local.done || local.prog);
    EXPECT_EQ(local.oldttype, 0);
    EXPECT_TRUE(local.statusText.empty());
    EXPECT_EQ(local.recordTag, 9);
    EXPECT_EQ(local.text, "Incoming");
    EXPECT_TRUE(local.urgent && local.fav && local.recur && local.lock && local.dl && local.autoComplete);
    EXPECT_FALSE(local.calpr);
    EXPECT_EQ(local.ttype, 3);
    EXPECT_EQ(local.status, 2);
    EXPECT_EQ(local.pri, 4);
    EXPECT_EQ(local.dac, 2);
    EXPECT_EQ(local.dam, 3);
    EXPECT_EQ(local.fTime, "10:00:00");
    EXPECT_EQ(local.rtype, 3);
    EXPECT_EQ(local.fltyp, 2);
    EXPECT_EQ(local.percent, 30);
    EXPECT_EQ(local.from, "bob");
    EXPECT_EQ(local.sent, "20240101-100000");
    EXPECT_EQ(local.durtype, 2);
}

TEST(TopicModelTest, TreeImageIndex)
{
    TNimbusNode node("1");
    node.type = 3;
    EXPECT_EQ(node.TreeImageIndex(), 2);  // section
    node.lev = 2;
    node.status = 2;
    EXPECT_EQ(node.TreeImageIndex(), 9);  // one-off task
    node.recur = true;
    EXPECT_EQ(node.TreeImageIndex(), 13);
    node.ttype = kTopicIdea;
    EXPECT_EQ(node.TreeImageIndex(), 6);
}

TEST(TopicModelTest, StoreRefusesSecondNodeWithSameId)
{
    TNimbusStructure store;
    EXPECT_EQ(store.Append(std::make_unique<TNimbusNode>("1")), 0);
    auto twin = std::make_unique<TNimbusNode>("1");
    EXPECT_EQ(store.Append(std::move(twin)), -1);
    ASSERT_TRUE(twin);  // still the caller's
    EXPECT_EQ(store.Insert(0, std::move(twin)), -1);
    EXPECT_EQ(store.Count(), 1);
    EXPECT_TRUE(store.SetId(0, "1"));  // its own id
    store.Append(std::make_unique<TNimbusNode>("2"));
    EXPECT_FALSE(store.SetId(1, "1"));
    EXPECT_TRUE(store.SetId(1, "STD0001"));
    EXPECT_EQ(store.Node(1)->uni, "STD0001");
    EXPECT_EQ(store.IndexOf("STD0001"), 1);
    EXPECT_EQ(store.IndexOf("2"), -1);
}

// Every lookup after a random mix of appends, inserts, deletes, renames and extractions
// answers what a scan of the list would.
TEST(TopicModelTest, IdIndexAgreesWithScanThroughChanges)
{
    for (const auto role : {TNimbusStructure::Role::Store, TNimbusStructure::Role::IdList}) {
        TNimbusStructure list(role);
        std::mt19937 random(7);
        int next = 0;
        auto scan = [&](const std::string &id) {
            for (int i = 0; i < list.Count(); ++i)
                if (list.Id(i) == id)
                    return i;
            return -1;
        };
        for (int step = 0; step < 3000; ++step) {
            if (step % 700 == 699 && role == TNimbusStructure::Role::Store) {
                // The tree's order written back: reversed, every other node left out.
                std::vector<TNimbusNode *> order;
                for (int i = list.Count() - 1; i >= 0; i -= 2)
                    order.push_back(list.Node(i));
                list.Rebuild(order);
            }
            const int count = list.Count();
            const int at = count ? static_cast<int>(random() % static_cast<unsigned>(count)) : 0;
            // An id list may repeat ids; the store never does.
            const std::string id = role == TNimbusStructure::Role::IdList && random() % 3 == 0
                                       ? std::to_string(random() % 50)
                                       : std::to_string(next++);
            if (step % 500 == 499 && role == TNimbusStructure::Role::IdList) {
                list.SetSorted(true);  // sorted for a while, then back in list order
                list.SetSorted(false);
            }
            switch (random() % 7) {
            case 0:
            case 1:
                if (role == TNimbusStructure::Role::Store)
                    list.Append(std::make_unique<TNimbusNode>(id));
                else
                    list.AppendId(id);
                break;
            case 2:
                if (role == TNimbusStructure::Role::Store)
                    list.Insert(at, std::make_unique<TNimbusNode>(id));
                else
                    list.InsertId(at, id);
                break;
            case 3:
                if (count)
                    list.Delete(at);
                break;
            case 4:
                if (count)
                    list.SetId(at, id);
                break;
            case 5:
                if (count && role == TNimbusStructure::Role::Store) {
                    EXPECT_TRUE(list.Extract(at));
                }
                break;
            case 6:
                // A subtree moved: taken out and put back elsewhere in one piece.
                if (count && role == TNimbusStructure::Role::Store) {
                    auto taken = list.ExtractRange(at, 1 + static_cast<int>(random() % 4));
                    const int left = list.Count();
                    const int to =
                        left ? static_cast<int>(random() % static_cast<unsigned>(left + 1)) : 0;
                    ASSERT_TRUE(list.InsertRange(to, taken));
                }
                break;
            }
            for (int probe = 0; probe < 3; ++probe) {
                const std::string query = std::to_string(random() % static_cast<unsigned>(next + 1));
                ASSERT_EQ(list.IndexOf(query), scan(query)) << "step " << step << " id " << query;
            }
        }
    }
}

// A store's entries read their ids from their nodes; an id list keeps copies, which stay
// readable whatever the store does to the nodes it points at.
TEST(TopicModelTest, StoreIdsAreTheNodesAndIdListsKeepTheirOwn)
{
    TNimbusStructure store;
    for (const char *id : {"1", "2", "3"})
        store.Append(std::make_unique<TNimbusNode>(id));
    TNimbusStructure list(TNimbusStructure::Role::IdList);
    list.AppendId("2", store.Find("2"));
    list.AppendId("3", store.Find("3"));
    list.AppendId("key-of-1", store.Find("1")); // a summary list's sort key, not an id

    // A store takes an entry only with a node of its own under that id.
    TNimbusNode loose("4");
    EXPECT_EQ(store.InsertId(0, "4"), -1);
    EXPECT_EQ(store.InsertId(0, "5", &loose), -1);
    EXPECT_EQ(store.InsertId(0, "1", &loose), -1);
    EXPECT_EQ(store.Count(), 3);

    ASSERT_TRUE(store.SetId(store.IndexOf("2"), "20"));
    EXPECT_EQ(store.Id(1), "20");
    EXPECT_EQ(store.Find("20"), list.Node(0));
    EXPECT_EQ(list.Id(0), "2");
    EXPECT_EQ(list.IndexOf("2"), 0);
    EXPECT_EQ(list.IndexOf("20"), -1);
    EXPECT_EQ(list.IndexOf("key-of-1"), 2);

    store.Delete(store.IndexOf("3")); // the list's node is freed; its id is its own
    EXPECT_EQ(list.Id(1), "3");
    list.ResolveIdList(store, -1); // renamed one followed, destroyed one dropped, sorted
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Id(0), "2");
    EXPECT_EQ(list.Node(0), store.Find("20"));
    EXPECT_EQ(list.Id(1), "key-of-1");
    EXPECT_EQ(list.IndexOf("key-of-1"), 1);

    // A sorted list renamed in place moves the entry with its node.
    list.SetId(0, "zz");
    EXPECT_EQ(list.Id(1), "zz");
    EXPECT_EQ(list.Node(1), store.Find("20"));
}

TEST(TopicModelTest, RebuildFollowsTreeOrderAndDestroysRemovedNodes)
{
    TNimbusStructure store;
    for (const char *id : {"a", "b", "c", "d"})
        store.Append(std::make_unique<TNimbusNode>(id));
    TNimbusNode *a = store.Find("a");
    TNimbusNode *c = store.Find("c");
    TNimbusNode *d = store.Find("d");
    TNimbusNode stranger("z");
    store.Rebuild({d, a, &stranger, c, a});
    ASSERT_EQ(store.Count(), 3);
    EXPECT_EQ(store.Id(0), "d");
    EXPECT_EQ(store.Id(1), "a");
    EXPECT_EQ(store.Id(2), "c");
    EXPECT_EQ(store.IndexOf("b"), -1);
    EXPECT_EQ(store.IndexOf("z"), -1);

    // An id list pointing at the store's nodes never destroys them.
    {
        TNimbusStructure ids(TNimbusStructure::Role::IdList);
        ids.AppendId("a", a);
        ids.Delete(0);
        ids.AppendId("c", c);
        ids.Clear();
    }
    EXPECT_EQ(a->uni, "a");
    EXPECT_EQ(c->uni, "c");
}

TEST(TopicModelTest, TypeTextsAndPeriodNames)
{
    EXPECT_EQ(topicTypeText(4, 5, false), "Task waiting");
    EXPECT_EQ(topicTypeText(4, 1, true), "Task group");
    EXPECT_EQ(topicTypeText(3, 5, false), "Future event");
    EXPECT_EQ(topicTypeText(3, 2, false), "Event in progress");
    EXPECT_EQ(topicTypeText(2, 0, true), "General topic group");
    EXPECT_EQ(periodName(kUnitDays, 1), "Day");
    EXPECT_EQ(periodName(kUnitMonths, 3), "Months");
    EXPECT_EQ(periodName(9, 1), "");
    EXPECT_EQ(sectionKindName(5), "Product information");
}

}  // namespace
}  // namespace nimbus
