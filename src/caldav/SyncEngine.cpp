// The exchange with the server; see SyncEngine.h.
#include "caldav/SyncEngine.h"

#include <cctype>
#include <vector>

#include "caldav/EntryFetch.h"
#include "caldav/EntryWriter.h"
#include "caldav/ExchangeContext.h"
#include "caldav/HeldChanges.h"
#include "caldav/KnownEntries.h"
#include "caldav/ServerChangeCheck.h"
#include "caldav/ServerListing.h"
#include "caldav/StateRepair.h"
#include "caldav/WholeCalendarUpload.h"

namespace nimbus::caldav {

namespace {

// One exchange: the quick checks that nothing changed, then the listing, the whole-calendar
// upload where it fits, the fetch, the known entries, the entries new to the state, and the
// topics new here, each step done by its own part.
class Exchange {
public:
    Exchange(CalDavClient &client, const SyncOptions &options, const LocalSnapshot &snapshot,
             const SyncState &state)
        : context_(client, options, snapshot, state), client_(client), options_(options),
          snapshot_(snapshot), result_(context_.result), held_(result_, options),
          listed_(client, options, result_), fetch_(client, options, result_, listed_),
          writer_(context_, held_), known_(context_, listed_, fetch_.entries(), writer_),
          repair_(context_, fetch_.entries(), writer_), upload_(context_, listed_)
    {
    }

    ExchangeResult run()
    {
        if (!snapshot_.rootFound) {
            result_.error = "The topic that calendar sync keeps in step with the calendar no longer exists.";
            return std::move(result_);
        }
        const int writesBefore = client_.writes();
        const bool stateless = result_.state.entries.empty();
        result_.topicsHere = snapshot_.topics.size();
        // Copies removed or renamed here meanwhile are no longer held back.
        result_.state.localOnly = snapshot_.localOnly;
        // Nothing changed on the server since a sync that left it as it was, and nothing here:
        // one cheap request instead of the listing.
        SyncState &state = result_.state;
        // Changes kept here while the calendar was read-only: its privileges are read again
        // (with the ctag), so that they go out as soon as it may be written.
        if (lastModifiedMayStandIn(state, options_.stampNow) && state.heldBack.empty() &&
            nothingChangedHere()) {
            const std::string lastModified = client_.lastModified(options_.calendarUrl);
            if (!lastModified.empty() && lastModified == state.lastModified) {
                result_.ok = true;
                return std::move(result_);
            }
        }
        const CollectionMark mark = client_.collectionMark(options_.calendarUrl);
        noteCollectionMark(state, mark, options_.stampNow);
        held_.notePrivileges(mark);
        if (!mark.ctag.empty() && mark.ctag == state.ctag && nothingChangedHere()) {
            state.lastModified = settledLastModified(mark);
            result_.ok = true;
            return std::move(result_);
        }
        if (!listed_.list())
            return std::move(result_);
        if (!state.readOnly && upload_.wholeUploadFits()) {
            using Upload = WholeCalendarUpload::Upload;
            const Upload upload = upload_.uploadWholeCalendar();
            if (upload == Upload::NoAnswer || (upload == Upload::Taken && !listed_.list()))
                return std::move(result_);
        }
        if (!fetch_.fetchChanged())
            return std::move(result_);
        known_.decideKnown();
        repair_.decideNewRemote(stateless);
        pushNewLocal();
        held_.tellTheRest();
        if (result_.error.empty()) {
            result_.ok = true;
            const Listing &listing = listed_.listing();
            // A first listing cut short is asked for whole again next time; a later one goes on
            // from where the server stopped.
            noteSyncToken(state,
                          listed_.full() && !listing.complete ? std::string() : listed_.newToken(),
                          options_.stampNow);
            // The marks read before the listing describe what this sync saw only when the
            // sync itself changed nothing there.
            std::erase_if(state.refused, [&](const auto &r) { return snapshot_.byUni.count(r.first) == 0; });
            // ... and saw all of it.
            const bool untouched = client_.writes() == writesBefore && listing.complete;
            state.ctag = untouched ? mark.ctag : std::string();
            state.lastModified = untouched ? settledLastModified(mark) : std::string();
        }
        return std::move(result_);
    }

private:
    ExchangeContext context_;
    CalDavClient &client_;
    const SyncOptions &options_;
    const LocalSnapshot &snapshot_;
    ExchangeResult &result_;
    HeldChanges held_;
    ServerListing listed_;
    EntryFetch fetch_;
    EntryWriter writer_;
    KnownEntries known_;
    StateRepair repair_;
    WholeCalendarUpload upload_;

    // Every topic is synced as it was last time (or, on a read-only calendar, kept here as
    // it was when last told).
    bool nothingChangedHere() const
    {
        const auto synced = result_.state.indexByUni();
        std::size_t bound = 0;
        for (const LocalTopic &t : snapshot_.topics) {
            const auto it = synced.find(t.uni);
            if (it != synced.end() && (it->second->hash == t.hash || held_.heldAsIs(t.uni, t.hash)))
                ++bound;
            else if (!writer_.refusedAsIs(t) && !held_.heldAsIs(t.uni, t.hash))
                return false;
        }
        for (const auto &[uid, e] : result_.state.entries)
            if (snapshot_.byUni.count(e.uni) == 0 &&
                held_.heldAsIs(e.uni, HeldChanges::kHeldRemoval))
                ++bound;
        return bound == result_.state.entries.size();  // else a synced topic was removed here
    }

    // The topics no entry is bound to go out as new entries.
    void pushNewLocal()
    {
        std::vector<const LocalTopic *> fresh;
        for (const LocalTopic &local : snapshot_.topics)
            if (context_.boundUnis.count(local.uni) == 0 &&
                result_.state.entries.count(local.topic.uid) == 0)
                fresh.push_back(&local);
        context_.total = context_.done + static_cast<int>(fresh.size());
        for (const LocalTopic *local : fresh) {
            if (context_.stopped())
                return;
            SyncEntry entry{local->topic.uid,
                            entryPathFor(context_.calendarPath, local->topic.uid),
                            {},
                            local->uni,
                            {}};
            writer_.send(*local, entry, {}, true);
        }
    }
};

}  // namespace

std::string entryPathFor(const std::string &calendarPath, const std::string &uid)
{
    std::string name;
    for (char c : uid)
        name += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.') ? c : '-';
    if (name.size() > 200)
        name.resize(200);
    std::string path = calendarPath;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path + name + ".ics";
}

SyncEngine::SyncEngine(HttpTransport &transport, SyncOptions options)
    : client_(transport), options_(std::move(options))
{
}

ExchangeResult SyncEngine::exchange(const LocalSnapshot &snapshot, const SyncState &state)
{
    return Exchange(client_, options_, snapshot, state).run();
}

}  // namespace nimbus::caldav
