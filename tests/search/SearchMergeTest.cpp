// The index follows what arrives from outside: a topic received from a colleague through the
// inbox and the topics of an add-on pack, both merged by the real sharing code.
#include "SearchFixture.h"
#include "sharing/AddonInstaller.h"

namespace nimbus::test {
namespace {

TEST(SearchAfterMerges, ReceivedTopicsAndAddonPacksAreFound)
{
    TempFolder root;
    FixedClock clock(DateTime::fromCivil(2024, 3, 10, 12, 0, 5));
    std::filesystem::create_directories(root / "shared");
    LanUser alice(root / "alice/", root / "shared", "Alice", "secret", clock);
    LanUser bob(root / "bob/", root / "shared", "Bob", "secret", clock);
    AnsweredQuestions yes(true);
    ASSERT_EQ(alice.connection.Connect(yes, 0).text, "Connected OK");
    bob.connection.Connect(yes, 0);
    bob.connection.GetNetworkUsers();
    alice.connection.GetNetworkUsers();

    const ContentFolders bobFolders = bob.paths.content();
    auto snapshot = [&] {
        std::vector<search::TopicEntry> topics;
        for (int i = 0; i < bob.store.Count(); ++i)
            topics.push_back({std::string(bob.store.Id(i)), bob.store.Node(i)->text});
        return topics;
    };
    search::SearchIndex index(root / "bob/Search.db", bobFolders, bob.log);
    ASSERT_TRUE(index.Build(snapshot()));
    auto hits = [&](const std::string &text) {
        const search::SearchQuery q = search::ParseQuery(text);
        std::vector<std::string> topics;
        for (const auto &r : search::RunSearch(&index, q, bob.store, clock, 50)) {
            std::string places;
            for (const search::TextHit &t : r.places)
                places += "TPC"[static_cast<int>(t.kind)];
            topics.push_back(r.title + ":" + places);
        }
        return topics;
    };

    // Alice sends "Zebra crossing" with a details page and a checklist.
    const int topics = alice.store.IndexOf("STD0001");
    const std::string id = std::to_string(alice.store.NextUnique());
    addNode(alice.store, id, 1, "Zebra crossing", 1, topics + 1);
    TContent &content = alice.store.Find(id)->LoadContent(alice.paths.content(), alice.log);
    ASSERT_TRUE(content::SaveDetails(*content.pages[0], alice.paths.content(),
                                     "{\\rtf1 Stripes \\'e0 la fa\\'e7ade}", 0, true, alice.log));
    ASSERT_TRUE(content::SaveChecklist(*content.pages[1], alice.paths.content(),
                                       {ChecklistItem{false, "Ampel prüfen", {}, {}}}, alice.log));
    ASSERT_TRUE(content::WriteContent(content, alice.log));
    AnsweredQuestions noLock(false);
    ASSERT_TRUE(alice.sender.Send(alice.store, alice.store.IndexOf(id), alice.tagOf("Bob"), noLock).ok);

    EXPECT_TRUE(hits("zebra").empty());
    const ReceiveOutcome received = bob.tick();
    ASSERT_EQ(received.packetsMerged, 1);
    EXPECT_GT(index.Refresh(snapshot()), 0);
    EXPECT_EQ(hits("zebra"), (std::vector<std::string>{"Zebra crossing:T"}));
    EXPECT_EQ(hits("facade"), (std::vector<std::string>{"Zebra crossing:P"}));
    EXPECT_EQ(hits("ampel pruf*"), (std::vector<std::string>{"Zebra crossing:C"}));

    // The same topic sent again with a new title and page replaces what the index had.
    alice.store.Find(id)->text = "Zebra stripes";
    ASSERT_TRUE(content::SaveDetails(*content.pages[0], alice.paths.content(), "{\\rtf1 Painted anew}",
                                     0, true, alice.log));
    clock.advanceSeconds(5);
    ASSERT_TRUE(alice.sender.Send(alice.store, alice.store.IndexOf(id), alice.tagOf("Bob"), noLock).ok);
    ASSERT_EQ(bob.tick().packetsMerged, 1);
    EXPECT_GT(index.Refresh(snapshot()), 0);
    EXPECT_EQ(hits("zebra"), (std::vector<std::string>{"Zebra stripes:T"}));
    EXPECT_EQ(hits("anew"), (std::vector<std::string>{"Zebra stripes:P"}));
    EXPECT_TRUE(hits("facade").empty());

    // An add-on pack with a section, a topic and its details page.
    MergeGate gate;
    AddonInstaller installer(bob.paths, gate, clock, bob.log);
    const std::string pack = bob.paths.InstallFolder + "addon-garden-1/";
    std::filesystem::create_directories(pack);
    writeFile(pack + "structure.dat", records({"uni=GDN1", "text=Garden", "lev=0", "type=6",
                                               "uni=GDN2", "text=Kräuterbeet", "lev=1", "type=6", "parent=GDN1"}));
    writeFile(pack + "GDN2.pkt", "con=0\r\nuni=1\r\nfile=GDN2-1.txt\r\n");
    writeFile(pack + "GDN2-1.txt", "Thymian und Salbei");
    RecordingHost host;
    ASSERT_EQ(installer.timerAddonTimer(bob.store, host).packsMerged, 1);
    EXPECT_GT(index.Refresh(snapshot()), 0);
    EXPECT_EQ(hits("krauterbeet"), (std::vector<std::string>{"Kräuterbeet:T"}));
    EXPECT_EQ(hits("salbei"), (std::vector<std::string>{"Kräuterbeet:P"}));
    EXPECT_EQ(hits("salbei section:garden"), (std::vector<std::string>{"Kräuterbeet:P"}));
}

}  // namespace
}  // namespace nimbus::test
