// The history's commands one by one, where others changed the store in between: places kept
// by id, all-or-nothing value changes, a refused step kept in place, the trash folder, and the
// steps' names.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "fileio/UiText.h"
#include "history/ChecklistEdit.h"
#include "history/CommandGroup.h"
#include "history/FieldEdit.h"
#include "history/MoveTopic.h"
#include "history/PageFilesEdit.h"
#include "history/RemoveSubtree.h"
#include "history/ReorderChildren.h"
#include "history/SessionTrash.h"
#include "history/StepNames.h"
#include "history/TreePlace.h"
#include "history/UndoHistory.h"
#include "store/ContentFiles.h"
#include "store/RecordingLog.h"
#include "store/TNimbusStructure.h"
#include "support/TempFolder.h"

namespace nimbus::history {
namespace {

// "Topics" with A (A1, A2 (A21)), B, C.
class SmallStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        add("S", 0);
        add("A", 1);
        add("A1", 2);
        add("A2", 2);
        add("A21", 3);
        add("B", 1);
        add("C", 1);
    }
    void add(const std::string &id, int lev, int at = -1)
    {
        auto node = std::make_unique<TNimbusNode>(id);
        node->lev = lev;
        node->text = id;
        std::vector<std::unique_ptr<TNimbusNode>> one;
        one.push_back(std::move(node));
        ASSERT_TRUE(store.InsertRange(at < 0 ? store.Count() : at, one));
    }
    std::string outline() const
    {
        std::string out;
        for (const auto &entry : store.Entries())
            out += (out.empty() ? "" : " ") + std::to_string(entry.node->lev) + entry.node->uni;
        return out;
    }
    HistoryContext context() { return {store, {}, nullptr, log}; }

    TNimbusStructure store;
    test::RecordingLog log;
};

TEST_F(SmallStore, ARemovalComesBackBesideItsSiblingWhateverArrivedMeanwhile)
{
    HistoryContext ctx = context();
    RemoveSubtree removal("A2");
    ASSERT_TRUE(removal.apply(ctx));
    EXPECT_EQ(outline(), "0S 1A 2A1 1B 1C");
    EXPECT_EQ(removal.heldCount(), 2);
    // A merge puts a topic first below A and another after A1.
    add("P", 2, 2);
    add("Q", 2, 4);
    ASSERT_EQ(outline(), "0S 1A 2P 2A1 2Q 1B 1C");
    ASSERT_TRUE(removal.revert(ctx));
    EXPECT_EQ(outline(), "0S 1A 2P 2A1 2A2 3A21 2Q 1B 1C");
}

TEST_F(SmallStore, AMoveKeepsItsPlacesAsIdsAndShiftsDepths)
{
    HistoryContext ctx = context();
    MoveTopic move("A2", placeOf(store, store.IndexOf("A2")), TreePlace{"S", "B", 1, {}});
    ASSERT_TRUE(move.apply(ctx));
    EXPECT_EQ(outline(), "0S 1A 2A1 1B 1A2 2A21 1C");
    add("R", 2, 3); // below A1's sibling list, after A1
    ASSERT_TRUE(move.revert(ctx));
    EXPECT_EQ(outline(), "0S 1A 2A1 2A2 3A21 2R 1B 1C");

    // A place whose parent is gone cannot be reached: nothing moves.
    MoveTopic orphan("B", placeOf(store, store.IndexOf("B")), TreePlace{"gone", "", 3, {}});
    EXPECT_FALSE(orphan.apply(ctx));
    EXPECT_EQ(outline(), "0S 1A 2A1 2A2 3A21 2R 1B 1C");
    EXPECT_TRUE(log.mentions("the place to move topic B to is gone"));
}

TEST_F(SmallStore, ValueChangesApplyWholeOrNotAtAll)
{
    FieldEditRecorder recorder(store, {"B", "C"});
    store.Find("B")->text = "Bee";
    store.Find("C")->urgent = true;
    store.Find("C")->pri = 3;
    std::unique_ptr<FieldEdit> edit = recorder.finish();
    ASSERT_TRUE(edit);
    ASSERT_EQ(edit->topics().size(), 2u);
    EXPECT_EQ(edit->topics()[1].changes.size(), 2u);

    HistoryContext ctx = context();
    ASSERT_TRUE(edit->revert(ctx));
    EXPECT_EQ(store.Find("B")->text, "B");
    EXPECT_FALSE(store.Find("C")->urgent);
    store.Delete(store.IndexOf("C"));
    EXPECT_FALSE(edit->apply(ctx));
    EXPECT_EQ(store.Find("B")->text, "B") << "B must not change when C is gone";
    // Nothing changed at all: no step.
    EXPECT_EQ(FieldEditRecorder(store, {"A"}).finish(), nullptr);
}

