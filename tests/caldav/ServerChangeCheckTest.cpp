// The cheap check for changes on the server: HTTP dates, when a calendar's date is settled
// enough to keep, and when it may stand in for the ctag. The end-to-end side (a real server,
// a date that stands still) is in SyncEndToEndTest.cpp.
#include <gtest/gtest.h>

#include "caldav/HttpDate.h"
#include "caldav/ServerChangeCheck.h"

namespace nimbus::caldav {
namespace {

constexpr std::int64_t kDate = 1796105825; // Tue, 01 Dec 2026 06:17:05 GMT
const std::string kDateText = "Tue, 01 Dec 2026 06:17:05 GMT";

std::string dateText(std::int64_t seconds)
{
    // Whole minutes after kDate, which is enough for these tests.
    const std::int64_t minutes = (seconds - kDate) / 60, rest = (seconds - kDate) % 60;
    char text[40];
    std::snprintf(text, sizeof text, "Tue, 01 Dec 2026 %02d:%02d:%02d GMT",
                  static_cast<int>(6 + (17 + minutes) / 60), static_cast<int>((17 + minutes) % 60),
                  static_cast<int>(5 + rest));
    return text;
}

CollectionMark markOf(const std::string &ctag, std::int64_t modified, std::int64_t answered,
                      double seconds = 0.05)
{
    CollectionMark m;
    m.ctag = ctag;
    m.lastModified = dateText(modified);
    m.serverTime = answered;
    m.seconds = seconds;
    return m;
}

TEST(HttpDate, OnlyTheFixedFormIsReadAndItIsUtc)
{
    EXPECT_EQ(httpDateSeconds("Sun, 06 Nov 1994 08:49:37 GMT"), 784111777);
    EXPECT_EQ(httpDateSeconds(" " + kDateText + " "), kDate);
    EXPECT_EQ(httpDateSeconds(dateText(kDate + 125)), kDate + 125);
    for (const char *other : {"Sunday, 06-Nov-94 08:49:37 GMT", "Sun Nov  6 08:49:37 1994",
                              "Sun, 06 Nov 1994 08:49:37 UTC", "Sun, 31 Feb 1994 08:49:37 GMT",
                              "Sun, 06 Nox 1994 08:49:37 GMT", "Sun, 06 Nov 1994 25:49:37 GMT",
                              "Sun, 06 Nov 19x4 08:49:37 GMT", ""})
        EXPECT_FALSE(httpDateSeconds(other)) << other;
}

TEST(ServerChangeCheck, ADateIsKeptOnlyWhenItsSecondWasPastBeforeTheServerReadIt)
{
    EXPECT_EQ(settledLastModified(markOf("c", kDate, kDate + 2)), kDateText);
    // A change later in that same second would have left the date's text as it is.
    EXPECT_EQ(settledLastModified(markOf("c", kDate, kDate + 1)), "");
    EXPECT_EQ(settledLastModified(markOf("c", kDate, kDate)), "");
    // A slow answer: the server may have read the calendar well before its Date.
    EXPECT_EQ(settledLastModified(markOf("c", kDate, kDate + 2, 1.5)), "");
    EXPECT_EQ(settledLastModified(markOf("c", kDate, kDate + 4, 1.5)), kDateText);
    CollectionMark noClock = markOf("c", kDate, kDate + 60);
    noClock.serverTime.reset();
    EXPECT_EQ(settledLastModified(noClock), "");
    CollectionMark unreadable = markOf("c", kDate, kDate + 60);
    unreadable.lastModified = "2026-12-01T06:17:05Z";
    EXPECT_EQ(settledLastModified(unreadable), "");
}

TEST(ServerChangeCheck, TheDateStandsInOnlyWhereItFollowsTheCtagAndForHalfAnHourAtMost)
{
    SyncState state;
    // A reading right after a change says nothing about the next one.
    noteCollectionMark(state, markOf("c0", kDate, kDate), "20261201-071705");
    noteCollectionMark(state, markOf("c1", kDate, kDate + 10), "20261201-071715");
    EXPECT_EQ(state.lastModifiedFollows, "");
    EXPECT_EQ(state.seenLastModified, kDateText);
    // The ctag moved and the date with it.
    noteCollectionMark(state, markOf("c2", kDate + 60, kDate + 70), "20261201-071815");
    EXPECT_EQ(state.lastModifiedFollows, "yes");
    EXPECT_EQ(state.ctagReadAt, "20261201-071815");

    state.ctag = "c2";
    state.lastModified = dateText(kDate + 60);
    EXPECT_TRUE(lastModifiedMayStandIn(state, "20261201-071815"));
    EXPECT_TRUE(lastModifiedMayStandIn(state, "20261201-074814"));
    EXPECT_FALSE(
        lastModifiedMayStandIn(state, "20261201-074815")); // half an hour: the ctag is read again
    EXPECT_FALSE(lastModifiedMayStandIn(state, "20261201-071814")); // a clock set back
    EXPECT_FALSE(lastModifiedMayStandIn(state, "not a stamp"));
    SyncState noCtag = state;
    noCtag.ctag.clear(); // the last sync changed the server
    EXPECT_FALSE(lastModifiedMayStandIn(noCtag, "20261201-071815"));

    // The ctag moved and the date stood still: never trusted again with this calendar.
    noteCollectionMark(state, markOf("c3", kDate + 60, kDate + 130), "20261201-071925");
    EXPECT_EQ(state.lastModifiedFollows, "no");
    noteCollectionMark(state, markOf("c4", kDate + 190, kDate + 200), "20261201-072035");
    EXPECT_EQ(state.lastModifiedFollows, "no");
    EXPECT_FALSE(lastModifiedMayStandIn(state, "20261201-072035"));

    // A server that keeps no date for its calendars.
    SyncState dateless;
    CollectionMark none = markOf("d0", kDate, kDate + 10);
    none.lastModified.clear();
    noteCollectionMark(dateless, none, "20261201-071715");
    none.ctag = "d1";
    noteCollectionMark(dateless, none, "20261201-071815");
    EXPECT_NE(dateless.lastModifiedFollows, "yes");
}

// A token is used for a few days after it was first handed out, the same token handed out
// again keeps its age, and a token of unknown age (a state written before ages were kept, a
// clock set back) is not used.
TEST(ServerChangeCheck, ASyncTokenIsTrustedForAFewDaysFromWhenItFirstCame)
{
    SyncState state;
    noteSyncToken(state, "data:,7", "20261201-090000");
    EXPECT_EQ(state.syncToken, "data:,7");
    EXPECT_TRUE(syncTokenTrusted(state, "20261201-090000"));
    noteSyncToken(state, "data:,7", "20261204-090000"); // nothing changed there meanwhile
    EXPECT_TRUE(syncTokenTrusted(state, "20261206-085959"));
    EXPECT_FALSE(syncTokenTrusted(state, "20261206-090000"));
    EXPECT_FALSE(syncTokenTrusted(state, "20261130-090000")); // a clock set back
    noteSyncToken(state, "data:,9", "20261206-090000");
    EXPECT_TRUE(syncTokenTrusted(state, "20261206-090000"));

    SyncState older; // its file knew no ages yet
    older.syncToken = "data:,7";
    EXPECT_FALSE(syncTokenTrusted(older, "20261201-090000"));
    noteSyncToken(older, "data:,7", "20261201-090000");
    EXPECT_TRUE(syncTokenTrusted(older, "20261201-090000"));
    noteSyncToken(older, "", "20261201-090000"); // a first listing cut short
    EXPECT_EQ(older.syncTokenAt, "");
}

} // namespace
} // namespace nimbus::caldav
