// The exchange with the server; see SyncEngine.h.
#include "caldav/SyncEngine.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <set>

#include "caldav/CompactTimezone.h"
#include "caldav/ContentMatch.h"
#include "caldav/DavXml.h"
#include "caldav/ServerAddress.h"
#include "caldav/ServerChangeCheck.h"
#include "caldav/ServerEntryMerge.h"
#include "caldav/SyncDecision.h"
#include "calendar/IcsReader.h"
#include "calendar/IcsWriter.h"
#include "calendar/RecurrenceIcal.h"
#include "store/TopicCodes.h"

namespace nimbus::caldav {

namespace {

// The topic as its entry says it. A repeating event with a whole rule is stated from its
// series' first date, as another program states it: every device rolls such an event on by
// the clock, so a roll here changes nothing there and is nothing to send.
void entryFields(TNimbusNode &entry, const TNimbusNode &topic)
{
    entry.AssignNode(topic);
    entry.richRule = topic.richRule;
    entry.uni = topic.uni;
    const recurrence::Series *series = topic.ttype == kTopicEvent ? repeatSeries(topic) : nullptr;
    if (series != nullptr) {
        entry.dlDate = entry.rsDate = calendar::seriesStartDate(*series);
        entry.dlTime = entry.rsTime = calendar::seriesStartTime(*series);
    }
}

const char *const kTooLarge = "it is larger than the largest answer this program takes";

// The topic an entry's calendar data holds: its first task, event or journal (the master of a
// repeating one). others: how many further entries of other UIDs the resource holds;
// warnings: what the reader found odd (unreadable values, unknown zones).
bool readEntry(const std::string &data, calendar::CalendarTopic &topic, std::string &why,
               std::size_t *others = nullptr, std::vector<std::string> *warnings = nullptr)
{
    calendar::ReadResult read = calendar::readCalendar(data);
    if (!read.ok) {
        why = read.error;
        return false;
    }
    if (read.topics.empty()) {
        why = read.skipped.empty() ? "it holds no task, event or note" : read.skipped.front().why;
        return false;
    }
    if (others != nullptr)
        *others = read.topics.size() - 1;
    if (warnings != nullptr)
        *warnings = std::move(read.warnings);
    topic = std::move(read.topics.front());
    return true;
}

std::string conflictNote(const std::string &title)
{
    return "Calendar sync: \"" + title + "\" was changed here and on the server; the server's version is kept beside it as \"Conflict: " + title + "\".";
}

class Exchange {
public:
    Exchange(CalDavClient &client, const SyncOptions &options, const LocalSnapshot &snapshot, const SyncState &state)
        : client_(client), options_(options), snapshot_(snapshot)
    {
        result_.state = state;
        UrlParts parts;
        splitUrl(options.calendarUrl, parts);
        base_ = originOf(parts);
        calendarPath_ = normalPath(parts.path);
        if (calendarPath_.empty() || calendarPath_.back() != '/')
            calendarPath_ += '/';
    }

    ExchangeResult run()
    {
        if (!snapshot_.rootFound) {
            result_.error = "The topic that calendar sync keeps in step with the calendar no longer exists.";
            return std::move(result_);
        }
        const int writesBefore = client_.writes();
        stateless_ = result_.state.entries.empty();
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
        notePrivileges(mark);
        if (!mark.ctag.empty() && mark.ctag == state.ctag && nothingChangedHere()) {
            state.lastModified = settledLastModified(mark);
            result_.ok = true;
            return std::move(result_);
        }
        if (!list())
            return std::move(result_);
        if (!state.readOnly && wholeUploadFits()) {
            const Upload upload = uploadWholeCalendar();
            if (upload == Upload::NoAnswer || (upload == Upload::Taken && !list()))
                return std::move(result_);
        }
        if (!fetchChanged())
            return std::move(result_);
        decideKnown();
        decideNewRemote();
        pushNewLocal();
        if (heldTold_ > kHeldLines)
            result_.log.push_back("Calendar sync: and " + std::to_string(heldTold_ - kHeldLines) +
                                  " more changes made here stay here, since the calendar is "
                                  "read-only on the server.");
        if (result_.error.empty()) {
            result_.ok = true;
            // A first listing cut short is asked for whole again next time; a later one goes on
            // from where the server stopped.
            noteSyncToken(state, full_ && !listing_.complete ? std::string() : newToken_,
                          options_.stampNow);
            // The marks read before the listing describe what this sync saw only when the
            // sync itself changed nothing there.
            std::erase_if(state.refused, [&](const auto &r) { return snapshot_.byUni.count(r.first) == 0; });
            // ... and saw all of it.
            const bool untouched = client_.writes() == writesBefore && listing_.complete;
            state.ctag = untouched ? mark.ctag : std::string();
            state.lastModified = untouched ? settledLastModified(mark) : std::string();
        }
        return std::move(result_);
    }

private:
    CalDavClient &client_;
    const SyncOptions &options_;
    const LocalSnapshot &snapshot_;
    ExchangeResult result_;
    std::string base_;
    std::string calendarPath_;
    Listing listing_;
    bool full_ = true;
    std::string newToken_;
    std::map<std::string, ServerSide> remoteOf_;  // by UID of a known entry
    std::map<std::string, calendar::CalendarTopic> fetched_;  // by path
    std::map<std::string, std::string> fetchedEtag_;
    std::set<std::string> boundUnis_;
    bool stateless_ = false; // no entry was known when the sync began
    int done_ = 0;
    int total_ = 0;

