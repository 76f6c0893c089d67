// The topic pages' rules without a window: saving the shown page, page counts, captions,
// the "last changed" label, the highlighter's switches, address detection and preferences
// written on change.
#include <gtest/gtest.h>

#include <filesystem>

#include "RecordingLog.h"
#include "shell/core/HighlightState.h"
#include "shell/core/PreferenceEdits.h"
#include "shell/core/TopicPages.h"
#include "shell/core/WebAddresses.h"
#include "store/Clock.h"
#include "store/ContentFiles.h"
#include "store/SummaryLists.h"
#include "store/TContent.h"
#include "store/TNimbusNode.h"
#include "store/TPreferences.h"
#include "support/TempFolder.h"

using namespace nimbus;
using namespace nimbus::pages;

namespace {

class SaveTopicPageTest : public ::testing::Test {
protected:
    SaveTopicPageTest()
        : folders(ContentFolders::inDataFolder(dir.path())), node("57"),
          clock(DateTime::fromCivil(2026, 3, 5, 14, 7, 9))
    {
        for (const std::string &folder : {folders.packs, folders.text, folders.checkList})
            std::filesystem::create_directories(folder);
        node.lev = 1;
        node.type = kSectionTopics;
        node.text = "Roof repair";
        node.LoadContent(folders, log);
        LoadPageDescriptions(*node.content, folders, log);
    }

    // An editor that holds text and writes it as the details text.
    EditorState typed(const std::string &text)
    {
        EditorState editor;
        editor.modified = true;
        editor.holdsData = !text.empty();
        editor.write = [this, text](THyperData &page) {
            return content::SaveDetails(page, folders, text, kDetailsVersions, true, log);
        };
        return editor;
    }

    PageSaveResult save(const EditorState &editor, int shown = 0)
    {
        return SaveTopicPage(node, shown, editor, folders, clock, log, lists);
    }

    // The page list as a fresh read gives it.
    TContent reread()
    {
        TContent content;
        content.name = "57";
        content.kind = kSectionTopics;
        content.file = folders.packs + "57.pkt";
        content::ReadContent(content, log);
        LoadPageDescriptions(content, folders, log);
        return content;
    }

