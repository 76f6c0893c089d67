#include "search/SearchIndex.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "fileio/AtomicFile.h"
#include "fileio/Fnv1a.h"
#include "fileio/FolderOps.h"
#include "search/IndexFileHeader.h"
#include "search/IndexStatements.h"
#include "search/TextFold.h"

namespace nimbus::search {

namespace {

// Letters, digits, private-use characters and marks make words; without the marks, scripts
// that write vowels as combining signs (Devanagari, Thai) would be cut inside their words.
constexpr const char *kCreateTables = R"SQL(
CREATE TABLE meta(key TEXT PRIMARY KEY, value INTEGER) WITHOUT ROWID;
CREATE TABLE docs(id INTEGER PRIMARY KEY AUTOINCREMENT, topic TEXT NOT NULL,
                  kind INTEGER NOT NULL, page INTEGER NOT NULL, name TEXT NOT NULL);
CREATE INDEX docs_topic ON docs(topic);
CREATE TABLE topics(topic TEXT PRIMARY KEY, title INTEGER NOT NULL) WITHOUT ROWID;
CREATE TABLE sources(topic TEXT NOT NULL, path TEXT NOT NULL, size INTEGER, mtime INTEGER,
                     hash INTEGER NOT NULL DEFAULT 0);
CREATE INDEX sources_topic ON sources(topic);
CREATE VIRTUAL TABLE fts USING fts5(body, content='',
    tokenize="unicode61 remove_diacritics 2 categories 'L* N* Co M*'");
)SQL";

// What the file's schema holds, in one text: every table, index, trigger and view.
std::string schemaText(sqlite3 *db)
{
    Stmt s;
    std::string text;
    if (!s.prepare(db, "SELECT type, name, tbl_name, sql FROM sqlite_schema ORDER BY type, name"))
        return {};
    while (sqlite3_step(s.s) == SQLITE_ROW)
        for (int i = 0; i < 4; ++i)
            text += column(s.s, i) + '\x1f';
    return text;
}

// The schema this program makes, as SQLite stores it.
const std::string &ourSchema()
{
    static const std::string text = [] {
        sqlite3 *db = nullptr;
        std::string made;
        if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
            sqlite3_exec(db, kCreateTables, nullptr, nullptr, nullptr) == SQLITE_OK)
            made = schemaText(db);
        sqlite3_close_v2(db);
        return made;
    }();
    return text;
}

// The file is data, never code: no SQL functions with side effects from its schema, no
// writes to the schema by its statements, and nothing in it but the tables this program made
// (a trigger or view planted in it runs nowhere).
bool distrustSchema(sqlite3 *db)
{
    int on = 0;
    return sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, &on) == SQLITE_OK && on == 1 &&
           sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, &on) == SQLITE_OK && on == 0 &&
           sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, &on) == SQLITE_OK &&
           sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, &on) == SQLITE_OK;
}

} // namespace

SearchIndex::SearchIndex(std::string path, ContentFolders folders, StoreLog &log)
    : path_(std::move(path)), folders_(std::move(folders)), log_(log) {
    const std::string &packs = folders_.packs;
    const std::size_t cut = packs.size() >= 6 ? packs.rfind('/', packs.size() - 2) : std::string::npos;
    if (cut != std::string::npos) dataFolder_ = packs.substr(0, cut + 1);
}

SearchIndex::~SearchIndex() { Close(); }

void SearchIndex::Close() {
    st_.reset();
    if (db_ == nullptr)
        return;
    // Clean: the open found the mark (and nothing was written since), or it is written now.
    bool clean = false;
    if (!broken_)
        clean = writing_ || markOnClose_ ? markClosedCleanly(path_) : openedClean_;
    const std::int64_t summary = clean ? readMeta("summary", 0) : 0;
    sqlite3_close_v2(db_);
    db_ = nullptr;
    writing_ = false;
    markOnClose_ = false;
    openedClean_ = false;
    noteClose(summary);
}

