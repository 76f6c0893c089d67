// Carries the decided writes out on the server: a topic sent as a new entry (If-None-Match:
// *) or over its entry (If-Match, after carrying the server's own parts into it), an entry
// deleted (If-Match). A 412 fetches the server's version and handles it as a change on both
// sides; a removal the server refuses or that met a change there brings the entry back here.
// An answer that refuses only this entry (its content, its size, writing at all) is logged
// and kept in the state's "refused" lines by topic and fingerprint: the sync goes on, and the
// topic is sent again once it changes. On a read-only calendar nothing is sent (HeldChanges).
#pragma once

#include <string>

#include "caldav/ExchangeContext.h"
#include "caldav/HeldChanges.h"

namespace nimbus::caldav {

class EntryWriter {
public:
    EntryWriter(ExchangeContext &context, HeldChanges &held)
        : context_(context), client_(context.client), options_(context.options),
          result_(context.result), prints_(context.prints), held_(held)
    {
    }

    // Sends the local topic: a new entry with If-None-Match, else over the entry with If-Match
    // etag (without a condition when its ETag is not known). On 412 the server's version is
    // fetched and handled as a change on both sides.
    void send(const LocalTopic &local, SyncEntry &entry, const std::string &etag, bool isNew);
    // DELETE with If-Match; false when the sync must stop.
    bool deleteThere(const std::string &uid, const SyncEntry &entry);

    // The server refused this very version of the topic before: it is not sent again until it
    // changes.
    bool refusedAsIs(const LocalTopic &local) const;
    // An answer that refuses this one entry (its content, its size, or writing at all), as
    // opposed to a failure of the server or the connection: the sync goes on without it.
    static bool refusesTheEntry(const WriteResult &w);

private:
    ExchangeContext &context_;
    CalDavClient &client_;
    const SyncOptions &options_;
    ExchangeResult &result_;
    const EntryFingerprints &prints_;
    HeldChanges &held_;

    void settle(const LocalTopic &local, SyncEntry &entry);
    bool bringBack(const std::string &uid, const SyncEntry &entry);
    bool mergeInto(std::string &text, const std::string &theirs, const LocalTopic &local,
                   const std::string &path);
    void holdBack(const LocalTopic &local, const std::string &path, const std::string &why);
    bool readFailed(const FetchedItem &item, const std::string &error, const LocalTopic &local,
                    const std::string &path);
};

} // namespace nimbus::caldav
