#include "search/SearchService.h"

#include <algorithm>

namespace nimbus::search {

class SearchService::QueuedLog : public StoreLog {
public:
    explicit QueuedLog(const Callbacks &callbacks) : callbacks_(callbacks) {}
    void AddToLog(const std::string &message) override {
        if (callbacks_.log) callbacks_.log(message);
    }
    void AddErrorToLog(const std::string &message, const std::string &detail) override {
        if (callbacks_.log) callbacks_.log(detail.empty() ? message : message + ": " + detail);
    }

private:
    const Callbacks &callbacks_;
};

namespace {

class BuildProgress : public fileio::OperationProgress {
public:
    BuildProgress(const SearchService::Callbacks &callbacks, const std::atomic<bool> &cancel)
        : callbacks_(callbacks), cancel_(cancel) {}
    void report(std::int64_t done, std::int64_t total, const std::string &) override {
        if (callbacks_.progress) callbacks_.progress(done, total);
    }
    bool cancelled() const override { return cancel_; }

private:
    const SearchService::Callbacks &callbacks_;
    const std::atomic<bool> &cancel_;
};

}  // namespace

SearchService::SearchService(std::string indexPath, ContentFolders folders, Callbacks callbacks)
    : callbacks_(std::move(callbacks)), log_(std::make_unique<QueuedLog>(callbacks_)),
      index_(std::make_unique<SearchIndex>(std::move(indexPath), folders, *log_)),
      pages_(std::make_unique<PageTextCache>(std::move(folders), *log_)), worker_([this] { run(); })
{
}

SearchService::~SearchService() {
    cancelBuild_ = true;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        jobs_.clear();
        pendingQuery_.reset();
    }
    wake_.notify_all();
    worker_.join();
}

void SearchService::setState(State s) {
    state_ = s;
    if (callbacks_.state) callbacks_.state(s);
}

void SearchService::post(Job job, bool topicJob)
{
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back({std::move(job), topicJob});
    }
    wake_.notify_all();
}

void SearchService::buildFrom(const TopicList &topics)
{
    pages_->Clear();
    setState(State::Building);
    BuildProgress progress(callbacks_, cancelBuild_);
    setState(index_->Build(topics, progress) ? State::Ready : State::Unavailable);
}

// Brings an open index in line with the topics (or builds it when that fails or it asks to
// be built); ready says that the state is Ready already, so that nothing is announced again.
void SearchService::bringInLine(const TopicList &topics, bool ready)
{
    if (index_->IsOpen() && !index_->NeedsRebuild() && index_->Refresh(topics) >= 0 &&
        !index_->NeedsRebuild()) {
        if (!ready)
            setState(State::Ready);
        return;
    }
    buildFrom(topics);
}

void SearchService::wantTopics()
{
    if (topicsWanted_ || !callbacks_.topicsWanted)
        return;
    topicsWanted_ = true;
    callbacks_.topicsWanted();
}

void SearchService::Start(TopicList topics)
{
    Start(std::make_shared<const TopicList>(std::move(topics)));
}

void SearchService::Start(SharedTopics topics)
{
    post([this, topics = std::move(topics)] {
        pages_->Clear();
        openLater_ = false;
        index_->Open();
        bringInLine(*topics, false);
    });
}

// A start that found the file as the last close left it opens it only when it is first used.
bool SearchService::openIndex()
{
    if (openLater_) {
        openLater_ = false;
        if (!index_->Open())
            wantTopics(); // it went bad after all: built again from the topics
    }
    return index_->IsOpen();
}

void SearchService::Start(SearchIndex::TopicsDigest topics)
{
    post([this, topics] {
        pages_->Clear();
        // Nothing changed since the last clean close: SQLite is not even loaded until the index
        // is used (a query, a saved topic, a check that finds a change).
        if (index_->UnchangedSinceClose(topics)) {
            openLater_ = true;
            setState(State::Ready);
            return;
        }
        if (index_->Open() && !index_->NeedsRebuild() && index_->UpToDate(topics)) {
            setState(State::Ready);
            return;
        }
        wantTopics();
    });
}

