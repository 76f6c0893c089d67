// The writes of a sync on the server; see EntryWriter.h.
#include "caldav/EntryWriter.h"

#include "caldav/EntryText.h"
#include "caldav/ServerEntryMerge.h"

namespace nimbus::caldav {

bool EntryWriter::refusedAsIs(const LocalTopic &local) const
{
    const auto it = result_.state.refused.find(local.uni);
    return it != result_.state.refused.end() && it->second == local.hash;
}

bool EntryWriter::refusesTheEntry(const WriteResult &w)
{
    switch (w.status) {
    case 400:
    case 403:
    case 405:
    case 413:
    case 415:
    case 422:
        return true;
    default:
        return false;
    }
}

// Carries the server's parts of the entry into text. False, with a log line, when the
// server's version cannot be read: the change waits here rather than replace what we
// cannot see.
bool EntryWriter::mergeInto(std::string &text, const std::string &theirs, const LocalTopic &local,
                            const std::string &path)
{
    MergedEntry merged = keepServerParts(text, theirs, local.pageTravels);
    if (!merged.ok) {
        holdBack(local, path, merged.why);
        return false;
    }
    text = std::move(merged.text);
    return true;
}

void EntryWriter::holdBack(const LocalTopic &local, const std::string &path, const std::string &why)
{
    result_.log.push_back("Calendar sync did not send the change of \"" + local.topic.node.text +
                          "\": the server's entry " + path + " cannot be read (" + why +
                          "), and sending would replace it.");
}

// A failed read of the server's version: a sync error, or only this topic held back when
// the entry is too large to read.
bool EntryWriter::readFailed(const FetchedItem &item, const std::string &error,
                             const LocalTopic &local, const std::string &path)
{
    if (error.empty())
        return false;
    if (item.tooLarge)
        holdBack(local, path, kTooLarge);
    else
        result_.error = error;
    return true;
}

void EntryWriter::send(const LocalTopic &local, SyncEntry &entry, const std::string &etag,
                       bool isNew)
{
    if (context_.stopped() || refusedAsIs(local) ||
        held_.heldHere(local.uni, local.hash,
                       "\"" + local.topic.node.text + "\" was " + (isNew ? "made" : "changed") +
                           " here"))
        return;
    std::string seenEtag = etag; // the server's version this send has dealt with
    std::string text = entryBody(local, options_.stampNow);
    if (!isNew) {
        int status = 0;
        std::string error;
        const FetchedItem current = client_.get(context_.urlOf(entry.path), status, error);
        if (readFailed(current, error, local, entry.path))
            return;
        if (status != 404 && !current.data.empty() &&
            !mergeInto(text, current.data, local, entry.path))
            return;
        // Nothing of the topic would change there (a series rolled forward here keeps its
        // start there): no write, and the server's version counts as synced. Else every
        // device would send each roll, and fetch every other device's.
        if (status != 404 && !current.data.empty() &&
            prints_.readsAlike(text, current.data, &local)) {
            entry.etag = current.etag.empty() ? etag : current.etag;
            settle(local, entry);
            return;
        }
    }
    WriteResult w = isNew ? client_.put(context_.urlOf(entry.path), text, {})
                          : client_.replace(context_.urlOf(entry.path), text, etag);
    context_.step("Sent \"" + local.topic.node.text + "\"");
    if (w.preconditionFailed()) {
        int status = 0;
        std::string error;
        FetchedItem item = client_.get(context_.urlOf(entry.path), status, error);
        calendar::CalendarTopic remote;
        std::string why;
        if (readFailed(item, error, local, entry.path))
            return;
        seenEtag = item.etag;
        std::string merged = entryBody(local, options_.stampNow);
        if (status == 404) {
            // Gone meanwhile: the local topic is the one to keep.
            w = client_.put(context_.urlOf(entry.path), merged, {});
        } else if (!mergeInto(merged, item.data, local, entry.path)) {
            return;
        } else if (!readEntry(item.data, remote, why)) {
            w = client_.replace(context_.urlOf(entry.path), merged,
                                item.etag); // unreadable as a topic: ours is kept
        } else if (prints_.hashOf(remote, &local) == local.hash) {
            w = WriteResult{200, item.etag, {}};
        } else if (!entry.hash.empty() && prints_.settledHashOf(remote, local) == entry.hash) {
            w = client_.replace(context_.urlOf(entry.path), merged,
                                item.etag); // only theirs beyond the topic changed
        } else {
            context_.addChange(LocalChange::Conflict, local.uni, local.hash, std::move(remote));
            w = client_.replace(context_.urlOf(entry.path), merged, item.etag);
        }
    }
    if (refusesTheEntry(w)) {
        result_.state.refused[local.uni] = local.hash;
        ++result_.counts.refused;
        result_.log.push_back("Calendar sync: the server refused \"" + local.topic.node.text +
                              "\" (" + "it answered " + std::to_string(w.status) +
                              "); it stays here as it is and is sent again once it changes.");
        // A known entry keeps the server's version this send dealt with (a conflict copy
        // may have been made of it), so that it is not taken for a new change next time.
        if (const auto known = result_.state.entries.find(entry.uid);
            known != result_.state.entries.end() && !seenEtag.empty())
            known->second.etag = seenEtag;
        return;
    }
    if (!w.ok()) {
        result_.error = w.error.empty() ? "The calendar server refused a change of \"" +
                                              local.topic.node.text + "\"."
                                        : w.error;
        return;
    }
    entry.etag = w.etag; // empty when the server did not say: the next listing differs, and equal
                         // content binds again
    settle(local, entry);
    ++result_.counts.sent;
}

// The entry now holds the local topic as it is.
void EntryWriter::settle(const LocalTopic &local, SyncEntry &entry)
{
    result_.state.refused.erase(local.uni);
    entry.hash = local.hash;
    entry.uni = local.uni;
    entry.uid = local.topic.uid;
    result_.state.entries[entry.uid] = entry;
}

// A removal here that the server refused or that met a change there (412): the server's
// version comes back here. False when the sync must stop.
bool EntryWriter::bringBack(const std::string &uid, const SyncEntry &entry)
{
    int status = 0;
    std::string error;
    FetchedItem item = client_.get(context_.urlOf(entry.path), status, error);
    if (!error.empty()) {
        result_.error = error;
        return false;
    }
    calendar::CalendarTopic topic;
    std::string why;
    if (status != 404 && readEntry(item.data, topic, why)) {
        result_.state.entries[uid].etag = item.etag;
        context_.addChange(LocalChange::Add, {}, {}, std::move(topic));
        ++result_.counts.received;
    } else {
        // Gone meanwhile, or unreadable as a topic: forgotten here (an unreadable entry is
        // left there as it is).
        result_.state.entries.erase(uid);
        if (status == 404)
            ++result_.counts.deletedOnServer;
    }
    return true;
}

bool EntryWriter::deleteThere(const std::string &uid, const SyncEntry &entry)
{
    if (held_.heldHere(entry.uni, HeldChanges::kHeldRemoval,
                       "the topic of the entry " + entry.path + " was removed here"))
        return true;
    const WriteResult w = client_.remove(context_.urlOf(entry.path), entry.etag);
    context_.step("Removed an entry from the server");
    const bool refused = refusesTheEntry(w);
    if (refused) {
        ++result_.counts.refused;
        result_.log.push_back("Calendar sync: the server refused to remove the entry " +
                              entry.path + " (it answered " + std::to_string(w.status) +
                              "); its topic comes back here.");
    }
    if (w.preconditionFailed() || refused)
        return bringBack(uid, entry);
    if (!w.error.empty()) {
        result_.error = w.error;
        return false;
    }
    result_.state.entries.erase(uid);
    ++result_.counts.deletedOnServer;
    return true;
}

} // namespace nimbus::caldav
