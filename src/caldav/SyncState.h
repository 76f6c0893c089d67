// What the last sync of one calendar left behind, kept in "CalendarSync.dat" in the data folder
// (a file of our own; the store's files never hold any of it): the calendar and subtree it
// belongs to, the server's sync token, the calendar's marks of change (getctag and
// getlastmodified) and what was learnt of them, and per synced topic its UID, its entry's path
// and ETag on the server, its topic id and the fingerprint of the content last synced.
// The file holds one such block per calendar of the account, each starting with its
// "calendar" line (the first version held a single block, read the same way). When the file
// is lost the next sync matches topics by UID and duplicates nothing.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "store/StoreLog.h"

namespace nimbus::caldav {

struct SyncEntry {
    std::string uid;
    std::string path;  // the entry's path on the server, percent escapes decoded
    std::string etag;
    std::string uni;   // the topic's id
    std::string hash;  // fingerprint of the topic as last synced
    bool operator==(const SyncEntry &) const = default;
};

class SyncState {
public:
    static constexpr const char *kFileName = "CalendarSync.dat";

    static constexpr int kVersion = 2;

    // Reads the data folder's block for that calendar; a missing or damaged file, or no block
    // for the calendar, gives an empty state bound to it.
    void Load(const std::string &dataFolder, const std::string &calendarUrl);
    // This calendar's block replaces the one in the file (the other calendars' blocks stay),
    // written atomically (temporary file, fsync, rename).
    StoreResult Save() const;
    // Drops the blocks of calendars that are no longer part of the account.
    static StoreResult KeepOnly(const std::string &dataFolder, const std::vector<std::string> &calendarUrls);
    // A state bound to another calendar or subtree is forgotten (topics are then matched by
    // UID): true when that happened.
    bool Bind(const std::string &calendarUrl, const std::string &subtree);

    const std::string &calendarUrl() const { return calendar_; }
    const std::string &subtree() const { return subtree_; }
    std::string syncToken;
    // When that token was first handed out here (local stamp); empty when not known. Servers
    // forget old tokens, and one (DAViCal) answers a forgotten token as if it were new, with
    // every entry but without those removed: see ServerChangeCheck.h.
    std::string syncTokenAt;
    // The collection's getctag when the last sync began, kept only after a sync that changed
    // nothing on the server: the same ctag next time means nothing changed there since.
    std::string ctag;
    // The collection's getlastmodified read with that ctag, when it can stand in for it (see
    // ServerChangeCheck.h); empty otherwise.
    std::string lastModified;
    // The ctag and settled getlastmodified of the last reading, whatever the sync did after,
    // and when it was taken (local stamp): the next reading tells whether they move together.
    std::string seenCtag;
    std::string seenLastModified;
    std::string ctagReadAt;
    // Whether this server's getlastmodified of the calendar moves with its ctag: empty while
    // not known, "yes" once seen moving with it, "no" for good once seen standing still
    // while the ctag moved.
    std::string lastModifiedFollows;
    // The machine's zone when this state was last written: the zone its topics' times were
    // read in (see ZoneChange.h).
    std::string zone;
    // Topics whose version (topic id -> fingerprint) the server refused: not sent again, and
    // no change here, until they change.
    std::map<std::string, std::string> refused;
    // The server said the calendar may not be changed by this user: it is synced from the
    // server only. heldBack: the topics whose change here was therefore kept here (topic id
    // -> fingerprint told, "-" for a removal), each told once in the log.
    bool readOnly = false;
    std::map<std::string, std::string> heldBack;
    // Server entries larger than the largest answer taken (path -> ETag): not asked for
    // again until their ETag changes.
    std::map<std::string, std::string> tooLarge;
    // By UID.
    std::map<std::string, SyncEntry> entries;
    // Topic ids of the "Conflict: <title>" copies a sync made here: they stay on this machine
    // (every device would otherwise get a duplicate) until the user gives them another title.
    std::set<std::string> localOnly;

    // Lookups built on demand (the maps are small beside the sync's requests).
    const SyncEntry *byPath(const std::string &path) const;
    std::map<std::string, const SyncEntry *> indexByUni() const;

    const std::string &path() const { return path_; }
    // Whether the file is still the one this state last read or wrote (same file, size and
    // change times, and, while those times are within two seconds of the look that noted
    // them, where a file system's clock tick could hide a rewrite, the same bytes): a sync that
    // finds it so may keep the state it holds instead of reading the file again. A file
    // replaced since (by another program, or by the save of another calendar's block),
    // rewritten, removed or made is not.
    bool fileUnchanged() const;
    // Notes the file as it is now as this state's own: only when every block in it is known
    // to be what its state holds (each just saved).
    void noteFileAsSaved() const;
    // Same binding, marks and entries: nothing to write.
    bool sameAs(const SyncState &other) const
    {
        return calendar_ == other.calendar_ && subtree_ == other.subtree_ &&
               syncToken == other.syncToken && syncTokenAt == other.syncTokenAt &&
               ctag == other.ctag && lastModified == other.lastModified &&
               seenCtag == other.seenCtag && seenLastModified == other.seenLastModified &&
               ctagReadAt == other.ctagReadAt && lastModifiedFollows == other.lastModifiedFollows &&
               refused == other.refused && entries == other.entries &&
               localOnly == other.localOnly && zone == other.zone && readOnly == other.readOnly &&
               heldBack == other.heldBack;
    }

private:
    // The identity of the file when this state last read or wrote it.
    struct FileMark {
        bool noted = false; // never equal to a mark that was not taken
        bool exists = false;
        unsigned long long device = 0, inode = 0;
        long long size = 0, modified = 0, changed = 0; // nanoseconds
        // Set while the times are too close to the look to tell a rewrite in the same tick:
        // the bytes' hash then decides.
        bool unsettled = false;
        std::size_t bytes = 0;
        bool sameFile(const FileMark &o) const
        {
            return noted && o.noted && exists == o.exists && device == o.device &&
                   inode == o.inode && size == o.size && modified == o.modified &&
                   changed == o.changed;
        }
    };
    static FileMark markOf(const std::string &path);
    static std::size_t hashOf(const std::string &path);
    void clearMarks();
    mutable FileMark fileMark_;
    std::string path_;
    std::string calendar_;
    std::string subtree_;
};

}  // namespace nimbus::caldav
