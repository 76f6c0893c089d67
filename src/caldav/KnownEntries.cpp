// Deciding and carrying out what happens to the entries synced before; see KnownEntries.h.
#include "caldav/KnownEntries.h"

#include <vector>

#include "caldav/SyncDecision.h"

namespace nimbus::caldav {

void KnownEntries::decideKnown()
{
    const Listing &listing = listed_.listing();
    std::vector<std::string> uids;
    for (const auto &[uid, e] : result_.state.entries)
        uids.push_back(uid);
    context_.total = static_cast<int>(uids.size());
    for (const std::string &uid : uids) {
        if (context_.stopped())
            return;
        SyncEntry entry = result_.state.entries[uid];
        const LocalTopic *local = context_.localOf(entry.uni);
        if (local != nullptr)
            context_.boundUnis.insert(local->uni);
        EntryFacts facts;
        facts.local = local == nullptr            ? LocalSide::Gone
                      : local->hash != entry.hash ? LocalSide::Changed
                                                  : LocalSide::Same;
        facts.server = fetched_.remoteOf[uid];
        const auto got = fetched_.fetched.find(entry.path);
        if (facts.server == ServerSide::Changed && got == fetched_.fetched.end()) {
            if (const auto listed = listing.items.find(entry.path); listed != listing.items.end()) {
                // Unreadable: keep the server's newer ETag so it is not fetched again and again.
                entry.etag = listed->second;
                result_.state.entries[uid].etag = entry.etag;
                facts.server = ServerSide::Same;
            } else {
                facts.server = ServerSide::Gone;
            }
        }
        // An entry whose ETag the server never told (none after our PUT, or none we could
        // use) lists as changed: it changed there only when it no longer reads as what was
        // synced. Nor is a new ETag on an entry that still reads so news for a topic not
        // changed here.
        if (facts.server == ServerSide::Changed &&
            (entry.etag.empty() || facts.local == LocalSide::Same) &&
            prints_.readsAsSynced(got->second, entry, local)) {
            entry.etag = fetched_.fetchedEtag[entry.path];
            result_.state.entries[uid].etag = entry.etag;
            facts.server = ServerSide::Same;
        }
        if (facts.server == ServerSide::Changed) {
            const calendar::CalendarTopic &theirs = got->second;
            entry.etag = fetched_.fetchedEtag[entry.path];
            result_.state.entries[uid].etag = entry.etag;
            if (local != nullptr) {
                facts.sameContent = prints_.hashOf(theirs, local) == local->hash;
                facts.onlyBeyondTopic =
                    !entry.hash.empty() && prints_.settledHashOf(theirs, *local) == entry.hash;
            }
        }
        if (!carryOut(decide(facts), uid, entry, local))
            return;
    }
}

// Does what the decision says for a known entry; false when the sync must stop.
bool KnownEntries::carryOut(SyncAction action, const std::string &uid, SyncEntry &entry,
                            const LocalTopic *local)
{
    auto theirs = [&] { return std::move(fetched_.fetched.find(entry.path)->second); };
    switch (action) {
    case SyncAction::Nothing:
        break;
    case SyncAction::Send:
    case SyncAction::SendOverTheirs:
        writer_.send(*local, entry, entry.etag, false);
        break;
    case SyncAction::SendAgain:
    case SyncAction::SendNew:
        writer_.send(*local, entry, {}, true);
        break;
    case SyncAction::DeleteThere:
        return writer_.deleteThere(uid, entry);
    case SyncAction::TakeTheirs:
        context_.addChange(LocalChange::Update, local->uni, local->hash, theirs());
        ++result_.counts.received;
        break;
    case SyncAction::AddHere:
        context_.addChange(LocalChange::Add, {}, {}, theirs());
        ++result_.counts.received;
        break;
    case SyncAction::RemoveHere:
        result_.state.entries.erase(uid);
        context_.addChange(LocalChange::Remove, local->uni, local->hash, {});
        ++result_.counts.removedHere;
        break;
    case SyncAction::Forget:
        result_.state.entries.erase(uid);
        break;
    case SyncAction::Settle:
        result_.state.entries[uid].hash = local->hash;
        break;
    case SyncAction::KeepBoth:
        context_.addChange(LocalChange::Conflict, local->uni, local->hash, theirs());
        writer_.send(*local, entry, entry.etag, false);
        break;
    }
    return true;
}

} // namespace nimbus::caldav
