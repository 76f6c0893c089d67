// The search index file ("Search.db" in the data folder): an SQLite FTS5 index of every topic's
// title, details pages and checklists. It is a cache, never the source of truth: a file that is
// missing, damaged, unfinished or of another layout is thrown away and built again from the
// store, and a write that fails (full disk, damage found while answering) leaves the index
// marked for rebuilding while the program carries on.
//
// The full-text table keeps no copy of the texts (snippets are made from the pages
// themselves), which keeps the file small. Such a table cannot forget a text it no longer has,
// so a changed topic's old rows stay behind as unused ("dead") rows that no answer returns; once
// there are many, the index asks to be rebuilt.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fileio/OperationProgress.h"
#include "search/SearchQuery.h"
#include "search/TopicDocuments.h"
#include "search/TopicHits.h"
#include "store/StoreLog.h"
#include "store/TContent.h"

struct sqlite3;

namespace nimbus::search {

class SearchIndex {
public:
    static constexpr int kLayout = 2; // raise when the tables change; older files are rebuilt
    static constexpr const char *kFileName = "Search.db";

    SearchIndex(std::string path, ContentFolders folders, StoreLog &log);
    ~SearchIndex();
    SearchIndex(const SearchIndex &) = delete;
    SearchIndex &operator=(const SearchIndex &) = delete;

    // Opens the index file. False when there is no usable index; a damaged, unfinished or
    // older file is removed on the way, so that Build starts clean.
    bool Open();
    bool IsOpen() const { return db_ != nullptr; }
    void Close();

    // Builds the index of these topics into a new file and puts it in place of the old one.
    // Reports per topic; a cancel leaves no new file. False when the build failed.
    bool Build(const std::vector<TopicEntry> &topics,
               fileio::OperationProgress &progress = fileio::ignoredProgress());

    // How Refresh looks for changes.
    enum class Check {
        // Nothing is walked when the topics (ids and titles, in order) and the content folders
        // (their times) are as a summary kept in the index says they were at the last full
        // look: a file made, removed or replaced (as this program and most others save) changes
        // its folder's time, a title or topic the summary. A file rewritten in place leaves its
        // folder as it was; it is found by the next full look, which the next change in the
        // folders brings. Otherwise every topic is compared.
        Summary,
        // Every topic's title and every file it was indexed from, whatever the summary says.
        EveryTopic,
    };

    // Brings the index in line with the store: topics whose title or files changed are indexed
    // again, topics no longer in the store are dropped. Returns the topics that were re-indexed
    // or dropped, -1 on failure.
    int Refresh(const std::vector<TopicEntry> &topics, Check check = Check::Summary);

    // What the summary of these topics and the content folders is now; 0 while a folder changed
    // too recently for its time to tell a later change apart (then there is no summary to keep).
    std::int64_t StateSummary(const std::vector<TopicEntry> &topics) const;
    // Indexes one topic again now (after a save); false on failure.
    bool UpdateTopic(const TopicEntry &topic);
    bool RemoveTopic(const std::string &uni);

    // The topics that hold every word of the query and none of its excluded ones, among those
    // the filter lets through (it is made from the store: see FilteredTopics), ranked as
    // CombineTerms says; at most limit, with the count of all.
    TopicAnswer Query(const SearchQuery &query, const TopicFilter &allowed, std::size_t limit);

    // A write failed, damage was found, or dead rows have piled up: build again.
    bool NeedsRebuild() const;
    std::int64_t DocumentCount() const;
    std::int64_t DeadRows() const { return deadRows_; }
    const std::string &Path() const { return path_; }

private:
    bool exec(const char *sql);
    bool createTables();
    bool indexTopic(const TopicEntry &topic);
    bool dropTopic(const std::string &uni);
    bool writeMeta(const char *key, std::int64_t value);
    std::int64_t readMeta(const char *key, std::int64_t fallback) const;
    void noteFailure(int code, const char *what);
    void removeFiles(const std::string &path);
    int refreshEveryTopic(const std::vector<TopicEntry> &topics);
    int reindex(const std::vector<std::string> &gone,
                const std::vector<const TopicEntry *> &changed, std::int64_t summary);

    struct Statements;
    std::string relativePath(const std::string &path) const;

    std::string path_;
    std::string dataFolder_;  // source paths are kept relative to it
    ContentFolders folders_;
    std::unique_ptr<Statements> st_;
    StoreLog &log_;
    sqlite3 *db_ = nullptr;
    std::int64_t deadRows_ = 0;
    bool broken_ = false;
};

}  // namespace nimbus::search
