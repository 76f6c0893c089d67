// The search index on a thread of its own, so that typing never waits: queries, builds and
// updates are queued to one worker, which alone touches the index file. A new query replaces
// one that has not started yet. Answers carry the snippets of the pages they show, cut from
// the worker's small cache of page texts. Answers and reports come back through callbacks that
// run on the worker thread; the window passes them on to its own thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "search/PageTextCache.h"
#include "search/SearchIndex.h"
#include "search/StoreTopics.h"

namespace nimbus::search {

class SearchService {
public:
    enum class State { Starting, Building, Ready, Unavailable };
    struct Callbacks {
        std::function<void(std::uint64_t ticket, TopicAnswer answer)> results;
        std::function<void(std::int64_t done, std::int64_t total)> progress;
        std::function<void(State state)> state;
        std::function<void(const std::string &line)> log;
        // The index needs the topics themselves: a digest handed to Start or Refresh did not
        // match its summary, or it is to be built. Runs on the worker; the owner answers with
        // Supply from its own thread. Asked once until the answer arrives.
        std::function<void()> topicsWanted;
    };

    SearchService(std::string indexPath, ContentFolders folders, Callbacks callbacks);
    ~SearchService();  // cancels a build and waits for the worker
    SearchService(const SearchService &) = delete;
    SearchService &operator=(const SearchService &) = delete;

    // Opens the index, builds it when it is not usable, then brings it in line with topics.
    void Start(TopicList topics);
    void Start(SharedTopics topics);
    // The same from the topics' digest alone (the window's start): while the index's summary
    // holds for it, nothing else is needed and no copy of the topics exists; otherwise the
    // worker asks for them (Callbacks::topicsWanted, which callers of the digest forms must
    // set) and goes on when they are supplied.
    void Start(SearchIndex::TopicsDigest topics);
    // Compares the index with the store again (after merges; periodically); rebuilds when the
    // index asks for it.
    void Refresh(TopicList topics);
    void Refresh(SharedTopics topics);
    void Refresh(SearchIndex::TopicsDigest topics);
    // The topics asked for (Callbacks::topicsWanted), taken when the owner answers.
    void Supply(SharedTopics topics);
    void TopicChanged(TopicEntry topic);
    void TopicRemoved(std::string uni);
    // Queues a query with the topics its filters let through (FilteredTopics, made with the
    // store at hand); the answer carries the returned ticket.
    std::uint64_t Query(SearchQuery query, TopicFilter allowed, std::size_t limit);
    // Blocks until the queue is empty (tests and the closing sequence).
    void WaitIdle();
    State state() const { return state_; }
    // Pages read from their files for snippets so far (call when idle).
    std::int64_t PageReads() const { return pages_->Reads(); }

private:
    class QueuedLog;
    using Job = std::function<void()>;
    // A topic job (one topic saved or removed) is small and goes before a waiting query, so
    // that a query typed after an edit sees it; other jobs wait behind the query.
    void post(Job job, bool topicJob = false);
    void run();
    void setState(State s);
    void buildFrom(const TopicList &topics);
    void bringInLine(const TopicList &topics, bool ready);
    void wantTopics();
    bool openIndex();
    void addSnippets(TopicAnswer &answer, const SearchQuery &query);

    struct PendingQuery {
        std::uint64_t ticket = 0;
        SearchQuery query;
        TopicFilter allowed;
        std::size_t limit = 0;
    };

    Callbacks callbacks_;
    std::unique_ptr<QueuedLog> log_;
    std::unique_ptr<SearchIndex> index_;
    std::unique_ptr<PageTextCache> pages_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    struct QueuedJob {
        Job job;
        bool topic = false;
    };
    std::deque<QueuedJob> jobs_;
    std::optional<PendingQuery> pendingQuery_;
    std::uint64_t nextTicket_ = 1;
    bool busy_ = false;
    bool stopping_ = false;
    bool topicsWanted_ = false; // asked for the topics, no answer yet (the worker's alone)
    bool openLater_ = false;    // the index is to be opened when first used (the worker's alone)
    std::atomic<bool> cancelBuild_{false};
    std::atomic<State> state_{State::Starting};
    std::thread worker_;
};

}  // namespace nimbus::search