// A step that refuses stays where it is, with every other step: tried again it refuses
// again; skipped, it is forgotten and the steps beyond it replay as before.
TEST_F(SmallStore, ARefusedStepStaysInPlaceUntilItIsSkipped)
{
    UndoHistory history(context());
    FieldEditRecorder first(store, {"A1"});
    store.Find("A1")->pri = 2;
    history.push(first.finish(), "Set the priority of 'A1'");
    FieldEditRecorder rename(store, {"B"});
    store.Find("B")->text = "Mine";
    history.push(rename.finish(), "Rename 'B' to 'Mine'");
    FieldEditRecorder favourite(store, {"C"});
    store.Find("C")->fav = true;
    history.push(favourite.finish(), "Add 'C' to favourites");
    ASSERT_TRUE(history.undo());

    // A colleague's packet renames B.
    store.Find("B")->text = "Theirs";
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_FALSE(history.undo());
        EXPECT_EQ(store.Find("B")->text, "Theirs");
        EXPECT_EQ(history.size(), 3u);
        EXPECT_EQ(history.undoName(), "Rename 'B' to 'Mine'");
        EXPECT_EQ(history.redoName(), "Add 'C' to favourites");
    }
    EXPECT_TRUE(log.mentions("the title of topic B 'Theirs' was changed by someone else since: it "
                             "is 'Theirs', the step left 'Mine'"));
    EXPECT_TRUE(log.mentions("\"Rename 'B' to 'Mine'\" was not undone and stays in the history"));
    // The newer step still redoes and undoes past it.
    ASSERT_TRUE(history.redo());
    EXPECT_TRUE(store.Find("C")->fav);
    ASSERT_TRUE(history.undo());

    ASSERT_TRUE(history.skipUndo());
    EXPECT_EQ(store.Find("B")->text, "Theirs");
    EXPECT_EQ(history.size(), 2u);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(store.Find("A1")->pri, 0);
    ASSERT_TRUE(history.redo());
    ASSERT_TRUE(history.redo());
    EXPECT_TRUE(store.Find("C")->fav);
}

// What the program works out is not refused over: a group's counts move by what the step
// changed (a packet's urgent child stays counted), the days left the timer worked out since
// and a roll-up worked out anew stay.
TEST_F(SmallStore, WorkedOutCountsMoveByTheStepsOwnChange)
{
    FieldEditRecorder recorder(store, {"A1", "A"});
    store.Find("A1")->urgent = true;
    store.Find("A")->urgentCount = 1;
    store.Find("A1")->dlDate = "20260320";
    store.Find("A1")->daysLeft = 10;
    std::unique_ptr<FieldEdit> edit = recorder.finish();
    store.Find("A")->urgentCount = 2; // a packet brought an urgent child
    store.Find("A1")->daysLeft = 9;   // midnight passed
    HistoryContext ctx = context();
    ASSERT_TRUE(edit->revert(ctx));
    EXPECT_FALSE(store.Find("A1")->urgent);
    EXPECT_EQ(store.Find("A")->urgentCount, 1);
    EXPECT_EQ(store.Find("A1")->daysLeft, 9);
    EXPECT_TRUE(store.Find("A1")->dlDate.empty());

    // A group's roll-up that a packet's child worked out anew is the group's own now.
    FieldEditRecorder tick(store, {"A"}, FieldEditRecorder::Kind::RollUp);
    tick.watch("A2");
    store.Find("A2")->percent = 100;
    store.Find("A")->percent = 50;
    store.Find("A")->status = 2;
    std::unique_ptr<FieldEdit> ticked = tick.finish();
    store.Find("A")->percent = 33;
    ASSERT_TRUE(ticked->revert(ctx));
    EXPECT_EQ(store.Find("A2")->percent, 0);
    EXPECT_EQ(store.Find("A")->percent, 33);
    EXPECT_EQ(store.Find("A")->status, 0);
    store.Find("A2")->percent = 10; // but the topic's own value is someone else's
    EXPECT_FALSE(ticked->apply(ctx));
}

