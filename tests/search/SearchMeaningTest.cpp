// What a search means, on the real index of a real store: the words of one topic may lie in
// its title, pages and checklists; an excluded word anywhere in a topic removes it; filters
// find every topic that passes, however many others the words match; title hits come first;
// snippets come from the worker's cache, not from every page at every keystroke.
#include <algorithm>
#include <mutex>

#include "SearchFixture.h"
#include "search/SearchFilters.h"
#include "search/SearchService.h"

namespace nimbus::test {
namespace {

class SearchMeaning : public SearchStore {
protected:
    // The topics found, in order, without their places.
    V topics(const std::string &text, std::size_t limit = 200)
    {
        V out;
        for (const std::string &found : find(index, text, limit))
            out.push_back(found.substr(0, found.find(':')));
        return out;
    }
};

TEST_F(SearchMeaning, EveryWordSomewhereInTheTopicAndPhrasesWithinOneText)
{
    addNode(store, "30", 1, "Quarterly budget", 1, store.IndexOf("STD0005"));
    details("30", "{\\rtf1 Figures for 2024\\par}");
    checklist("30", {"ask the bank"});
    ASSERT_TRUE(index.Build(snapshot()));

    EXPECT_EQ(find("budget 2024"), (V{"30:TP"})) << "title and page together";
    EXPECT_EQ(find("2024 bank quarterly").size(), 1u) << "title, page and checklist together";
    V cafeMilk = find("cafe milk");
    ASSERT_EQ(cafeMilk.size(), 1u);
    std::sort(cafeMilk[0].begin() + 4, cafeMilk[0].end());
    EXPECT_EQ(cafeMilk[0], "10:TCP") << "the title first, then the page and checklist";
    EXPECT_TRUE(find("budget 2025").empty()) << "a word missing everywhere";
    EXPECT_TRUE(find("\"budget figures\"").empty()) << "a phrase never runs from title to page";
    EXPECT_TRUE(find("\"2024 ask\"").empty()) << "nor from page to checklist";
    EXPECT_EQ(find("\"figures for\" budget"), (V{"30:TP"}));
    EXPECT_EQ(topics("budget"), (V{"10", "30"})) << "both titles hold it";
}

TEST_F(SearchMeaning, AnExcludedWordAnywhereRemovesTheTopic)
{
    ASSERT_TRUE(index.Build(snapshot()));
    // 15: title "Blue door", page "paint the blue door red".
    EXPECT_EQ(find("blue -red"), (V{"20:P"})) << "the page of 15 says red";
    EXPECT_EQ(find("door -paint"), (V{"20:P"}));
    EXPECT_EQ(topics("cafe -zoe"), V{}) << "the checklist of 10 names Zoë";
    EXPECT_EQ(topics("blue -\"door red\""), V{"20"}) << "an excluded phrase too";
    EXPECT_EQ(topics("blue -\"red door\""), (V{"15", "20"})) << "a phrase that is nowhere";
}

TEST_F(SearchMeaning, TitleHitsComeFirstThenTheBestPages)
{
    addNode(store, "31", 1, "Garden shed", 1, store.IndexOf("STD0005"));
    details("31", "door door door door door, the door of the door");
    addNode(store, "32", 1, "Attic", 1, store.IndexOf("STD0005"));
    std::string filler;
    for (int i = 0; i < 500; ++i)
        filler += "filler words ";
    details("32", filler + " door " + filler);
    ASSERT_TRUE(index.Build(snapshot()));
    EXPECT_EQ(topics("door"), (V{"15", "31", "20", "32"}))
        << "the title first, then the page full of the word, the short page, the long page";
}

// Many topics hold the word in their titles; one holds it on its page and alone passes the
// filter. The limit counts what passes, so it is found.
TEST_F(SearchMeaning, FiltersDecideBeforeRankingAndTheLimit)
{
    const int topicsEnd = store.IndexOf("STD0005");
    for (int i = 0; i < 300; ++i) {
        TNimbusNode &notes = addNode(store, "M" + std::to_string(i), 1,
                                     "Meeting notes " + std::to_string(i), 1, topicsEnd + i);
        notes.ttype = kTopicTask;
        notes.status = kStatusNotStarted;
    }
    TNimbusNode &planning = addNode(store, "40", 1, "Planning", 5);
    planning.ttype = kTopicEvent;
    planning.status = kStatusWaiting;
    planning.urgent = true;
    planning.dlDate = "20240312";
    details("40", "The planning meeting is on Tuesday");
    ASSERT_TRUE(index.Build(snapshot()));

    for (const char *filter :
         {"type:event", "status:waiting", "due:<7d", "urgent", "section:product"}) {
        SCOPED_TRACE(filter);
        const std::string query = std::string("meeting ") + filter;
        EXPECT_EQ(find(query), V{"40:P"});
        EXPECT_EQ(find(std::string(filter) + " meeting"), V{"40:P"}) << "in any order";
    }
    EXPECT_EQ(topics("meeting").size(), 200u) << "the limit holds";
    EXPECT_EQ(topics("meeting", 400).back(), "40") << "title hits first";

    const search::SearchQuery tasks = search::ParseQuery("meeting type:task");
    const search::TopicAnswer answer =
        index.Query(tasks, search::FilteredTopics(store, tasks.filters, clock), 200);
    EXPECT_EQ(answer.hits.size(), 200u);
    EXPECT_EQ(answer.total, 300u) << "every match is counted";
    EXPECT_TRUE(std::all_of(answer.hits.begin(), answer.hits.end(),
                            [](const search::TopicHit &hit) { return hit.topic[0] == 'M'; }));
}

// Typing a word asks for the same pages keystroke after keystroke: each is read once, and
// again only after its topic was saved.
TEST_F(SearchMeaning, SnippetsComeFromACacheOfThePagesShown)
{
    std::mutex mutex;
    search::TopicAnswer last;
    search::SearchService::Callbacks callbacks;
    callbacks.results = [&](std::uint64_t, search::TopicAnswer answer) {
        std::lock_guard lock(mutex);
        last = std::move(answer);
    };
    search::SearchService service(root / "Service.db", folders, callbacks);
    service.Start(snapshot());
    auto ask = [&](const std::string &text) {
        service.Query(search::ParseQuery(text), {}, 200);
        service.WaitIdle();
        std::lock_guard lock(mutex);
        return last;
    };
    for (const char *typed : {"door", "blue", "door blue", "blue door", "blu*", "door"}) {
        SCOPED_TRACE(typed);
        const search::TopicAnswer answer = ask(typed);
        ASSERT_EQ(answer.hits.size(), 2u);
        for (const search::TopicHit &hit : answer.hits) {
            ASSERT_TRUE(hit.snippet) << hit.topic;
            EXPECT_FALSE(hit.snippet->marks.empty()) << hit.topic;
        }
    }
    const std::int64_t reads = service.PageReads();
    EXPECT_EQ(reads, 2) << "the pages of 15 and 20, each once";

    const search::TopicAnswer geneve = ask("geneve");
    ASSERT_EQ(geneve.hits.size(), 1u);
    ASSERT_TRUE(geneve.hits[0].snippet);
    const search::Snippet &snippet = *geneve.hits[0].snippet;
    ASSERT_EQ(snippet.marks.size(), 1u);
    EXPECT_EQ(
        snippet.text.substr(snippet.marks[0].begin, snippet.marks[0].end - snippet.marks[0].begin),
        "Genève");

    const search::TopicAnswer milk = ask("milk");
    ASSERT_EQ(milk.hits.size(), 1u);
    EXPECT_EQ(milk.hits[0].shown()->kind, search::HitKind::Checklist);
    EXPECT_EQ(milk.hits[0].snippet->text, "buy milk call Zoë ");
    EXPECT_EQ(service.PageReads(), reads + 2);

    // A save: the page is read again, once.
    details("10", "Le café est fermé à Genève");
    service.TopicChanged({"10", "Café budget"});
    service.WaitIdle();  // a waiting query would go first
    EXPECT_EQ(ask("geneve").hits[0].snippet->text, "Le café est fermé à Genève");
    ask("geneve f*");
    EXPECT_EQ(service.PageReads(), reads + 3);
}

} // namespace
} // namespace nimbus::test