    std::string urlOf(const std::string &path) const { return base_ + encodePath(path); }

    // Every topic is synced as it was last time (or, on a read-only calendar, kept here as
    // it was when last told).
    bool nothingChangedHere() const
    {
        const auto synced = result_.state.indexByUni();
        std::size_t bound = 0;
        for (const LocalTopic &t : snapshot_.topics) {
            const auto it = synced.find(t.uni);
            if (it != synced.end() && (it->second->hash == t.hash || heldAsIs(t.uni, t.hash)))
                ++bound;
            else if (!refusedAsIs(t) && !heldAsIs(t.uni, t.hash))
                return false;
        }
        for (const auto &[uid, e] : result_.state.entries)
            if (snapshot_.byUni.count(e.uni) == 0 && heldAsIs(e.uni, kHeldRemoval))
                ++bound;
        return bound == result_.state.entries.size();  // else a synced topic was removed here
    }

    static constexpr const char *kHeldRemoval = "-";
    // Changes held back told one by one in a sync; the rest in one line.
    static constexpr int kHeldLines = 20;
    int heldTold_ = 0;

    bool heldAsIs(const std::string &uni, const std::string &hash) const
    {
        if (!result_.state.readOnly)
            return false;
        const auto it = result_.state.heldBack.find(uni);
        return it != result_.state.heldBack.end() && it->second == hash;
    }

    // What the server said of this user's privileges on the calendar. A server that does not
    // say leaves the calendar as it was last known; one that refuses a write is handled at
    // that write.
    void notePrivileges(const CollectionMark &mark)
    {
        SyncState &state = result_.state;
        if (!mark.writable)
            return;
        const bool readOnly = !*mark.writable;
        if (readOnly && !state.readOnly)
            result_.log.push_back(
                "Calendar sync: the server does not let this user change the calendar " +
                options_.calendarUrl +
                "; it is synced from the server only, and changes made here stay here.");
        else if (!readOnly && state.readOnly)
            result_.log.push_back("Calendar sync: the calendar " + options_.calendarUrl +
                                  " may be changed again; the changes kept here are sent.");
        state.readOnly = readOnly;
        if (!readOnly)
            state.heldBack.clear();
    }

    // On a read-only calendar nothing is sent: the change stays here, told once.
    // what: the change as the log tells it ("\"Call Anna\" was changed here").
    bool heldHere(const std::string &uni, const std::string &hash, const std::string &what)
    {
        SyncState &state = result_.state;
        if (!state.readOnly)
            return false;
        const auto told = state.heldBack.find(uni);
        if (told == state.heldBack.end() || told->second != hash) {
            if (++heldTold_ <= kHeldLines)
                result_.log.push_back("Calendar sync: " + what +
                                      ", but the calendar is read-only on the server: " +
                                      (hash == kHeldRemoval ? "the entry stays there."
                                                            : "the change stays here only."));
            state.heldBack[uni] = hash;
        }
        ++result_.counts.heldHere;
        return true;
    }

    // The server refused this very version of the topic before: it is not sent again until it
    // changes.
    bool refusedAsIs(const LocalTopic &local) const
    {
        const auto it = result_.state.refused.find(local.uni);
        return it != result_.state.refused.end() && it->second == local.hash;
    }

    // An answer that refuses this one entry (its content, its size, or writing at all), as
    // opposed to a failure of the server or the connection: the sync goes on without it.
    static bool refusesTheEntry(const WriteResult &w)
    {
        switch (w.status) {
        case 400: case 403: case 405: case 413: case 415: case 422: return true;
        default: return false;
        }
    }