TEST_F(SmallStore, ChildrenKeepTheirSubtreesInANewOrder)
{
    ReorderChildren sort("A", {"A1", "A2"}, {"A2", "A1"});
    HistoryContext ctx = context();
    ASSERT_TRUE(sort.apply(ctx));
    EXPECT_EQ(outline(), "0S 1A 2A2 3A21 2A1 1B 1C");
    add("N", 2, 5); // a child arrived after the sort, before A1
    store.Delete(store.IndexOf("A21"));
    ASSERT_TRUE(sort.revert(ctx));
    EXPECT_EQ(outline(), "0S 1A 2A1 2A2 2N 1B 1C");
}

TEST_F(SmallStore, AnAddedTopicIsARemovalRunBackwards)
{
    add("D", 1);
    CommandGroup step;
    step.add(std::make_unique<Reversed>(std::make_unique<RemoveSubtree>("D")));
    HistoryContext ctx = context();
    ASSERT_TRUE(step.revert(ctx));
    EXPECT_EQ(store.Find("D"), nullptr);
    ASSERT_TRUE(step.apply(ctx));
    EXPECT_EQ(outline(), "0S 1A 2A1 2A2 3A21 1B 1C 1D");
}

// A details page saved twice in one visit, the first save naming its file: the step gives
// back every file byte for byte, refuses to overwrite a page someone else changed since, and
// fails without writing when its topic is gone.
TEST_F(SmallStore, APageEditSetsTheTopicsFilesBackAndForthWhole)
{
    test::TempFolder dir;
    const ContentFolders folders = ContentFolders::inDataFolder(dir.path());
    for (const std::string &folder : {folders.packs, folders.text, folders.checkList})
        ASSERT_TRUE(fileio::createFolder(folder));
    TNimbusNode &b = *store.Find("B");
    TContent &content = b.LoadContent(folders, log);
    content.AddDefaultPages();
    ASSERT_TRUE(content::SaveChecklist(*content.pages[1], folders, {{false, "Call", {}, {}}}, log));
    ASSERT_TRUE(content::WriteContent(content, log));
    const auto snapshot = [&] {
        std::map<std::string, std::string> files;
        for (const std::string &folder : {folders.packs, folders.text, folders.checkList}) {
            std::vector<std::string> names;
            fileio::listFiles(folder, names);
            for (const std::string &name : names)
                fileio::readWholeFile(folder + name, files[name]);
        }
        return files;
    };
    const auto before = snapshot();

    PageFilesRecorder recorder("B", folders, log);
    THyperData &page = *content.pages[0];
    ASSERT_TRUE(content::SaveDetails(page, folders, "{\\rtf1 first\\par}", 2, true, log));
    ASSERT_TRUE(content::SaveDetails(page, folders, "{\\rtf1 second\\par}", 2, true, log));
    page.data = true;
    ASSERT_TRUE(content::WriteContent(content, log)); // the page list names the new file
    // Undo and redo read the topic's pages again, so the page itself does not outlive them.
    const std::string pageFile = page.file;
    const auto after = snapshot();
    std::unique_ptr<PageFilesEdit> edit = recorder.finish();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->fileCount(), 3u)
        << "the page list, the new text and the old version the second save kept; not the "
           "checklist";

    HistoryContext ctx{store, folders, nullptr, log};
    ASSERT_TRUE(edit->revert(ctx));
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(b.contentLoaded) << "the pages are read again from the files";
    // A visit showed the checklist: which page was shown last is no change of the pages.
    const std::string pageList = folders.packs + "B.pkt";
    ASSERT_TRUE(fileio::writeFileAtomically(pageList, "vis=2\r\n" + test::readFile(pageList)));
    ASSERT_TRUE(edit->apply(ctx));
    EXPECT_EQ(snapshot(), after);

    // A colleague's packet brought another text: it is not overwritten.
    const std::string text = folders.text + pageFile;
    ASSERT_TRUE(fileio::writeFileAtomically(text, "{\\rtf1 theirs\\par}"));
    EXPECT_FALSE(edit->revert(ctx));
    EXPECT_EQ(test::readFile(text), "{\\rtf1 theirs\\par}");
    EXPECT_TRUE(log.mentions("was changed by someone else since"));
    ASSERT_TRUE(fileio::writeFileAtomically(text, after.at(pageFile)));
    store.Delete(store.IndexOf("B"));
    EXPECT_FALSE(edit->revert(ctx));
    EXPECT_EQ(snapshot(), after);

    // Nothing saved: no step.
    EXPECT_EQ(PageFilesRecorder("C", folders, log).finish(), nullptr);
}

