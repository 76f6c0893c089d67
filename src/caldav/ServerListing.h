// What the calendar holds on the server: the changes since the saved sync token where the
// server offers sync-collection, else every entry with its ETag. A token the server forgot
// gives a full listing; a listing the server cut short is continued by the client, and one
// that cannot be continued stays incomplete, so that nothing it left out counts as removed.
#pragma once

#include <string>

#include "caldav/CalDavClient.h"
#include "caldav/SyncEngine.h"

namespace nimbus::caldav {

class ServerListing {
public:
    ServerListing(CalDavClient &client, const SyncOptions &options, ExchangeResult &result)
        : client_(client), options_(options), result_(result)
    {
    }

    // Lists the calendar; false (with the error in the result) when the server did not.
    bool list();

    const Listing &listing() const { return listing_; }
    // Every entry was listed, not only the changes since the token.
    bool full() const { return full_; }
    // The token the next sync lists from.
    const std::string &newToken() const { return newToken_; }

private:
    CalDavClient &client_;
    const SyncOptions &options_;
    ExchangeResult &result_;
    Listing listing_;
    bool full_ = true;
    std::string newToken_;
};

} // namespace nimbus::caldav
