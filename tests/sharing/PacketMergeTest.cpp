// Merging packets into a store: the partly known case, a packet without a section of its kind,
// repeated receipt and topics that come back to their sender.
#include <gtest/gtest.h>

#include <set>

#include "SharingTestSupport.h"
#include "sharing/PacketMerge.h"
#include "sharing/PacketReader.h"

namespace nimbus::test {
namespace {

class PacketMerge : public ::testing::Test {
protected:
    PacketMerge() { fill(); }

    void fill()
    {
        store.Clear();
        recentNew.Clear();
        store.SetUniqueFileName(folder / "StructUnique.dat");
        addNode(store, "STD0001", 0, "Topics", 1);
        addNode(store, "alice-1", 1, "Known", 1);
        addNode(store, "7", 2, "Local child of Known", 1);
        addNode(store, "8", 1, "Deep parent", 1);
        addNode(store, "9", 2, "Deeper", 1);
        addNode(store, "alice-4", 3, "Known deep", 1);
        addNode(store, "STD0002", 0, "Local network information", 2);
    }

    MergeChanges merge(const std::string &bytes, const std::string &ownPrefix = "bob-")
    {
        TNimbusStructure packet;
        std::string problem;
        EXPECT_TRUE(packet::ParsePacket(bytes, packet, ownPrefix, problem)) << problem;
        MergeChanges changes;
        EXPECT_TRUE(packet::MergePacket(store, packet, ownPrefix, &recentNew, log, changes));
        return changes;
    }

    std::vector<int> levels() const
    {
        std::vector<int> result;
        for (const auto &entry : store.Entries())
            result.push_back(entry.node->lev);
        return result;
    }

