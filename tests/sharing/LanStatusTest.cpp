// The connection when the shared folder goes away under it, and the log view's colours.
#include <gtest/gtest.h>

#include "SharingTestSupport.h"
#include "sharing/LogLineColour.h"

namespace nimbus::test {
namespace {

TEST(LanStatus, SharedFolderGoneEndsTheConnectionWithAStatusToShow)
{
    TempFolder root;
    FixedClock clock(DateTime::fromCivil(2024, 3, 10, 12, 0, 5));
    std::filesystem::create_directories(root / "shared");
    LanUser alice(root / "alice/", root / "shared", "Alice", "secret", clock);
    AnsweredQuestions yes(true);
    ASSERT_TRUE(alice.connection.Connect(yes, 0).connected);
    test::writeFile(root / "shared/Bob.usr", "x\r\n");
    alice.connection.GetNetworkUsers();
    ASSERT_EQ(alice.net.users.size(), 2u);

    // An empty inbox holds nothing off: the save and deadline timers keep their countdowns.
    std::filesystem::create_directories(alice.connection.InboxOf("Alice"));
    EXPECT_EQ(alice.tick().packetsFound, 0);
    EXPECT_EQ(alice.host.holdOffs, 0);

    std::filesystem::remove_all(root / "shared");
    const ReceiveOutcome tick = alice.tick();
    EXPECT_EQ(tick.packetsFound, 0);
    EXPECT_FALSE(alice.connection.connected());
    EXPECT_EQ(alice.connection.status().text, kStatusNotFound);
    EXPECT_EQ(alice.connection.status().colour, kStatusColourRed);
    EXPECT_TRUE(alice.net.users.empty()) << "nobody can be sent to any more";
    EXPECT_TRUE(alice.net.mem) << "the next start tries again";
    EXPECT_EQ(alice.host.holdOffs, 0);
}

TEST(LanStatus, OnlyAddonMergeLinesAreNavy)
{
    EXPECT_EQ(LogLineColour("10/03/2024 12:00:05  Addon - new topic: Budget"), kLogColourNavy);
    EXPECT_EQ(LogLineColour("10/03/2024 12:00:05  Addon - matched section: Money"), kLogColourNavy);
    EXPECT_EQ(LogLineColour("10/03/2024 12:00:05  Added topic: Addon - x"), kLogColourDefault);
    EXPECT_EQ(LogLineColour("10/03/2024 12:00:05  Activity complete"), kLogColourDefault);
    EXPECT_EQ(LogLineColour(""), kLogColourDefault);
}

} // namespace
} // namespace nimbus::test
