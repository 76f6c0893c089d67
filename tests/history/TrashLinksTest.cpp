// The folder of removed topics' pages when someone planted symbolic links in it or in its
// place: starting, taking over what ended sessions left and closing delete nothing outside
// the data folder, and the log says what was refused or removed.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>

#include "history/SessionTrash.h"
#include "store/RecordingLog.h"
#include "support/TempFolder.h"

namespace nimbus::history {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;

// Every entry below folder with its bytes (a link with its target), links not followed.
Tree treeOf(const std::string &folder)
{
    Tree tree;
    for (auto it = fs::recursive_directory_iterator(folder); it != fs::end(it); ++it) {
        const std::string path = it->path().string();
        if (it->is_symlink())
            tree[path] = "-> " + fs::read_symlink(it->path()).string();
        else if (it->is_regular_file())
            tree[path] = test::readFile(path);
        else
            tree[path] = "folder";
    }
    return tree;
}

class TrashLinks : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Files and folders of someone else's: one of them looks like an ended session's,
        // listing a page the data folder does not have.
        fs::create_directories(outside / "sub/deeper");
        fs::create_directories(outside / "4242-1");
        test::writeFile(outside / "a.txt", "outside a");
        test::writeFile(outside / "sub/b.txt", "outside b");
        test::writeFile(outside / "sub/deeper/c.txt", "outside c");
        test::writeFile(outside / "4242-1/Kept.txt", "1-8.pkt\t8\tPacks/8.pkt\n");
        test::writeFile(outside / "4242-1/1-8.pkt", "outside page");
        fs::create_directories(data / "Packs");
        test::writeFile(data / "Packs/7.pkt", "page of 7");
        before = treeOf(outside.path());
    }

    test::TempFolder data, outside;
    std::string root = data / "RemovedTopics/";
    test::RecordingLog log;
    Tree before;
    SessionTrash::StillStored everyTopic = [](const std::string &) { return true; };
};

TEST_F(TrashLinks, AFolderThatIsALinkIsNeitherUsedNorEmptiedAndNoPageIsLost)
{
    fs::create_directory_symlink(outside / "", data / "RemovedTopics");
    {
        SessionTrash trash(root, log, everyTopic);
        EXPECT_EQ(trash.keep(data / "Packs/7.pkt", "7"), "");
        EXPECT_EQ(test::readFile(data / "Packs/7.pkt"), "page of 7") << "a removed page stays";
    }
    EXPECT_EQ(treeOf(outside.path()), before);
    EXPECT_TRUE(fs::is_symlink(data / "RemovedTopics"));
    EXPECT_FALSE(fs::exists(data / "Packs/8.pkt"));
    EXPECT_TRUE(
        log.mentions("is a symbolic link or not a folder, and is neither used nor emptied"));

    // A link to a file in its place is refused the same way.
    fs::remove(data / "RemovedTopics");
    fs::create_symlink(outside / "a.txt", data / "RemovedTopics");
    test::RecordingLog again;
    {
        SessionTrash trash(root, again, everyTopic);
    }
    EXPECT_EQ(treeOf(outside.path()), before);
    EXPECT_TRUE(again.mentions("is a symbolic link or not a folder"));
}

TEST_F(TrashLinks, LinksInsideAreRemovedThemselvesAndNeverFollowed)
{
    // An ended session's folder with a kept page, a kept "page" that is a link and a link to
    // a folder; beside it a link named like a session folder and a loose link to a file.
    const std::string ended = root + "4141-1/";
    fs::create_directories(ended);
    test::writeFile(ended + "Kept.txt", "1-7.pkt\t7\tPacks/7.pkt\n2-9.pkt\t9\tPacks/9.pkt\n");
    fs::rename(data / "Packs/7.pkt", ended + "1-7.pkt");
    fs::create_symlink(outside / "a.txt", ended + "2-9.pkt");
    fs::create_directory_symlink(outside / "sub", ended + "sub");
    fs::create_directory_symlink(outside / "4242-1", root + "4242-1");
    fs::create_symlink(outside / "a.txt", root + "loose");
    std::optional<SessionTrash> trash(std::in_place, root, log, everyTopic);
    EXPECT_EQ(test::readFile(data / "Packs/7.pkt"), "page of 7") << "the kept page came back";
    EXPECT_FALSE(fs::exists(fs::symlink_status(data / "Packs/9.pkt"))) << "a link is no page";
    EXPECT_FALSE(fs::exists(data / "Packs/8.pkt"));
    EXPECT_FALSE(fs::exists(ended));
    for (const std::string &link : {ended + "sub", root + "4242-1", root + "loose"}) {
        EXPECT_FALSE(fs::exists(fs::symlink_status(link))) << link;
        EXPECT_TRUE(log.mentions("was removed, not followed: " + link)) << link;
    }

    // This session's own folder gets links too before it closes.
    const std::string own = trash->folder();
    fs::create_directory_symlink(outside / "", own + "planted");
    fs::create_symlink(outside / "sub/b.txt", own + "1-7.pkt");
    trash.reset();
    EXPECT_TRUE(log.mentions("was removed, not followed: " + own + "planted"));
    EXPECT_EQ(treeOf(outside.path()), before);
    EXPECT_FALSE(fs::exists(root));
}

} // namespace
} // namespace nimbus::history