// The close note: the file's identity, size, time and change counter as the close left it,
// and the summary that held then. Nothing when the file does not look cleanly closed.
std::string SearchIndex::closeNote(std::int64_t summary) const
{
    struct stat st {};
    if (summary == 0 || ::stat(path_.c_str(), &st) != 0)
        return {};
    const IndexFileHeader header = IndexFileHeader::Read(path_);
    if (!header.sqlite || !header.rollbackJournal || !header.sizeFits() ||
        fileio::fileExists(path_ + "-wal") || fileio::fileExists(path_ + "-journal"))
        return {};
    const std::int64_t mtime =
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    std::string note = "layout=" + std::to_string(kLayout);
    for (const auto &[key, value] :
         {std::pair<const char *, std::int64_t>{"counter", header.changeCounter},
          {"device", static_cast<std::int64_t>(st.st_dev)},
          {"inode", static_cast<std::int64_t>(st.st_ino)},
          {"size", static_cast<std::int64_t>(st.st_size)},
          {"mtime", mtime},
          {"summary", summary}})
        note += std::string(" ") + key + "=" + std::to_string(value);
    return note + "\n";
}

void SearchIndex::noteClose(std::int64_t summary)
{
    const std::string file = path_ + kCloseNoteSuffix;
    const std::string note = closeNote(summary);
    std::string before;
    if (note.empty()) {
        std::remove(file.c_str());
        return;
    }
    if (fileio::readWholeFile(file, before) && before == note)
        return;
    // A note that cannot be written costs the next start an open, nothing more.
    if (!fileio::writeFileAtomically(file, note))
        std::remove(file.c_str());
}

bool SearchIndex::UnchangedSinceClose(const TopicsDigest &topics) const
{
    std::string note;
    if (!fileio::readWholeFile(path_ + kCloseNoteSuffix, note) || note.empty())
        return false;
    return note == closeNote(StateSummary(topics));
}

std::string SearchIndex::relativePath(const std::string &path) const {
    if (!dataFolder_.empty() && path.compare(0, dataFolder_.size(), dataFolder_) == 0)
        return path.substr(dataFolder_.size());
    return path;
}

bool SearchIndex::exec(const char *sql) {
    char *error = nullptr;
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        noteFailure(rc, error ? error : sql);
        sqlite3_free(error);
        return false;
    }
    return true;
}

void SearchIndex::noteFailure(int code, const char *what) {
    const int primary = code & 0xFF;
    if (primary == SQLITE_FULL || primary == SQLITE_IOERR || primary == SQLITE_CORRUPT ||
        primary == SQLITE_NOTADB || primary == SQLITE_CANTOPEN || primary == SQLITE_READONLY) {
        broken_ = true;
    }
    log_.AddErrorToLog("*** Search index: " + std::string(what),
                       db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code));
}

void SearchIndex::removeFiles(const std::string &path) {
    for (const char *suffix : {"", "-wal", "-shm", "-journal", kCloseNoteSuffix})
        std::remove((path + suffix).c_str());
}

bool SearchIndex::writeMeta(const char *key, std::int64_t value) {
    Stmt s;
    if (!s.prepare(db_, "INSERT OR REPLACE INTO meta(key, value) VALUES(?1, ?2)")) return false;
    s.text(1, key);
    s.integer(2, value);
    const int rc = sqlite3_step(s.s);
    if (rc != SQLITE_DONE) {
        noteFailure(rc, "writing its state");
        return false;
    }
    return true;
}

std::int64_t SearchIndex::pragmaValue(const char *name, std::int64_t fallback) const
{
    Stmt s;
    if (!s.prepare(db_, ("PRAGMA " + std::string(name)).c_str()) || sqlite3_step(s.s) != SQLITE_ROW)
        return fallback;
    return sqlite3_column_int64(s.s, 0);
}

std::int64_t SearchIndex::readMeta(const char *key, std::int64_t fallback) const {
    Stmt s;
    if (!s.prepare(db_, "SELECT value FROM meta WHERE key=?1")) return fallback;
    s.text(1, key);
    return sqlite3_step(s.s) == SQLITE_ROW ? sqlite3_column_int64(s.s, 0) : fallback;
}

