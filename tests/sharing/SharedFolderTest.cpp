// The shared folder as colleagues really share it: other accounts' umasks, links planted at
// the names this program writes, inboxes it cannot clean up, and pages that replace the user's.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "SharingTestSupport.h"
#include "fileio/FolderOps.h"
#include "fileio/Versions.h"
#include "sharing/MergedPackets.h"
#include "sharing/SharedFolderFiles.h"
#include "store/ContentFiles.h"

namespace nimbus::test {
namespace {

unsigned modeOf(const std::string &path)
{
    struct stat st {};
    std::string p = path;
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    return ::lstat(p.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Sets the umask for one test and puts the old one back.
class Umask {
public:
    explicit Umask(mode_t mask) : old_(::umask(mask)) {}
    ~Umask() { ::umask(old_); }

private:
    mode_t old_;
};

class SharedFolder : public ::testing::Test {
protected:
    SharedFolder()
        : clock(DateTime::fromCivil(2024, 3, 10, 12, 0, 5)),
          alice(root / "alice/", root / "shared", "Alice", "secret", clock),
          bob(root / "bob/", root / "shared", "Bob", "secret", clock)
    {
        std::filesystem::create_directories(root / "shared");
        std::filesystem::create_directories(root / "outside");
    }

    void connect(LanUser &user)
    {
        AnsweredQuestions yes(true);
        ASSERT_TRUE(user.connection.Connect(yes, 0).connected) << user.net.user;
        user.connection.GetNetworkUsers();
    }
    // Bob's topic 900 with a rich-text details page and a checklist.
    void addBobsTopic(const std::string &details)
    {
        const int topics = bob.store.IndexOf("STD0001");
        if (!bob.store.Find("900")) {
            addNode(bob.store, "900", 1, "Plan", 1, topics + 1);
            fillDefaultPages(bob, "900");
        }
        const ContentFolders folders = bob.paths.content();
        TContent &content = *bob.store.Find("900")->content;
        ASSERT_TRUE(content::SaveDetails(*content.pages[0], folders, details, 0, true, bob.log));
        ASSERT_TRUE(content::SavePageDescription(*content.pages[0], folders, clock, bob.log));
    }
    SendOutcome bobSends(const std::string &to)
    {
        AnsweredQuestions noLock(false);
        bob.connection.GetNetworkUsers();
        return bob.sender.Send(bob.store, bob.store.IndexOf("900"), bob.tagOf(to), noLock);
    }
    std::vector<std::string> outsideFiles() const
    {
        std::vector<std::string> files;
        for (const auto &entry : std::filesystem::recursive_directory_iterator(root / "outside"))
            files.push_back(entry.path().string() + "=" +
                            (entry.is_regular_file() ? readFile(entry.path().string()) : ""));
        std::sort(files.begin(), files.end());
        return files;
    }

    TempFolder root;
    FixedClock clock;
    LanUser alice;
    LanUser bob;
};

TEST_F(SharedFolder, FoldersAndFilesTakeTheSharedFoldersBitsWhateverTheUmask)
{
    Umask narrow(022);
    const std::string shared = root / "shared/";
    ASSERT_EQ(::chmod(shared.c_str(), 02770), 0);
    connect(alice);
    connect(bob);
    EXPECT_EQ(modeOf(shared + "Nimbus.dat"), 0660u);
    EXPECT_EQ(modeOf(shared + "Alice.usr"), 0660u);
    // An inbox an older copy made under umask 022 gains the group's write access from its owner.
    ASSERT_EQ(::mkdir((shared + "alice-Inbox").c_str(), 0755), 0);
    addBobsTopic("{\\rtf1 plan}");
    ASSERT_TRUE(bobSends("Alice").ok);
    EXPECT_EQ(modeOf(shared + "alice-Inbox"), 02775u);
    std::vector<std::string> files;
    fileio::listFiles(shared + "alice-Inbox/", files);
    ASSERT_FALSE(files.empty());
    for (const std::string &file : files)
        EXPECT_EQ(modeOf(shared + "alice-Inbox/" + file), 0660u) << file;

    // Folders made later (Bob's inbox, a "rejected" folder) take them too; the sticky bit of a
    // shared folder is not passed on, or an inbox's owner could not remove others' packets.
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    writeFile(shared + "alice-Inbox/bad.str", "uni=x\r\n");
    alice.tick();
    EXPECT_EQ(modeOf(shared + "alice-Inbox/rejected"), 0777u);
    EXPECT_TRUE(fileio::fileExists(shared + "alice-Inbox/rejected/bad.str"));
}

TEST_F(SharedFolder, LinksPlantedInTheSharedFolderLeadNothingOutside)
{
    const std::string shared = root / "shared/";
    const std::string outside = root / "outside/";
    writeFile(outside + "victim.txt", "keep me");
    connect(alice);
    connect(bob);
    addBobsTopic("{\\rtf1 plan}");

    // Every name a send writes in Alice's inbox, and the temporary names older copies used
    // (".<name>.<pid>"), link to a file outside.
    const std::string stamp = "20240310-120005";
    const std::vector<std::string> names = {"bob-" + stamp + ".str", "bob-900.pkt",
                                            "bob-900-1.txt", "bob-900-2.lst", "bob-900-1.~txt",
                                            "bob-900-2.~lst"};
    std::filesystem::create_directories(shared + "alice-Inbox");
    for (const std::string &name : names) {
        std::filesystem::create_symlink(outside + "victim.txt", shared + "alice-Inbox/." + name +
                                                                    "." +
                                                                    std::to_string(::getpid()));
        std::filesystem::create_symlink(outside + "victim.txt",
                                        shared + "alice-Inbox/" + name + ".tmp");
    }
    std::filesystem::create_symlink(outside + "victim.txt", shared + "alice-Inbox/" + names[2]);
    ASSERT_TRUE(bobSends("Alice").ok);
    EXPECT_EQ(readFile(shared + "alice-Inbox/" + names[2]), "{\\rtf1 plan}")
        << "the link itself was replaced";

    // A colleague's ".usr" file that is a link: connecting refuses it.
    std::filesystem::create_symlink(outside + "victim.txt", shared + "Carol.usr");
    LanUser carol(root / "carol/", shared, "Carol", "secret", clock);
    AnsweredQuestions yes(true);
    EXPECT_FALSE(carol.connection.Connect(yes, 0).connected);
    EXPECT_TRUE(carol.log.mentions("symbolic link"));

    // An inbox that is a link: Bob's send to Carol fails and writes nothing there; Carol's own
    // program does not receive from it either.
    std::filesystem::create_directories(outside + "carols-inbox");
    std::filesystem::create_symlink(outside + "carols-inbox", shared + "carol-Inbox");
    std::filesystem::remove(shared + "Carol.usr");
    writeFile(shared + "Carol.usr", "01/01/2024 10:00:00\r\n");
    bob.connection.GetNetworkUsers();
    EXPECT_FALSE(bobSends("Carol").ok);
    EXPECT_TRUE(bob.log.mentions("is not used: it is a symbolic link"));
    writeFile(outside + "carols-inbox/mallory-1.str",
              records({"uni=-1", "text=From: Mallory", "lev=1", "type=1"}));
    ASSERT_TRUE(carol.connection.Connect(yes, 0).connected);
    EXPECT_EQ(carol.tick().packetsFound, 0);
    EXPECT_TRUE(carol.log.mentions("is a symbolic link, not a folder"));
    EXPECT_TRUE(fileio::fileExists(outside + "carols-inbox/mallory-1.str"));

    // A "rejected" folder that is a link: a refused packet stays in the inbox, renamed.
    std::filesystem::create_directories(outside + "rejected");
    std::filesystem::create_symlink(outside + "rejected", shared + "alice-Inbox/rejected");
    writeFile(shared + "alice-Inbox/mallory-2.str", "uni=no header\r\n");
    const ReceiveOutcome outcome = alice.tick();
    EXPECT_EQ(outcome.packetsMerged, 1);
    EXPECT_EQ(outcome.packetsRefused, 1);
    EXPECT_TRUE(fileio::fileExists(shared + "alice-Inbox/mallory-2.str.rejected"));
    EXPECT_TRUE(alice.log.mentions("rejected/ is not used: it is a symbolic link"));
    EXPECT_NE(alice.store.Find("bob-900"), nullptr);

    std::vector<std::string> expected = {
        outside + "carols-inbox=",
        outside + "carols-inbox/mallory-1.str=" + readFile(outside + "carols-inbox/mallory-1.str"),
        outside + "rejected=", outside + "victim.txt=keep me"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(outsideFiles(), expected);
}

// Alice's inbox does not let her delete what Bob put there (made by an older copy under umask
// 022, owned by Bob). The packet is merged once, she is told why once, and neither another tick
// nor a restart merges it again; a new packet is merged as usual.
TEST_F(SharedFolder, AMergedPacketThatCannotBeRemovedIsNeverMergedAgain)
{
    const std::string shared = root / "shared/";
    connect(alice);
    connect(bob);
    addBobsTopic("{\\rtf1 first}");
    ASSERT_TRUE(bobSends("Alice").ok);
    const std::string inbox = shared + "alice-Inbox/";

    // Alice runs as another account when the test may change accounts, else the inbox is
    // simply made read-only for her.
    const bool asRoot = ::geteuid() == 0;
    const uid_t nobody = 65534;
    ASSERT_EQ(::chmod(inbox.c_str(), asRoot ? 0755 : 0555), 0);
    if (asRoot) {
        for (const auto &entry : std::filesystem::recursive_directory_iterator(root / "alice/"))
            ASSERT_EQ(::lchown(entry.path().c_str(), nobody, nobody), 0);
        ASSERT_EQ(::chown((root / "alice/").c_str(), nobody, nobody), 0);
        ASSERT_EQ(::chmod(root.path().c_str(), 0755), 0);
        ASSERT_EQ(::chmod((shared + "Alice.usr").c_str(), 0666), 0);
    }
    // One tick per run of Alice's program, each in a process of its own.
    auto aliceRuns = [&](int expectMerged) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (asRoot && (::setgid(nobody) != 0 || ::setuid(nobody) != 0))
                ::_exit(10);
            LanUser again(root / "alice/", shared, "Alice", "secret", clock);
            AnsweredQuestions yes(true);
            again.connection.Connect(yes, 0);
            const ReceiveOutcome outcome = again.tick();
            const bool told = again.log.mentions("was merged but cannot be removed");
            if (outcome.packetsMerged != expectMerged || told != (expectMerged > 0))
                ::_exit(20 + outcome.packetsMerged);
            if (expectMerged > 0 && !again.store.SaveStructure())
                ::_exit(30);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(aliceRuns(1), 0) << "merged once and told why";
    EXPECT_TRUE(fileio::fileExists(inbox + "bob-20240310-120005.str"));
    EXPECT_TRUE(fileio::fileExists(root / "alice/" + sharing::MergedPackets::kFileName));
    EXPECT_EQ(aliceRuns(0), 0) << "not merged again after a restart, nothing said";

    // The same name again (a send in the same second) with other contents is a new packet.
    ::chmod(inbox.c_str(), 0777);
    writeFile(inbox + "bob-20240310-120005.str",
              records({"uni=-1", "text=From: Bob - again", "lev=1", "type=1", "uni=bob-900",
                       "text=Plan, renamed", "lev=2"}));
    ::chmod(inbox.c_str(), asRoot ? 0755 : 0555);
    EXPECT_EQ(aliceRuns(1), 0);
    ::chmod(inbox.c_str(), 0777);
}

TEST_F(SharedFolder, AReceivedPageKeepsTheReplacedOneAndOpensAsRichText)
{
    connect(alice);
    connect(bob);
    addBobsTopic("{\\rtf1 {\\b first}}");
    ASSERT_TRUE(bobSends("Alice").ok);
    alice.tick();
    const ContentFolders folders = alice.paths.content();
    TNimbusNode &received = *alice.store.Find("bob-900");
    TContent &content = received.LoadContent(folders, alice.log);
    ASSERT_EQ(content.pages.size(), 2u);
    THyperData &page = *content.pages[0];
    ASSERT_TRUE(content::LoadPageDescription(page, folders, alice.log));
    EXPECT_TRUE(page.rtf) << "the description travelled with the page";
    std::string bytes;
    ASSERT_TRUE(content::LoadDetails(page, folders, bytes, alice.log));
    EXPECT_EQ(bytes, "{\\rtf1 {\\b first}}");

    // Alice edits the page; Bob's next version replaces it, and hers stays as an old version.
    ASSERT_TRUE(content::SaveDetails(page, folders, "{\\rtf1 Alice's edit}", 8, true, alice.log));
    clock.set(DateTime::fromCivil(2024, 3, 10, 12, 1, 0));
    addBobsTopic("{\\rtf1 second}");
    ASSERT_TRUE(bobSends("Alice").ok);
    alice.tick();
    EXPECT_EQ(readFile(folders.text + page.file), "{\\rtf1 second}");
    std::vector<std::string> versions;
    fileio::listVersionFiles(folders.text + page.file, versions);
    ASSERT_FALSE(versions.empty());
    EXPECT_EQ(readFile(folders.text + versions.back()), "{\\rtf1 Alice's edit}");
    EXPECT_TRUE(alice.log.mentions("kept as an old version"));

    // Pages from packs and from older copies come without a description: RTF is recognised.
    EXPECT_TRUE(content::LooksLikeRtf("{\\rtf1 x}"));
    EXPECT_TRUE(content::LooksLikeRtf("\xEF\xBB\xBF\r\n {\\rtf1 x}"));
    EXPECT_FALSE(content::LooksLikeRtf("plain {\\rtf1 x}"));
    EXPECT_FALSE(content::LooksLikeRtf("{\\rt"));
}

} // namespace
} // namespace nimbus::test