    // The first sync of many topics to a calendar that is empty.
    bool wholeUploadFits() const
    {
        return full_ && listing_.complete && listing_.items.empty() && listing_.removed.empty() &&
               result_.state.entries.empty() &&
               options_.wholeUploadMinimum > 0 && snapshot_.topics.size() >= options_.wholeUploadMinimum;
    }

    // Properties of a calendar that a whole upload leaves as they were: computed by the
    // server, or carried in the upload (name, description) or set again after it.
    static bool keptByWholeUpload(const std::string &name)
    {
        static const std::set<std::string> kept = {
            "DAV: principal-collection-set", "DAV: current-user-principal", "DAV: current-user-privilege-set",
            "DAV: supported-report-set", "DAV: resourcetype", "DAV: owner", "DAV: getetag", "DAV: getlastmodified",
            "DAV: getcontenttype", "DAV: getcontentlength", "DAV: displayname", "DAV: sync-token",
            "http://calendarserver.org/ns/ getctag", "urn:ietf:params:xml:ns:caldav supported-calendar-component-set",
            "urn:ietf:params:xml:ns:caldav calendar-description", "http://apple.com/ns/ical/ calendar-color",
            "http://apple.com/ns/ical/ calendar-order",
        };
        return kept.count(name) != 0;
    }

    static std::string icsText(const std::string &value)
    {
        std::string out;
        for (char c : value) {
            if (c == '\\' || c == ';' || c == ',')
                out += '\\';
            if (c == '\n')
                out += "\\n";
            else if (c != '\r')
                out += c;
        }
        return out;
    }

    enum class Upload { Taken, OneByOne, NoAnswer };

    // Sends every topic in one PUT of the whole calendar, conditional on the calendar's ETag
    // as seen empty, so that nothing another program put there meanwhile can be replaced.
    // Radicale takes such a PUT as the calendar's new contents; a server that refuses it, a
    // calendar that is no longer empty or that holds properties the upload would drop, and
    // the entries go one by one. When the server took them, the listing that follows binds
    // them by UID. Without an answer the server may still be taking them in: the sync ends
    // there, and the next one finds what arrived.
    Upload uploadWholeCalendar()
    {
        const std::string &url = options_.calendarUrl;
        const auto oneByOne = [&](const std::string &why) {
            result_.log.push_back("Calendar sync: " + why + "; the entries are sent one by one.");
            return Upload::OneByOne;
        };
        std::vector<std::string> names;
        std::string error;
        if (!client_.propertyNames(url, names, error))
            return oneByOne("the calendar's properties could not be listed (" + error + ")");
        for (const std::string &name : names)
            if (!keptByWholeUpload(name))
                return oneByOne("the calendar has a property (" + name + ") that an upload of the whole calendar would drop");
        const CollectionState seen = client_.collectionState(url);
        if (!seen.ok)
            return oneByOne("the calendar could not be read (" + seen.error + ")");
        if (seen.members != 0 || seen.collection.etag.empty())
            return oneByOne(seen.members != 0 ? "the calendar is no longer empty" : "the calendar has no ETag");

        calendar::WriteOptions w;
        w.stampNow = options_.stampNow;
        w.oneOffTimesInUtc = true;
        // An event without a date has no start, and servers refuse such an entry: one of them
        // would turn the whole upload down. They go one by one after it, each refused alone.
        std::vector<calendar::CalendarTopic> all;
        all.reserve(snapshot_.topics.size());
        for (const LocalTopic &local : snapshot_.topics) {
            const TNimbusNode &n = local.topic.node;
            if (n.ttype == kTopicEvent && !calendar::writesDate(n))
                continue;
            calendar::CalendarTopic &t = all.emplace_back();
            entryFields(t.node, n);
            t.uid = local.topic.uid;
            t.parentUid = local.topic.parentUid;
            if (local.pageTravels) {
                t.detailsText = comparableText(local.topic.detailsText);
                t.detailsHtml = local.topic.detailsHtml;
            }
        }
        std::string body = withCompactTimezone(calendar::writeCalendar(all, w));
        // The calendar's name and description travel inside the upload (X-WR-CALNAME and
        // X-WR-CALDESC), so that they are never missing, not even for a moment.
        std::string calendarLines;
        if (!seen.collection.displayName.empty())
            calendarLines += "X-WR-CALNAME:" + icsText(seen.collection.displayName) + "\r\n";
        if (!seen.collection.description.empty())
            calendarLines += "X-WR-CALDESC:" + icsText(seen.collection.description) + "\r\n";
        const std::size_t afterBegin = body.find("\r\n");
        if (afterBegin != std::string::npos)
            body.insert(afterBegin + 2, calendarLines);
        const WriteResult put = client_.putCollection(url, body, seen.collection.etag);
        step("Sent the whole calendar");
        if (put.status == 0) {
            result_.error = put.error;
            return Upload::NoAnswer;
        }
        if (!put.ok())
            return oneByOne("the server did not take the whole calendar at once (" +
                            (put.status ? std::to_string(put.status) : put.error) + ")");

        std::string props;
        if (!seen.collection.color.empty())
            props += "<a:calendar-color>" + xmlEscape(seen.collection.color) + "</a:calendar-color>";
        if (!seen.collection.order.empty())
            props += "<a:calendar-order>" + xmlEscape(seen.collection.order) + "</a:calendar-order>";
        if (seen.collection.hasComponentSet) {
            props += "<c:supported-calendar-component-set>";
            for (const std::string &c : seen.collection.components)
                props += "<c:comp name=\"" + xmlEscape(c) + "\"/>";
            props += "</c:supported-calendar-component-set>";
        }
        if (!props.empty() && !client_.setProperties(url, props, error))
            result_.log.push_back("Calendar sync: the calendar's colour, order or kinds of entries could not be set again after "
                                  "the upload: " + error);
        result_.counts.sent += static_cast<int>(all.size());
        result_.log.push_back("Calendar sync: the whole calendar was sent at once (" + std::to_string(all.size()) + " entries).");
        return Upload::Taken;
    }

