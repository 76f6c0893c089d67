// The index's re-check at start-up: with nothing changed it trusts a summary of the topics and
// the content folders and walks nothing, yet every change made while the program was not
// running is still indexed: pages replaced by another program (also within one tick of the file
// system's clock, same size), files made or removed, renames, pages rewritten in place (by the
// full look), and topics that a crash kept out of the saved store. The window's start hands
// the worker only the topics' digest, and the worker asks for the topics exactly when the
// summary does not hold.
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <mutex>
#include <set>

#include "SearchFixture.h"
#include "search/SearchService.h"
#include "search/StoreTopics.h"

namespace nimbus::test {
namespace {

using search::SearchIndex;
using Check = SearchIndex::Check;

class SearchRecheck : public SearchStore {
protected:
    // The content folders as a later start finds them: changed an hour ago, so that their
    // times tell any change since apart.
    void settle()
    {
        const auto before = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
        for (const std::string &folder : {folders.packs, folders.text, folders.checkList})
            std::filesystem::last_write_time(folder, before);
    }
    std::string detailsPath(const std::string &uni)
    {
        return content::PagePath(page(uni, kPageDetails), folders, log);
    }
    // What another program does: the file's bytes rewritten in place, its folder untouched;
    static void rewriteInPlace(const std::string &path, const std::string &bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes; // the same file, cut and written
    }
    // or a new file put in its place, as editors and file-sync tools save.
    static void replace(const std::string &path, const std::string &bytes)
    {
        std::ofstream(path + ".new", std::ios::binary) << bytes;
        std::filesystem::rename(path + ".new", path);
    }
    static void setModified(const std::string &path, timespec when)
    {
        const timespec times[2] = {when, when};
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    }
    std::int64_t storedSummary()
    {
        sqlite3 *db = nullptr;
        std::int64_t value = -1;
        sqlite3_open_v2((root / "Search.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt *s = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT value FROM meta WHERE key='summary'", -1, &s, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(s) == SQLITE_ROW)
            value = sqlite3_column_int64(s, 0);
        sqlite3_finalize(s);
        sqlite3_close_v2(db);
        return value;
    }
    // A start of the program: the index opened again and brought in line with the store.
    int restart(Check check = Check::Summary)
    {
        index.Close();
        EXPECT_TRUE(index.Open());
        return index.Refresh(snapshot(), check);
    }
};

TEST_F(SearchRecheck, NothingChangedFindsNothingAndEachKindOfChangeIsStillIndexed)
{
    settle();
    ASSERT_TRUE(index.Build(snapshot()));
    EXPECT_NE(storedSummary(), 0) << "settled folders give a summary to trust";
    EXPECT_EQ(storedSummary(), index.StateSummary(snapshot()));
    EXPECT_EQ(restart(), 0);
    EXPECT_EQ(restart(Check::EveryTopic), 0);

    // Another program replaces a page.
    const std::string path = detailsPath("11");
    replace(path, "Ganz andere Worte: Wanderkarte und Proviant");
    EXPECT_EQ(restart(), 1);
    EXPECT_EQ(find("wanderkarte"), (V{"11:P"}));
    EXPECT_TRUE(find("koln").empty());

    // Or rewrites it in place, which leaves the folder's time as it was: the full look finds it.
    settle();
    EXPECT_EQ(restart(), 0);
    rewriteInPlace(path, "Ganz andere Worte: Landkarte");
    EXPECT_EQ(restart(Check::EveryTopic), 1);
    EXPECT_EQ(find("landkarte"), (V{"11:P"}));

    // A checklist made (its file is new, the page list replaced), a title changed, a topic gone.
    settle();
    EXPECT_EQ(restart(), 0);
    checklist("15", {"Pinsel waschen"});
    EXPECT_EQ(restart(), 1);
    EXPECT_EQ(find("pinsel"), (V{"15:C"}));
    store.Find("13")->text = "Петербург notes";
    store.Delete(store.IndexOf("20"));
    EXPECT_EQ(restart(), 2);
    EXPECT_EQ(find("петербург"), (V{"13:T"}));
    EXPECT_EQ(find("manual"), V{});

    // A page's file removed by hand: the topic loses that text.
    settle();
    EXPECT_EQ(restart(), 0);
    std::filesystem::remove(detailsPath("14"));
    EXPECT_EQ(restart(), 1);
    EXPECT_EQ(find("タワー"), V{});
    EXPECT_EQ(find("東京"), (V{"14:T"}));
}

// A file system keeps times in ticks: a page indexed right after it was written and then
// replaced within the same tick keeps its size and time, and so does its folder. Its bytes tell.
TEST_F(SearchRecheck, APageReplacedWithinTheSameTickOfTheFileClockIsIndexedAgain)
{
    settle();
    const std::string path = detailsPath("15");
    const std::string before = "paint the blue door red"; // as the store has it
    const std::string after = "sand the green gate off";
    ASSERT_EQ(std::filesystem::file_size(path), after.size());
    // Written "now", as far as the index can tell (a time ahead of the clock counts so too).
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    now.tv_sec += 3600;
    setModified(path, now);
    setModified(folders.text, now);
    ASSERT_TRUE(index.Build(snapshot()));

    replace(path, after);
    setModified(path, now);
    setModified(folders.text, now);
    EXPECT_EQ(restart(), 1);
    EXPECT_EQ(find("green"), (V{"15:P"}));
    EXPECT_EQ(find("\"blue door\""), (V{"15:T"}));

    rewriteInPlace(path, before);
    setModified(path, now);
    EXPECT_EQ(restart(Check::EveryTopic), 1);
    EXPECT_EQ(find("green"), V{});
    EXPECT_EQ(restart(Check::EveryTopic), 0) << "the same bytes are no change";
}

// A folder that changed just before the index looked may change again within the same tick
// without its time moving; such a folder gives no summary, and the next start compares all.
TEST_F(SearchRecheck, AFolderChangedJustBeforeTheLookIsNotTrusted)
{
    settle();
    const std::string packs = folders.packs;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    setModified(packs, now);
    EXPECT_EQ(index.StateSummary(snapshot()), 0);
    ASSERT_TRUE(index.Build(snapshot()));
    EXPECT_EQ(storedSummary(), 0);

    // Another page list arrives in the same tick: the folder's time stays as it was.
    checklist("14", {"Reisepass"});
    setModified(packs, now);
    setModified(folders.checkList, now);
    EXPECT_EQ(restart(), 1);
    EXPECT_EQ(find("reisepass"), (V{"14:C"}));
}

// A topic indexed during a session that ended before the store was saved is not in the store
// the next start reads, although the store and its folders look as they did at the last look.
TEST_F(SearchRecheck, TopicsIndexedButNeverSavedAreDroppedAtTheNextStart)
{
    settle();
    ASSERT_TRUE(index.Build(snapshot()));
    ASSERT_EQ(restart(), 0);
    const auto saved = snapshot();

    addNode(store, "30", 1, "Unsaved zeppelin", 1);
    ASSERT_TRUE(index.UpdateTopic({"30", "Unsaved zeppelin"}));
    ASSERT_TRUE(index.UpdateTopic({"13", "Renamed zeppelin"}));
    ASSERT_EQ(find("zeppelin").size(), 2u);

    // The crash: the saved store still has the topics as they were.
    store.Delete(store.IndexOf("30"));
    index.Close();
    ASSERT_TRUE(index.Open());
    EXPECT_EQ(index.Refresh(saved), 2);
    EXPECT_EQ(find("zeppelin"), V{});
    EXPECT_EQ(find("москва"), (V{"13:T"}));
}

// The digest taken from the store is the one taken from its copy, and it changes with any
// rename, addition, removal or swap of two titles.
TEST_F(SearchRecheck, TheStoresDigestIsItsCopysAndSeesEveryChangeOfIdsAndTitles)
{
    using search::SearchIndex;
    auto digest = [this] { return search::DigestTopics(store).value(); };
    EXPECT_EQ(digest(), SearchIndex::Digest(search::CopyTopics(store)).value());
    EXPECT_EQ(SearchIndex::Digest(search::CopyTopics(store)).value(),
              SearchIndex::Digest(snapshot()).value());

    std::vector<std::uint64_t> seen{digest()};
    store.Find("13")->text = "Moscow notes";
    seen.push_back(digest());
    // A title moved from one topic to the next keeps every text but not their pairing.
    store.Find("14")->text = "Moscow notes";
    store.Find("13")->text = "東京 trip";
    seen.push_back(digest());
    addNode(store, "16", 1, "New topic", 1);
    seen.push_back(digest());
    store.Delete(store.IndexOf("16"));
    store.Delete(store.IndexOf("20"));
    seen.push_back(digest());
    EXPECT_EQ(std::set<std::uint64_t>(seen.begin(), seen.end()).size(), seen.size());
    EXPECT_EQ(digest(), SearchIndex::Digest(snapshot()).value());
}

// The worker as the window runs it: each start hands over the digest alone and supplies the
// topics only when asked. Nothing changed asks nothing; every change made while the program
// was closed (a title, a page replaced by another program, a topic removed, the index file
// lost) and an edit during the session make it ask, and the change is indexed.
class DigestStarts {
public:
    DigestStarts(const std::filesystem::path &file, const ContentFolders &folders,
                 const TNimbusStructure &store)
        : file_(file), folders_(folders), store_(store)
    {
    }
    // One run of the program: started from the digest, idle, closed. The asks it made.
    int start()
    {
        return run([](search::SearchService &) {});
    }
    // A run in which the user searches for a word at once: the topics found.
    std::vector<std::string> startAndFind(const std::string &word)
    {
        std::vector<std::string> found;
        std::mutex mutex;
        results_ = [&found, &mutex](search::TopicAnswer answer) {
            std::lock_guard lock(mutex);
            for (const search::TopicHit &hit : answer.hits)
                found.push_back(hit.topic);
        };
        run([&word](search::SearchService &service) {
            service.Query(search::ParseQuery(word), {}, 10);
        });
        results_ = nullptr;
        std::lock_guard lock(mutex);
        return found;
    }
    // A run in which one topic is edited and saved, and the periodic check follows.
    int startSaveAndCheck(const std::string &uni, const std::function<void()> &edit)
    {
        return run([this, uni, &edit](search::SearchService &service) {
            service.WaitIdle();
            const int before = asks_;
            edit();
            service.TopicChanged({uni, store_.Find(uni)->text});
            service.Refresh(search::DigestTopics(store_));
            service.WaitIdle();
            EXPECT_EQ(asks_, before + 1) << "a saved topic drops the summary";
        });
    }
    search::SearchService::State state = search::SearchService::State::Starting;

private:
    template <class During> int run(During during)
    {
        asks_ = 0;
        search::SearchService *running = nullptr;
        search::SearchService::Callbacks callbacks;
        // Answered on the worker, as the window answers on its own thread.
        callbacks.topicsWanted = [this, &running] {
            ++asks_;
            running->Supply(std::make_shared<const search::TopicList>(search::CopyTopics(store_)));
        };
        callbacks.results = [this](std::uint64_t, search::TopicAnswer answer) {
            if (results_)
                results_(std::move(answer));
        };
        search::SearchService service(file_, folders_, callbacks);
        running = &service;
        service.Start(search::DigestTopics(store_));
        during(service);
        service.WaitIdle();
        state = service.state();
        return asks_;
    }

