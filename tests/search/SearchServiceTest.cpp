// The index worker: a query typed while another is being answered waits; a newer one takes its
// place, so the worker never answers what the user has already typed over; a topic saved before
// a query is indexed before that query is answered.
#include <condition_variable>
#include <mutex>

#include "SearchFixture.h"
#include "search/SearchService.h"

namespace nimbus::test {
namespace {

using search::SearchService;

class SearchServiceTest : public SearchStore {};

// The answers a service gives, in order; the first one holds the worker until released, so that
// a test can queue work behind it.
class HeldAnswers {
public:
    SearchService::Callbacks callbacks()
    {
        SearchService::Callbacks callbacks;
        callbacks.results = [this](std::uint64_t ticket, search::TopicAnswer answer) {
            std::unique_lock lock(mutex_);
            tickets.push_back(ticket);
            std::vector<std::string> found;
            for (const search::TopicHit &hit : answer.hits)
                found.push_back(hit.topic);
            topics.push_back(found);
            if (tickets.size() == 1) {
                held_ = true;
                changed_.notify_all();
                changed_.wait(lock, [this] { return released_; });
            }
        };
        return callbacks;
    }
    void waitUntilHeld()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return held_; });
    }
    void release()
    {
        {
            std::lock_guard lock(mutex_);
            released_ = true;
        }
        changed_.notify_all();
    }

    std::vector<std::uint64_t> tickets;
    std::vector<std::vector<std::string>> topics;

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool held_ = false;
    bool released_ = false;
};

TEST_F(SearchServiceTest, ANewerQueryReplacesOneNotYetStarted)
{
    HeldAnswers answers;
    SearchService service(root / "Service.db", folders, answers.callbacks());
    service.Start(snapshot());
    service.WaitIdle();
    ASSERT_EQ(service.state(), SearchService::State::Ready);

    const std::uint64_t first = service.Query(search::ParseQuery("door"), {}, 10);
    answers.waitUntilHeld();
    const std::uint64_t replaced = service.Query(search::ParseQuery("manual"), {}, 10);
    const std::uint64_t newest = service.Query(search::ParseQuery("cafe"), {}, 10);
    answers.release();
    service.WaitIdle();

    EXPECT_NE(replaced, newest);
    ASSERT_EQ(answers.tickets, (std::vector<std::uint64_t>{first, newest}));
    EXPECT_EQ(answers.topics[1], (std::vector<std::string>{"10"})) << "the newest query's answer";
}

// A page saved and then searched for at once: the topic goes into the index before the query
// is answered, even though queries otherwise go before queued work.
TEST_F(SearchServiceTest, AQueryAfterASaveFindsTheSavedWords)
{
    HeldAnswers answers;
    SearchService service(root / "Service.db", folders, answers.callbacks());
    service.Start(snapshot());
    service.WaitIdle();
    ASSERT_EQ(service.state(), SearchService::State::Ready);

    // While the worker answers another query, the user writes a word on a page, the page is
    // saved, and the word is searched for.
    service.Query(search::ParseQuery("door"), {}, 10);
    answers.waitUntilHeld();
    details("11", "Die Straße ist lang. Zebrafisch im Aquarium");
    service.TopicChanged({"11", "Reise nach München"});
    service.Query(search::ParseQuery("zebrafisch"), {}, 10);
    answers.release();
    service.WaitIdle();

    ASSERT_EQ(answers.topics.size(), 2u);
    EXPECT_EQ(answers.topics[1], (std::vector<std::string>{"11"}));
}

} // namespace
} // namespace nimbus::test
