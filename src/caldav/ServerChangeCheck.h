// Whether a calendar changed on the server since a sync that left it as it was, told as
// cheaply as the server allows. The getctag tells it for certain, but some servers (Radicale)
// read every entry to give it, a quarter of a second at 5,000 entries; the calendar's
// getlastmodified costs them a look at the files' times. That answer stands in for the ctag
// only where it is safe:
// - this server's getlastmodified has been seen to move when its ctag moved, and never to
//   stand still while it moved (a collection's date need not follow its members);
// - it was settled when read: it counts whole seconds, so a change later within that same
//   second would leave its text as it was; it is kept only when the server's clock (the Date
//   of the answer, less the request's time) was past that second when the server read it;
// - the ctag is read again at least every half hour all the same.
// A sync token is trusted for a few days only: servers drop old tokens (DAViCal after a
// week), and DAViCal then answers as if the token were new to it, listing every entry but
// none of those removed since, so a calendar synced from such a token would keep here what
// was removed there. An older token, or one whose age is not known, gives way to a full
// listing, which sees removals as what is no longer listed.
#pragma once

#include <string>

#include "caldav/CalDavClient.h"
#include "caldav/SyncState.h"

namespace nimbus::caldav {

inline constexpr int kCtagRecheckMinutes = 30;
inline constexpr int kSyncTokenTrustDays = 5;

// True when the getlastmodified kept in state may answer for the ctag at now (a local stamp).
bool lastModifiedMayStandIn(const SyncState &state, const std::string &stampNow);

// The reading's getlastmodified when it was settled; empty otherwise.
std::string settledLastModified(const CollectionMark &mark);

// Keeps what a reading of both marks tells: whether getlastmodified follows the ctag (from
// the reading before), the reading itself, and when the ctag was read where that counts.
void noteCollectionMark(SyncState &state, const CollectionMark &mark, const std::string &stampNow);

// True when the state's sync token was handed out less than kSyncTokenTrustDays before now.
bool syncTokenTrusted(const SyncState &state, const std::string &stampNow);

// Keeps the token a listing returned, with the time it was first seen: a server answers with
// the same token while nothing changed, and that token ages all the same.
void noteSyncToken(SyncState &state, const std::string &token, const std::string &stampNow);

} // namespace nimbus::caldav