    bool stopped()
    {
        if (options_.stop != nullptr && options_.stop->load()) {
            if (result_.error.empty())
                result_.error = "Calendar sync was stopped.";
            return true;
        }
        return !result_.error.empty();
    }

    void step(const std::string &text)
    {
        ++done_;
        if (options_.progress)
            options_.progress(done_, std::max(total_, done_), text);
    }

    bool list()
    {
        const std::string url = options_.calendarUrl;
        const std::string &token = result_.state.syncToken;
        const bool fromToken = !token.empty() && options_.useSyncCollection;
        if (fromToken && !syncTokenTrusted(result_.state, options_.stampNow)) {
            if (!result_.state.syncTokenAt.empty())
                result_.log.push_back("Calendar sync: the last sync token is old enough for the "
                                      "server to have forgotten it; comparing every entry.");
            listing_ = client_.listAll(url, true);
            full_ = true;
        } else if (fromToken) {
            listing_ = client_.listChanges(url, token);
            full_ = false;
            if (!listing_.ok && (listing_.tokenRefused || listing_.syncUnsupported)) {
                result_.log.push_back("Calendar sync: the server no longer knows the last sync token; comparing every entry.");
                listing_ = client_.listAll(url, !listing_.syncUnsupported);
                full_ = true;
            }
        } else {
            listing_ = client_.listAll(url, options_.useSyncCollection);
        }
        if (!listing_.ok) {
            result_.error = listing_.error;
            result_.authFailed = listing_.authFailed;
            return false;
        }
        newToken_ = listing_.syncToken;
        if (!listing_.complete)
            result_.log.push_back("Calendar sync: the server listed only part of the calendar (" +
                                  std::to_string(listing_.items.size()) +
                                  " entries); topics it did not list are kept here as they are.");
        return true;
    }

