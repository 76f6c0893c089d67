// The history where others change the store too: a removal goes back beside the nearest
// sibling still there and keeps its topics and pages while its parent is gone, a page step
// keeps a few bytes of a large page and never writes over a colleague's version, and the
// history stays within its bounds, giving up the pages of the removals it drops.
#include <gtest/gtest.h>

#include <filesystem>

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "fileio/Versions.h"
#include "history/FieldEdit.h"
#include "history/PageFilesEdit.h"
#include "history/RemoveSubtree.h"
#include "history/SessionTrash.h"
#include "history/UndoHistory.h"
#include "store/ContentFiles.h"
#include "store/RecordingLog.h"
#include "store/TNimbusStructure.h"
#include "support/TempFolder.h"

namespace nimbus::history {
namespace {

// "Topics" with A (A1, A2) and the siblings B, C, D, E after A, in a data folder with a
// page list for every topic.
class SharedStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        folders = ContentFolders::inDataFolder(dir.path());
        for (const std::string &folder : {folders.packs, folders.text, folders.checkList})
            ASSERT_TRUE(fileio::createFolder(folder));
        for (const auto &[id, lev] : std::vector<std::pair<std::string, int>>{
                 {"S", 0}, {"A", 1}, {"A1", 2}, {"A2", 2}, {"B", 1}, {"C", 1}, {"D", 1}, {"E", 1}})
            add(id, lev, store.Count());
        trash = std::make_unique<SessionTrash>(dir / "RemovedTopics/", log);
    }
    void add(const std::string &id, int lev, int at)
    {
        auto node = std::make_unique<TNimbusNode>(id);
        node->lev = lev;
        node->text = id;
        std::vector<std::unique_ptr<TNimbusNode>> one;
        one.push_back(std::move(node));
        ASSERT_TRUE(store.InsertRange(at, one));
        ASSERT_TRUE(fileio::writeFileAtomically(folders.packs + id + ".pkt", "con=0\r\n"));
    }
    // A sync or a packet takes a topic out with its pages: no step of ours.
    void removedElsewhere(const std::string &id)
    {
        const int index = store.IndexOf(id);
        store.ExtractRange(index, subtreeEnd(store, index) - index);
    }
    std::string outline() const
    {
        std::string out;
        for (const auto &entry : store.Entries())
            out += (out.empty() ? "" : " ") + std::to_string(entry.node->lev) + entry.node->uni;
        return out;
    }
    std::size_t keptFiles() const
    {
        std::size_t files = 0;
        for (const auto &entry : std::filesystem::directory_iterator(trash->folder()))
            files += entry.path().filename() != SessionTrash::kListName;
        return files;
    }
    HistoryContext context() { return {store, folders, trash.get(), log}; }

    test::TempFolder dir;
    ContentFolders folders;
    TNimbusStructure store;
    test::RecordingLog log;
    std::unique_ptr<SessionTrash> trash;
};

TEST_F(SharedStore, ARemovalGoesBackAfterTheNearestSiblingStillThere)
{
    HistoryContext ctx = context();
    RemoveSubtree removal("E");
    ASSERT_TRUE(removal.apply(ctx));
    removedElsewhere("D");
    removedElsewhere("C");
    ASSERT_TRUE(removal.revert(ctx));
    EXPECT_EQ(outline(), "0S 1A 2A1 2A2 1B 1E");
    EXPECT_TRUE(fileio::fileExists(folders.packs + "E.pkt"));

    // Every sibling before it gone, and one new: first below the parent.
    ASSERT_TRUE(removal.apply(ctx));
    removedElsewhere("A");
    removedElsewhere("B");
    add("N", 1, 1);
    ASSERT_TRUE(removal.revert(ctx));
    EXPECT_EQ(outline(), "0S 1E 1N");
}

TEST_F(SharedStore, ARemovalWhoseParentIsGoneKeepsItsTopicsAndPagesUntilItsStepGoes)
{
    UndoHistory history(context());
    HistoryContext ctx = context();
    auto removal = std::make_unique<RemoveSubtree>("A2");
    ASSERT_TRUE(removal->apply(ctx));
    const RemoveSubtree &held = *removal;
    history.push(std::move(removal), "Remove 'A2'");
    ASSERT_EQ(keptFiles(), 1u);
    removedElsewhere("A");

    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_FALSE(history.undo());
        EXPECT_EQ(history.size(), 1u);
        EXPECT_EQ(held.heldCount(), 1);
        EXPECT_EQ(keptFiles(), 1u);
    }
    EXPECT_EQ(outline(), "0S 1B 1C 1D 1E");
    EXPECT_TRUE(log.mentions(
        "topic A2 'A2' cannot be put back: its parent topic A was removed by someone else since"));
    // Only skipping the step gives them up.
    ASSERT_TRUE(history.skipUndo());
    EXPECT_EQ(keptFiles(), 0u);
    EXPECT_FALSE(history.canUndo());
}