    test::TempFolder dir;
    ContentFolders folders;
    TNimbusNode node;
    FixedClock clock;
    test::RecordingLog log;
    SummaryLists lists;
};

TEST_F(SaveTopicPageTest, FirstSaveNamesThePageWritesItsFilesAndCountsIt)
{
    ASSERT_EQ(node.content->pages.size(), 2u);
    EXPECT_FALSE(node.content->pages[0]->data) << "a page never saved holds nothing";

    const PageSaveResult result = save(typed("{\\rtf1 roof}"));
    EXPECT_TRUE(result.dataSaved);
    EXPECT_TRUE(result.storeChanged);
    EXPECT_EQ(test::readFile(folders.text + "57-1.txt"), "{\\rtf1 roof}");
    EXPECT_EQ(test::readFile(folders.packs + "57.pkt"),
              "con=0\r\nuni=1\r\nfile=57-1.txt\r\ncon=1\r\nuni=2\r\nfile=\r\n");
    EXPECT_EQ(node.dac, 1);
    EXPECT_EQ(node.dam, 1);
    ASSERT_EQ(lists.RecentChanges().Count(), 1);
    EXPECT_EQ(lists.RecentChanges().Node(0), &node);

    // The description says how to read the file back, and when it changed.
    const TContent again = reread();
    EXPECT_TRUE(again.pages[0]->data);
    EXPECT_TRUE(again.pages[0]->rtf);
    EXPECT_EQ(again.pages[0]->ame, "20260305-140709");
    EXPECT_FALSE(again.pages[1]->data);
}

TEST_F(SaveTopicPageTest, EveryChangeRenewsTheStampAndLeavesTheCountsAlone)
{
    save(typed("first"));
    clock.advanceSeconds(3600);
    const PageSaveResult result = save(typed("second"));
    EXPECT_FALSE(result.storeChanged);
    EXPECT_EQ(node.content->pages[0]->ame, "20260305-150709");
    EXPECT_EQ(reread().pages[0]->ame, "20260305-150709");
    // The earlier text is kept as an old version.
    EXPECT_TRUE(std::filesystem::exists(folders.text + "57-1(1).txt"));
}

TEST_F(SaveTopicPageTest, EmptiedPageLosesItsFileAndItsCount)
{
    save(typed("something"));
    const PageSaveResult result = save(typed(""));
    EXPECT_TRUE(result.storeChanged);
    EXPECT_EQ(node.dac, 0);
    EXPECT_EQ(node.dam, 0);
    EXPECT_FALSE(std::filesystem::exists(folders.text + "57-1.txt"));
    EXPECT_TRUE(node.content->pages[0]->file.empty());
    EXPECT_FALSE(reread().pages[0]->data);
}

TEST_F(SaveTopicPageTest, UnchangedPageWritesNothingAndMovesNothing)
{
    const PageSaveResult result = save(EditorState{});
    EXPECT_FALSE(result.dataSaved);
    EXPECT_FALSE(std::filesystem::exists(folders.packs + "57.pkt"));
    EXPECT_EQ(lists.RecentChanges().Count(), 0);
}

TEST_F(SaveTopicPageTest, ShowingAnotherPageIsRememberedInThePageList)
{
    save(EditorState{}, 1);
    EXPECT_EQ(node.content->visiblePage, 2);
    EXPECT_EQ(reread().visiblePage, 2);
    EXPECT_EQ(VisiblePageIndex(reread()), 1);
}

TEST_F(SaveTopicPageTest, FailedWriteKeepsThePageForTheNextTryAndSaysSo)
{
    EditorState editor = typed("text");
    editor.write = [](THyperData &) { return StoreResult::failure("disk full"); };
    const PageSaveResult result = save(editor);
    EXPECT_TRUE(result.failed);
    EXPECT_FALSE(result.dataSaved);
    EXPECT_FALSE(node.content->pages[0]->data);
    EXPECT_EQ(lists.RecentChanges().Count(), 0);
    EXPECT_TRUE(log.mentions("disk full"));
}

TEST_F(SaveTopicPageTest, RetitledPageKeepsItsTitleEvenBeforeItHoldsData)
{
    node.content->pages[1]->dis = "Shopping";
    node.content->modified = true;
    EditorState editor;
    editor.describe = true;
    save(editor, 1);
    const TContent again = reread();
    EXPECT_EQ(again.pages[1]->dis, "Shopping");
    EXPECT_FALSE(again.pages[1]->data) << "a title alone is not data";
    EXPECT_EQ(CountPages(again), PageCounts{});
}

TEST_F(SaveTopicPageTest, TopicsOutsideTheTopicsSectionAreNotSaved)
{
    node.type = kSectionContacts;
    EXPECT_FALSE(save(typed("x")).dataSaved);
    EXPECT_FALSE(std::filesystem::exists(folders.text + "57-1.txt"));
}

TEST(TopicPagesTest, CountsCaptionsAndDateLabel)
{
    TContent content;
    THyperData &details = content.AddPage(0, "");
    THyperData &list = content.AddPage(2, "");
    THyperData &other = content.AddPage(7, "Odd");
    details.data = true;
    list.data = false;
    list.fsa = "elsewhere.txt";
    other.data = true;
    EXPECT_EQ(CountPages(content), (PageCounts{3, 1 | 4 | 8}));

    EXPECT_EQ(PageCaption(details), "Details");
    EXPECT_EQ(PageCaption(list), "List");
    EXPECT_EQ(PageCaption(other), "Odd");

    EXPECT_EQ(DateChangedText(details, 0), "");
    details.ame = "20260305-140709";
    EXPECT_EQ(DateChangedText(details, 0), "Page last changed: 05/03/2026 14:07");
    EXPECT_EQ(DateChangedText(details, 2), "Page last changed: 2026/03/05 14:07");

    content.visiblePage = 3;
    EXPECT_EQ(VisiblePageIndex(content), 2);
    content.visiblePage = 99;
    EXPECT_EQ(VisiblePageIndex(content), 0);
    EXPECT_EQ(VisiblePageIndex(TContent{}), -1);
}

TEST(HighlightStateTest, FirstUseAsksForColoursAndCancelLeavesThemUnchosen)
{
    HighlightState state(kNoColour, kNoColour);
    EXPECT_EQ(state.TextColour(), HighlightState::Step::OpenChooser);
    EXPECT_EQ(state.PanelClick(true), HighlightState::Step::OpenChooser);
    EXPECT_EQ(state.ChooserClosed(false, colourValue(255, 0, 0), kNoColour),
              HighlightState::Step::Off);
    EXPECT_FALSE(state.active());
    EXPECT_EQ(state.textColour(), kNoColour);
    EXPECT_EQ(state.backColour(), kNoColour);
}

TEST(HighlightStateTest, ChosenColoursSwitchOnAndPanelsToggleThem)
{
    HighlightState state(kNoColour, kNoColour);
    EXPECT_EQ(state.ChooserClosed(true, kNoColour, colourValue(255, 255, 0)),
              HighlightState::Step::Apply);
    EXPECT_TRUE(state.appliesBack());
    EXPECT_FALSE(state.appliesText());
    // The text colour was never chosen: its panel asks for it.
    EXPECT_EQ(state.PanelClick(false), HighlightState::Step::OpenChooser);
    // Background off: nothing is switched on any more, highlighting goes off.
    EXPECT_EQ(state.PanelClick(true), HighlightState::Step::Off);
    EXPECT_FALSE(state.active());
    EXPECT_EQ(state.PanelClick(true), HighlightState::Step::Apply);
    EXPECT_TRUE(state.active());
    // The button toggles it off and on again.
    EXPECT_EQ(state.TextColour(), HighlightState::Step::Off);
    EXPECT_FALSE(state.appliesBack());
    EXPECT_EQ(state.TextColour(), HighlightState::Step::Apply);
}

TEST(HighlightStateTest, StoredColoursComeOnWithTheButton)
{
    // Colours from an earlier run: both switches start off, the button turns them on.
    HighlightState state(colourValue(255, 0, 0), colourValue(0, 0, 255));
    EXPECT_EQ(state.TextColour(), HighlightState::Step::Apply);
    EXPECT_TRUE(state.appliesText());
    EXPECT_TRUE(state.appliesBack());
    EXPECT_EQ(state.ChooserClosed(false, kNoColour, kNoColour), HighlightState::Step::Off);
    EXPECT_EQ(state.textColour(), colourValue(255, 0, 0)) << "cancel keeps the colours";
}

TEST(WebAddressesTest, FindsEveryAddressWithoutItsPunctuation)
{
    const std::string line = "See (http://a.org/x?y=1), www.b.com. and mailto:me@c.net; not ftp:// "
                             "or http:/x FILE:///tmp/r.txt";
    const std::vector<WebAddress> found = FindWebAddresses(line);
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(line.substr(found[0].start, found[0].length), "http://a.org/x?y=1");
    EXPECT_EQ(found[1].target, "http://www.b.com");
    EXPECT_EQ(line.substr(found[1].start, found[1].length), "www.b.com");
    EXPECT_EQ(found[2].target, "mailto:me@c.net");
    EXPECT_EQ(found[3].target, "FILE:///tmp/r.txt");
    EXPECT_EQ(AddressAt(found, found[1].start + 3), &found[1]);
    EXPECT_EQ(AddressAt(found, 0), nullptr);
    EXPECT_TRUE(FindWebAddresses("").empty());
    EXPECT_TRUE(FindWebAddresses("   \t").empty());
}

TEST(PreferenceEditsTest, WritesOnlyWhenAStoredValueChanges)
{
    test::TempFolder dir;
    TPreferences preferences;
    preferences.SetDataFolder(dir.path());
    PreferenceChange change = ChangePreferences(preferences, [](TPreferences &p) { p.date = 0; });
    EXPECT_FALSE(change.changed);
    EXPECT_FALSE(std::filesystem::exists(preferences.fileName));

    change = ChangePreferences(preferences, [](TPreferences &p) { p.date = 2; });
    EXPECT_TRUE(change.changed);
    EXPECT_TRUE(change.saved.ok);
    TPreferences read;
    read.SetDataFolder(dir.path());
    ASSERT_TRUE(read.Load());
    EXPECT_EQ(read.date, 2);
    // The field that is never stored is no change to write.
    change = ChangePreferences(preferences, [](TPreferences &p) { p.reserved = 5; });
    EXPECT_FALSE(change.changed);
}

} // namespace