    bool fetchChanged()
    {
        std::map<std::string, std::string> uidOfPath;
        for (const auto &[uid, e] : result_.state.entries)
            uidOfPath[e.path] = uid;
        std::vector<std::string> wanted;
        for (const auto &[uid, e] : result_.state.entries) {
            ServerSide r = listing_.complete ? ServerSide::Same : ServerSide::NotListed;
            const auto it = listing_.items.find(e.path);
            if (it != listing_.items.end())
                r = it->second == e.etag ? ServerSide::Same : ServerSide::Changed;
            else if ((full_ && listing_.complete) ||
                     std::find(listing_.removed.begin(), listing_.removed.end(), e.path) != listing_.removed.end())
                r = ServerSide::Gone;
            remoteOf_[uid] = r;
            if (r == ServerSide::Changed)
                wanted.push_back(e.path);
        }
        // An entry found too large is asked for again only once it changed.
        std::map<std::string, std::string> &large = result_.state.tooLarge;
        if (full_ && listing_.complete)
            std::erase_if(large, [&](const auto &l) { return listing_.items.count(l.first) == 0; });
        for (const std::string &gone : listing_.removed)
            large.erase(gone);
        for (const auto &[path, etag] : listing_.items) {
            const auto known = large.find(path);
            if (known != large.end() && (etag.empty() || known->second != etag))
                large.erase(known);
            if (uidOfPath.count(path) == 0 && large.count(path) == 0)
                wanted.push_back(path);
        }
        std::map<std::string, FetchedItem> items;
        std::string error;
        std::vector<std::string> tooLarge;
        if (!wanted.empty() &&
            !client_.fetch(options_.calendarUrl, wanted, items, error, &tooLarge)) {
            result_.error = error;
            return false;
        }
        for (const std::string &path : tooLarge) {
            result_.log.push_back("Calendar sync skipped the server's entry " + path + ": " +
                                  kTooLarge);
            if (const auto listed = listing_.items.find(path);
                listed != listing_.items.end() && !listed->second.empty())
                large[path] = listed->second;
        }
        for (auto &[path, item] : items) {
            calendar::CalendarTopic topic;
            std::string why;
            std::size_t others = 0;
            std::vector<std::string> warnings;
            if (!readEntry(item.data, topic, why, &others, &warnings)) {
                result_.log.push_back("Calendar sync skipped the server's entry " + path + ": " + why);
                continue;
            }
            for (const std::string &warning : warnings)
                result_.log.push_back("Calendar sync: the server's entry " + path + ": " + warning +
                                      ".");
            if (others > 0)
                result_.log.push_back("Calendar sync: the server's entry " + path + " holds " +
                                      std::to_string(others + 1) + " entries; only \"" +
                                      topic.node.text +
                                      "\" is synced, the others stay on the server as they are.");
            fetchedEtag_[path] = item.etag.empty() ? listing_.items[path] : item.etag;
            fetched_[path] = std::move(topic);
        }
        return true;
    }

    const LocalTopic *localOf(const std::string &uni) const
    {
        const auto it = snapshot_.byUni.find(uni);
        return it == snapshot_.byUni.end() ? nullptr : &snapshot_.topics[it->second];
    }

    std::string body(const LocalTopic &local) const
    {
        calendar::WriteOptions w;
        w.stampNow = options_.stampNow;
        w.oneOffTimesInUtc = true;
        std::vector<calendar::CalendarTopic> one(1);
        entryFields(one[0].node, local.topic.node);
        one[0].uid = local.topic.uid;
        one[0].parentUid = local.topic.parentUid;
        if (local.pageTravels) {
            one[0].detailsText = comparableText(local.topic.detailsText);
            one[0].detailsHtml = local.topic.detailsHtml;
        }
        return withCompactTimezone(calendar::writeCalendar(one, w));
    }

    // The server's text counts where pages travel, except beside a topic whose page stays
    // out of the sync.
    const std::string &pageOf(const calendar::CalendarTopic &t, const LocalTopic *local) const
    {
        static const std::string none;
        return snapshot_.withPages && (local == nullptr || local->pageTravels) ? t.detailsText
                                                                               : none;
    }

    std::string hashOf(const calendar::CalendarTopic &t, const LocalTopic *local = nullptr) const
    {
        return topicFingerprint(t.node, t.parentUid, pageOf(t, local));
    }

    // The fingerprint of the server's topic as a sync would have stored it here: an entry
    // without CREATED got its creation stamp here.
    std::string settledHashOf(const calendar::CalendarTopic &t, const LocalTopic &local) const
    {
        TNimbusNode node{""};
        node.AssignNode(t.node);
        node.richRule = t.node.richRule;
        if (node.cre.empty())
            node.cre = local.topic.node.cre;
        return topicFingerprint(node, t.parentUid, pageOf(t, &local));
    }

    // The server's topic is the one last synced (only what a topic does not hold may differ).
    bool readsAsSynced(const calendar::CalendarTopic &t, const SyncEntry &entry,
                       const LocalTopic *local) const
    {
        if (entry.hash.empty())
            return false;
        return hashOf(t, local) == entry.hash ||
               (local != nullptr && settledHashOf(t, *local) == entry.hash);
    }

