// Opening the search index for nimbus-cli without ever writing under the running program.
#include "cli/SearchIndexAccess.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "fileio/FolderOps.h"
#include "fileio/UiText.h"
#include "ipc/Channels.h"
#include "ipc/PipeList.h"
#include "store/TContent.h"

namespace nimbus::cli {

namespace {

constexpr const char *kMarkerChannel = "nimbus_active";

// Copies the index file through SQLite's backup: a consistent picture even while the running
// program's worker writes it. False when there is no index to copy or it cannot be read.
bool copyIndex(const std::string &from, const std::string &to)
{
    if (!fileio::fileExists(from))
        return false;
    sqlite3 *source = nullptr, *target = nullptr;
    bool ok = sqlite3_open_v2(from.c_str(), &source, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
              sqlite3_open_v2(to.c_str(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                              nullptr) == SQLITE_OK;
    if (ok) {
        sqlite3_busy_timeout(source, 2000);
        sqlite3_backup *backup = sqlite3_backup_init(target, "main", source, "main");
        ok = backup != nullptr && sqlite3_backup_step(backup, -1) == SQLITE_DONE;
        if (backup)
            ok = sqlite3_backup_finish(backup) == SQLITE_OK && ok;
    }
    sqlite3_close_v2(source);
    sqlite3_close_v2(target);
    return ok;
}

// A folder of our own under $TMPDIR (or /tmp), mode 0700.
std::string makeTempFolder()
{
    const char *tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/nimbus-cli-search-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        return {};
    return pattern + "/";
}

} // namespace

SearchIndexAccess::SearchIndexAccess(std::string dataFolder, std::string channelFolder)
    : dataFolder_(std::move(dataFolder)), channelFolder_(std::move(channelFolder))
{
}

SearchIndexAccess::~SearchIndexAccess()
{
    index_.reset(); // closed before its folder goes and before the lock is given back
    dropTempFolder();
    lock_.reset();
}

void SearchIndexAccess::dropTempFolder()
{
    if (!tempFolder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(tempFolder_, ignored);
        tempFolder_.clear();
    }
}

// A private copy is what SQLite's backup just read from an index in use, which its session
// checked when it opened it: the copy gets the cheap checks alone.
search::SearchIndex::OpenChecks SearchIndexAccess::openChecks() const
{
    return privateCopy() ? search::SearchIndex::OpenChecks::Cheap
                         : search::SearchIndex::OpenChecks::UnlessClosedCleanly;
}

bool SearchIndexAccess::takeLock()
{
    auto lock = std::make_unique<ipc::PipeList>(nullptr, channelFolder_);
    if (ipc::CreateChannel(*lock, kMarkerChannel))
        return false; // a copy of the program (or another nimbus-cli) holds it
    lock_ = std::move(lock);
    return true;
}

bool SearchIndexAccess::openAsFound()
{
    const ContentFolders folders = ContentFolders::inDataFolder(dataFolder_);
    if (takeLock()) {
        index_ = std::make_unique<search::SearchIndex>(dataFolder_ + search::SearchIndex::kFileName,
                                                       folders, log_);
    } else {
        tempFolder_ = makeTempFolder();
        const std::string copy = tempFolder_ + search::SearchIndex::kFileName;
        if (tempFolder_.empty() || !copyIndex(dataFolder_ + search::SearchIndex::kFileName, copy)) {
            dropTempFolder();
            return false;
        }
        index_ = std::make_unique<search::SearchIndex>(copy, folders, log_);
    }
    if (index_->Open(openChecks()) && !index_->NeedsRebuild())
        return true;
    index_.reset();
    dropTempFolder();
    lock_.reset();
    return false;
}

int SearchIndexAccess::bringInLine(const search::TopicList &topics)
{
    const int changed = index_->Refresh(topics);
    if (changed >= 0 && !index_->NeedsRebuild())
        return changed;
    if (!index_->Build(topics))
        return -1;
    return std::max<int>(1, static_cast<int>(topics.size()));
}

bool SearchIndexAccess::current(const search::TopicList &topics)
{
    if (index_->Open(openChecks()) && index_->Refresh(topics) >= 0 && !index_->NeedsRebuild())
        return true;
    return index_->Build(topics);
}

Outcome SearchIndexAccess::open(const search::TopicList &topics)
{
    const ContentFolders folders = ContentFolders::inDataFolder(dataFolder_);
    if (takeLock()) {
        // No copy of the program runs, and none starts while the lock is held.
        index_ = std::make_unique<search::SearchIndex>(dataFolder_ + search::SearchIndex::kFileName,
                                                       folders, log_);
        if (current(topics))
            return Outcome::ok();
        // A data folder the index cannot be written in still gets an answer.
        index_.reset();
        lock_.reset();
    }
    return openPrivateCopy(topics);
}

Outcome SearchIndexAccess::openPrivateCopy(const search::TopicList &topics)
{
    tempFolder_ = makeTempFolder();
    if (tempFolder_.empty())
        return Outcome::fail(
            kStoreProblem,
            NIMBUS_TEXT_NOOP("CliMessages",
                             "no temporary folder for the search index could be made: %1"),
            {fileio::lastErrorText()});
    const std::string copy = tempFolder_ + search::SearchIndex::kFileName;
    copyIndex(dataFolder_ + search::SearchIndex::kFileName, copy);
    index_ = std::make_unique<search::SearchIndex>(copy, ContentFolders::inDataFolder(dataFolder_),
                                                   log_);
    if (current(topics))
        return Outcome::ok();
    if (log_.last.empty())
        return Outcome::fail(
            kStoreProblem, NIMBUS_TEXT_NOOP("CliMessages", "the search index could not be built"));
    return Outcome::fail(kStoreProblem,
                         NIMBUS_TEXT_NOOP("CliMessages", "the search index could not be built: %1"),
                         {log_.last});
}

} // namespace nimbus::cli
