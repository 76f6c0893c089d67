// The account file keeps what the user chose and never a password; damaged values take their
// defaults; retries after failures come sooner than the interval and back off to it.
#include <gtest/gtest.h>

#include "caldav/CalendarAccount.h"
#include "support/TempFolder.h"

namespace nimbus::caldav {
namespace {

TEST(CalendarAccountFile, RoundTripDefaultsAndRefusedValues)
{
    test::TempFolder folder;
    CalendarAccount none;
    none.Load(folder.path());
    EXPECT_FALSE(none.configured());
    EXPECT_EQ(none.intervalMinutes, CalendarAccount::kDefaultIntervalMinutes);

    CalendarAccount a;
    a.server = "https://dav.example.org/";
    a.user = "alice";
    a.calendarUrl = "https://dav.example.org/alice/work/";
    a.calendarName = "Work = tasks";
    a.subtree = "57";
    a.intervalMinutes = 30;
    ASSERT_TRUE(a.Save(folder.path()));
    CalendarAccount b;
    b.Load(folder.path());
    EXPECT_TRUE(b.configured());
    EXPECT_EQ(b.calendarName, "Work = tasks");
    EXPECT_EQ(b.subtree, "57");
    EXPECT_EQ(b.intervalMinutes, 30);

    test::writeFile(folder / CalendarAccount::kFileName, "server=x\r\ninterval=0\r\n");
    b.Load(folder.path());
    EXPECT_EQ(b.intervalMinutes, CalendarAccount::kDefaultIntervalMinutes);
    EXPECT_FALSE(b.configured());

    a.user = "alice\r\npassword=leak";
    EXPECT_FALSE(a.Save(folder.path()));
}

TEST(CalendarAccountFile, FailuresRetrySoonerAndBackOffToTheInterval)
{
    EXPECT_EQ(retryDelaySeconds(5, 0), 300);
    EXPECT_EQ(retryDelaySeconds(5, 1), 60);
    EXPECT_EQ(retryDelaySeconds(5, 2), 120);
    EXPECT_EQ(retryDelaySeconds(5, 3), 240);
    EXPECT_EQ(retryDelaySeconds(5, 4), 300);
    EXPECT_EQ(retryDelaySeconds(60, 50), 3600);
}

}  // namespace
}  // namespace nimbus::caldav