    void addChange(LocalChange::Kind kind, const std::string &uni, const std::string &expected, calendar::CalendarTopic remote)
    {
        LocalChange change;
        change.kind = kind;
        change.uni = uni;
        change.expectedHash = expected;
        change.remoteHash = hashOf(remote);
        change.remote = std::move(remote);
        if (kind == LocalChange::Conflict) {
            ++result_.counts.conflicts;
            result_.log.push_back(conflictNote(change.remote.node.text));
        }
        result_.changes.push_back(std::move(change));
    }

    // Carries the server's parts of the entry into text. False, with a log line, when the
    // server's version cannot be read: the change waits here rather than replace what we
    // cannot see.
    bool mergeInto(std::string &text, const std::string &theirs, const LocalTopic &local,
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

    void holdBack(const LocalTopic &local, const std::string &path, const std::string &why)
    {
        result_.log.push_back("Calendar sync did not send the change of \"" +
                              local.topic.node.text + "\": the server's entry " + path +
                              " cannot be read (" + why + "), and sending would replace it.");
    }

    // A failed read of the server's version: a sync error, or only this topic held back when
    // the entry is too large to read.
    bool readFailed(const FetchedItem &item, const std::string &error, const LocalTopic &local,
                    const std::string &path)
    {
        if (error.empty())
            return false;
        if (item.tooLarge)
            holdBack(local, path, kTooLarge);
        else
            result_.error = error;
        return true;
    }

    // Sends the local topic: a new entry with If-None-Match, else over the entry with If-Match
    // etag (without a condition when its ETag is not known). On 412 the server's version is
    // fetched and handled as a change on both sides.
    void send(const LocalTopic &local, SyncEntry &entry, const std::string &etag, bool isNew)
    {
        if (stopped() || refusedAsIs(local) ||
            heldHere(local.uni, local.hash,
                     "\"" + local.topic.node.text + "\" was " + (isNew ? "made" : "changed") +
                         " here"))
            return;
        std::string seenEtag = etag;  // the server's version this send has dealt with
        std::string text = body(local);
        if (!isNew) {
            int status = 0;
            std::string error;
            const FetchedItem current = client_.get(urlOf(entry.path), status, error);
            if (readFailed(current, error, local, entry.path))
                return;
            if (status != 404 && !current.data.empty() &&
                !mergeInto(text, current.data, local, entry.path))
                return;
            // Nothing of the topic would change there (a series rolled forward here keeps its
            // start there): no write, and the server's version counts as synced. Else every
            // device would send each roll, and fetch every other device's.
            if (status != 404 && !current.data.empty() && readsAlike(text, current.data, &local)) {
                entry.etag = current.etag.empty() ? etag : current.etag;
                settle(local, entry);
                return;
            }
        }
        WriteResult w = isNew ? client_.put(urlOf(entry.path), text, {})
                              : client_.replace(urlOf(entry.path), text, etag);
        step("Sent \"" + local.topic.node.text + "\"");
        if (w.preconditionFailed()) {
            int status = 0;
            std::string error;
            FetchedItem item = client_.get(urlOf(entry.path), status, error);
            calendar::CalendarTopic remote;
            std::string why;
            if (readFailed(item, error, local, entry.path))
                return;
            seenEtag = item.etag;
            std::string merged = body(local);
            if (status == 404) {
                // Gone meanwhile: the local topic is the one to keep.
                w = client_.put(urlOf(entry.path), merged, {});
            } else if (!mergeInto(merged, item.data, local, entry.path)) {
                return;
            } else if (!readEntry(item.data, remote, why)) {
                w = client_.replace(urlOf(entry.path), merged,
                                    item.etag); // unreadable as a topic: ours is kept
            } else if (hashOf(remote, &local) == local.hash) {
                w = WriteResult{200, item.etag, {}};
            } else if (!entry.hash.empty() && settledHashOf(remote, local) == entry.hash) {
                w = client_.replace(urlOf(entry.path), merged,
                                    item.etag); // only theirs beyond the topic changed
            } else {
                addChange(LocalChange::Conflict, local.uni, local.hash, std::move(remote));
                w = client_.replace(urlOf(entry.path), merged, item.etag);
            }
        }
        if (refusesTheEntry(w)) {
            result_.state.refused[local.uni] = local.hash;
            ++result_.counts.refused;
            result_.log.push_back("Calendar sync: the server refused \"" + local.topic.node.text + "\" (" +
                                  "it answered " + std::to_string(w.status) + "); it stays here as it is and is sent again once it changes.");
            // A known entry keeps the server's version this send dealt with (a conflict copy
            // may have been made of it), so that it is not taken for a new change next time.
            if (const auto known = result_.state.entries.find(entry.uid);
                known != result_.state.entries.end() && !seenEtag.empty())
                known->second.etag = seenEtag;
            return;
        }
        if (!w.ok()) {
            result_.error = w.error.empty() ? "The calendar server refused a change of \"" + local.topic.node.text + "\"." : w.error;
            return;
        }
        entry.etag = w.etag;  // empty when the server did not say: the next listing differs, and equal content binds again
        settle(local, entry);
        ++result_.counts.sent;
    }

    // The entry now holds the local topic as it is.
    void settle(const LocalTopic &local, SyncEntry &entry)
    {
        result_.state.refused.erase(local.uni);
        entry.hash = local.hash;
        entry.uni = local.uni;
        entry.uid = local.topic.uid;
        result_.state.entries[entry.uid] = entry;
    }

    bool readsAlike(const std::string &a, const std::string &b, const LocalTopic *local) const
    {
        calendar::CalendarTopic ta, tb;
        std::string why;
        return readEntry(a, ta, why) && readEntry(b, tb, why) &&
               hashOf(ta, local) == hashOf(tb, local);
    }

    // A removal here that the server refused or that met a change there (412): the server's
    // version comes back here. False when the sync must stop.
    bool bringBack(const std::string &uid, const SyncEntry &entry)
    {
        int status = 0;
        std::string error;
        FetchedItem item = client_.get(urlOf(entry.path), status, error);
        if (!error.empty()) {
            result_.error = error;
            return false;
        }
        calendar::CalendarTopic topic;
        std::string why;
        if (status != 404 && readEntry(item.data, topic, why)) {
            result_.state.entries[uid].etag = item.etag;
            addChange(LocalChange::Add, {}, {}, std::move(topic));
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

    // DELETE with If-Match; false when the sync must stop.
    bool deleteThere(const std::string &uid, const SyncEntry &entry)
    {
        if (heldHere(entry.uni, kHeldRemoval,
                     "the topic of the entry " + entry.path + " was removed here"))
            return true;
        const WriteResult w = client_.remove(urlOf(entry.path), entry.etag);
        step("Removed an entry from the server");
        const bool refused = refusesTheEntry(w);
        if (refused) {
            ++result_.counts.refused;
            result_.log.push_back("Calendar sync: the server refused to remove the entry " + entry.path +
                                  " (it answered " + std::to_string(w.status) + "); its topic comes back here.");
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

    void decideKnown()
    {
        std::vector<std::string> uids;
        for (const auto &[uid, e] : result_.state.entries)
            uids.push_back(uid);
        total_ = static_cast<int>(uids.size());
        for (const std::string &uid : uids) {
            if (stopped())
                return;
            SyncEntry entry = result_.state.entries[uid];
            const LocalTopic *local = localOf(entry.uni);
            if (local != nullptr)
                boundUnis_.insert(local->uni);
            EntryFacts facts;
            facts.local = local == nullptr         ? LocalSide::Gone
                          : local->hash != entry.hash ? LocalSide::Changed
                                                      : LocalSide::Same;
            facts.server = remoteOf_[uid];
            const auto got = fetched_.find(entry.path);
            if (facts.server == ServerSide::Changed && got == fetched_.end()) {
                if (listing_.items.count(entry.path) != 0) {
                    // Unreadable: keep the server's newer ETag so it is not fetched again and again.
                    entry.etag = listing_.items[entry.path];
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
            if (facts.server == ServerSide::Changed && (entry.etag.empty() || facts.local == LocalSide::Same) &&
                readsAsSynced(got->second, entry, local)) {
                entry.etag = fetchedEtag_[entry.path];
                result_.state.entries[uid].etag = entry.etag;
                facts.server = ServerSide::Same;
            }
            if (facts.server == ServerSide::Changed) {
                const calendar::CalendarTopic &theirs = got->second;
                entry.etag = fetchedEtag_[entry.path];
                result_.state.entries[uid].etag = entry.etag;
                if (local != nullptr) {
                    facts.sameContent = hashOf(theirs, local) == local->hash;
                    facts.onlyBeyondTopic = !entry.hash.empty() && settledHashOf(theirs, *local) == entry.hash;
                }
            }
            if (!carryOut(decide(facts), uid, entry, local))
                return;
        }
    }

    // Does what the decision says for a known entry; false when the sync must stop.
    bool carryOut(SyncAction action, const std::string &uid, SyncEntry &entry, const LocalTopic *local)
    {
        auto theirs = [&] { return std::move(fetched_.find(entry.path)->second); };
        switch (action) {
        case SyncAction::Nothing:
            break;
        case SyncAction::Send:
        case SyncAction::SendOverTheirs:
            send(*local, entry, entry.etag, false);
            break;
        case SyncAction::SendAgain:
        case SyncAction::SendNew:
            send(*local, entry, {}, true);
            break;
        case SyncAction::DeleteThere:
            return deleteThere(uid, entry);
        case SyncAction::TakeTheirs:
            addChange(LocalChange::Update, local->uni, local->hash, theirs());
            ++result_.counts.received;
            break;
        case SyncAction::AddHere:
            addChange(LocalChange::Add, {}, {}, theirs());
            ++result_.counts.received;
            break;
        case SyncAction::RemoveHere:
            result_.state.entries.erase(uid);
            addChange(LocalChange::Remove, local->uni, local->hash, {});
            ++result_.counts.removedHere;
            break;
        case SyncAction::Forget:
            result_.state.entries.erase(uid);
            break;
        case SyncAction::Settle:
            result_.state.entries[uid].hash = local->hash;
            break;
        case SyncAction::KeepBoth:
            addChange(LocalChange::Conflict, local->uni, local->hash, theirs());
            send(*local, entry, entry.etag, false);
            break;
        }
        return true;
    }

    void decideNewRemote()
    {
        std::set<std::string> knownPaths;
        for (const auto &[uid, e] : result_.state.entries)
            knownPaths.insert(e.path);
        std::optional<ContentMatch> byContent;
        if (stateless_) {
            std::set<std::string> serverUids;
            for (const auto &[path, topic] : fetched_)
                serverUids.insert(topic.uid);
            byContent.emplace(snapshot_, serverUids);
        }
        for (auto &[path, topic] : fetched_) {
            if (stopped())
                return;
            if (knownPaths.count(path) != 0)
                continue;
            if (result_.state.entries.count(topic.uid) != 0) {
                result_.log.push_back("Calendar sync skipped the server's entry " + path + ": its UID is already synced from " +
                                      result_.state.entries[topic.uid].path + ".");
                continue;
            }
            SyncEntry entry{topic.uid, path, fetchedEtag_[path], {}, {}};
            const auto match = snapshot_.byUid.find(topic.uid);
            const LocalTopic *local = match == snapshot_.byUid.end() ? nullptr : &snapshot_.topics[match->second];
            if (local != nullptr && boundUnis_.count(local->uni) != 0)
                local = nullptr;  // the UID is another entry's topic already
            // A topic with its UID: synced before the state was lost, or by a sync cut short.
            // Without any state, a topic saying the same is the entry under a UID lost with it.
            const bool sameByContent =
                local == nullptr && byContent && (local = byContent->take(topic, boundUnis_));
            EntryFacts facts;
            facts.server = ServerSide::New;
            facts.local = local != nullptr ? LocalSide::New : LocalSide::Gone;
            facts.sameContent =
                local != nullptr && (sameByContent || hashOf(topic, local) == local->hash ||
                                     settledHashOf(topic, *local) == local->hash);
            if (local != nullptr)
                boundUnis_.insert(local->uni);
            switch (decide(facts)) {
            case SyncAction::Settle:
                entry.uni = local->uni;
                // As the topic will read under its entry's UID and its parent's.
                entry.hash = settledHashOf(topic, *local);
                result_.state.entries[entry.uid] = entry;
                break;
            case SyncAction::KeepBoth:
                addChange(LocalChange::Conflict, local->uni, local->hash, std::move(topic));
                send(*local, entry, entry.etag, false);
                break;
            default:
                result_.state.entries[entry.uid] = entry;  // uni and hash follow when it is applied
                addChange(LocalChange::Add, {}, {}, std::move(topic));
                ++result_.counts.received;
                break;
            }
        }
    }

    void pushNewLocal()
    {
        std::vector<const LocalTopic *> fresh;
        for (const LocalTopic &local : snapshot_.topics)
            if (boundUnis_.count(local.uni) == 0 && result_.state.entries.count(local.topic.uid) == 0)
                fresh.push_back(&local);
        total_ = done_ + static_cast<int>(fresh.size());
        for (const LocalTopic *local : fresh) {
            if (stopped())
                return;
            SyncEntry entry{local->topic.uid, entryPathFor(calendarPath_, local->topic.uid), {}, local->uni, {}};
            send(*local, entry, {}, true);
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
