// The search index on a thread of its own, so that typing never waits: queries, builds and
// updates are queued to one worker, which alone touches the index file. A new query replaces
// one that has not started yet. Answers and reports come back through callbacks that run on
// the worker thread; the window passes them on to its own thread.
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

#include "search/SearchIndex.h"

namespace nimbus::search {

class SearchService {
public:
    enum class State { Starting, Building, Ready, Unavailable };
    struct Callbacks {
        std::function<void(std::uint64_t ticket, std::vector<IndexHit> hits)> results;
        std::function<void(std::int64_t done, std::int64_t total)> progress;
        std::function<void(State state)> state;
        std::function<void(const std::string &line)> log;
    };

    SearchService(std::string indexPath, ContentFolders folders, Callbacks callbacks);
    ~SearchService();  // cancels a build and waits for the worker
    SearchService(const SearchService &) = delete;
    SearchService &operator=(const SearchService &) = delete;

    // Opens the index, builds it when it is not usable, then brings it in line with topics.
    void Start(std::vector<TopicEntry> topics);
    // Compares the index with the store again (after merges; periodically); rebuilds when the
    // index asks for it.
    void Refresh(std::vector<TopicEntry> topics);
    void TopicChanged(TopicEntry topic);
    void TopicRemoved(std::string uni);
    // Queues a query; the answer carries the returned ticket.
    std::uint64_t Query(SearchQuery query, int limit);
    // Blocks until the queue is empty (tests and the closing sequence).
    void WaitIdle();
    State state() const { return state_; }

private:
    class QueuedLog;
    using Job = std::function<void()>;
    void post(Job job);
    void run();
    void setState(State s);
    void buildFrom(const std::vector<TopicEntry> &topics);

    Callbacks callbacks_;
    std::unique_ptr<QueuedLog> log_;
    std::unique_ptr<SearchIndex> index_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Job> jobs_;
    std::optional<std::pair<std::uint64_t, std::pair<SearchQuery, int>>> pendingQuery_;
    std::uint64_t nextTicket_ = 1;
    bool busy_ = false;
    bool stopping_ = false;
    std::atomic<bool> cancelBuild_{false};
    std::atomic<State> state_{State::Starting};
    std::thread worker_;
};

}  // namespace nimbus::search
