// The index worker: a query typed while another is being answered waits; a newer one takes its
// place, so the worker never answers what the user has already typed over.
#include <condition_variable>
#include <mutex>

#include "SearchFixture.h"
#include "search/SearchService.h"

namespace nimbus::test {
namespace {

using search::SearchService;

class SearchServiceTest : public SearchStore {};

TEST_F(SearchServiceTest, ANewerQueryReplacesOneNotYetStarted)
{
    std::mutex mutex;
    std::condition_variable changed;
    bool firstHeld = false;
    bool release = false;
    std::vector<std::uint64_t> answered;
    std::vector<std::vector<std::string>> topics;
    SearchService::Callbacks callbacks;
    // The first answer holds the worker until the test has queued two more queries.
    callbacks.results = [&](std::uint64_t ticket, search::TopicAnswer answer) {
        std::unique_lock lock(mutex);
        answered.push_back(ticket);
        std::vector<std::string> found;
        for (const search::TopicHit &hit : answer.hits)
            found.push_back(hit.topic);
        topics.push_back(found);
        if (answered.size() == 1) {
            firstHeld = true;
            changed.notify_all();
            changed.wait(lock, [&] { return release; });
        }
    };
    SearchService service(root / "Service.db", folders, callbacks);
    service.Start(snapshot());
    service.WaitIdle();
    ASSERT_EQ(service.state(), SearchService::State::Ready);

    const std::uint64_t first = service.Query(search::ParseQuery("door"), {}, 10);
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return firstHeld; });
    }
    const std::uint64_t replaced = service.Query(search::ParseQuery("manual"), {}, 10);
    const std::uint64_t newest = service.Query(search::ParseQuery("cafe"), {}, 10);
    {
        std::lock_guard lock(mutex);
        release = true;
    }
    changed.notify_all();
    service.WaitIdle();

    EXPECT_NE(replaced, newest);
    ASSERT_EQ(answered, (std::vector<std::uint64_t>{first, newest}));
    EXPECT_EQ(topics[1], (std::vector<std::string>{"10"})) << "the newest query's answer";
}

// A page saved and then searched for at once: the topic goes into the index before the query
// is answered, even though queries otherwise go before queued work.
TEST_F(SearchServiceTest, AQueryAfterASaveFindsTheSavedWords)
{
    std::mutex mutex;
    std::condition_variable changed;
    bool firstHeld = false;
    bool release = false;
    std::vector<std::vector<std::string>> topics;
    SearchService::Callbacks callbacks;
    callbacks.results = [&](std::uint64_t, search::TopicAnswer answer) {
        std::unique_lock lock(mutex);
        std::vector<std::string> found;
        for (const search::TopicHit &hit : answer.hits)
            found.push_back(hit.topic);
        topics.push_back(found);
        if (topics.size() == 1) {
            firstHeld = true;
            changed.notify_all();
            changed.wait(lock, [&] { return release; });
        }
    };
    SearchService service(root / "Service.db", folders, callbacks);
    service.Start(snapshot());
    service.WaitIdle();
    ASSERT_EQ(service.state(), SearchService::State::Ready);

    // While the worker answers another query, the user writes a word on a page, the page is
    // saved, and the word is searched for.
    service.Query(search::ParseQuery("door"), {}, 10);
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return firstHeld; });
    }
    details("11", "Die Straße ist lang. Zebrafisch im Aquarium");
    service.TopicChanged({"11", "Reise nach München"});
    service.Query(search::ParseQuery("zebrafisch"), {}, 10);
    {
        std::lock_guard lock(mutex);
        release = true;
    }
    changed.notify_all();
    service.WaitIdle();

    ASSERT_EQ(topics.size(), 2u);
    EXPECT_EQ(topics[1], (std::vector<std::string>{"11"}));
}

} // namespace
} // namespace nimbus::test
