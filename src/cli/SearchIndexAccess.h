// The search index as nimbus-cli may use it. "Search.db" in the data folder is a cache that the
// running program's worker writes; nimbus-cli never writes it while the program runs:
// - when no copy of the program runs, nimbus-cli holds the single-copy lock ("nimbus_active")
//   while it opens the index in place, brings it in line with the store file (only the topics
//   that changed are indexed again) or builds it, and answers from it; the program's next
//   start then finds nothing to do;
// - when the program runs (or another nimbus-cli holds the lock), the index is copied through
//   SQLite's backup (a consistent picture, whatever the worker writes meanwhile) into a private
//   temporary folder, that copy is brought in line with the store file (or built when there
//   is no usable index) and answers; the folder is removed with this object.
// Either way the answer fits the store file as saved.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "search/SearchIndex.h"
#include "store/StoreLog.h"
#include "tree/CliStatus.h"

namespace nimbus::ipc {
class PipeList;
}

namespace nimbus::cli {

class SearchIndexAccess {
public:
    SearchIndexAccess(std::string dataFolder, std::string channelFolder);
    ~SearchIndexAccess();
    SearchIndexAccess(const SearchIndexAccess &) = delete;
    SearchIndexAccess &operator=(const SearchIndexAccess &) = delete;

    // An index that holds exactly these topics (every node of the store file, in order).
    Outcome open(const search::TopicList &topics);
    // The index as it was left, in place or as a private copy, without looking at the store:
    // an answer from it stands once bringInLine finds nothing changed. False when there is no
    // usable index (then open builds one).
    bool openAsFound();
    // Brings the index openAsFound opened in line with these topics (every node of the store
    // file, in order): how many topics changed, 0 when every answer given meanwhile stands,
    // -1 when it could not be done (problem() says why).
    int bringInLine(const search::TopicList &topics);
    const std::string &problem() const { return log_.last; }
    search::SearchIndex &index() { return *index_; }
    // Whether the answer comes from a private copy (the program runs).
    bool privateCopy() const { return !tempFolder_.empty(); }

private:
    // Last problem the index reported, for the message.
    class ProblemLog : public StoreLog {
    public:
        void AddToLog(const std::string &message) override { last = message; }
        void AddErrorToLog(const std::string &message, const std::string &detail) override
        {
            last = detail.empty() ? message : message + ": " + detail;
        }
        std::string last;
    };

    bool current(const search::TopicList &topics);
    Outcome openPrivateCopy(const search::TopicList &topics);
    bool takeLock();
    search::SearchIndex::OpenChecks openChecks() const;
    void dropTempFolder();

    std::string dataFolder_;
    std::string channelFolder_;
    std::string tempFolder_;
    ProblemLog log_;
    std::unique_ptr<ipc::PipeList> lock_;
    std::unique_ptr<search::SearchIndex> index_;
};

} // namespace nimbus::cli
