// Packets made to do harm: ids and file names that would leave their folders, absurd levels,
// a huge store file, links, and page lists naming files outside their folder. None of them may
// write outside the data folders or leave the store unloadable; each is set aside.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "SharingTestSupport.h"
#include "fileio/FolderOps.h"
#include "sharing/PacketReader.h"

namespace nimbus::test {
namespace {

std::vector<std::string> filesBelow(const std::string &folder)
{
    std::vector<std::string> files;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder))
        if (!entry.is_directory())
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

class HostilePackets : public ::testing::Test {
protected:
    HostilePackets()
        : clock(DateTime::fromCivil(2024, 3, 10, 12, 0, 0)),
          bob(root / "home/bob/", root / "shared", "Bob", "secret", clock)
    {
        std::filesystem::create_directories(root / "shared");
        AnsweredQuestions yes(true);
        bob.connection.Connect(yes, 0);
        inbox = root / "shared/bob-Inbox/";
        std::filesystem::create_directories(inbox);
    }

    static std::string header()
    {
        return records({"uni=-1", "text=From: Mallory", "lev=1", "type=1"});
    }

    TempFolder root;
    FixedClock clock;
    LanUser bob;
    std::string inbox;
};

TEST_F(HostilePackets, NothingLeavesTheDataFolderAndTheStoreStaysLoadable)
{
    const std::vector<std::pair<std::string, std::string>> packets = {
        {"a-dots.str", header() + records({"uni=mallory-../../../escape", "lev=2"})},
        {"b-absolute.str",
         header() + records({"uni=mallory-1", "lev=2", "uni=/tmp/escape", "lev=3"})},
        {"c-nul.str", header() + records({"uni=mallory-2", "lev=2"}) +
                          std::string("uni=mallory-\0/x\r\nlev=2\r\n", 24)},
        {"d-level.str",
         header() + records({"uni=mallory-3", "lev=2", "uni=mallory-4", "lev=100000"})},
        {"e-jump.str", header() + records({"uni=mallory-5", "lev=5"})},
        {"f-noheader.str", records({"uni=mallory-6", "lev=2"})},
        {"g-badlevel.str", header() + records({"uni=mallory-7", "lev=2x"})},
        {"h-plainid.str", header() + records({"uni=STD0001", "text=Renamed", "lev=2"})},
        {"i-twice.str", header() + records({"uni=bob-8", "lev=2", "uni=8", "lev=2"})},
        {"j-emptyid.str", header() + records({"uni=", "lev=2"})},
    };
    for (const auto &[name, bytes] : packets)
        writeFile(inbox + name, bytes);
    // 50 MB of store file, and a link to a file outside the shared folder.
    const int fd = ::open((inbox + "k-huge.str").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_EQ(::ftruncate(fd, 50LL * 1024 * 1024), 0);
    ::close(fd);
    writeFile(root / "secret.txt", header() + records({"uni=mallory-9", "lev=2"}));
    std::filesystem::create_symlink(root / "secret.txt", inbox + "l-link.str");
    // For the good packet's topics: a page list naming a page file outside its folder, and one
    // naming another topic's page. A page file of a topic no packet brought is not taken.
    writeFile(inbox + "mallory-20.pkt", "con=0\r\nuni=1\r\nfile=../../../outside.txt\r\n");
    writeFile(inbox + "mallory-21.pkt", "con=0\r\nuni=1\r\nfile=5-1.txt\r\n");
    writeFile(inbox + "mallory-40-1.txt", "not asked for");
    // One good packet among them is merged all the same.
    writeFile(inbox + "z-good.str", header() + records({"uni=mallory-20", "text=Fine", "lev=2",
                                                        "uni=mallory-21", "text=Too", "lev=2"}));

    const std::vector<std::string> ids = idsOf(bob.store);
    const ReceiveOutcome outcome = bob.tick();
    EXPECT_EQ(outcome.packetsMerged, 1);
    EXPECT_EQ(outcome.packetsRefused, static_cast<int>(packets.size()) + 2);
    EXPECT_EQ(bob.store.Count(), static_cast<int>(ids.size()) + 3)
        << "the good packet's header and topics";
    EXPECT_NE(bob.store.Find("mallory-20"), nullptr);
    EXPECT_EQ(bob.store.Find("STD0001")->text, "Topics");

    // Every refused file is set aside in the inbox; nothing was written anywhere else.
    std::vector<std::string> left;
    fileio::listFiles(inbox + "*.str", left);
    EXPECT_TRUE(left.empty());
    std::vector<std::string> rejected;
    fileio::listFiles(inbox + "rejected/", rejected);
    EXPECT_EQ(rejected.size(), packets.size() + 4);
    EXPECT_FALSE(fileio::fileExists(bob.paths.PacksFolder + "mallory-20.pkt"));
    EXPECT_FALSE(fileio::fileExists(bob.paths.PacksFolder + "mallory-21.pkt"));
    EXPECT_FALSE(fileio::fileExists(bob.paths.TextFolder + "mallory-40-1.txt"));
    EXPECT_TRUE(fileio::fileExists(inbox + "mallory-40-1.txt"));
    for (const std::string &file : filesBelow(root.path())) {
        const bool inside = file.rfind(root / "home/bob/", 0) == 0 ||
                            file.rfind(root / "shared/", 0) == 0 || file == root / "secret.txt";
        EXPECT_TRUE(inside) << file;
        EXPECT_EQ(file.find("escape"), std::string::npos) << file;
        EXPECT_EQ(file.find("outside"), std::string::npos) << file;
    }
    EXPECT_TRUE(bob.log.mentions("*** A received packet was refused and set aside: a-dots.str"));

    ASSERT_TRUE(bob.store.SaveStructure());
    TNimbusStructure reloaded;
    reloaded.SetFileName(bob.store.FileName());
    reloaded.LoadStructure();
    EXPECT_TRUE(reloaded.LoadProblems().empty());
    EXPECT_EQ(idsOf(reloaded), idsOf(bob.store));
}

TEST_F(HostilePackets, ReaderRefusesBeforeAnythingIsKept)
{
    TNimbusStructure packet;
    std::string problem;
    // Nothing but ids: stopped at the topic limit instead of filling the memory.
    std::string flood;
    for (int i = 0; i < 100005; ++i)
        flood += "uni=m-" + std::to_string(i) + "\n";
    EXPECT_FALSE(packet::ParsePacket(flood, packet, "bob-", problem));
    EXPECT_LE(packet.Count(), 100001);
    // The same id twice, once with the own prefix: two topics would share one local node.
    TNimbusStructure twice;
    EXPECT_FALSE(packet::ParsePacket(
        records({"uni=-1", "lev=1", "uni=bob-a-b", "lev=2", "uni=a-b", "lev=2"}), twice, "bob-",
        problem));
    EXPECT_EQ(problem, "two topics have the id a-b");
    // An empty file is a packet without topics.
    TNimbusStructure empty;
    EXPECT_TRUE(packet::ParsePacket("", empty, "bob-", problem));
}

} // namespace
} // namespace nimbus::test