bool SearchIndex::Open(OpenChecks checks)
{
    Close();
    broken_ = false;
    checkedFully_ = false;
    std::remove((path_ + ".new").c_str());  // an unfinished build
    if (!fileio::fileExists(path_)) return false;
    const IndexFileHeader header = IndexFileHeader::Read(path_);
    const bool looksClosed = header.sqlite && header.rollbackJournal && header.sizeFits() &&
                             !fileio::fileExists(path_ + "-wal") &&
                             !fileio::fileExists(path_ + "-journal");
    if (!header.sqlite ||
        sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        log_.AddToLog("Search index cannot be opened and is built again: " +
                      std::string(db_ ? sqlite3_errmsg(db_) : "not an SQLite file"));
        Close();
        removeFiles(path_);
        return false;
    }
    sqlite3_busy_timeout(db_, 2000);
    bool usable = distrustSchema(db_) && !ourSchema().empty() && schemaText(db_) == ourSchema();
    usable = usable && readMeta("layout", 0) == kLayout && readMeta("complete", 0) == 1;
    checkedFully_ = checks == OpenChecks::UnlessClosedCleanly &&
                    !(looksClosed && readMeta("closed", -1) == header.changeCounter);
    if (usable && checkedFully_) {
        // The checks read every page once: through a small cache, so that a start after a crash
        // holds no more memory than any other (the full cache would stay filled with pages no
        // query wants); the queries get the usual cache back afterwards.
        const std::int64_t cacheSize = pragmaValue("cache_size", -2000); // SQLite's default
        exec("PRAGMA cache_size=-256");
        Stmt check;
        usable = check.prepare(db_, "PRAGMA quick_check(1)") &&
                 sqlite3_step(check.s) == SQLITE_ROW && column(check.s, 0) == "ok";
        check.reset();
        // Damage inside the full-text index passes the file's own check and would make every
        // search find nothing, for good.
        usable = usable && sqlite3_exec(db_, "INSERT INTO fts(fts) VALUES('integrity-check')",
                                        nullptr, nullptr, nullptr) == SQLITE_OK;
        exec(("PRAGMA cache_size=" + std::to_string(cacheSize)).c_str());
    }
    if (usable) {
        st_ = std::make_unique<Statements>();
        usable = registerAmong() && st_->prepare(db_);
    }
    if (!usable) {
        log_.AddToLog("Search index is damaged, unfinished or of an older layout; it is built again");
        Close();
        removeFiles(path_);
        return false;
    }
    markOnClose_ = checkedFully_;
    openedClean_ = checks == OpenChecks::UnlessClosedCleanly && !checkedFully_;
    deadRows_ = readMeta("dead", 0);
    return true;
}

// Writes go through the write-ahead log, so that nimbus-cli's backup copy never waits for
// the worker; the switch also leaves the file looking unclosed until Close marks it again.
bool SearchIndex::startWriting()
{
    if (writing_)
        return true;
    // The file is about to change: the last close's note no longer describes it.
    std::remove((path_ + kCloseNoteSuffix).c_str());
    Stmt mode;
    if (!mode.prepare(db_, "PRAGMA journal_mode=WAL") || sqlite3_step(mode.s) != SQLITE_ROW ||
        column(mode.s, 0) != "wal") {
        mode.reset();
        // Rollback mode still writes safely (and each commit moves the change counter).
        return exec("PRAGMA synchronous=NORMAL");
    }
    mode.reset();
    writing_ = exec("PRAGMA synchronous=NORMAL");
    return writing_;
}

// Back to rollback mode (the log is folded into the file and removed), then one committed
// write of the mark: the change counter that write leaves in the header. Any later write, by
// this program or another, moves the counter past the mark.
bool SearchIndex::markClosedCleanly(const std::string &file)
{
    Stmt mode;
    if (!mode.prepare(db_, "PRAGMA journal_mode=DELETE") || sqlite3_step(mode.s) != SQLITE_ROW ||
        column(mode.s, 0) != "delete")
        return false;
    mode.reset();
    const IndexFileHeader header = IndexFileHeader::Read(file);
    return header.sqlite && header.rollbackJournal &&
           writeMeta("closed", static_cast<std::uint32_t>(header.changeCounter + 1));
}

bool SearchIndex::createTables() {
    return exec(kCreateTables) && writeMeta("layout", kLayout) && writeMeta("dead", 0);
}

