// The calendar's listing; see ServerListing.h.
#include "caldav/ServerListing.h"

#include "caldav/ServerChangeCheck.h"

namespace nimbus::caldav {

bool ServerListing::list()
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
            result_.log.push_back("Calendar sync: the server no longer knows the last sync token; "
                                  "comparing every entry.");
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

} // namespace nimbus::caldav
