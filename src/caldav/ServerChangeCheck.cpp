// The cheap check for changes on the server; see ServerChangeCheck.h.
#include "caldav/ServerChangeCheck.h"

#include <optional>

#include "caldav/HttpDate.h"
#include "store/DateFormat.h"

namespace nimbus::caldav {

namespace {

// A local stamp "yyyymmdd-hhmmss" as seconds on the local calendar; nothing when it is not one.
std::optional<std::int64_t> stampSeconds(const std::string &stamp)
{
    if (stamp.size() != 15 || stamp[8] != '-')
        return std::nullopt;
    for (std::size_t i = 0; i < stamp.size(); ++i)
        if (i != 8 && (stamp[i] < '0' || stamp[i] > '9'))
            return std::nullopt;
    const int y = dates::sliceToInt(stamp, 0, 4), mo = dates::sliceToInt(stamp, 4, 2),
              d = dates::sliceToInt(stamp, 6, 2);
    const int h = dates::sliceToInt(stamp, 9, 2), mi = dates::sliceToInt(stamp, 11, 2),
              s = dates::sliceToInt(stamp, 13, 2);
    if (!DateTime::isValidDate(y, mo, d) || !DateTime::isValidTime(h, mi, s))
        return std::nullopt;
    return DateTime::fromCivil(y, mo, d, h, mi, s).msecs() / 1000;
}

} // namespace

bool lastModifiedMayStandIn(const SyncState &state, const std::string &stampNow)
{
    if (state.lastModifiedFollows != "yes" || state.lastModified.empty() || state.ctag.empty())
        return false;
    const std::optional<std::int64_t> read = stampSeconds(state.ctagReadAt),
                                      now = stampSeconds(stampNow);
    // A clock set back counts as due, like one far ahead.
    return read && now && *now >= *read && *now - *read < kCtagRecheckMinutes * 60;
}

bool syncTokenTrusted(const SyncState &state, const std::string &stampNow)
{
    const std::optional<std::int64_t> at = stampSeconds(state.syncTokenAt),
                                      now = stampSeconds(stampNow);
    // A clock set back is as unsure as one far ahead.
    return at && now && *now >= *at && *now - *at < std::int64_t{kSyncTokenTrustDays} * 86400;
}

void noteSyncToken(SyncState &state, const std::string &token, const std::string &stampNow)
{
    if (token != state.syncToken || state.syncTokenAt.empty())
        state.syncTokenAt = token.empty() ? std::string() : stampNow;
    state.syncToken = token;
}

std::string settledLastModified(const CollectionMark &mark)
{
    const std::optional<std::int64_t> modified = httpDateSeconds(mark.lastModified);
    if (!modified || !mark.serverTime)
        return {};
    // The server read the calendar no earlier than its Date (whole seconds, rounded down)
    // less the request's time; that moment must lie past the second the date names, with
    // half a second to spare for the two clocks' rates.
    const double readNoEarlierThan = static_cast<double>(*mark.serverTime) - mark.seconds - 0.5;
    return readNoEarlierThan >= static_cast<double>(*modified + 1) ? mark.lastModified
                                                                   : std::string();
}

void noteCollectionMark(SyncState &state, const CollectionMark &mark, const std::string &stampNow)
{
    if (mark.ctag.empty())
        return; // no answer, or a server without ctag: nothing learnt
    const std::string settled = settledLastModified(mark);
    if (!state.seenCtag.empty() && !state.seenLastModified.empty() && mark.ctag != state.seenCtag &&
        state.lastModifiedFollows != "no") {
        // The ctag moved since the settled reading before: getlastmodified must have moved too.
        state.lastModifiedFollows =
            mark.lastModified.empty() || mark.lastModified == state.seenLastModified ? "no" : "yes";
    }
    state.seenCtag = mark.ctag;
    state.seenLastModified = settled;
    // Only where the date may stand in does the time of the reading matter; elsewhere the
    // state file is not written again for it after every quiet sync.
    if (state.lastModifiedFollows == "yes")
        state.ctagReadAt = stampNow;
}

} // namespace nimbus::caldav
