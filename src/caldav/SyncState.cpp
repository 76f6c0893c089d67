// CalendarSync.dat; see SyncState.h.
#include "caldav/SyncState.h"

#include <vector>

#include "fileio/AtomicFile.h"
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

void SyncState::Load(const std::string &dataFolder)
{
    path_ = dataFolder + kFileName;
    calendar_.clear();
    subtree_.clear();
    syncToken.clear();
    entries.clear();
    std::vector<std::string> names, values;
    readPairFile(path_, names, values);
    SyncEntry entry;
    auto flush = [&] {
        if (!entry.uid.empty() && !entry.path.empty() && !entry.uni.empty())
            entries[entry.uid] = entry;
        entry = {};
    };
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string &n = names[i];
        const std::string &v = values[i];
        if (n == "calendar") calendar_ = v;
        else if (n == "subtree") subtree_ = v;
        else if (n == "token") syncToken = v;
        else if (n == "uid") { flush(); entry.uid = v; }
        else if (n == "path") entry.path = v;
        else if (n == "etag") entry.etag = v;
        else if (n == "topic") entry.uni = v;
        else if (n == "hash") entry.hash = v;
    }
    flush();
}

StoreResult SyncState::Save() const
{
    std::vector<std::string> names{"calendar", "subtree", "token"}, values{calendar_, subtree_, lineSafe(syncToken) ? syncToken : ""};
    for (const auto &[uid, e] : entries) {
        if (!lineSafe(e.uid) || !lineSafe(e.path) || !lineSafe(e.etag) || !lineSafe(e.uni))
            continue;
        for (const auto &[n, v] : {std::pair<const char *, const std::string &>{"uid", e.uid}, {"path", e.path},
                                   {"etag", e.etag}, {"topic", e.uni}, {"hash", e.hash}}) {
            names.emplace_back(n);
            values.push_back(v);
        }
    }
    std::string bytes;
    appendPairLines(bytes, names, values);
    std::string error;
    if (!fileio::writeFileAtomically(path_, bytes, &error))
        return StoreResult::failure(error);
    return {};
}

bool SyncState::Bind(const std::string &calendarUrl, const std::string &subtree)
{
    if (calendar_ == calendarUrl && subtree_ == subtree)
        return false;
    const bool hadEntries = !entries.empty() || !syncToken.empty();
    calendar_ = calendarUrl;
    subtree_ = subtree;
    syncToken.clear();
    entries.clear();
    return hadEntries;
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
