// CalendarSync.dat; see SyncState.h.
#include "caldav/SyncState.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "store/PairFile.h"

namespace nimbus::caldav {

namespace {

// Server values are untrusted: one that would break its line is not kept (the entry is then
// matched by UID next time).
bool lineSafe(const std::string &v)
{
    for (char c : v)
        if (c == '\r' || c == '\n' || c == '\0')
            return false;
    return true;
}

}  // namespace

namespace {

// The file's lines as blocks, each from one "calendar" line to the next.
using Block = std::vector<std::pair<std::string, std::string>>;

std::vector<Block> readBlocks(const std::string &path)
{
    std::vector<std::string> names, values;
    readPairFile(path, names, values);
    std::vector<Block> blocks;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == "calendar")
            blocks.emplace_back();
        if (!blocks.empty())
            blocks.back().emplace_back(names[i], values[i]);
    }
    return blocks;
}

std::string calendarOf(const Block &block) { return block.empty() ? std::string() : block.front().second; }

StoreResult writeBlocks(const std::string &path, const std::vector<Block> &blocks)
{
    std::vector<std::string> names{"version"}, values{std::to_string(SyncState::kVersion)};
    for (const Block &block : blocks)
        for (const auto &[n, v] : block) {
            names.push_back(n);
            values.push_back(v);
        }
    std::string bytes;
    appendPairLines(bytes, names, values);
    std::string error;
    if (!fileio::writeFileAtomically(path, bytes, &error))
        return StoreResult::failure(error);
    return {};
}

}  // namespace

std::size_t SyncState::hashOf(const std::string &path)
{
    std::string bytes;
    return fileio::readWholeFile(path, bytes) ? std::hash<std::string>{}(bytes) : 0;
}

SyncState::FileMark SyncState::markOf(const std::string &path)
{
    FileMark mark;
    mark.noted = true;
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return mark;
    mark.exists = true;
    mark.device = static_cast<unsigned long long>(st.st_dev);
    mark.inode = static_cast<unsigned long long>(st.st_ino);
    mark.size = static_cast<long long>(st.st_size);
    mark.modified = static_cast<long long>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    mark.changed = static_cast<long long>(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec;
    const long long lookedAt = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                   std::chrono::system_clock::now().time_since_epoch())
                                   .count();
    constexpr long long kSettled = 2'000'000'000;
    mark.unsettled = lookedAt - std::max(mark.modified, mark.changed) < kSettled;
    if (mark.unsettled) {
        std::string bytes;
        if (fileio::readWholeFile(path, bytes))
            mark.bytes = std::hash<std::string>{}(bytes);
        else
            mark.noted = false; // unreadable: never taken for unchanged
    }
    return mark;
}

bool SyncState::fileUnchanged() const
{
    if (path_.empty())
        return false;
    const FileMark now = markOf(path_);
    if (!fileMark_.sameFile(now))
        return false;
    // Times close to the first look: a rewrite in the same tick shows only in the bytes.
    return !fileMark_.unsettled || (now.unsettled ? now.bytes : hashOf(path_)) == fileMark_.bytes;
}

void SyncState::noteFileAsSaved() const
{
    fileMark_ = markOf(path_);
}

void SyncState::Load(const std::string &dataFolder, const std::string &calendarUrl)
{
    path_ = dataFolder + kFileName;
    // Noted before reading: a replacement while it is read makes the next look read again.
    fileMark_ = markOf(path_);
    calendar_ = calendarUrl;
    subtree_.clear();
    clearMarks();
    entries.clear();
    localOnly.clear();
    zone.clear();
    for (const Block &block : readBlocks(path_)) {
        if (calendarOf(block) != calendarUrl)
            continue;
        SyncEntry entry;
        std::string largePath;
        auto flush = [&] {
            if (!entry.uid.empty() && !entry.path.empty() && !entry.uni.empty())
                entries[entry.uid] = entry;
            entry = {};
        };
        for (const auto &[escapedName, escapedValue] : block) {
            const auto [n, v] = readEscapedPair(escapedName, escapedValue);
            if (n == "subtree") subtree_ = v;
            else if (n == "token") syncToken = v;
            else if (n == "tokenat")
                syncTokenAt = v;
            else if (n == "ctag") ctag = v;
            else if (n == "lastmodified") lastModified = v;
            else if (n == "seenctag") seenCtag = v;
            else if (n == "seenlastmodified") seenLastModified = v;
            else if (n == "ctagreadat") ctagReadAt = v;
            else if (n == "lastmodifiedfollows") lastModifiedFollows = v;
            else if (n == "refused" && v.rfind(' ') != std::string::npos)
                refused[v.substr(0, v.rfind(' '))] = v.substr(v.rfind(' ') + 1);
            else if (n == "localonly") localOnly.insert(v);
            else if (n == "readonly")
                readOnly = v == "yes";
            else if (n == "held" && v.find(' ') != std::string::npos)
                heldBack[v.substr(0, v.find(' '))] = v.substr(v.find(' ') + 1);
            else if (n == "toolarge")
                largePath = v;
            else if (n == "toolargeetag" && !largePath.empty())
                tooLarge[largePath] = v;
            else if (n == "zone") zone = v;
            else if (n == "uid") { flush(); entry.uid = v; }
            else if (n == "path") entry.path = v;
            else if (n == "etag") entry.etag = v;
            else if (n == "topic") entry.uni = v;
            else if (n == "hash") entry.hash = v;
        }
        flush();
        break;
    }
}