TEST_F(SharedStore, TheHistoryKeepsItsNumberOfStepsAndGivesUpTheOldestRemovalsPages)
{
    UndoHistory history(context(), HistoryLimits{3, std::size_t{1} << 20});
    HistoryContext ctx = context();
    for (const char *id : {"A1", "B", "C", "D", "E"}) {
        auto removal = std::make_unique<RemoveSubtree>(id);
        ASSERT_TRUE(removal->apply(ctx));
        history.push(std::move(removal), std::string("Remove ") + id);
    }
    EXPECT_EQ(history.size(), 3u);
    EXPECT_EQ(history.dropped(), 2u);
    EXPECT_EQ(keptFiles(), 3u) << "the pages of A1 and B went with their steps";
    while (history.canUndo())
        ASSERT_TRUE(history.undo());
    EXPECT_EQ(outline(), "0S 1A 2A2 1C 1D 1E");
    EXPECT_TRUE(fileio::fileExists(folders.packs + "C.pkt"));
    EXPECT_FALSE(fileio::fileExists(folders.packs + "B.pkt"));
}

TEST_F(SharedStore, TheHistoryKeepsWithinItsMemoryBudgetAndAlwaysItsNewestStep)
{
    const std::size_t budget = 64 * 1024;
    UndoHistory history(context(), HistoryLimits{1000, budget});
    for (int i = 0; i < 100; ++i) {
        FieldEditRecorder recorder(store, {"B"});
        store.Find("B")->text = std::string(4000, static_cast<char>('a' + i % 26));
        history.push(recorder.finish(), "Rename 'B'");
        EXPECT_LE(history.memoryBytes(), budget);
    }
    EXPECT_GT(history.dropped(), 80u);
    ASSERT_TRUE(history.undo());

    // One step larger than the whole budget stays: the last change can always be undone.
    FieldEditRecorder recorder(store, {"C"});
    store.Find("C")->text = std::string(budget * 2, 'c');
    history.push(recorder.finish(), "Rename 'C'");
    EXPECT_EQ(history.size(), 1u);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(store.Find("C")->text, "C");
}

// A details page of a megabyte with five old versions, retyped in one place: the step keeps
// a few bytes, gives every file back byte for byte, and refuses once a colleague's packet
// replaced the old versions.
TEST_F(SharedStore, APageStepOfALargePageKeepsOnlyWhatDiffers)
{
    TNimbusNode &b = *store.Find("B");
    TContent &content = b.LoadContent(folders, log);
    content.AddDefaultPages();
    THyperData &page = *content.pages[0];
    std::string text(1 << 20, 'x');
    for (std::size_t i = 0; i < text.size(); i += 97)
        text[i] = static_cast<char>('a' + i % 26);
    for (int version = 0; version < 6; ++version) {
        text.replace(1000 * version, 5, "v" + std::to_string(version) + "...");
        ASSERT_TRUE(content::SaveDetails(page, folders, text, 5, true, log));
    }
    ASSERT_TRUE(content::WriteContent(content, log));
    // A step given back lets go of the topic's loaded pages: the name is kept apart.
    const std::string pageFile = page.file;
    const auto snapshot = [&] {
        std::map<std::string, std::string> files;
        for (const std::string &folder : {folders.packs, folders.text}) {
            std::vector<std::string> names;
            fileio::listFiles(folder, names);
            for (const std::string &name : names)
                fileio::readWholeFile(folder + name, files[name]);
        }
        return files;
    };
    const auto before = snapshot();

    PageFilesRecorder recorder("B", folders, log);
    text.replace(500000, 3, "new");
    ASSERT_TRUE(content::SaveDetails(page, folders, text, 5, true, log));
    std::unique_ptr<PageFilesEdit> edit = recorder.finish();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->fileCount(), 3u) << "the page, its new old version and the oldest one gone";
    EXPECT_LT(edit->memoryBytes(), 4096u);
    const auto after = snapshot();

    HistoryContext ctx = context();
    ASSERT_TRUE(edit->revert(ctx));
    EXPECT_TRUE(snapshot() == before);
    ASSERT_TRUE(edit->apply(ctx));
    EXPECT_TRUE(snapshot() == after);

    // A colleague's packet brings old versions of its own (the step is built on one of them).
    std::vector<std::string> versions;
    fileio::listVersionFiles(folders.text + pageFile, versions);
    ASSERT_EQ(versions.size(), 5u);
    for (const std::string &name : versions)
        ASSERT_TRUE(fileio::writeFileAtomically(folders.text + name, "a colleague's " + name));
    EXPECT_FALSE(edit->revert(ctx));
    for (const std::string &name : versions)
        EXPECT_EQ(test::readFile(folders.text + name), "a colleague's " + name);
    EXPECT_TRUE(log.mentions("was changed by someone else since"));
}

} // namespace
} // namespace nimbus::history
