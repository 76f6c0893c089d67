// Two users with their own data folders and one shared folder: connecting, listing colleagues,
// sending a topic with its pages and sub-topics, receiving it, sending a change back.
#include <gtest/gtest.h>

#include "SharingTestSupport.h"
#include "fileio/FolderOps.h"
#include "store/ContentFiles.h"
#include "store/TContent.h"

namespace nimbus::test {
namespace {

class LanEndToEnd : public ::testing::Test {
protected:
    LanEndToEnd()
        : clock(DateTime::fromCivil(2024, 3, 10, 12, 0, 5)),
          alice(root / "alice/", root / "shared", "Alice", "secret", clock),
          bob(root / "bob/", root / "shared", "Bob", "secret", clock)
    {
        std::filesystem::create_directories(root / "shared");
    }

    // Alice's topic "Plan" with two sub-topics, a details page and a checklist.
    void addAlicesTopic()
    {
        TNimbusStructure &store = alice.store;
        const int topics = store.IndexOf("STD0001");
        planId = std::to_string(store.NextUnique());
        addNode(store, planId, 1, "Plan", 1, topics + 1);
        stepId = std::to_string(store.NextUnique());
        addNode(store, stepId, 2, "First step", 1, topics + 2);
        addNode(store, std::to_string(store.NextUnique()), 2, "Second step", 1, topics + 3);
        fillDefaultPages(alice, planId);
    }

