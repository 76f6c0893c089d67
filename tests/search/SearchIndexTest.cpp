// The index against a real store in a temporary data folder: every form of query in several
// languages, staying current through edits, renames and removals, and index files that are
// missing, cut short, of an older layout or not an index at all.
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "SearchFixture.h"

namespace nimbus::test {
namespace {

using search::SearchIndex;

class SearchIndexTest : public SearchStore {
protected:
    void SetUp() override { ASSERT_TRUE(index.Build(snapshot())); }
};

TEST_F(SearchIndexTest, WordsAreFoundWithoutRegardToCaseOrAccentsInEveryScript)
{
    EXPECT_EQ(find("cafe"), (V{"10:TP"})) << "the title first, then the page";
    EXPECT_EQ(find("CAFÉ"), find("cafe"));
    EXPECT_EQ(find("munchen"), (V{"11:T"}));
    EXPECT_EQ(find("koln grusse"), (V{"11:P"})) << "all words must match";
    EXPECT_EQ(find("STRASSE"), (V{"11:P"}));
    EXPECT_EQ(find("geneve reunion"), (V{"10:P"})) << "escapes in RTF are decoded";
    EXPECT_EQ(find("καλημερα"), (V{"12:P"}));
    EXPECT_EQ(find("ΚΌΣΜΕ"), (V{"12:P"}));
    EXPECT_EQ(find("москва"), (V{"13:T"}));
    EXPECT_EQ(find("ХЛЕБ"), (V{"13:C"}));
    EXPECT_EQ(find("zoe"), (V{"10:C"}));
    EXPECT_EQ(find("東京"), (V{"14:TP"}));
    EXPECT_EQ(find("タワー"), (V{"14:P"}));
    EXPECT_TRUE(find("arial").empty()) << "markup is not text";
    EXPECT_TRUE(find("fonttbl").empty());
    EXPECT_TRUE(find("milk koln").empty()) << "words in different topics";
}

TEST_F(SearchIndexTest, PhrasesPrefixesAndExclusions)
{
    EXPECT_EQ(find("\"blue door\""), (V{"15:TP"})) << "\"blue manual door\" is no phrase match";
    EXPECT_EQ(find("\"door blue\""), V{});
    EXPECT_EQ(find("mun*"), (V{"11:T"}));
    EXPECT_EQ(find("blu*"), (V{"15:TP", "20:P"})) << "a title hit first";
    EXPECT_EQ(find("door -manual"), (V{"15:TP"})) << "20 says manual in its title and page";
    EXPECT_EQ(find("door -\"blue door\""), (V{"20:P"}));
}

TEST_F(SearchIndexTest, FiltersNarrowTheWordsOrStandAlone)
{
    EXPECT_EQ(find("type:task"), (V{"10:", "11:", "15:"})) << "sections are no topics";
    EXPECT_EQ(find("type:event"), (V{"14:"}));
    EXPECT_EQ(find("status:waiting"), (V{"10:"}));
    EXPECT_EQ(find("urgent"), (V{"10:"}));
    EXPECT_EQ(find("due:<7d"), (V{"10:"}));
    EXPECT_EQ(find("due:<4w"), (V{"10:", "11:"}));
    EXPECT_EQ(find("due:>7d"), (V{"11:"}));
    EXPECT_EQ(find("section:product"), (V{"20:"}));
    EXPECT_EQ(find("door section:topics"), (V{"15:TP"}));
    EXPECT_EQ(find("door type:general"), (V{"20:P"}));
    EXPECT_EQ(find("type:task -cafe"), (V{"11:", "15:"})) << "10 says cafe in its title and page";
    EXPECT_EQ(find("type:task -milk"), (V{"11:", "15:"})) << "and milk in its checklist";
    clock.set(DateTime::fromCivil(2024, 3, 20, 9, 0, 0));
    EXPECT_EQ(find("due:overdue"), (V{"10:"}));
}

TEST_F(SearchIndexTest, EditsRenamesAndRemovalsAreFollowed)
{
    // A page save, then the one topic is indexed again.
    details("11", "Neue Wörter über Bergwanderung");
    ASSERT_TRUE(index.UpdateTopic({"11", "Reise nach München"}));
    EXPECT_EQ(find("bergwanderung"), (V{"11:P"}));
    EXPECT_TRUE(find("koln").empty()) << "the old text is gone";

    // A rename and a removal seen by comparing with the store.
    store.Find("13")->text = "Петербург notes";
    store.Delete(store.IndexOf("15"));
    EXPECT_EQ(index.Refresh(snapshot()), 2);
    EXPECT_EQ(find("петербург"), (V{"13:T"}));
    EXPECT_TRUE(find("москва").empty());
    EXPECT_EQ(find("door"), (V{"20:P"}));
    EXPECT_EQ(index.Refresh(snapshot()), 0) << "nothing changed since";

    ASSERT_TRUE(index.RemoveTopic("20"));
    EXPECT_TRUE(find("door").empty());
    EXPECT_GT(index.DeadRows(), 0);
}

TEST_F(SearchIndexTest, FilesChangedWhileTheProgramWasNotRunningAreIndexedAtStart)
{
    index.Close();
    // Another copy or a hand edit changes a page and adds a checklist; the title of 14 too.
    details("12", "Οδηγίες για το ταξίδι");
    checklist("11", {"Fahrkarte kaufen"});
    store.Find("14")->text = "大阪 trip";

    SearchIndex again(root / "Search.db", folders, log);
    ASSERT_TRUE(again.Open());
    EXPECT_EQ(again.Refresh(snapshot()), 3);
    EXPECT_EQ(find(again, "ταξιδι"), (V{"12:P"}));
    EXPECT_EQ(find(again, "fahrkarte"), (V{"11:C"}));
    EXPECT_EQ(find(again, "大阪"), (V{"14:T"}));
    EXPECT_EQ(find(again, "東京"), (V{"14:P"}));
    EXPECT_TRUE(find(again, "καλημερα").empty());
}

TEST_F(SearchIndexTest, UnusableIndexFilesAreRebuiltAndAnswerTheSame)
{
    const std::vector<std::string> queries = {"cafe", "\"blue door\"", "blu*", "ХЛЕБ", "東京", "door -manual"};
    std::vector<std::vector<std::string>> before;
    for (const auto &q : queries) before.push_back(find(q));
    const std::string path = root / "Search.db";

    auto damage = [&](const std::function<void()> &how, const char *what) {
        SCOPED_TRACE(what);
        index.Close();
        how();
        SearchIndex again(path, folders, log);
        EXPECT_FALSE(again.Open()) << "an unusable file is not used";
        EXPECT_FALSE(std::filesystem::exists(path)) << "and is removed";
        ASSERT_TRUE(again.Build(snapshot()));
        for (std::size_t i = 0; i < queries.size(); ++i) EXPECT_EQ(find(again, queries[i]), before[i]) << queries[i];
        again.Close();
    };
    damage([&] { std::filesystem::remove(path); }, "deleted");
    damage([&] { std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2); }, "truncated");
    damage([&] { std::ofstream(path, std::ios::binary | std::ios::trunc) << std::string(8192, 'x'); }, "garbage");
    damage([&] {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "UPDATE meta SET value=0 WHERE key='layout'", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }, "older layout");
    damage([&] {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "DELETE FROM meta WHERE key='complete'", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }, "build never finished");
    // The file is data, never code: what someone planted in it is never run, and damage the
    // file's own check cannot see inside the full-text index is found too.
    auto plant = [&](const char *sql) {
        return [&, sql] {
            sqlite3 *db = nullptr;
            ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
            ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK)
                << sqlite3_errmsg(db);
            sqlite3_close(db);
        };
    };
    damage(plant("CREATE TRIGGER endless AFTER INSERT ON docs BEGIN WITH RECURSIVE c(x) AS "
                 "(SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT count(*) FROM c; END"),
           "a trigger planted");
    damage(plant("CREATE VIEW v AS SELECT * FROM docs"), "a view planted");
    damage(plant("UPDATE fts_data SET block = zeroblob(length(block)) WHERE id > 10"),
           "full-text data damaged");
    // A build that was cut off leaves its working file; the next open clears it away.
    writeFile(path + ".new", "half");
    SearchIndex fresh(path, folders, log);
    fresh.Open();
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

}  // namespace
}  // namespace nimbus::test