bool SearchIndex::indexTopic(const TopicEntry &topic) {
    const TopicDocuments collected = CollectDocuments(topic, folders_, log_);
    for (const IndexDocument &doc : collected.documents) {
        if (doc.text.empty()) continue;
        Stmt &d = st_->insertDoc;
        d.reset();
        d.text(1, topic.uni);
        d.integer(2, static_cast<int>(doc.kind));
        d.integer(3, doc.page);
        d.text(4, doc.pageName);
        int rc = sqlite3_step(d.s);
        if (rc != SQLITE_DONE) return noteFailure(rc, "adding a topic"), false;
        Stmt &f = st_->insertFts;
        f.reset();
        f.integer(1, sqlite3_last_insert_rowid(db_));
        f.text(2, SegmentForIndex(Fold(doc.text)));
        rc = sqlite3_step(f.s);
        if (rc != SQLITE_DONE) return noteFailure(rc, "adding a topic's text"), false;
    }
    for (const SourceFile &source : collected.sources) {
        Stmt &s = st_->insertSource;
        s.reset();
        s.text(1, topic.uni);
        s.text(2, relativePath(source.path));
        s.integer(3, source.size);
        s.integer(4, source.mtime);
        s.integer(5, source.hash);
        const int rc = sqlite3_step(s.s);
        if (rc != SQLITE_DONE) return noteFailure(rc, "noting a topic's files"), false;
    }
    Stmt &t = st_->upsertTopic;
    t.reset();
    t.text(1, topic.uni);
    t.integer(2, TitleHash(topic.title));
    const int rc = sqlite3_step(t.s);
    if (rc != SQLITE_DONE) return noteFailure(rc, "noting a topic"), false;
    return true;
}

bool SearchIndex::dropTopic(const std::string &uni) {
    Stmt &c = st_->countDocs;
    c.reset();
    c.text(1, uni);
    if (sqlite3_step(c.s) == SQLITE_ROW) deadRows_ += sqlite3_column_int64(c.s, 0);
    c.reset();
    for (Stmt *s : {&st_->deleteDocs, &st_->deleteSources, &st_->deleteTopic}) {
        s->reset();
        s->text(1, uni);
        const int rc = sqlite3_step(s->s);
        if (rc != SQLITE_DONE) return noteFailure(rc, "removing a topic"), false;
    }
    return true;
}