StoreResult SyncState::Save() const
{
    Block mine{{"calendar", calendar_}, {"subtree", subtree_}};
    for (const auto &[n, v] : {std::pair<const char *, const std::string &>{"token", syncToken},
                               {"tokenat", syncTokenAt},
                               {"ctag", ctag},
                               {"lastmodified", lastModified},
                               {"seenctag", seenCtag},
                               {"seenlastmodified", seenLastModified},
                               {"ctagreadat", ctagReadAt},
                               {"lastmodifiedfollows", lastModifiedFollows},
                               {"zone", zone}})
        mine.emplace_back(n, lineSafe(v) ? v : std::string());
    for (const auto &[uni, hash] : refused)
        if (lineSafe(uni) && lineSafe(hash))
            mine.emplace_back("refused", uni + " " + hash);
    for (const std::string &uni : localOnly)
        if (lineSafe(uni))
            mine.emplace_back("localonly", uni);
    if (readOnly)
        mine.emplace_back("readonly", "yes");
    for (const auto &[uni, hash] : heldBack)
        if (lineSafe(uni) && lineSafe(hash) && uni.find(' ') == std::string::npos)
            mine.emplace_back("held", uni + " " + hash);
    // A server's values are kept whatever they hold (a UID with a line break too): one that
    // was dropped here would be taken for a new entry at every sync.
    std::vector<std::string> names, values;
    for (const auto &[path, etag] : tooLarge) {
        appendEscapedPair(names, values, "toolarge", path);
        appendEscapedPair(names, values, "toolargeetag", etag);
    }
    for (const auto &[uid, e] : entries)
        for (const auto &[n, v] : {std::pair<const char *, const std::string &>{"uid", e.uid}, {"path", e.path},
                                   {"etag", e.etag}, {"topic", e.uni}, {"hash", e.hash}})
            appendEscapedPair(names, values, n, v);
    for (std::size_t i = 0; i < names.size(); ++i)
        mine.emplace_back(names[i], values[i]);
    std::vector<Block> blocks = readBlocks(path_);
    bool replaced = false;
    for (Block &block : blocks)
        if (calendarOf(block) == calendar_ && !replaced) {
            block = mine;
            replaced = true;
        }
    if (!replaced)
        blocks.push_back(std::move(mine));
    const StoreResult written = writeBlocks(path_, blocks);
    fileMark_ = written ? markOf(path_) : FileMark{};
    return written;
}

StoreResult SyncState::KeepOnly(const std::string &dataFolder, const std::vector<std::string> &calendarUrls)
{
    const std::string path = dataFolder + kFileName;
    std::vector<Block> blocks = readBlocks(path);
    const std::size_t before = blocks.size();
    std::erase_if(blocks, [&](const Block &b) {
        return std::find(calendarUrls.begin(), calendarUrls.end(), calendarOf(b)) == calendarUrls.end();
    });
    return blocks.size() == before ? StoreResult{} : writeBlocks(path, blocks);
}

bool SyncState::Bind(const std::string &calendarUrl, const std::string &subtree)
{
    if (calendar_ == calendarUrl && subtree_ == subtree)
        return false;
    const bool hadEntries = !entries.empty() || !syncToken.empty();
    calendar_ = calendarUrl;
    subtree_ = subtree;
    clearMarks();
    entries.clear();
    return hadEntries;
}

void SyncState::clearMarks()
{
    syncToken.clear();
    syncTokenAt.clear();
    ctag.clear();
    lastModified.clear();
    seenCtag.clear();
    seenLastModified.clear();
    ctagReadAt.clear();
    lastModifiedFollows.clear();
    refused.clear();
    tooLarge.clear();
    readOnly = false;
    heldBack.clear();
}

const SyncEntry *SyncState::byPath(const std::string &path) const
{
    for (const auto &[uid, e] : entries)
        if (e.path == path)
            return &e;
    return nullptr;
}

std::map<std::string, const SyncEntry *> SyncState::indexByUni() const
{
    std::map<std::string, const SyncEntry *> index;
    for (const auto &[uid, e] : entries)
        index[e.uni] = &e;
    return index;
}

}  // namespace nimbus::caldav