    TempFolder root;
    FixedClock clock;
    LanUser alice;
    LanUser bob;
    std::string planId;
    std::string stepId;
};

TEST_F(LanEndToEnd, TopicTravelsToColleagueAndChangeComesBack)
{
    AnsweredQuestions yes(true);
    EXPECT_EQ(alice.connection.Connect(yes, 0).text, "Connected OK");
    ASSERT_EQ(yes.asked.size(), 1u) << "creating the LAN Nimbus is asked first";
    EXPECT_TRUE(fileio::fileExists(root / "shared/Nimbus.dat"));
    EXPECT_EQ(readFile(root / "shared/Alice.usr"), "10/03/2024 12:00:05\r\n");
    EXPECT_TRUE(alice.net.mem);
    EXPECT_TRUE(fileio::fileExists(root / "alice/net.txt")) << "the changed state is saved";

    AnsweredQuestions asked(true);
    EXPECT_EQ(bob.connection.Connect(asked, 0).colour, kStatusColourGreen);
    EXPECT_TRUE(asked.asked.empty());
    NetworkUsers seen = bob.connection.GetNetworkUsers();
    ASSERT_EQ(seen.listUsers, std::vector<std::string>{"  Alice"});
    ASSERT_EQ(seen.menuSendto.size(), 1u) << "one colleague: no \"All\"";
    EXPECT_EQ(seen.menuSendto[0].caption, "Alice");
    alice.connection.GetNetworkUsers();

    addAlicesTopic();
    const int aliceCount = alice.store.Count();
    AnsweredQuestions noLock(false);
    const SendOutcome sent =
        alice.sender.Send(alice.store, alice.store.IndexOf(planId), alice.tagOf("Bob"), noLock);
    ASSERT_TRUE(sent.ok) << sent.errorDetail;
    EXPECT_EQ(sent.sound, EventSound::SendOk);
    EXPECT_EQ(sent.packetName, "alice-20240310-120005.str");
    EXPECT_EQ(noLock.asked, std::vector<std::string>{kLockTopicQuestion});
    std::vector<std::string> outbox;
    fileio::listFiles(alice.paths.OutboxFolder, outbox);
    EXPECT_TRUE(outbox.empty()) << "the outbox is emptied";
    EXPECT_TRUE(alice.log.mentions("Sending topic Plan to Bob"));
    EXPECT_TRUE(alice.log.mentions("Activity complete"));

    // Bob's tick: case c under his Topics section, with the pages in his data folders.
    const int bobCount = bob.store.Count();
    const ReceiveOutcome received = bob.tick();
    EXPECT_EQ(received.packetsMerged, 1);
    EXPECT_EQ(received.changes.mergeCase, 'c');
    ASSERT_EQ(bob.store.Count(), bobCount + 4);
    const int section = bob.store.IndexOf("STD0001");
    const TNimbusNode &header = *bob.store.Node(section + 1);
    EXPECT_EQ(header.text, "From: Alice - 20240310-120005");
    EXPECT_EQ(header.lev, 1);
    EXPECT_NE(header.uni, "-1");
    const std::string plan = "alice-" + planId;
    const std::string step = "alice-" + stepId;
    EXPECT_EQ(bob.store.IndexOf(plan), section + 2);
    EXPECT_EQ(bob.store.Find(plan)->lev, 2);
    EXPECT_EQ(bob.store.Find(plan)->from, "Alice");
    EXPECT_EQ(bob.store.Find(plan)->sent, "20240310-120005");
    EXPECT_EQ(bob.store.Find(step)->lev, 3);
    EXPECT_EQ(bob.store.Node(section + 4)->text, "Second step");
    EXPECT_TRUE(fileio::fileExists(bob.paths.PacksFolder + plan + ".pkt"));
    EXPECT_EQ(readFile(bob.paths.TextFolder + plan + "-1.txt"), "{\\rtf1 details}");
    EXPECT_TRUE(fileio::fileExists(bob.paths.CheckListFolder + plan + "-2.lst"));
    std::vector<std::string> inbox;
    fileio::listFiles(bob.net.inboxFolder, inbox);
    EXPECT_TRUE(inbox.empty());
    EXPECT_EQ(bob.host.sounds, std::vector<EventSound>{EventSound::Received});
    TContent &pages = bob.store.Find(plan)->LoadContent(bob.paths.content(), bob.log);
    ASSERT_EQ(pages.pages.size(), 2u);
    EXPECT_EQ(pages.pages[0]->file, plan + "-1.txt");

    // Bob changes a sub-topic and sends it back; Alice's tick matches it by id.
    bob.store.Find(step)->text = "First step, done";
    bob.store.Find(step)->status = kStatusCompleted;
    bob.connection.GetNetworkUsers();
    clock.advanceSeconds(60);
    ASSERT_TRUE(bob.sender.Send(bob.store, bob.store.IndexOf(step), bob.tagOf("Alice"), noLock).ok);
    const ReceiveOutcome back = alice.tick();
    EXPECT_EQ(back.changes.mergeCase, 'a');
    EXPECT_EQ(alice.store.Count(), aliceCount) << "no duplicate";
    EXPECT_EQ(alice.store.Find(stepId)->text, "First step, done");
    EXPECT_EQ(alice.store.Find(stepId)->status, kStatusCompleted);
    EXPECT_EQ(alice.store.Find(stepId)->from, "Bob");
    EXPECT_TRUE(alice.log.mentions("Matched topic: First step, done"));

    // Both stores still save and load.
    ASSERT_TRUE(bob.store.SaveStructure());
    TNimbusStructure reloaded;
    reloaded.SetFileName(bob.store.FileName());
    reloaded.LoadStructure();
    EXPECT_TRUE(reloaded.LoadProblems().empty());
    EXPECT_EQ(idsOf(reloaded), idsOf(bob.store));
}

TEST_F(LanEndToEnd, WrongPasswordChangesNothing)
{
    AnsweredQuestions yes(true);
    alice.connection.Connect(yes, 0);
    const std::string password = readFile(root / "shared/Nimbus.dat");
    LanUser carol(root / "carol/", root / "shared", "Carol", "Secret", clock);
    const ConnectionStatus &status = carol.connection.Connect(yes, 0);
    EXPECT_EQ(status.text, "*** LAN Nimbus password incorrect");
    EXPECT_EQ(status.colour, kStatusColourRed);
    EXPECT_FALSE(carol.connection.connected());
    EXPECT_FALSE(fileio::fileExists(root / "shared/Carol.usr"));
    EXPECT_EQ(readFile(root / "shared/Nimbus.dat"), password);
    EXPECT_EQ(yes.asked.size(), 1u) << "only Alice was asked to create the LAN Nimbus";
    EXPECT_EQ(carol.tick().packetsFound, 0);
}

TEST_F(LanEndToEnd, ConnectFailuresAndDeclinedCreation)
{
    AnsweredQuestions no(false);
    EXPECT_EQ(alice.connection.Connect(no, 0).text, "Not connected");
    EXPECT_FALSE(fileio::fileExists(root / "shared/Nimbus.dat")) << "No creates nothing";
    EXPECT_FALSE(fileio::fileExists(root / "shared/Alice.usr"));

    alice.net.net = root / "missing";
    EXPECT_EQ(alice.connection.Connect(no, 0).text, "*** LAN Nimbus not found");
    alice.net.net.clear();
    EXPECT_EQ(alice.connection.Connect(no, 0).text, "*** LAN Nimbus not accessible");

    // A user name that would leave the shared folder is not registered.
    AnsweredQuestions yes(true);
    alice.net.net = root / "shared";
    alice.net.user = "../Alice";
    EXPECT_EQ(alice.connection.Connect(yes, 0).text, "*** LAN Nimbus access not allowed");
    EXPECT_FALSE(fileio::fileExists(root / "Alice.usr"));
}

TEST_F(LanEndToEnd, ColleaguesMenuAndReconnectingAddsALine)
{
    AnsweredQuestions yes(true);
    alice.connection.Connect(yes, 0);
    bob.connection.Connect(yes, 0);
    LanUser carol(root / "carol/", root / "shared", "carol", "secret", clock);
    carol.connection.Connect(yes, 2);
    EXPECT_EQ(readFile(root / "shared/carol.usr"), "2024/03/10 12:00:05\r\n");
    const NetworkUsers users = alice.connection.GetNetworkUsers();
    EXPECT_EQ(alice.net.users.size(), 3u) << "this user is counted too";
    ASSERT_EQ(users.menuSendto.size(), 3u);
    EXPECT_EQ(users.menuSendto.back().caption, "All");
    EXPECT_EQ(users.menuSendto.back().tag, -1);
    for (const SendtoItem &item : users.menuSendto) {
        if (item.tag >= 0) {
            EXPECT_EQ(alice.net.users[static_cast<std::size_t>(item.tag)], item.caption);
        }
    }

    alice.connection.Disconnect();
    EXPECT_FALSE(alice.net.mem);
    EXPECT_EQ(alice.connection.status().text, "Not connected");
    EXPECT_EQ(alice.connection.StartUp(), false) << "mem was cleared by disconnecting";
    alice.connection.Connect(yes, 0);
    EXPECT_EQ(readFile(root / "shared/Alice.usr"),
              "10/03/2024 12:00:05\r\n10/03/2024 12:00:05\r\n");
}

TEST_F(LanEndToEnd, SendingToAllAndFailedDelivery)
{
    AnsweredQuestions yes(true);
    alice.connection.Connect(yes, 0);
    alice.connection.GetNetworkUsers();
    addAlicesTopic();
    const int plan = alice.store.IndexOf(planId);

    // Nobody but Alice: nothing is delivered, and that is a success.
    SendOutcome alone = alice.sender.Send(alice.store, plan, -1, yes);
    EXPECT_TRUE(alone.ok);
    EXPECT_FALSE(fileio::folderExists(root / "shared/alice-Inbox"));

    // Bob's inbox cannot be made (a file has its name): the error entry names the inbox, the
    // outbox is emptied all the same.
    bob.connection.Connect(yes, 0);
    alice.connection.GetNetworkUsers();
    writeFile(root / "shared/bob-Inbox", "in the way");
    const SendOutcome failed = alice.sender.Send(alice.store, plan, -1, yes);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.sound, EventSound::SendFailed);
    EXPECT_EQ(failed.errorDetail, "*** Unable to create inbox for user: Bob");
    EXPECT_TRUE(alice.log.mentions("*** A problem occurred while copying items to another user: "
                                   " | *** Unable to create inbox for user: Bob"));
    EXPECT_TRUE(alice.log.mentions("Activity unsuccessful"));
    std::vector<std::string> outbox;
    fileio::listFiles(alice.paths.OutboxFolder, outbox);
    EXPECT_TRUE(outbox.empty());
}

TEST_F(LanEndToEnd, TickDuringAMergeReturnsAtOnce)
{
    AnsweredQuestions yes(true);
    alice.connection.Connect(yes, 0);
    bob.connection.Connect(yes, 0);
    alice.connection.GetNetworkUsers();
    addAlicesTopic();
    ASSERT_TRUE(
        alice.sender.Send(alice.store, alice.store.IndexOf(planId), alice.tagOf("Bob"), yes).ok);
    // The sound plays inside the tick; a tick that arrives meanwhile must not merge again.
    ReceiveOutcome nested;
    bob.host.onSound = [&] { nested = bob.tick(); };
    const int before = bob.store.Count();
    EXPECT_EQ(bob.tick().packetsMerged, 1);
    EXPECT_EQ(nested.packetsFound, 0);
    EXPECT_EQ(bob.store.Count(), before + 4);
    EXPECT_EQ(bob.host.holdOffs, bob.host.resumes);

    bob.host.selected = false;
    ASSERT_TRUE(
        alice.sender.Send(alice.store, alice.store.IndexOf(planId), alice.tagOf("Bob"), yes).ok);
    EXPECT_EQ(bob.tick().packetsFound, 0) << "nothing is received without a selected topic";
}

} // namespace
} // namespace nimbus::test