bool SearchIndex::Build(const TopicList &topics, fileio::OperationProgress &progress)
{
    const std::int64_t summary = StateSummary(topics);
    Close();
    const std::string temp = path_ + ".new";
    removeFiles(temp);
    if (sqlite3_open_v2(temp.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        noteFailure(sqlite3_errcode(db_), "creating the index file");
        Close();
        return false;
    }
    // Nothing of a half-built file is worth keeping: no journal, no syncs until the end.
    bool ok = exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA cache_size=-65536;") &&
              createTables();
    if (ok) {
        st_ = std::make_unique<Statements>();
        ok = registerAmong() && st_->prepare(db_) && exec("BEGIN");
    }
    progress.allowCancel(true);
    const auto total = static_cast<std::int64_t>(topics.size());
    for (std::size_t i = 0; ok && i < topics.size(); ++i) {
        ok = indexTopic(topics[i].entry());
        if (i % 1000 == 0) {
            progress.report(static_cast<std::int64_t>(i), total, "Indexing topics for search");
            if (progress.cancelled()) ok = false;
        }
    }
    ok = ok && writeMeta("summary", summary) && exec("COMMIT") &&
         exec("INSERT INTO fts(fts) VALUES('optimize')") && writeMeta("complete", 1);
    if (ok)
        markClosedCleanly(temp); // the new file opens without the full checks

    progress.report(total, total, "Indexing topics for search");
    Close();
    if (ok) {
        // Pass the finished file through a sync so that a crash cannot leave it half written
        // under the real name; the old file's journal must go before the new file arrives.
        FILE *f = std::fopen(temp.c_str(), "r+b");
        if (f != nullptr) {
            std::fflush(f);
            ::fsync(fileno(f));
            std::fclose(f);
        }
        removeFiles(path_);
        ok = fileio::renameFile(temp, path_);
    }
    if (!ok) {
        removeFiles(temp);
        broken_ = true;
        return false;
    }
    return Open();
}

// The summary is one FNV-1a over the layout, the topics' count, each id and title (each ended
// by a NUL), then each content folder's path (with its NUL), identity and time. Stored values
// depend on the order, so a digest carries the hash on exactly where the list's walk did.
SearchIndex::TopicsDigest::TopicsDigest(std::size_t count) : h_(fileio::kFnv1aStart)
{
    for (const std::int64_t v :
         {static_cast<std::int64_t>(kLayout), static_cast<std::int64_t>(count)})
        h_ = fileio::fnv1a(std::string_view(reinterpret_cast<const char *>(&v), sizeof v), h_);
}

void SearchIndex::TopicsDigest::add(std::string_view uni, std::string_view title)
{
    h_ = fileio::fnv1aByte(0, fileio::fnv1a(uni, h_));
    h_ = fileio::fnv1aByte(0, fileio::fnv1a(title, h_));
}

SearchIndex::TopicsDigest SearchIndex::Digest(const TopicList &topics)
{
    TopicsDigest digest(topics.size());
    for (const TopicList::Topic topic : topics)
        digest.add(topic.uni, topic.title);
    return digest;
}

std::int64_t SearchIndex::StateSummary(const TopicList &topics) const
{
    return StateSummary(Digest(topics));
}

std::int64_t SearchIndex::StateSummary(const TopicsDigest &topics) const
{
    std::uint64_t h = topics.value();
    auto add = [&h](const void *data, std::size_t size) {
        h = fileio::fnv1a(std::string_view(static_cast<const char *>(data), size), h);
    };
    auto addNumber = [&add](std::int64_t v) { add(&v, sizeof v); };
    const std::int64_t unsettled = UnsettledFrom();
    for (const std::string *folder : {&folders_.packs, &folders_.text, &folders_.checkList}) {
        add(folder->data(), folder->size() + 1);
        struct stat st {};
        if (::stat(folder->c_str(), &st) != 0) {
            addNumber(-1);
            continue;
        }
        const std::int64_t mtime =
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
        if (mtime >= unsettled)
            return 0;
        addNumber(static_cast<std::int64_t>(st.st_dev));
        addNumber(static_cast<std::int64_t>(st.st_ino));
        addNumber(mtime);
    }
    return h == 0 ? 1 : static_cast<std::int64_t>(h);
}

bool SearchIndex::UpToDate(const TopicsDigest &topics) const
{
    if (db_ == nullptr)
        return false;
    const std::int64_t known = readMeta("summary", 0);
    return known != 0 && known == StateSummary(topics);
}

std::int64_t SearchIndex::StoreFileStamp(const std::string &storeFile) const
{
    std::uint64_t h = fileio::kFnv1aStart; // over the numbers' bytes, lowest first
    auto addNumber = [&h](std::int64_t v) {
        for (std::size_t i = 0; i < sizeof v; ++i)
            h = fileio::fnv1aByte(static_cast<unsigned char>(v >> (8 * i)), h);
    };
    const std::int64_t unsettled = UnsettledFrom();
    for (const std::string *path :
         {&storeFile, &folders_.packs, &folders_.text, &folders_.checkList}) {
        struct stat st {};
        if (::stat(path->c_str(), &st) != 0)
            return 0;
        const std::int64_t mtime =
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
        if (mtime >= unsettled)
            return 0;
        for (const std::int64_t v :
             {static_cast<std::int64_t>(st.st_dev), static_cast<std::int64_t>(st.st_ino),
              static_cast<std::int64_t>(st.st_size), mtime})
            addNumber(v);
    }
    return h == 0 ? 1 : static_cast<std::int64_t>(h);
}

bool SearchIndex::NoteStoreFile(std::int64_t stamp)
{
    if (db_ == nullptr || stamp == 0)
        return false;
    const std::int64_t summary = readMeta("summary", 0);
    if (summary == 0)
        return false;
    if (readMeta("storefile", 0) == stamp && readMeta("storesummary", 0) == summary)
        return true;
    if (!startWriting() || !exec("BEGIN"))
        return false;
    if (writeMeta("storefile", stamp) && writeMeta("storesummary", summary) && exec("COMMIT"))
        return true;
    exec("ROLLBACK");
    return false;
}

// Every write of the index but this note changes or clears the summary, so the note holds
// exactly while the summary is the one it was made with.
bool SearchIndex::FitsStoreFile(std::int64_t stamp) const
{
    if (db_ == nullptr || stamp == 0 || broken_)
        return false;
    const std::int64_t summary = readMeta("summary", 0);
    return summary != 0 && readMeta("storefile", 0) == stamp &&
           readMeta("storesummary", 0) == summary;
}

int SearchIndex::Refresh(const TopicList &topics, Check check)
{
    if (db_ == nullptr)
        return -1;
    if (check == Check::Summary && UpToDate(Digest(topics)))
        return 0;
    return refreshEveryTopic(topics);
}

int SearchIndex::refreshEveryTopic(const TopicList &topics)
{
    // Taken before anything is looked at: a change made during the walk makes it differ next
    // time.
    const std::int64_t summary = StateSummary(topics);
    std::unordered_map<std::string, std::int64_t> titles;
    {
        Stmt s;
        if (!s.prepare(db_, "SELECT topic, title FROM topics")) return -1;
        while (sqlite3_step(s.s) == SQLITE_ROW) titles.emplace(column(s.s, 0), sqlite3_column_int64(s.s, 1));
    }
    std::unordered_map<std::string, std::vector<SourceFile>> sources;
    {
        Stmt s;
        if (!s.prepare(db_, "SELECT topic, path, size, mtime, hash FROM sources"))
            return -1;
        while (sqlite3_step(s.s) == SQLITE_ROW) {
            sources[column(s.s, 0)].push_back(
                SourceFile{column(s.s, 1), sqlite3_column_int64(s.s, 2),
                           sqlite3_column_int64(s.s, 3), sqlite3_column_int64(s.s, 4)});
        }
    }
    std::vector<TopicEntry> changed;
    std::unordered_set<std::string> present;
    for (const TopicList::Topic topic : topics) {
        const std::string &uni = *present.insert(std::string(topic.uni)).first;
        const auto title = titles.find(uni);
        bool same = title != titles.end() && title->second == TitleHash(topic.title);
        if (same) {
            const auto files = sources.find(uni);
            if (files != sources.end()) {
                for (const SourceFile &known : files->second) {
                    const std::string path =
                        known.path.starts_with('/') ? known.path : dataFolder_ + known.path;
                    if (!SourceUnchanged(known, path)) {
                        same = false;
                        break;
                    }
                }
            }
        }
        if (!same)
            changed.push_back(topic.entry());
    }
    std::vector<std::string> gone;
    for (const auto &[uni, hash] : titles) {
        if (!present.contains(uni)) gone.push_back(uni);
    }
    return reindex(gone, changed, summary);
}

int SearchIndex::reindex(const std::vector<std::string> &gone,
                         const std::vector<TopicEntry> &changed, std::int64_t summary)
{
    if (changed.empty() && gone.empty())
        return summary == readMeta("summary", 0) ||
                       (startWriting() && writeMeta("summary", summary))
                   ? 0
                   : -1;
    if (!startWriting() || !exec("BEGIN"))
        return -1;
    bool ok = true;
    for (const std::string &uni : gone) ok = ok && dropTopic(uni);
    for (const TopicEntry &topic : changed)
        ok = ok && dropTopic(topic.uni) && indexTopic(topic);
    ok = ok && writeMeta("dead", deadRows_) && writeMeta("summary", summary) && exec("COMMIT");
    if (!ok) {
        exec("ROLLBACK");
        deadRows_ = readMeta("dead", 0);
        return -1;
    }
    return static_cast<int>(changed.size() + gone.size());
}

bool SearchIndex::UpdateTopic(const TopicEntry &topic) {
    if (db_ == nullptr) return false;
    if (!startWriting() || !exec("BEGIN"))
        return false;
    // The index may now be ahead of the saved store (a crash before the save would bring back
    // the topics the summary describes), so the next Refresh compares every topic.
    if (dropTopic(topic.uni) && indexTopic(topic) && writeMeta("dead", deadRows_) &&
        writeMeta("summary", 0) && exec("COMMIT"))
        return true;
    exec("ROLLBACK");
    deadRows_ = readMeta("dead", 0);
    return false;
}

bool SearchIndex::RemoveTopic(const std::string &uni) {
    if (db_ == nullptr) return false;
    if (!startWriting() || !exec("BEGIN"))
        return false;
    if (dropTopic(uni) && writeMeta("dead", deadRows_) && writeMeta("summary", 0) && exec("COMMIT"))
        return true;
    exec("ROLLBACK");
    deadRows_ = readMeta("dead", 0);
    return false;
}

std::int64_t SearchIndex::DocumentCount() const {
    if (db_ == nullptr) return 0;
    Stmt s;
    if (!s.prepare(db_, "SELECT count(*) FROM docs") || sqlite3_step(s.s) != SQLITE_ROW) return 0;
    return sqlite3_column_int64(s.s, 0);
}

bool SearchIndex::NeedsRebuild() const {
    if (broken_) return true;
    if (db_ == nullptr) return false;
    return deadRows_ > 1000 && deadRows_ > DocumentCount() / 4;
}

}  // namespace nimbus::search