    TempFolder folder;
    TNimbusStructure store;
    TNimbusStructure recentNew{TNimbusStructure::Role::IdList};
    RecordingLog log;
};

TEST_F(PacketMerge, PartlyKnownPacketPlacesNewTopicsBesideTheirNeighbours)
{
    // Known (with a local child) gets a new child and a new sibling after it.
    const MergeChanges changes =
        merge(records({"uni=-1", "text=From: Alice - 20240310-120000", "lev=1", "type=1",
                       "uni=alice-1", "text=Known, renamed", "lev=2", "uni=alice-2",
                       "text=New child", "lev=3", "uni=alice-3", "text=New sibling", "lev=2"}));
    EXPECT_EQ(changes.mergeCase, 'b');
    const std::string header = changes.added.front();
    EXPECT_NE(header, "-1");
    EXPECT_EQ(idsOf(store), (std::vector<std::string>{"STD0001", header, "alice-1", "alice-2", "7",
                                                      "alice-3", "8", "9", "alice-4", "STD0002"}));
    EXPECT_EQ(levels(), (std::vector<int>{0, 1, 1, 2, 2, 1, 1, 2, 3, 0}));
    EXPECT_EQ(store.Find("alice-1")->text, "Known, renamed");
    EXPECT_EQ(changes.updated, std::vector<std::string>{"alice-1"});
    EXPECT_TRUE(log.mentions("Matched topic: Known, renamed"));
    EXPECT_TRUE(log.mentions("Added topic: New sibling"));
    EXPECT_TRUE(store.modified);
    EXPECT_EQ(recentNew.Count(), 0) << "only a new section's topics are listed as new";
}

TEST_F(PacketMerge, NewChildGoesAfterKnownSiblingAtItsLocalLevel)
{
    // A new parent, a known child that lives deep in the local tree, and a new child.
    const MergeChanges changes = merge(records(
        {"uni=-1", "text=From: Alice", "lev=1", "type=1", "uni=alice-3", "text=New parent", "lev=2",
         "uni=alice-4", "text=Known deep", "lev=3", "uni=alice-5", "text=New child", "lev=3"}));
    EXPECT_EQ(changes.mergeCase, 'b');
    const int known = store.IndexOf("alice-4");
    EXPECT_EQ(store.IndexOf("alice-5"), known + 1);
    EXPECT_EQ(store.Find("alice-5")->lev, store.Find("alice-4")->lev);
    EXPECT_EQ(store.Find("alice-3")->lev, 2) << "under the header, which is under Topics";
    EXPECT_EQ(store.IndexOf("alice-3"), store.IndexOf(changes.added.front()) + 1);
}

TEST_F(PacketMerge, WithoutSectionOfItsKindANewSectionHoldsThePacket)
{
    const int before = store.Count();
    const MergeChanges changes =
        merge(records({"uni=-1", "text=From: Carol - 20240310-120000", "lev=1", "type=6",
                       "uni=carol-1", "text=Phone numbers", "lev=2", "type=6", "uni=carol-2",
                       "text=Office", "lev=3", "type=6"}));
    EXPECT_EQ(changes.mergeCase, 'd');
    ASSERT_EQ(store.Count(), before + 4);
    const TNimbusNode &section = *store.Node(before);
    EXPECT_EQ(section.text, "New section");
    EXPECT_EQ(section.lev, 0);
    EXPECT_EQ(section.type, 6);
    EXPECT_TRUE(section.sys && section.urgent && section.exp && section.send);
    EXPECT_EQ(store.Node(before + 1)->text, "From: Carol - 20240310-120000");
    EXPECT_EQ(store.Node(before + 1)->lev, 1);
    EXPECT_EQ(idsOf(store).back(), "carol-2");
    EXPECT_EQ(levels().back(), 3);
    EXPECT_EQ(idsOf(recentNew), (std::vector<std::string>{"carol-2", "carol-1"}));
    EXPECT_TRUE(recentNew.modified);
    EXPECT_TRUE(log.mentions("Added section: From: Carol - 20240310-120000"));
}

TEST_F(PacketMerge, RepeatedReceiptUpdatesInPlaceAndHeaderTakesAFreeId)
{
    // The counter has fallen behind the store: the header must still get an unused id.
    addNode(store, "1", 1, "Numbered", 1, 1);
    addNode(store, "2", 1, "Numbered too", 1, 1);
    const std::string bytes = records(
        {"uni=-1", "text=From: Dave", "lev=1", "type=1", "uni=dave-1", "text=Agenda", "lev=2"});
    const MergeChanges first = merge(bytes);
    EXPECT_EQ(first.mergeCase, 'c');
    const std::string header = first.added.front();
    EXPECT_NE(header, "1");
    EXPECT_NE(header, "2");
    EXPECT_EQ(store.IndexOf(header), 1) << "directly under the section of its kind";
    EXPECT_EQ(store.IndexOf("dave-1"), 2);
    const int count = store.Count();
    const MergeChanges again = merge(bytes);
    EXPECT_EQ(again.mergeCase, 'a');
    EXPECT_EQ(store.Count(), count);
}

TEST_F(PacketMerge, OwnTopicComesBackUnderItsOwnId)
{
    addNode(store, "5", 1, "Mine", 1, 1);
    const MergeChanges changes = merge(records(
        {"uni=-1", "text=From: Alice", "lev=1", "type=1", "uni=bob-5", "text=Mine, edited by Alice",
         "lev=2", "uni=bob-6", "text=Mine, deleted here meanwhile", "lev=3"}));
    EXPECT_EQ(changes.mergeCase, 'b');
    EXPECT_EQ(store.Find("5")->text, "Mine, edited by Alice");
    EXPECT_EQ(store.IndexOf("bob-6"), -1) << "kept under its own id, without the prefix";
    EXPECT_EQ(store.IndexOf("6"), store.IndexOf("5") + 1);
}

// Bob's own topics come back with ids whose local form ("bob-10" is 10 here) is the very number
// the counter hands out next, for the header or for a new section. Each case must place every
// packet topic once, keep every local topic, and give the header and section ids of their own.
// (Run under AddressSanitizer too: the refused placement once wrote before a buffer.)
TEST_F(PacketMerge, IdsHandedOutForTheMergeNeverMeetThePacketsIds)
{
    const std::vector<std::string> local = idsOf(store);
    struct Case {
        char mergeCase;
        std::vector<std::string> lines;
        std::vector<std::string> topics; // local ids of the packet's topics
    };
    const std::vector<Case> cases = {
        // b: one known topic; the new one has the header's id-to-be.
        {'b',
         {"uni=-1", "text=From: Alice", "lev=1", "type=1", "uni=alice-1", "text=Known", "lev=2",
          "uni=bob-10", "text=Mine, back", "lev=3"},
         {"alice-1", "10"}},
        // c: nothing known, a section of its kind: the first topic has the header's id-to-be.
        {'c',
         {"uni=-1", "text=From: Alice", "lev=1", "type=2", "uni=bob-10", "text=First", "lev=2",
          "uni=bob-12", "text=Second", "lev=3"},
         {"10", "12"}},
        // d: nothing known, no section of its kind: header and section ids both collide.
        {'d',
         {"uni=-1", "text=From: Alice", "lev=1", "type=9", "uni=bob-11", "text=One", "lev=2",
          "uni=bob-10", "text=Two", "lev=2"},
         {"11", "10"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(1, c.mergeCase));
        fill();
        store.SetUnique(9); // the next id handed out is 10
        const int before = store.Count();
        const MergeChanges changes = merge(records(c.lines));
        EXPECT_EQ(changes.mergeCase, c.mergeCase);
        for (const std::string &id : local)
            EXPECT_GE(store.IndexOf(id), 0) << "local topic " << id << " was lost";
        for (const std::string &id : c.topics) {
            ASSERT_GE(store.IndexOf(id), 0) << id;
            EXPECT_EQ(store.Find(id)->uni, id);
        }
        const int made = c.mergeCase == 'd' ? 2 : 1; // the header, and a section in case d
        const int added = static_cast<int>(c.topics.size()) - (c.mergeCase == 'b' ? 1 : 0);
        EXPECT_EQ(store.Count(), before + made + added);
        // Every id once, and levels that make a tree.
        std::set<std::string> ids;
        int previous = -1;
        for (const auto &entry : store.Entries()) {
            EXPECT_TRUE(ids.insert(entry.node->uni).second) << entry.node->uni;
            EXPECT_LE(entry.node->lev, previous + 1) << entry.node->uni;
            previous = entry.node->lev;
        }
        const std::string header = changes.added.front();
        for (const std::string &id : c.topics)
            EXPECT_NE(header, id);
        // What the next merge sees is the store as it is: every id is found under itself.
        for (const auto &entry : store.Entries())
            EXPECT_EQ(store.Find(entry.node->uni), entry.node);
        if (c.mergeCase == 'd') {
            for (const std::string &id : c.topics)
                EXPECT_GE(recentNew.IndexOf(id), 0) << "listed as new: " << id;
        }
    }
}

} // namespace
} // namespace nimbus::test
