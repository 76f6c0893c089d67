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
#include <string_view>
#include <unordered_set>
#include <vector>

#include "fileio/OperationProgress.h"
#include "search/SearchQuery.h"
#include "search/TopicDocuments.h"
#include "search/TopicHits.h"
#include "search/TopicList.h"
#include "store/StoreLog.h"
#include "store/TContent.h"

struct sqlite3;

namespace nimbus::search {

class SearchIndex {
public:
    static constexpr int kLayout = 2; // raise when the tables change; older files are rebuilt
    static constexpr const char *kFileName = "Search.db";
    // Beside the file ("Search.db-closed"): what a clean close left, so that the next start can
    // tell without SQLite that the file is exactly as it was then.
    static constexpr const char *kCloseNoteSuffix = "-closed";

    SearchIndex(std::string path, ContentFolders folders, StoreLog &log);
    ~SearchIndex();
    SearchIndex(const SearchIndex &) = delete;
    SearchIndex &operator=(const SearchIndex &) = delete;

    // How much of the file Open checks beyond its header, schema and state.
    enum class OpenChecks {
        // SQLite's quick check and the full-text index's integrity check, unless the file
        // carries the mark of a clean close: left in rollback mode, its pages filling it as its
        // header counts them, no journal beside it, and the mark naming the header's change
        // counter (which every committed write raises, ours or another program's).
        UnlessClosedCleanly,
        // A copy SQLite's backup just made of an index the running program checked when it
        // opened it.
        Cheap,
    };
    // Opens the index file. False when there is no usable index; a damaged, unfinished or
    // older file is removed on the way, so that Build starts clean.
    bool Open(OpenChecks checks = OpenChecks::UnlessClosedCleanly);
    bool IsOpen() const { return db_ != nullptr; }
    // Whether the last Open ran the full checks (the file was not closed cleanly).
    bool CheckedFully() const { return checkedFully_; }
    // Closes the file; after a session that wrote it, or whose open checked it fully, the
    // file is left in rollback mode with the clean-close mark, so that the next open is cheap.
    void Close();

    // Builds the index of these topics into a new file and puts it in place of the old one.
    // Reports per topic; a cancel leaves no new file. False when the build failed.
    bool Build(const TopicList &topics,
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
    int Refresh(const TopicList &topics, Check check = Check::Summary);

    // The topics' part of the summary: their count, then each id and title in order. It is
    // taken where the topics are (the window hashes its store), so that a start that finds
    // nothing changed never needs a copy of them.
    class TopicsDigest {
    public:
        explicit TopicsDigest(std::size_t count);
        void add(std::string_view uni, std::string_view title);
        std::uint64_t value() const { return h_; }

    private:
        std::uint64_t h_;
    };
    static TopicsDigest Digest(const TopicList &topics);

    // What the summary of these topics and the content folders is now; 0 while a folder changed
    // too recently for its time to tell a later change apart (then there is no summary to keep).
    std::int64_t StateSummary(const TopicList &topics) const;
    std::int64_t StateSummary(const TopicsDigest &topics) const;
    // Whether the summary kept at the last full look holds for these topics now: then Refresh
    // has nothing to do.
    bool UpToDate(const TopicsDigest &topics) const;
    // The same without opening the file: it is exactly as this program's last clean close left
    // it (the same file, size, time and change counter, no journal or log beside it; no write
    // since, by anyone), and the summary that held then holds for these topics now. Such a
    // file needs none of Open's checks before it is used, and its first use can open it.
    bool UnchangedSinceClose(const TopicsDigest &topics) const;
    // nimbus-cli answers from the index without reading the store when the store file and the
    // content folders are exactly as when it last brought the index in line with that file.
    // The stamp of the store file (identity, size and time) and of the folders now; 0 while
    // one of them changed too recently for its time to tell a later change apart.
    std::int64_t StoreFileStamp(const std::string &storeFile) const;
    // Notes that the index was just brought in line with the store file of this stamp.
    bool NoteStoreFile(std::int64_t stamp);
    // Whether it was, with nothing indexed, dropped or looked at again since.
    bool FitsStoreFile(std::int64_t stamp) const;
    // Indexes one topic again now (after a save); false on failure.
    bool UpdateTopic(const TopicEntry &topic);
    bool RemoveTopic(const std::string &uni);

    // The topics that hold every word of the query and none of its excluded ones, among those
    // the filter lets through (it is made from the store: see FilteredTopics), ranked as
    // CombineTerms says; at most limit, with the count of all.
    TopicAnswer Query(const SearchQuery &query, const TopicFilter &allowed, std::size_t limit);

    // The topics still in the running while a query's further words are read.
    struct TopicHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const
        {
            return std::hash<std::string_view>{}(s);
        }
    };
    using Candidates = std::unordered_set<std::string, TopicHash, std::equal_to<>>;

    // A write failed, damage was found, or dead rows have piled up: build again.
    bool NeedsRebuild() const;
    std::int64_t DocumentCount() const;
    std::int64_t DeadRows() const { return deadRows_; }
    const std::string &Path() const { return path_; }

private:
    bool exec(const char *sql);
    bool startWriting();
    bool markClosedCleanly(const std::string &file);
    std::string closeNote(std::int64_t summary) const;
    void noteClose(std::int64_t summary);
    bool createTables();
    bool indexTopic(const TopicEntry &topic);
    bool dropTopic(const std::string &uni);
    bool writeMeta(const char *key, std::int64_t value);
    std::int64_t readMeta(const char *key, std::int64_t fallback) const;
    std::int64_t pragmaValue(const char *name, std::int64_t fallback) const;
    void noteFailure(int code, const char *what);
    void removeFiles(const std::string &path);
    int refreshEveryTopic(const TopicList &topics);
    int reindex(const std::vector<std::string> &gone, const std::vector<TopicEntry> &changed,
                std::int64_t summary);

    bool registerAmong();
    bool termRows(const std::string &phrase, std::vector<TermRow> &rows);
    bool termRowsAmong(const std::string &phrase, const Candidates &among,
                       std::vector<TermRow> &rows);
    std::int64_t termCount(const std::string &phrase);
    bool excludedTopics(const std::string &phrase, std::unordered_set<std::string> &topics);

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
    bool writing_ = false;     // the session switched to the write-ahead log to write
    bool markOnClose_ = false; // the open checked the file fully: mark it clean on close
    bool checkedFully_ = false;
    bool openedClean_ = false;          // the open found the clean-close mark
    const Candidates *among_ = nullptr; // what nimbus_among() lets through while a term is read
};

}  // namespace nimbus::search
