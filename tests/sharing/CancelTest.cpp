// Long sends and merges with a progress display: what a cancel leaves behind in the outbox,
// the colleagues' inboxes and the store, and that the counts the display shows go up to
// their totals.
#include <gtest/gtest.h>

#include "SharingTestSupport.h"
#include "fileio/FolderOps.h"
#include "sharing/PacketWriter.h"
#include "store/ContentFiles.h"
#include "store/TContent.h"
#include "support/RecordingProgress.h"

namespace nimbus::test {
namespace {

class CancelledSend : public ::testing::Test {
protected:
    CancelledSend()
        : clock(DateTime::fromCivil(2024, 3, 10, 12, 0, 5)),
          alice(root / "alice/", root / "shared", "Alice", "secret", clock),
          bob(root / "bob/", root / "shared", "Bob", "secret", clock),
          carol(root / "carol/", root / "shared", "Carol", "secret", clock)
    {
        std::filesystem::create_directories(root / "shared");
        AnsweredQuestions yes(true);
        for (LanUser *user : {&alice, &bob, &carol})
            user->connection.Connect(yes, 0);
        alice.connection.GetNetworkUsers();
        addTopicWithPages();
    }

    // Alice's topic "Plan" with a sub-topic, a details page and a checklist: four files in
    // the outbox (page list, two page files, the store).
    void addTopicWithPages()
    {
        TNimbusStructure &store = alice.store;
        const int topics = store.IndexOf("STD0001");
        planId = std::to_string(store.NextUnique());
        addNode(store, planId, 1, "Plan", 1, topics + 1);
        addNode(store, std::to_string(store.NextUnique()), 2, "First step", 1, topics + 2);
        fillDefaultPages(alice, planId);
    }

    SendOutcome send(int tag, RecordingProgress &progress)
    {
        AnsweredQuestions noLock(false);
        return alice.sender.Send(alice.store, alice.store.IndexOf(planId), tag, noLock, 0,
                                 progress);
    }
    std::string inboxOf(const std::string &name) { return alice.connection.InboxOf(name); }

    TempFolder root;
    FixedClock clock;
    LanUser alice;
    LanUser bob;
    LanUser carol;
    std::string planId;
};

// Stops once `copies` files have gone into the inbox of `recipient`.
std::function<bool(const ProgressReport &)> stopAfterCopies(const std::string &recipient,
                                                            int copies)
{
    auto seen = std::make_shared<int>(0);
    return [=](const ProgressReport &report) {
        return report.text == "Sending to " + recipient && (*seen)++ == copies;
    };
}

TEST_F(CancelledSend, JustBeforeTheStoreFileOnlyWhatThePacketAddedIsTakenBack)
{
    // An earlier packet still waits in Bob's inbox: its files share names with the new one's.
    RecordingProgress quiet;
    ASSERT_TRUE(send(alice.tagOf("Bob"), quiet).ok);
    const std::vector<std::string> waiting = allFilesIn(inboxOf("Bob"));
    ASSERT_EQ(waiting.size(), 4u);

    // The same topic once more, after a while, now with a new page file of its own.
    clock.advanceSeconds(60);
    TContent &content = *alice.store.Find(planId)->content;
    THyperData &extra = content.AddPage(kPageDetails, "Notes");
    ASSERT_TRUE(
        content::SaveDetails(extra, alice.paths.content(), "{\\rtf1 notes}", 0, true, alice.log));
    ASSERT_TRUE(content::WriteContent(content, alice.log));
    RecordingProgress progress;
    // Every file but the ".str" is in Bob's inbox when the cancel comes: the last moment.
    progress.stopWhen = stopAfterCopies("Bob", 4);
    const SendOutcome outcome = send(alice.tagOf("Bob"), progress);

    EXPECT_TRUE(outcome.cancelled);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.sound, EventSound::None) << "a cancel is no failure";
    EXPECT_TRUE(outcome.delivered.empty());
    EXPECT_TRUE(alice.log.mentions("Sending cancelled, nothing was delivered"));
    EXPECT_FALSE(alice.log.mentions("Activity unsuccessful"));
    EXPECT_TRUE(allFilesIn(alice.paths.OutboxFolder).empty());
    // The new page file is gone; the earlier packet's files are all still there (one was
    // overwritten with the newer copy of the same page list, which that packet names too).
    std::vector<std::string> left = allFilesIn(inboxOf("Bob"));
    std::sort(left.begin(), left.end());
    std::vector<std::string> expected = waiting;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
    EXPECT_EQ(progress.offers, (std::vector<bool>{true, false}));

