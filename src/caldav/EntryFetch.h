// Reads what the listing says changed on the server: the entries known here with another
// ETag and the entries new to this sync, each read into the topic it holds. An entry too
// large to take is remembered with its ETag (the state's "toolarge" lines) and asked for
// again only once it changed.
#pragma once

#include <map>
#include <string>

#include "caldav/CalDavClient.h"
#include "caldav/ServerListing.h"
#include "caldav/SyncDecision.h"
#include "caldav/SyncEngine.h"

namespace nimbus::caldav {

// What the fetch found.
struct FetchedEntries {
    std::map<std::string, ServerSide> remoteOf;             // by UID of a known entry
    std::map<std::string, calendar::CalendarTopic> fetched; // by path
    std::map<std::string, std::string> fetchedEtag;         // by path
};

class EntryFetch {
public:
    EntryFetch(CalDavClient &client, const SyncOptions &options, ExchangeResult &result,
               const ServerListing &listed)
        : client_(client), options_(options), result_(result), listed_(listed)
    {
    }

    // Fetches what changed; false (with the error in the result) when the server failed.
    bool fetchChanged();

    FetchedEntries &entries() { return entries_; }

private:
    CalDavClient &client_;
    const SyncOptions &options_;
    ExchangeResult &result_;
    const ServerListing &listed_;
    FetchedEntries entries_;
};

} // namespace nimbus::caldav
