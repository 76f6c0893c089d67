// A topic's content files: page list, checklist items, page descriptions and details text,
// their exact bytes, their defaults, and the refusal of names that would leave their folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "fileio/FolderOps.h"
#include "store/Clock.h"
#include "store/ContentFiles.h"
#include "store/RecordingLog.h"
#include "store/TNimbusNode.h"
#include "support/TempFolder.h"

namespace nimbus {
namespace {

using test::readFile;
using test::TempFolder;
using test::writeFile;

class ContentFilesTest : public ::testing::Test {
protected:
    ContentFilesTest() : folders(ContentFolders::inDataFolder(data.path()))
    {
        for (const std::string &sub : {folders.packs, folders.text, folders.checkList})
            std::filesystem::create_directory(sub);
    }
    TNimbusNode topic(const std::string &uni, int kind = 1)
    {
        TNimbusNode node(uni);
        node.type = kind;
        return node;
    }
    TempFolder data;
    ContentFolders folders;
    test::RecordingLog log;
    FixedClock clock{DateTime::fromCivil(2024, 3, 2, 10, 15, 0)};
};

TEST_F(ContentFilesTest, NewTopicInTopicsSectionHasDefaultPages)
{
    TNimbusNode node = topic("57");
    TContent &content = node.LoadContent(folders, log, 3);
    EXPECT_TRUE(node.contentLoaded);
    EXPECT_EQ(node.contentFile, folders.packs + "57.pkt");
    EXPECT_EQ(content.option, 3);
    ASSERT_EQ(content.pages.size(), 2u);
    EXPECT_EQ(content.pages[0]->dis, "Details");
    EXPECT_EQ(content.pages[0]->con, kPageDetails);
    EXPECT_EQ(content.pages[1]->dis, "Checklist");
    EXPECT_EQ(content.pages[1]->uni, 2);
    ASSERT_EQ(content.pages[1]->columns.size(), 2u);
    EXPECT_EQ(content.pages[1]->columns[1]->hdg, "Finished");
    EXPECT_EQ(content.AddPage(kPageChecklist, "Shopping").uni, 3);

    TNimbusNode contact = topic("58", 6);
    EXPECT_TRUE(contact.LoadContent(folders, log).pages.empty());
}

TEST_F(ContentFilesTest, FirstDetailsSaveNamesFileAndRewritesPageList)
{
    TNimbusNode node = topic("57");
    TContent &content = node.LoadContent(folders, log);
    THyperData &details = *content.pages[0];
    const std::string rtf = "{\\rtf1 Hello \\'e9}\r\n";
    ASSERT_TRUE(content::SaveDetails(details, folders, rtf, 3, true, log));
    EXPECT_EQ(details.file, "57-1.txt");
    EXPECT_TRUE(details.rtf);
    EXPECT_TRUE(content.modified);
    EXPECT_EQ(readFile(folders.text + "57-1.txt"), rtf);

    content.visiblePage = 2;
    ASSERT_TRUE(content::WriteContent(content, log));
    EXPECT_FALSE(content.modified);
    EXPECT_EQ(readFile(folders.packs + "57.pkt"),
              "vis=2\r\ncon=0\r\nuni=1\r\nfile=57-1.txt\r\ncon=1\r\nuni=2\r\nfile=\r\n");

    // Read back: the pages, their file names, and the highest page number.
    TNimbusNode again = topic("57");
    TContent &loaded = again.LoadContent(folders, log);
    ASSERT_EQ(loaded.pages.size(), 2u);
    EXPECT_EQ(loaded.visiblePage, 2);
    EXPECT_EQ(loaded.lastPage, 2);
    EXPECT_EQ(loaded.pages[0]->file, "57-1.txt");
    std::string bytes;
    EXPECT_TRUE(content::LoadDetails(*loaded.pages[0], folders, bytes, log));
    EXPECT_EQ(bytes, rtf);
    EXPECT_FALSE(content::LoadDetails(*loaded.pages[1], folders, bytes, log));

    // Saving again keeps old versions of the details file.
    ASSERT_TRUE(content::SaveDetails(*loaded.pages[0], folders, "second", 3, true, log));
    EXPECT_TRUE(std::filesystem::exists(folders.text + "57-1(1).txt"));
}

TEST_F(ContentFilesTest, PageListWithoutVisiblePageAndDamagedKind)
{
    writeFile(folders.packs + "9.pkt", "uni=4\r\ncon=x\r\nuni=7\r\nfile=9-7.lst\r\ncon=1\r\nuni=3\r\nvis=0\r\n");
    TNimbusNode node = topic("9");
    TContent &content = node.LoadContent(folders, log);
    ASSERT_EQ(content.pages.size(), 2u);  // the page with the damaged kind is kept
    EXPECT_EQ(content.pages[0]->con, -1);
    EXPECT_EQ(content.lastPage, 7);
    EXPECT_TRUE(log.mentions("not a number"));
    ASSERT_TRUE(content::WriteContent(content, log));
    EXPECT_EQ(readFile(folders.packs + "9.pkt"),
              "con=-1\r\nuni=7\r\nfile=9-7.lst\r\ncon=1\r\nuni=3\r\nfile=\r\n");
}

TEST_F(ContentFilesTest, ChecklistRoundTrip)
{
    TNimbusNode node = topic("57");
    THyperData &page = *node.LoadContent(folders, log).pages[1];
    std::vector<ChecklistItem> items(3);
    items[0].text = "Call www.example.com today";
    items[0].checked = true;
    items[0].finished = "20240302-101500";
    items[1].text = "Plain item";
    items[2].text = "a=b";
    ASSERT_TRUE(content::SaveChecklist(page, folders, items, log));
    EXPECT_EQ(page.file, "57-2.lst");
    EXPECT_EQ(readFile(folders.checkList + "57-2.lst"),
              "chk=1\r\ntxt=Call www.example.com today\r\nfin=20240302-101500\r\n"
              "chk=0\r\ntxt=Plain item\r\nchk=0\r\ntxt=a=b\r\n");

    std::vector<ChecklistItem> loaded;
    ASSERT_TRUE(content::LoadChecklist(page, folders, loaded, log));
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_TRUE(loaded[0].checked);
    EXPECT_EQ(loaded[0].finished, "20240302-101500");
    EXPECT_TRUE(loaded[0].link.found);
    EXPECT_EQ(loaded[0].link.link, "http://www.example.com");
    EXPECT_FALSE(loaded[1].link.found);
    EXPECT_EQ(loaded[2].text, "a=b");

    // Eight old versions at most.
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(content::SaveChecklist(page, folders, items, log));
    EXPECT_TRUE(std::filesystem::exists(folders.checkList + "57-2(8).lst")
                || std::filesystem::exists(folders.checkList + "57-2(11).lst"));
    int versions = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folders.checkList))
        if (entry.path().filename().string().rfind("57-2(", 0) == 0)
            ++versions;
    EXPECT_EQ(versions, 8);
}