    // Bob's tick takes the earlier packet whole.
    const ReceiveOutcome received = bob.tick();
    EXPECT_EQ(received.packetsMerged, 1);
    EXPECT_TRUE(allFilesIn(inboxOf("Bob")).empty());
    EXPECT_TRUE(bob.store.Find("alice-" + planId));
}

TEST_F(CancelledSend, ToAllKeepsTheColleaguesServedBeforeTheCancel)
{
    ASSERT_EQ(alice.net.users.size(), 3u);
    RecordingProgress progress;
    progress.stopWhen = stopAfterCopies("Carol", 1);
    const SendOutcome outcome = send(-1, progress);

    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.delivered, std::vector<std::string>{"Bob"});
    EXPECT_TRUE(alice.log.mentions("Sending cancelled, already delivered to: Bob"));
    EXPECT_EQ(allFilesIn(inboxOf("Bob")).size(), 4u);
    EXPECT_TRUE(allFilesIn(inboxOf("Carol")).empty()) << "the first file is taken back";
    EXPECT_TRUE(allFilesIn(alice.paths.OutboxFolder).empty());
    EXPECT_EQ(bob.tick().packetsMerged, 1);
    EXPECT_EQ(carol.tick().packetsFound, 0);
}

TEST_F(CancelledSend, AFailedDeliveryTakesBackItsPageFilesToo)
{
    // A folder with the packet's name: the ".str" file, copied last, cannot be put there.
    std::filesystem::create_directories(inboxOf("Bob") + "alice-20240310-120005.str");
    RecordingProgress progress;
    const SendOutcome outcome = send(alice.tagOf("Bob"), progress);
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(outcome.sound, EventSound::SendFailed);
    EXPECT_TRUE(alice.log.mentions("Activity unsuccessful"));
    EXPECT_TRUE(allFilesIn(inboxOf("Bob")).empty()) << "no page files without their packet";
}

TEST_F(CancelledSend, WhileThePacketIsWrittenNothingIsDelivered)
{
    RecordingProgress progress;
    progress.stopWhen = [](const ProgressReport &report) {
        return report.text == PacketWriter::kPreparingText && report.done == 1;
    };
    const SendOutcome outcome = send(alice.tagOf("Bob"), progress);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_FALSE(fileio::folderExists(inboxOf("Bob")));
    EXPECT_TRUE(allFilesIn(alice.paths.OutboxFolder).empty());
}

TEST_F(CancelledSend, ProgressCountsTopicsThenFilesUpToTheirTotals)
{
    RecordingProgress progress;
    ASSERT_TRUE(send(-1, progress).ok);
    ASSERT_FALSE(progress.reports.empty());
    EXPECT_TRUE(progress.countsUp());
    EXPECT_EQ(progress.reports.front().text, PacketWriter::kPreparingText);
    const ProgressReport &last = progress.reports.back();
    EXPECT_EQ(last.total, 8) << "four files to each of two colleagues";
    EXPECT_EQ(last.done, last.total);
    // The file count runs on from one colleague to the next.
    bool sawCarol = false;
    for (const ProgressReport &report : progress.reports)
        if (report.text == "Sending to Carol" && !sawCarol) {
            sawCarol = true;
            EXPECT_EQ(report.done, 4);
        }
    EXPECT_TRUE(sawCarol);
}

TEST_F(CancelledSend, MergeStopsBetweenPacketsAndTheRestWaitsForTheNextTick)
{
    RecordingProgress quiet;
    for (int i = 0; i < 3; ++i) {
        alice.store.Find(planId)->text = "Plan " + std::to_string(i);
        ASSERT_TRUE(send(alice.tagOf("Bob"), quiet).ok);
        clock.advanceSeconds(60);
    }
    RecordingProgress progress;
    progress.stopWhen = [](const ProgressReport &report) { return report.done == 1; };
    const ReceiveOutcome first =
        bob.receiver.timerCheckInboxTimer(bob.store, bob.recentNew, bob.host, progress);
    EXPECT_EQ(first.packetsMerged, 1);
    EXPECT_EQ(first.packetsLeft, 2);
    EXPECT_EQ(progress.offers, (std::vector<bool>{true, false}));
    EXPECT_TRUE(bob.log.mentions("Receiving cancelled, 2 packet(s) stay in the inbox for later"));
    std::vector<std::string> packets;
    fileio::listFiles(inboxOf("Bob") + "*.str", packets);
    EXPECT_EQ(packets.size(), 2u);
    EXPECT_EQ(bob.store.Find("alice-" + planId)->text, "Plan 0");
    EXPECT_EQ(bob.host.holdOffs, bob.host.resumes);

    RecordingProgress next;
    const ReceiveOutcome second =
        bob.receiver.timerCheckInboxTimer(bob.store, bob.recentNew, bob.host, next);
    EXPECT_EQ(second.packetsMerged, 2);
    EXPECT_EQ(second.packetsLeft, 0);
    EXPECT_TRUE(next.countsUp());
    EXPECT_EQ(next.reports.back().done, 2);
    EXPECT_EQ(next.reports.back().total, 2);
    EXPECT_TRUE(allFilesIn(inboxOf("Bob")).empty());
    EXPECT_EQ(bob.store.Find("alice-" + planId)->text, "Plan 2");
    // One copy of the topic and its sub-topic under one header per packet.
    int plans = 0;
    for (const auto &entry : bob.store.Entries())
        plans += entry.node->uni == "alice-" + planId;
    EXPECT_EQ(plans, 1);
}

} // namespace
} // namespace nimbus::test