TEST(SessionTrash, KeepsFilesAsideAndNeverOverwritesOnTheWayBack)
{
    test::TempFolder dir;
    test::RecordingLog log;
    const std::string folder = dir / "RemovedTopics/";
    fileio::createFolder(folder);
    fileio::writeFileAtomically(folder + "left-over", "from a session that did not close");
    std::string kept;
    {
        SessionTrash trash(folder, log);
        EXPECT_FALSE(fileio::fileExists(folder + "left-over"));
        fileio::writeFileAtomically(dir / "7.pkt", "pages");
        kept = trash.keep(dir / "7.pkt");
        ASSERT_FALSE(kept.empty());
        EXPECT_FALSE(fileio::fileExists(dir / "7.pkt"));
        // A packet brought a file of that name meanwhile: it stays.
        fileio::writeFileAtomically(dir / "7.pkt", "the colleague's");
        EXPECT_FALSE(trash.giveBack(kept, dir / "7.pkt"));
        std::string bytes;
        fileio::readWholeFile(dir / "7.pkt", bytes);
        EXPECT_EQ(bytes, "the colleague's");
        fileio::deleteFile(dir / "7.pkt");
        EXPECT_TRUE(trash.giveBack(kept, dir / "7.pkt"));
        EXPECT_TRUE(trash.keep(dir / "missing").empty());
    }
    EXPECT_FALSE(fileio::folderExists(folder));
}

TEST(SessionTrash, ASecondSessionOnTheSameFolderLeavesTheFirstOnesPagesAlone)
{
    test::TempFolder dir;
    test::RecordingLog log;
    const std::string root = dir / "RemovedTopics/";
    fileio::writeFileAtomically(dir / "7.pkt", "first's pages");
    fileio::writeFileAtomically(dir / "8.pkt", "second's pages");
    SessionTrash first(root, log);
    const std::string kept = first.keep(dir / "7.pkt", "7");
    ASSERT_FALSE(kept.empty());
    {
        // Another copy of the program starts on the data folder, removes a topic of its own
        // (its first kept file takes the same number) and closes.
        SessionTrash second(root, log, [](const std::string &) { return true; });
        EXPECT_FALSE(second.keep(dir / "8.pkt", "8").empty());
    }
    ASSERT_TRUE(first.holds(kept));
    ASSERT_TRUE(first.giveBack(kept, dir / "7.pkt"));
    std::string bytes;
    fileio::readWholeFile(dir / "7.pkt", bytes);
    EXPECT_EQ(bytes, "first's pages");
}

TEST(SessionTrash, AfterACrashPagesOfTopicsTheSavedStoreStillHoldsComeBack)
{
    test::TempFolder dir;
    test::RecordingLog log;
    const std::string root = dir / "RemovedTopics/";
    fileio::createFolder(dir / "Packs/");
    for (const char *name : {"Packs/7.pkt", "7-1.txt", "Packs/8.pkt", "8-1.txt"})
        fileio::writeFileAtomically(dir / name, std::string("bytes of ") + name);
    // A session removes topics 7 and 8 and is killed before the store is saved (7) or after
    // (8): a real process that ends without closing anything.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SessionTrash crashed(root, NullStoreLog::instance());
        const std::pair<const char *, const char *> files[] = {
            {"Packs/7.pkt", "7"}, {"7-1.txt", "7"}, {"Packs/8.pkt", "8"}, {"8-1.txt", "8"}};
        for (const auto &[name, topic] : files)
            if (crashed.keep(dir / name, topic).empty())
                ::_exit(1);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_FALSE(fileio::fileExists(dir / "Packs/7.pkt"));

    // A page of the same name arrived meanwhile: it is never overwritten.
    fileio::writeFileAtomically(dir / "7-1.txt", "arrived since");
    {
        SessionTrash next(root, log, [](const std::string &id) { return id == "7"; });
        std::string bytes;
        EXPECT_TRUE(fileio::readWholeFile(dir / "Packs/7.pkt", bytes));
        EXPECT_EQ(bytes, "bytes of Packs/7.pkt");
        fileio::readWholeFile(dir / "7-1.txt", bytes);
        EXPECT_EQ(bytes, "arrived since");
        EXPECT_FALSE(fileio::fileExists(dir / "Packs/8.pkt"));
        EXPECT_FALSE(fileio::fileExists(dir / "8-1.txt"));
        EXPECT_TRUE(log.mentions("was put back: " + (dir / "Packs/7.pkt")));
        EXPECT_TRUE(log.mentions("another file has its name: " + (dir / "7-1.txt")));
        // Only the session's own folder is left.
        std::vector<std::string> folders;
        fileio::listFolders(root, folders);
        EXPECT_EQ(folders.size(), 1u);
    }
    EXPECT_FALSE(fileio::folderExists(root));
}

