// What start-up logs and shows about the channel folder, the data folder's lock and a damaged
// structure file: the log in English, the message box in the user's language.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "fileio/DataFolderLock.h"
#include "fileio/UiText.h"
#include "ipc/ChannelFolder.h"
#include "shell/core/StartupNotices.h"
#include "support/TempFolder.h"

using namespace nimbus;
using nimbus::test::TempFolder;

namespace {

bool has(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

// Every translated text is marked, so that a test sees which way a text went.
class MarkedTranslations : public ::testing::Test {
protected:
    void SetUp() override
    {
        text::setTranslator(
            [](const char *, const char *source) { return "[" + std::string(source) + "]"; });
    }
    void TearDown() override { text::setTranslator(nullptr); }
};

} // namespace

TEST_F(MarkedTranslations, ChannelFolderIsRefusedOnlyWhenItCannotBeUsed)
{
    // The usual folder with the reason it was chosen: logged, never shown, and the copy runs.
    const startup::ChannelFolderCheck usual =
        startup::checkChannelFolder("/run/user/7/nimbus/", "/run/user/7/nimbus/",
                                    "/tmp/nimbus-7/ belongs to another account", "");
    EXPECT_TRUE(usual.usable);
    EXPECT_EQ(usual.notice.logged, "/tmp/nimbus-7/ belongs to another account");
    EXPECT_TRUE(usual.notice.shown.empty());
    // A folder given on purpose says nothing about the usual one.
    const startup::ChannelFolderCheck given = startup::checkChannelFolder(
        "/tmp/mine/", "/run/user/7/nimbus/", "/tmp/nimbus-7/ belongs to another account", "");
    EXPECT_TRUE(given.usable);
    EXPECT_TRUE(given.notice.logged.empty());

    const startup::ChannelFolderCheck link =
        startup::checkChannelFolder("/tmp/mine/", "/tmp/mine/", "", "it is a symbolic link");
    EXPECT_FALSE(link.usable);
    EXPECT_EQ(link.notice.logged, "The folder /tmp/mine/, where this program finds its running "
                                  "copy, cannot be used: it is a symbolic link.");
    EXPECT_EQ(link.notice.shown, "[The folder /tmp/mine/, where this program finds its running "
                                 "copy, cannot be used: it is a symbolic link.]");
    // No folder at all, with the usual choice's reason: that reason is what the user reads.
    const startup::ChannelFolderCheck none =
        startup::checkChannelFolder("", "", "no private folder for this account", "");
    EXPECT_FALSE(none.usable);
    EXPECT_EQ(none.notice.shown, "no private folder for this account");

    const startup::Notice stuck = startup::copyStuckNotice("/tmp/mine/");
    EXPECT_TRUE(has(stuck.logged, "holds /tmp/mine/nimbus_active and does not answer"));
    EXPECT_EQ(stuck.shown, "[" + stuck.logged + "]");
}

TEST_F(MarkedTranslations, LockFileThatIsAFolderIsLoggedAsAnErrorAndShownOnce)
{
    TempFolder home;
    const std::string data = home.path();
    ASSERT_EQ(::mkdir((data + fileio::DataFolderLock::kFileName).c_str(), 0700), 0);
    fileio::DataFolderLock lock;
    ASSERT_FALSE(lock.tryTake(data, true));
    ASSERT_FALSE(lock.problem().empty());

    const startup::LockNotice said =
        startup::dataFolderLockNotice(lock, data, "/tmp/channels/", true);
    EXPECT_TRUE(said.error);
    EXPECT_EQ(said.detail, lock.problem());
    EXPECT_EQ(said.notice.logged,
              "*** The data folder's lock file cannot be used: " + data + "Running.lock");
    EXPECT_EQ(said.notice.shown.front(), '[');
    EXPECT_EQ(lock.problem(), "it is a folder");
    // The reason is the lock's own sentence: translated in the box, English in the log.
    EXPECT_TRUE(has(said.notice.shown, data + "Running.lock cannot be used ([it is a folder])"))
        << said.notice.shown;
    // A data folder that cannot be written was said already: the lock file is not shown again.
    EXPECT_TRUE(
        startup::dataFolderLockNotice(lock, data, "/tmp/channels/", false).notice.shown.empty());
}

TEST_F(MarkedTranslations, ChannelFolderReasonsAreShownTranslated)
{
    TempFolder root;
    const std::string tmp = root / "tmp/";
    std::filesystem::create_directories(root / "elsewhere");
    std::filesystem::create_directories(tmp);
    const std::string usual = tmp + "nimbus-" + std::to_string(::geteuid()) + "/";
    std::filesystem::create_directory_symlink(root / "elsewhere",
                                              usual.substr(0, usual.size() - 1));

    const startup::ChannelFolderCheck link = startup::checkChannelFolder(
        usual, usual, text::Sentence(), ipc::channelFolderProblem(usual));
    EXPECT_FALSE(link.usable);
    EXPECT_TRUE(has(link.notice.logged, "cannot be used: it is a symbolic link."))
        << link.notice.logged;
    EXPECT_TRUE(has(link.notice.shown, "cannot be used: [it is a symbolic link].]"))
        << link.notice.shown;

    // No private folder to use instead: the usual choice's own notice is what the user reads.
    const ipc::ChannelFolderChoice choice =
        ipc::chooseChannelFolder("", "", ::geteuid(), tmp, root / "run/user/");
    ASSERT_TRUE(choice.folder.empty());
    const startup::ChannelFolderCheck none =
        startup::checkChannelFolder(choice.folder, choice.folder, choice.notice, {});
    EXPECT_FALSE(none.usable);
    EXPECT_EQ(none.notice.logged.front(), 'T');
    EXPECT_TRUE(has(none.notice.logged, "used: it is a symbolic link. Remove that folder"));
    EXPECT_EQ(none.notice.shown.front(), '[');
    EXPECT_TRUE(has(none.notice.shown, "used: [it is a symbolic link]. Remove that folder"))
        << none.notice.shown;
}

TEST_F(MarkedTranslations, LockHeldByAnotherCopyIsOnlyLogged)
{
    TempFolder home;
    fileio::DataFolderLock first;
    ASSERT_TRUE(first.tryTake(home.path(), true));
    fileio::DataFolderLock second;
    ASSERT_FALSE(second.tryTake(home.path(), true));
    ASSERT_TRUE(second.heldByOther());

    const startup::LockNotice said =
        startup::dataFolderLockNotice(second, home.path(), "/tmp/channels/", true);
    EXPECT_FALSE(said.error);
    EXPECT_TRUE(said.notice.shown.empty());
    EXPECT_TRUE(has(said.notice.logged, "Another Nimbus Desk runs on the data folder " +
                                            home.path() +
                                            " with another channel folder than "
                                            "/tmp/channels/"));
}

TEST_F(MarkedTranslations, StructureProblemsShowTheFirstFive)
{
    EXPECT_TRUE(startup::structureProblemsNotice({}).empty());
    const std::string five = startup::structureProblemsNotice({"a", "b", "c", "d", "e"});
    EXPECT_EQ(five, "[Some topics could not be read from the structure file:]\n\na\nb\nc\nd\ne"
                    "\n\n[The main log lists every problem.]");
    const std::string seven = startup::structureProblemsNotice({"a", "b", "c", "d", "e", "f", "g"});
    EXPECT_TRUE(has(seven, "\ne\n...\n\n"));
    EXPECT_FALSE(has(seven, "\nf"));
}