TEST_F(ContentFilesTest, PageDescriptionRoundTripAndDefaults)
{
    TNimbusNode node = topic("57");
    THyperData &page = *node.LoadContent(folders, log).pages[1];
    page.file = "57-2.lst";
    page.fsa = "extra.dat";
    page.columns[1]->vis = false;
    page.columns[1]->wid = 80;
    page.columns[0]->fld = "item";
    ASSERT_TRUE(content::SavePageDescription(page, folders, clock, log));
    EXPECT_EQ(readFile(folders.checkList + "57-2.~lst"),
              "cre=20240302-101500\r\name=20240302-101500\r\ndis=Checklist\r\ndata=1\r\nfsa=extra.dat\r\n"
              "col=0\r\nhdg=Item\r\nfld=item\r\nvis=1\r\nwid=100\r\ntpe=0\r\n"
              "col=1\r\nhdg=Finished\r\nvis=0\r\nwid=80\r\ntpe=0\r\n");

    writeFile(folders.checkList + "57-2.~lst",
              "cre=1\r\ndata=x\r\nrtf=0\r\ncol=0\r\nhdg=Item\r\nwid=wide\r\ntpe=?\r\nvis=no\r\ncol=1\r\n");
    ASSERT_TRUE(content::LoadPageDescription(page, folders, log));
    EXPECT_TRUE(page.data);  // a non-number counts as set
    EXPECT_FALSE(page.rtf);
    ASSERT_EQ(page.columns.size(), 2u);
    EXPECT_EQ(page.columns[0]->wid, 100);
    EXPECT_EQ(page.columns[0]->tpe, 0);
    EXPECT_TRUE(page.columns[0]->vis);
    EXPECT_EQ(page.columns[1]->wid, 100);
}