TEST(SessionTrash, AfterACrashPagesPutBackByAnUndoNeverSavedAreRemoved)
{
    test::TempFolder dir;
    test::TempFolder outside;
    test::RecordingLog log;
    const std::string root = dir / "RemovedTopics/";
    fileio::createFolder(dir / "Packs/");
    fileio::createFolder(dir / "Sub/");
    for (const char *name : {"Packs/9.pkt", "Packs/10.pkt", "Sub/10-2.txt", "Packs/11.pkt"})
        fileio::writeFileAtomically(dir / name, std::string("bytes of ") + name);
    // A session removes topics 9, 10 and 11, undoes the removal of 9 and 10 and is killed: the
    // store was saved with 9 back, never with 10; 11 was removed again after its undo.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SessionTrash crashed(root, NullStoreLog::instance());
        const std::pair<const char *, const char *> files[] = {{"Packs/9.pkt", "9"},
                                                               {"Packs/10.pkt", "10"},
                                                               {"Sub/10-2.txt", "10"},
                                                               {"Packs/11.pkt", "11"}};
        for (const auto &[name, topic] : files) {
            const std::string kept = crashed.keep(dir / name, topic);
            if (kept.empty() || !crashed.giveBack(kept, dir / name))
                ::_exit(1);
        }
        if (crashed.keep(dir / "Packs/11.pkt", "11").empty())
            ::_exit(1);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(fileio::fileExists(dir / "Packs/10.pkt"));
    // Meanwhile the folder of one page became a link to another place, whose file of the same
    // name is not the program's to remove.
    std::filesystem::rename(dir / "Sub", outside / "Sub");
    std::filesystem::create_directory_symlink(outside / "Sub", dir / "Sub");

    SessionTrash next(root, log, [](const std::string &id) { return id == "9"; });
    EXPECT_TRUE(fileio::fileExists(dir / "Packs/9.pkt"));
    EXPECT_FALSE(fileio::fileExists(dir / "Packs/10.pkt"));
    EXPECT_TRUE(log.mentions("put back by an undo that was never saved, was removed: " +
                             (dir / "Packs/10.pkt")));
    EXPECT_TRUE(fileio::fileExists(outside / "Sub/10-2.txt"));
    EXPECT_FALSE(fileio::fileExists(dir / "Packs/11.pkt"));
}

TEST_F(SmallStore, UndoingARemovalWhosePagesWereEmptiedRefusesAndKeepsTheStore)
{
    test::TempFolder dir;
    fileio::createFolder(dir / "Packs/");
    fileio::writeFileAtomically(dir / "Packs/A21.pkt", "[1]\r\ncon=0\r\n");
    SessionTrash trash(dir / "RemovedTopics/", log);
    HistoryContext ctx{store, ContentFolders::inDataFolder(dir.path()), &trash, log};
    RemoveSubtree removal("A2");
    ASSERT_TRUE(removal.apply(ctx));
    ASSERT_FALSE(fileio::fileExists(dir / "Packs/A21.pkt"));
    // An older copy of the program (one folder for every session) empties it when it starts.
    fileio::emptyFolderTree(dir / "RemovedTopics/");
    EXPECT_FALSE(removal.revert(ctx));
    EXPECT_EQ(outline(), "0S 1A 2A1 1B 1C");
    EXPECT_TRUE(
        log.mentions("topic A2 'A2' cannot be put back: its page A21.pkt is no longer kept"));
}

