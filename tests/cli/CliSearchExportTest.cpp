// The real nimbus-cli's search and calendar export: answers that follow the store file as
// saved, the search index kept in place only while no copy of the program runs (a private,
// removed copy otherwise), and iCalendar files that are valid, stable in their UIDs and
// written whole.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <filesystem>

#include "CliRun.h"
#include "calendar/IcsWriter.h"
#include "ipc/Channels.h"
#include "ipc/PipeList.h"
#include "search/SavedSearches.h"
#include "store/ContentFiles.h"
#include "store/TContent.h"
#include "store/TNimbusNode.h"

using nimbus::test::CliHome;
using nimbus::test::readFile;

namespace {

// A details page for a topic of the "Topics" section, written as the window writes it.
void writeDetails(const CliHome &home, const std::string &uni, const std::string &text)
{
    using namespace nimbus;
    for (const char *sub : {"Packs", "Text", "CheckList"})
        std::filesystem::create_directories(home.data + sub);
    TNimbusNode node(uni);
    node.lev = 1;
    node.type = kSectionTopics;
    const ContentFolders folders = ContentFolders::inDataFolder(home.data);
    TContent &content = node.LoadContent(folders, NullStoreLog::instance());
    if (content.pages.empty())
        content.AddDefaultPages();
    for (auto &page : content.pages)
        if (page->con == kPageDetails) {
            ASSERT_TRUE(
                content::SaveDetails(*page, folders, text, 0, true, NullStoreLog::instance()));
            break;
        }
    ASSERT_TRUE(content::WriteContent(content, NullStoreLog::instance()));
}

bool contains(const std::string &text, const std::string &what)
{
    return text.find(what) != std::string::npos;
}

std::size_t countOf(const std::string &text, const std::string &what)
{
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(CliSearch, FindsTitlesAndPagesAndFollowsEveryChange)
{
    CliHome home;
    ASSERT_EQ(home.run({"add", "Quarterly report", "--due", "tomorrow"}).status, 0);
    ASSERT_EQ(home.run({"add", "Garden plan", "--type", "note"}).status, 0);
    writeDetails(home, "2", "Plant tomatoes and beans in May");

    auto title = home.run({"search", "report"});
    ASSERT_EQ(title.status, 0) << title.err;
    EXPECT_TRUE(contains(title.out, "title  Topics/Quarterly report")) << title.out;
    EXPECT_TRUE(std::filesystem::exists(home.data + "Search.db")); // built in place: no copy runs
    auto page = home.run({"search", "tomato*", "--format", "tsv"});
    ASSERT_EQ(page.status, 0) << page.err;
    EXPECT_EQ(page.out, "2\tTopics/Garden plan\tInformation topic\t\t\tpage: Details\n");
    auto phrase = home.run({"search", "beans in may", "--format", "json"}); // one word with blanks
    EXPECT_EQ(phrase.status, 0);
    EXPECT_TRUE(contains(phrase.out, "\"id\":\"2\"") &&
                contains(phrase.out, "\"match\":\"page: Details\""))
        << phrase.out;
    EXPECT_EQ(home.run({"search", "beans", "may", "-tomatoes"}).status, 1);
    // The words of one topic may lie in its title and its page; an excluded word on the page
    // leaves the topic out.
    auto across = home.run({"search", "garden", "tomatoes", "--format", "tsv"});
    EXPECT_EQ(across.out, "2\tTopics/Garden plan\tInformation topic\t\t\ttitle, page: Details\n");
    EXPECT_EQ(home.run({"search", "garden", "-beans"}).status, 1);
    EXPECT_TRUE(contains(home.run({"search", "type:note"}).out, "Garden plan"));
    EXPECT_FALSE(contains(home.run({"search", "type:note", "-beans"}).out, "Garden plan"));

    // A rename and a removal made since the index was built are searched as they are now.
    ASSERT_EQ(home.run({"set", "1", "title=Annual summary"}).status, 0);
    EXPECT_EQ(home.run({"search", "report"}).status, 1);
    EXPECT_TRUE(contains(home.run({"search", "annual"}).out, "Topics/Annual summary"));
    writeDetails(home, "2", "Plant potatoes");
    EXPECT_EQ(home.run({"search", "tomatoes"}).status, 1);
    ASSERT_EQ(home.run({"remove", "2"}).status, 0);
    EXPECT_EQ(home.run({"search", "potatoes"}).status, 1);

    // Filters alone answer from the store; the limit holds.
    auto tasks = home.run({"search", "type:task", "due:<7d"});
    EXPECT_EQ(tasks.status, 0);
    EXPECT_TRUE(contains(tasks.out, "Topics/Annual summary")) << tasks.out;
    ASSERT_EQ(home.run({"add", "Annual leave"}).status, 0);
    EXPECT_EQ(countOf(home.run({"search", "annual", "--format", "tsv"}).out, "\n"), 2u);
    EXPECT_EQ(countOf(home.run({"search", "annual", "--limit", "1", "--format", "tsv"}).out, "\n"),
              1u);

    // A damaged index is a cache: it is built again without a word.
    nimbus::test::writeFile(home.data + "Search.db", "not an index at all");
    EXPECT_EQ(home.run({"search", "leave"}).status, 0);

    for (const auto &words :
         std::vector<std::vector<std::string>>{{"search"},
                                               {"search", "\"\""},
                                               {"search", "x", "--limit", "0"},
                                               {"search", "x", "--format", "xml"}}) {
        auto r = home.run(words);
        EXPECT_EQ(r.status, 2) << words.size();
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_TRUE(std::filesystem::is_empty(home.temp));
}

TEST(CliSearch, SavedSearchesAreAnsweredByListAndSearch)
{
    CliHome home;
    ASSERT_EQ(home.run({"add", "Quarterly report", "--due", "tomorrow"}).status, 0);
    ASSERT_EQ(home.run({"add", "Garden plan", "--type", "note"}).status, 0);
    ASSERT_EQ(home.run({"add", "Report template", "--type", "note"}).status, 0);
    writeDetails(home, "2", "Plant tomatoes and beans in May");
    nimbus::search::SavedSearches saved(home.data);
    ASSERT_TRUE(saved.save("Reports", "report -template"));
    ASSERT_TRUE(saved.save("Notes & \"plans\"\t2", "type:note"));
    ASSERT_TRUE(saved.save("Nothing", "zebra"));
    // A damaged line is left out and named when a search is not found.
    std::filesystem::path file = home.data + nimbus::search::SavedSearches::kFileName;
    nimbus::test::writeFile(file.string(), readFile(file.string()) + "broken line\x1b[31m\n");

    auto listed = home.run({"list", "--saved", "Reports", "--format", "tsv"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(countOf(listed.out, "\n"), 1u) << listed.out;
    EXPECT_TRUE(contains(listed.out, "Topics/Quarterly report")) << listed.out;
    EXPECT_FALSE(contains(listed.out, "title")) << "a list has no match column";
    auto searched = home.run({"search", "--saved", "Reports", "--format", "tsv"});
    ASSERT_EQ(searched.status, 0) << searched.err;
    EXPECT_TRUE(contains(searched.out, "\ttitle\n")) << searched.out;
    // Words after a saved search narrow it; any characters in a name.
    auto notes =
        home.run({"search", "--saved", "Notes & \"plans\"\t2", "tomatoes", "--format", "tsv"});
    ASSERT_EQ(notes.status, 0) << notes.err;
    EXPECT_EQ(notes.out, "2\tTopics/Garden plan\tInformation topic\t\t\tpage: Details\n");
    auto allNotes = home.run({"list", "--saved", "Notes & \"plans\"\t2"}).out;
    EXPECT_TRUE(contains(allNotes, "Topics/Garden plan") &&
                contains(allNotes, "Topics/Report template"))
        << allNotes;

    EXPECT_EQ(home.run({"list", "--saved", "Nothing"}).status, 1) << "found nothing";
    auto unknown = home.run({"search", "--saved", "Holidays\x1b[31m"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_TRUE(unknown.out.empty());
    EXPECT_TRUE(contains(unknown.err, "no saved search is called \"Holidays")) << unknown.err;
    EXPECT_TRUE(contains(unknown.err, "line 5")) << unknown.err;
    EXPECT_FALSE(contains(unknown.err, "\x1b")) << "the terminal gets no escape sequence";
    EXPECT_EQ(home.run({"list", "--saved", "Holidays"}).status, 1);
    EXPECT_EQ(home.run({"list", "overdue", "--saved", "Reports"}).status, 2);
    EXPECT_EQ(home.run({"list", "--saved", "Reports", "--sort", "due"}).status, 2);
    EXPECT_EQ(home.run({"list", "--saved"}).status, 2);

    // Without a name, --saved lists the searches in the order saved, each name as the terminal
    // may show it; the damaged line is named on the side.
    auto names = home.run({"search", "--saved"});
    EXPECT_EQ(names.status, 0) << names.err;
    EXPECT_EQ(names.out, "Reports\nNotes & \"plans\"\\x092\nNothing\n");
    EXPECT_TRUE(contains(names.err, "line 5") && !contains(names.err, "\x1b")) << names.err;
    auto tsv = home.run({"search", "--saved", "--format", "tsv"});
    EXPECT_TRUE(contains(tsv.out, "Reports\treport -template\n")) << tsv.out;
    EXPECT_EQ(countOf(tsv.out, "\t"), 3u) << "the TAB in a name is escaped";
    auto json = home.run({"search", "--format=json", "--saved"});
    EXPECT_TRUE(
        contains(json.out, "{\"name\":\"Notes & \\\"plans\\\"\\t2\",\"query\":\"type:note\"}"))
        << json.out;
    EXPECT_EQ(home.run({"search", "--saved", "--limit", "3"}).status, 2);
    EXPECT_EQ(home.run({"search", "--saved", "--format", "xml"}).status, 2);
    std::filesystem::remove(file);
    auto none = home.run({"search", "--saved"});
    EXPECT_EQ(none.status, 1) << "no saved searches";
    EXPECT_TRUE(none.out.empty() && none.err.empty()) << none.out << none.err;
    EXPECT_TRUE(std::filesystem::is_empty(home.temp));
}

// The store file, its content folders and the index as a later search finds them: written an
// hour ago, so that their times tell any change since apart.
static void settle(const CliHome &home)
{
    for (const char *sub : {"Packs", "Text", "CheckList"})
        std::filesystem::create_directories(home.data + sub);
    const auto before = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char *name : {"Structure.dat", "Packs", "Text", "CheckList"})
        std::filesystem::last_write_time(home.data + name, before);
}

static std::int64_t indexMeta(const CliHome &home, const char *key)
{
    sqlite3 *db = nullptr;
    std::int64_t value = 0;
    if (sqlite3_open_v2((home.data + "Search.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt *s = nullptr;
        sqlite3_prepare_v2(db, "SELECT value FROM meta WHERE key=?1", -1, &s, nullptr);
        sqlite3_bind_text(s, 1, key, -1, SQLITE_STATIC);
        if (sqlite3_step(s) == SQLITE_ROW)
            value = sqlite3_column_int64(s, 0);
        sqlite3_finalize(s);
    }
    sqlite3_close(db);
    return value;
}

// A search over a store file unchanged since the last one reads only the records its hits
// need, and answers exactly as the whole read did: statuses rolled up from sub-topics, paths
// through every level. A store saved since (a new file, even of the same size and time) is
// read whole again.
TEST(CliSearch, AStoreUnchangedSinceTheLastSearchIsAnsweredFromItsHitsAlone)
{
    CliHome home;
    ASSERT_EQ(home.run({"add", "Kitchen renovation"}).status, 0); // 1
    ASSERT_EQ(home.run({"add", "Buy tiles", "--under", "1", "--due", "tomorrow"}).status, 0);
    ASSERT_EQ(home.run({"add", "Grout for tiles", "--under", "2"}).status, 0); // 3
    ASSERT_EQ(home.run({"done", "3"}).status, 0);
    ASSERT_EQ(home.run({"add", "Garden tiles", "--type", "note"}).status, 0);
    ASSERT_EQ(home.run({"add", "Holiday", "--due", "+2w"}).status, 0);
    settle(home);
    const std::vector<std::vector<std::string>> queries = {
        {"search", "tiles", "--format", "tsv"},
        {"search", "kitchen", "--format", "json"},
        {"search", "grout", "tiles"},
        {"search", "holiday", "--limit", "1"},
    };
    std::vector<std::string> whole;
    for (const auto &query : queries)
        whole.push_back(home.run(query).out);
    EXPECT_TRUE(contains(whole[0], "Topics/Kitchen renovation/Buy tiles/Grout for tiles"))
        << whole[0];
    const std::int64_t noted = indexMeta(home, "storefile");
    EXPECT_NE(noted, 0) << "the store file's stamp is noted once it was read whole";
    for (std::size_t i = 0; i < queries.size(); ++i)
        EXPECT_EQ(home.run(queries[i]).out, whole[i]) << i;
    EXPECT_EQ(indexMeta(home, "storefile"), noted) << "answered without reading the store";

    // Another file put in place of the store, of the same size and time.
    const auto time = std::filesystem::last_write_time(home.data + "Structure.dat");
    std::string bytes = home.store();
    bytes.replace(bytes.find("Buy tiles"), 9, "Buy files");
    nimbus::test::writeFile(home.data + "Structure.new", bytes);
    std::filesystem::rename(home.data + "Structure.new", home.data + "Structure.dat");
    std::filesystem::last_write_time(home.data + "Structure.dat", time);
    EXPECT_TRUE(contains(home.run({"search", "files"}).out, "Buy files"));
    EXPECT_FALSE(contains(home.run({"search", "tiles", "--format", "tsv"}).out, "Buy files\t"));

    // A hand-edited key (" lev", which the store reader trims) is not what the scan reads: the
    // file's stamp is never noted, and every search reads it whole.
    const std::int64_t before = indexMeta(home, "storefile");
    bytes = home.store();
    bytes.replace(bytes.find("\nlev=2"), 6, "\n lev=2");
    nimbus::test::writeFile(home.data + "Structure.dat", bytes);
    settle(home);
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(contains(home.run({"search", "grout"}).out,
                             "Topics/Kitchen renovation/Buy files/Grout for tiles"));
    EXPECT_EQ(indexMeta(home, "storefile"), before);
    EXPECT_TRUE(std::filesystem::is_empty(home.temp));
}

TEST(CliSearch, WhileAnotherCopyHoldsTheLockTheIndexIsNeverWritten)
{
    CliHome home;
    ASSERT_EQ(home.run({"add", "Dentist appointment"}).status, 0);
    ASSERT_EQ(home.run({"search", "dentist"}).status, 0);
    ASSERT_EQ(home.run({"add", "Holiday booking"}).status, 0); // the index is one topic behind
    const std::string index = readFile(home.data + "Search.db");

    // The lock the running program holds: its marker channel, a real socket.
    nimbus::ipc::PipeList program(nullptr, home.channels);
    ASSERT_FALSE(nimbus::ipc::CreateChannel(program, "nimbus_active"));
    auto found = home.run({"search", "holiday"});
    ASSERT_EQ(found.status, 0) << found.err;
    EXPECT_TRUE(contains(found.out, "Topics/Holiday booking")) << found.out;
    EXPECT_EQ(readFile(home.data + "Search.db"), index);
    EXPECT_FALSE(std::filesystem::exists(home.data + "Search.db.new"));
    EXPECT_TRUE(std::filesystem::is_empty(home.temp)); // the private copy went with the process

    // Without any index the private copy is built from the store.
    std::filesystem::remove(home.data + "Search.db");
    EXPECT_EQ(home.run({"search", "dentist"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(home.data + "Search.db"));
}

TEST(CliExport, WritesValidCalendarsWithStableUidsAndOnlyWholeFiles)
{
    CliHome home;
    ASSERT_EQ(home.run({"add", "Trip", "--type", "event", "--due", "2030-05-01", "10:00"}).status,
              0);
    ASSERT_EQ(home.run({"add", "Pack bags", "--under", "1", "--due", "2030-04-30"}).status, 0);
    ASSERT_EQ(
        home.run({"add", "Water plants", "--recur", "1", "week", "--due", "2030-04-29"}).status, 0);
    writeDetails(home, "2", "{\\rtf1\\ansi Passport and {\\b tickets}\\par}");

    auto all = home.run({"export", "--ics"});
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_TRUE(nimbus::calendar::validateCalendar(all.out).empty()) << all.out;
    EXPECT_EQ(countOf(all.out, "BEGIN:VEVENT"), 1u);
    EXPECT_EQ(countOf(all.out, "BEGIN:VTODO"), 2u);
    EXPECT_TRUE(contains(all.out, "RRULE:FREQ=WEEKLY")) << all.out;
    EXPECT_TRUE(contains(all.out, "DESCRIPTION:Passport and tickets")) << all.out;
    ASSERT_TRUE(std::filesystem::exists(home.data + "Calendar.dat"));
    const std::string links = readFile(home.data + "Calendar.dat");

    // The same UIDs every time, and the state file is not rewritten.
    auto under = home.run({"export", "--ics", "--under", "1", "--output", home.root / "trip.ics"});
    ASSERT_EQ(under.status, 0) << under.err;
    EXPECT_TRUE(under.out.empty());
    const std::string trip = readFile(home.root / "trip.ics");
    EXPECT_TRUE(contains(trip, "SUMMARY:Trip") && contains(trip, "SUMMARY:Pack bags"));
    EXPECT_FALSE(contains(trip, "Water plants"));
    const std::string uid = all.out.substr(
        all.out.find("UID:"), all.out.find("\r\n", all.out.find("UID:")) - all.out.find("UID:"));
    EXPECT_TRUE(contains(all.out, uid));
    const std::string tripUid =
        trip.substr(trip.find("UID:"), trip.find("\r\n", trip.find("UID:")) - trip.find("UID:"));
    EXPECT_TRUE(contains(all.out, tripUid + "\r\n")) << tripUid;
    EXPECT_TRUE(contains(trip, "RELATED-TO")) << trip;
    EXPECT_EQ(readFile(home.data + "Calendar.dat"), links);

    // Refusals: the documented statuses, and an existing file is never left half written.
    nimbus::test::writeFile(home.root / "keep.ics", "old");
    struct Case {
        std::vector<std::string> words;
        int status;
        std::string message;
    };
    for (const Case &c :
         std::vector<Case>{{{"export"}, 2, "--ics"},
                           {{"export", "--ics", "trip"}, 2, "takes no words"},
                           {{"export", "--ics", "--under", "999"}, 1, "no topic has the id 999"},
                           {{"export", "--ics", "--output", home.root / "no/such/folder.ics"},
                            3,
                            "could not be written"}}) {
        auto r = home.run(c.words);
        EXPECT_EQ(r.status, c.status) << c.words.back();
        EXPECT_TRUE(contains(r.err, c.message)) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(readFile(home.root / "keep.ics"), "old");
}