    std::string file_;
    ContentFolders folders_;
    const TNimbusStructure &store_;
    int asks_ = 0;
    std::function<void(search::TopicAnswer)> results_;
};

TEST_F(SearchRecheck, AStartFromTheDigestAsksForTheTopicsExactlyWhenSomethingChanged)
{
    using State = search::SearchService::State;
    settle();
    DigestStarts program(root / "Search.db", folders, store);
    EXPECT_EQ(program.start(), 1) << "no index yet: built from the topics";
    EXPECT_EQ(program.state, State::Ready);
    EXPECT_EQ(program.start(), 0);
    EXPECT_EQ(program.state, State::Ready);
    // Nothing changed: the file opens when the query needs it.
    EXPECT_EQ(program.startAndFind("door"), (V{"15", "20"}));
    auto found = [this](const std::string &word) {
        index.Close();
        EXPECT_TRUE(index.Open());
        return find(word);
    };

    store.Find("13")->text = "Петербург notes";
    EXPECT_EQ(program.start(), 1);
    EXPECT_EQ(found("петербург"), (V{"13:T"}));
    EXPECT_EQ(program.start(), 0);

    // Another program replaced a page an hour before the start.
    replace(detailsPath("11"), "Ganz andere Worte: Wanderkarte");
    settle();
    EXPECT_EQ(program.start(), 1);
    EXPECT_EQ(found("wanderkarte"), (V{"11:P"}));

    store.Delete(store.IndexOf("20"));
    EXPECT_EQ(program.start(), 1);
    EXPECT_EQ(found("manual"), V{});
    EXPECT_EQ(program.start(), 0);

    // A topic saved during a session drops the summary: the periodic check that follows asks.
    EXPECT_EQ(program.startSaveAndCheck("15", [this] { store.Find("15")->text = "Green door"; }),
              1);
    EXPECT_EQ(found("green"), (V{"15:T"}));

    index.Close();
    std::filesystem::remove(root / "Search.db");
    EXPECT_EQ(program.start(), 1);
    EXPECT_EQ(program.state, State::Ready);
    EXPECT_EQ(found("green"), (V{"15:T"}));
}

// The topics are hashed from a packed list: where one id or title ends must still count, or a
// title whose first letters became the end of its id would look unchanged.
TEST_F(SearchRecheck, TheSummaryTellsWhereEachIdAndTitleEnds)
{
    settle();
    const std::int64_t split = index.StateSummary(search::TopicList{{"1", "ab"}, {"2", ""}});
    ASSERT_NE(split, 0);
    EXPECT_EQ(index.StateSummary(std::vector<search::TopicEntry>{{"1", "ab"}, {"2", ""}}), split);
    EXPECT_NE(index.StateSummary(search::TopicList{{"1a", "b"}, {"2", ""}}), split);
    EXPECT_NE(index.StateSummary(search::TopicList{{"1", "ab2"}, {"", ""}}), split);
    EXPECT_NE(index.StateSummary(search::TopicList{{"1", "ab"}}), split);
}

} // namespace
} // namespace nimbus::test