TEST(StepNames, SayWhatWasDoneToWhichTopic)
{
    EXPECT_EQ(removeStepName("Quarterly report", 12).english(),
              "Remove 'Quarterly report' and 12 sub-topics");
    EXPECT_EQ(removeStepName("Garden", 1).english(), "Remove 'Garden' and 1 sub-topic");
    EXPECT_EQ(removeStepName("Garden", 0).english(), "Remove 'Garden'");
    EXPECT_EQ(moveStepName("Garden", MoveKind::Up).english(), "Move 'Garden' up");
    EXPECT_EQ(moveStepName("Garden", MoveKind::LevelDown).english(), "Make 'Garden' a sub-topic");
    EXPECT_EQ(sortStepName("Work", 2).english(), "Sort the sub-topics of 'Work' by date due");
    // Long titles are cut, never inside a character.
    const std::string longTitle = std::string(39, 'x') + "\xC3\xA9" + "tail";
    EXPECT_EQ(quotedTitle(longTitle), "'" + std::string(39, 'x') + "...'");

    TNimbusNode node("1");
    node.text = "Call Anna";
    node.status = kStatusCompleted;
    std::vector<FieldChange> status{{1, kStatusInProgress, kStatusCompleted}};
    EXPECT_EQ(editStepName(node, status).english(), "Set status of 'Call Anna' to completed");
    node.pri = 0;
    std::vector<FieldChange> priority{{3, 4, 0}};
    EXPECT_EQ(editStepName(node, priority).english(), "Clear the priority of 'Call Anna'");

    const std::vector<ChecklistItem> two{{false, "Buy paint", {}, {}}, {true, "Sand", "x", {}}};
    std::vector<ChecklistItem> ticked = two;
    ticked[0].checked = true;
    EXPECT_EQ(checklistStepName("Garden", two, ticked).english(), "Tick 'Buy paint' in 'Garden'");
    EXPECT_EQ(checklistStepName("Garden", two, {two[1], two[0]}).english(),
              "Reorder the checklist in 'Garden'");
    EXPECT_EQ(checklistStepName("Garden", two, {}).english(), "Remove all items in 'Garden'");
    std::vector<ChecklistItem> more = two;
    more.push_back({false, "Plant", {}, {}});
    EXPECT_EQ(checklistStepName("Garden", two, more).english(), "Add 'Plant' in 'Garden'");
}

std::string reversedWords(const char *context, const char *source)
{
    // A language that puts the title first, as German does.
    if (std::string(context) == kStepNameContext && std::string(source) == "Move %1 up")
        return "%1 nach oben verschieben";
    return source;
}

std::string countedWords(const char *, const char *source, const char *, int n)
{
    return std::string(source) == "Remove %1 and %n sub-topic(s)"
               ? "%1 und " + std::to_string(n) + (n == 1 ? " Unterthema" : " Unterthemen") +
                     " entfernen"
               : source;
}

TEST(StepNames, AreTranslatedWholeWhereShownAndStayEnglishForTheLog)
{
    text::setTranslator(&reversedWords);
    text::setCountTranslator(&countedWords);
    const StepName up = moveStepName("Garden", MoveKind::Up);
    const StepName removed = removeStepName("Work", 3);
    EXPECT_EQ(up.shown(), "'Garden' nach oben verschieben");
    EXPECT_EQ(removed.shown(), "'Work' und 3 Unterthemen entfernen");
    EXPECT_EQ(up.english(), "Move 'Garden' up");
    EXPECT_EQ(removed.english(), "Remove 'Work' and 3 sub-topics");
    // A title holding a place mark is a title, not a place.
    EXPECT_EQ(moveStepName("%1 %2", MoveKind::Up).shown(), "'%1 %2' nach oben verschieben");
    text::setTranslator(nullptr);
    text::setCountTranslator(nullptr);
    EXPECT_EQ(up.shown(), "Move 'Garden' up");
    EXPECT_TRUE(StepName().empty());
}

} // namespace
} // namespace nimbus::history
