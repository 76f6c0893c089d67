// The shared folder going away under a send or a receive, and an inbox its owner's colleague
// may not write into (or its owner may not read): nothing crashes, the failure is logged, no
// topic is lost or merged twice, and once the folder is back the same topic arrives once.
#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "fileio/FolderOps.h"
#include "sharing/SharingTestSupport.h"

namespace nimbus::test {
namespace {

// Runs the rest of a test as an unprivileged user when it runs as root, whose permission
// bits would otherwise not count; back to root when the object goes.
class UnprivilegedScope {
public:
    explicit UnprivilegedScope(const std::string &folder)
    {
        if (::geteuid() != 0)
            return;
        const passwd *nobody = ::getpwnam("nobody");
        if (nobody == nullptr)
            return;
        for (const auto &entry : std::filesystem::recursive_directory_iterator(folder))
            ::lchown(entry.path().c_str(), nobody->pw_uid, nobody->pw_gid);
        ::chown(folder.c_str(), nobody->pw_uid, nobody->pw_gid);
        active_ = ::setegid(nobody->pw_gid) == 0 && ::seteuid(nobody->pw_uid) == 0;
    }
    ~UnprivilegedScope()
    {
        if (active_) {
            ::seteuid(0);
            ::setegid(0);
        }
    }
    UnprivilegedScope(const UnprivilegedScope &) = delete;
    UnprivilegedScope &operator=(const UnprivilegedScope &) = delete;

    // Permission bits apply to this process.
    static bool bitsApply() { return ::geteuid() != 0; }

private:
    bool active_ = false;
};

class SharedFolderLoss : public ::testing::Test {
protected:
    SharedFolderLoss()
        : clock(DateTime::fromCivil(2025, 6, 1, 12, 0, 5)), scope(root.path()),
          alice(root / "alice/", root / "shared", "Alice", "secret", clock),
          bob(root / "bob/", root / "shared", "Bob", "secret", clock)
    {
    }

    void SetUp() override
    {
        std::filesystem::create_directories(root / "shared");
        AnsweredQuestions yes(true);
        ASSERT_EQ(alice.connection.Connect(yes, 0).text, "Connected OK");
        ASSERT_EQ(bob.connection.Connect(yes, 0).text, "Connected OK");
        alice.connection.GetNetworkUsers();
        bob.connection.GetNetworkUsers();
        const int topics = alice.store.IndexOf("STD0001");
        topicId = std::to_string(alice.store.NextUnique());
        addNode(alice.store, topicId, 1, "Quarterly report", 1, topics + 1);
    }

    SendOutcome send()
    {
        AnsweredQuestions noLock(false);
        return alice.sender.Send(alice.store, alice.store.IndexOf(topicId), alice.tagOf("Bob"),
                                 noLock);
    }
    // How many of Bob's topics came from Alice's topic.
    int copiesAtBob() const
    {
        int copies = 0;
        for (const auto &entry : bob.store.Entries())
            copies += entry.node->text == "Quarterly report";
        return copies;
    }
    bool outboxEmpty() const
    {
        std::vector<std::string> files;
        fileio::listFiles(alice.paths.OutboxFolder, files);
        return files.empty();
    }

    TempFolder root;
    FixedClock clock;
    UnprivilegedScope scope;
    LanUser alice;
    LanUser bob;
    std::string topicId;
};

TEST_F(SharedFolderLoss, SendAndReceiveWithoutTheSharedFolderFailQuietlyAndResumeOnceItIsBack)
{
    const int aliceCount = alice.store.Count();
    const int bobCount = bob.store.Count();
    // The network drive goes away.
    std::filesystem::rename(root / "shared", root / "shared-away");
    const SendOutcome lost = send();
    EXPECT_FALSE(lost.ok);
    EXPECT_EQ(lost.sound, EventSound::SendFailed);
    EXPECT_NE(lost.errorDetail.find("Bob"), std::string::npos) << lost.errorDetail;
    EXPECT_TRUE(alice.log.mentions("*** A problem occurred while copying items to another user: "));
    EXPECT_TRUE(alice.log.mentions("Activity unsuccessful"));
    EXPECT_EQ(alice.store.Count(), aliceCount) << "the sender keeps every topic";
    EXPECT_NE(alice.store.Find(topicId), nullptr);
    EXPECT_TRUE(outboxEmpty());
    EXPECT_FALSE(std::filesystem::exists(root / "shared")) << "nothing recreates the share";

    const ReceiveOutcome nothing = bob.tick();
    EXPECT_EQ(nothing.packetsFound, 0);
    EXPECT_EQ(bob.store.Count(), bobCount);
    EXPECT_FALSE(bob.connection.connected()) << "a missing share ends the connection";

    // Back again: reconnecting and sending brings exactly one copy.
    std::filesystem::rename(root / "shared-away", root / "shared");
    AnsweredQuestions yes(true);
    ASSERT_EQ(bob.connection.Connect(yes, 0).text, "Connected OK");
    const SendOutcome sent = send();
    ASSERT_TRUE(sent.ok) << sent.errorDetail;
    EXPECT_EQ(bob.tick().packetsMerged, 1);
    EXPECT_EQ(bob.tick().packetsFound, 0);
    EXPECT_EQ(copiesAtBob(), 1);
}

TEST_F(SharedFolderLoss, AnInboxWithoutPermissionRefusesDeliveryAndKeepsItsPackets)
{
    if (!UnprivilegedScope::bitsApply())
        GTEST_SKIP() << "permission bits do not apply to this user";
    ASSERT_TRUE(send().ok);
    const std::string inbox = bob.connection.InboxOf("Bob");
    // Bob's inbox may not be written by Alice (nor read by Bob): a second send fails, and
    // Bob's tick reads nothing, loses nothing and does not crash.
    ::chmod(inbox.c_str(), 0);
    clock.advanceSeconds(60);
    const SendOutcome refused = send();
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.errorDetail.find(std::strerror(EACCES)), std::string::npos)
        << refused.errorDetail;
    EXPECT_TRUE(outboxEmpty());
    const int bobCount = bob.store.Count();
    const ReceiveOutcome blocked = bob.tick();
    EXPECT_EQ(blocked.packetsMerged, 0);
    EXPECT_EQ(bob.store.Count(), bobCount);

    // With the permission back the packet that was delivered before is merged, once.
    ::chmod(inbox.c_str(), 0777);
    EXPECT_EQ(bob.tick().packetsMerged, 1);
    EXPECT_EQ(bob.tick().packetsFound, 0);
    EXPECT_EQ(copiesAtBob(), 1);
}

} // namespace
} // namespace nimbus::test