TEST_F(ContentFilesTest, TrackColumns)
{
    THyperData page;
    page.AddDefaultColumns();
    page.columns[1]->vis = false;
    page.TrackColumns({100, -1});
    EXPECT_FALSE(page.columnsChanged);
    page.TrackColumns({100, 60});
    EXPECT_TRUE(page.columns[1]->vis);
    EXPECT_EQ(page.columns[1]->wid, 60);
    page.columnsChanged = false;
    page.TrackColumns({0, 60});
    EXPECT_FALSE(page.columns[0]->vis);
    EXPECT_TRUE(page.columnsChanged);
}

TEST_F(ContentFilesTest, NamesThatWouldLeaveTheirFolderAreRefused)
{
    // A topic id from someone else's file: kept, but its content is never read or written.
    writeFile(data / "secret.pkt", "con=0\r\nuni=1\r\nfile=x\r\n");
    const std::string unsafe[] = {"../secret", "/tmp/x", "a/b", std::string("a\0b", 3), "..", ""};
    for (const std::string &uni : unsafe) {
        log.lines.clear();
        TNimbusNode node = topic(uni);
        TContent &content = node.LoadContent(folders, log);
        EXPECT_FALSE(content.filesAllowed) << uni;
        EXPECT_EQ(content.pages.size(), 2u);  // the defaults, not the file outside Packs/
        EXPECT_TRUE(log.mentions("refused")) << uni;
        EXPECT_FALSE(content::WriteContent(content, log).ok);
        EXPECT_FALSE(content::SaveDetails(*content.pages[0], folders, "x", 0, true, log).ok);
        EXPECT_TRUE(content.pages[0]->file.empty());
    }

    // A page file name from a received page list.
    writeFile(folders.packs + "60.pkt",
              "con=0\r\nuni=1\r\nfile=../../escape.txt\r\ncon=1\r\nuni=2\r\nfile=..\\evil.lst\r\n");
    writeFile(data / "escape.txt", "outside");
    TNimbusNode node = topic("60");
    TContent &content = node.LoadContent(folders, log);
    ASSERT_EQ(content.pages.size(), 2u);
    log.lines.clear();
    std::string bytes;
    EXPECT_FALSE(content::LoadDetails(*content.pages[0], folders, bytes, log));
    EXPECT_TRUE(bytes.empty());
    EXPECT_TRUE(log.mentions("refused"));
    EXPECT_FALSE(content::SaveDetails(*content.pages[0], folders, "overwrite", 0, true, log).ok);
    EXPECT_FALSE(content::DeletePageFile(*content.pages[0], folders, log));
    EXPECT_EQ(readFile(data / "escape.txt"), "outside");
    std::vector<ChecklistItem> items(1);
    EXPECT_FALSE(content::SaveChecklist(*content.pages[1], folders, items, log).ok);
    EXPECT_FALSE(content::SavePageDescription(*content.pages[1], folders, clock, log).ok);
    // The page list itself still keeps the names as they came.
    ASSERT_TRUE(content::WriteContent(content, log));
    EXPECT_NE(readFile(folders.packs + "60.pkt").find("file=../../escape.txt"), std::string::npos);
}

TEST_F(ContentFilesTest, DeletePageFileKeepsBackup)
{
    TNimbusNode node = topic("57");
    THyperData &page = *node.LoadContent(folders, log).pages[0];
    ASSERT_TRUE(content::SaveDetails(page, folders, "text", 0, false, log));
    EXPECT_TRUE(content::DeletePageFile(page, folders, log));
    EXPECT_FALSE(std::filesystem::exists(folders.text + "57-1.txt"));
    EXPECT_EQ(readFile(folders.text + "57-1(1).txt"), "text");
}

TEST_F(ContentFilesTest, ChecklistFilesTooLargeToOpenAreNeitherReadNorReplaced)
{
    // A damaged file of a terabyte (sparse: it takes no room), more than any memory.
    THyperData page;
    page.con = kPageChecklist;
    page.file = "57-2.lst";
    const std::string path = folders.checkList + "57-2.lst";
    writeFile(path, "chk=1\r\ntxt=first\r\n");
    std::filesystem::resize_file(path, std::uintmax_t{1} << 40);
    std::vector<ChecklistItem> items;
    EXPECT_FALSE(content::LoadChecklist(page, folders, items, log));
    EXPECT_TRUE(items.empty());
    EXPECT_TRUE(log.mentions("too large to open"));
    items.push_back(ChecklistItem{});
    EXPECT_FALSE(content::SaveChecklist(page, folders, items, log));
    EXPECT_EQ(std::filesystem::file_size(path), std::uintmax_t{1} << 40);
}

}  // namespace
}  // namespace nimbus