void SearchService::Refresh(TopicList topics)
{
    Refresh(std::make_shared<const TopicList>(std::move(topics)));
}

void SearchService::Refresh(SharedTopics topics)
{
    post([this, topics = std::move(topics)] {
        // The topics merged in are not told apart here: the few pages kept are read again.
        pages_->Clear();
        openIndex();
        bringInLine(*topics, true);
    });
}

void SearchService::Refresh(SearchIndex::TopicsDigest topics)
{
    post([this, topics] {
        pages_->Clear();
        if (openLater_ && index_->UnchangedSinceClose(topics))
            return;
        if (openIndex() && !index_->NeedsRebuild() && index_->UpToDate(topics))
            return;
        wantTopics();
    });
}

void SearchService::Supply(SharedTopics topics)
{
    post([this, topics = std::move(topics)] {
        topicsWanted_ = false;
        pages_->Clear();
        openIndex();
        bringInLine(*topics, state_ == State::Ready);
    });
}

void SearchService::TopicChanged(TopicEntry topic) {
    post(
        [this, topic = std::move(topic)] {
            pages_->Forget(topic.uni);
            if (openIndex())
                index_->UpdateTopic(topic);
        },
        true);
}

void SearchService::TopicRemoved(std::string uni) {
    post(
        [this, uni = std::move(uni)] {
            pages_->Forget(uni);
            if (openIndex())
                index_->RemoveTopic(uni);
        },
        true);
}

std::uint64_t SearchService::Query(SearchQuery query, TopicFilter allowed, std::size_t limit)
{
    std::uint64_t ticket;
    {
        std::lock_guard lock(mutex_);
        ticket = nextTicket_++;
        pendingQuery_ = PendingQuery{ticket, std::move(query), std::move(allowed), limit};
    }
    wake_.notify_all();
    return ticket;
}

void SearchService::addSnippets(TopicAnswer &answer, const SearchQuery &query)
{
    for (TopicHit &hit : answer.hits) {
        const TextHit *shown = hit.shown();
        if (shown == nullptr || shown->kind == HitKind::Title)
            continue;
        if (const std::string *text = pages_->Text(hit.topic, shown->page))
            hit.snippet = MakeSnippet(*text, query);
    }
}

void SearchService::WaitIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return (jobs_.empty() && !pendingQuery_ && !busy_) || stopping_; });
}

void SearchService::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || pendingQuery_ || !jobs_.empty(); });
        if (stopping_) break;
        busy_ = true;
        // A waiting query goes before queued updates (the user is looking at the screen), but
        // not before the index is open, and not before the topics saved meanwhile: a word
        // just written on a page is found by the query that follows it.
        const auto topicJob =
            std::find_if(jobs_.begin(), jobs_.end(), [](const QueuedJob &j) { return j.topic; });
        if (pendingQuery_ && topicJob != jobs_.end() && index_->IsOpen()) {
            Job job = std::move(topicJob->job);
            jobs_.erase(topicJob);
            lock.unlock();
            job();
        } else if (pendingQuery_ && (jobs_.empty() || index_->IsOpen())) {
            PendingQuery q = std::move(*pendingQuery_);
            pendingQuery_.reset();
            lock.unlock();
            openIndex();
            TopicAnswer answer = index_->Query(q.query, q.allowed, q.limit);
            addSnippets(answer, q.query);
            if (callbacks_.results)
                callbacks_.results(q.ticket, std::move(answer));
        } else {
            Job job = std::move(jobs_.front().job);
            jobs_.pop_front();
            lock.unlock();
            job();
        }
        lock.lock();
        busy_ = false;
        idle_.notify_all();
    }
    busy_ = false;
    idle_.notify_all();
}

}  // namespace nimbus::search
