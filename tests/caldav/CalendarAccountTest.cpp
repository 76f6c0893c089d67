// The state file keeps a block per calendar. The account file keeps what the user chose and never a password, with every calendar and its
// topic; a file of the first version (one calendar) reads as before; damaged values take their
// defaults; calendars that would share topics are refused; retries after failures come sooner
// than the interval and back off to it.
#include <gtest/gtest.h>

#include "caldav/CalendarAccount.h"
#include "caldav/SyncState.h"
#include "store/TNimbusStructure.h"
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
    a.calendars = {{"https://dav.example.org/alice/work/", "Work = tasks", "57"},
                   {"https://dav.example.org/alice/home/", "Home", "12"}};
    a.intervalMinutes = 30;
    ASSERT_TRUE(a.Save(folder.path()));
    CalendarAccount b;
    b.Load(folder.path());
    EXPECT_TRUE(b.configured());
    EXPECT_EQ(b.calendars, a.calendars);
    EXPECT_EQ(b.intervalMinutes, 30);

    // The first version's file: one calendar, its lines among the account's.
    test::writeFile(folder / CalendarAccount::kFileName,
                    "server=https://dav.example.org/\r\nuser=alice\r\ncalendar=https://dav.example.org/alice/work/\r\n"
                    "calendarname=Work\r\nsubtree=57\r\ninterval=15\r\n");
    b.Load(folder.path());
    ASSERT_TRUE(b.configured());
    EXPECT_EQ(b.calendars, (std::vector<CalendarBinding>{{"https://dav.example.org/alice/work/", "Work", "57"}}));
    EXPECT_EQ(b.intervalMinutes, 15);

    test::writeFile(folder / CalendarAccount::kFileName, "server=x\r\ninterval=0\r\n");
    b.Load(folder.path());
    EXPECT_EQ(b.intervalMinutes, CalendarAccount::kDefaultIntervalMinutes);
    EXPECT_FALSE(b.configured());

    a.user = "alice\r\npassword=leak";
    EXPECT_FALSE(a.Save(folder.path()));
}

// CalendarSync.dat holds a block per calendar: saving one keeps the others, a file of the first
// version (one block) reads the same, and the blocks of calendars that left the account go.
TEST(CalendarSyncFile, EachCalendarKeepsItsOwnBlock)
{
    test::TempFolder folder;
    test::writeFile(folder / SyncState::kFileName,
                    "calendar=https://x/work/\r\nsubtree=57\r\ntoken=t1\r\nuid=a@x\r\npath=/work/a.ics\r\n"
                    "etag=\"1\"\r\ntopic=101\r\nhash=h1\r\n");
    SyncState work;
    work.Load(folder.path(), "https://x/work/");
    EXPECT_FALSE(work.Bind("https://x/work/", "57"));
    EXPECT_EQ(work.syncToken, "t1");
    ASSERT_EQ(work.entries.size(), 1u);
    EXPECT_EQ(work.entries["a@x"].path, "/work/a.ics");

    SyncState home;
    home.Load(folder.path(), "https://x/home/");
    EXPECT_TRUE(home.entries.empty());
    EXPECT_FALSE(home.Bind("https://x/home/", "12"));
    home.syncToken = "t2";
    home.ctag = "c2";
    home.entries["b@x"] = {"b@x", "/home/b.ics", "\"2\"", "102", "h2"};
    home.tooLarge["/home/big one.ics"] = "\"9\"";
    ASSERT_TRUE(home.Save());
    work.entries["a@x"].etag = "\"3\"";
    ASSERT_TRUE(work.Save());

    SyncState again;
    again.Load(folder.path(), "https://x/home/");
    EXPECT_EQ(again.subtree(), "12");
    EXPECT_EQ(again.ctag, "c2");
    EXPECT_EQ(again.entries, home.entries);
    EXPECT_EQ(again.tooLarge, home.tooLarge);
    again.Load(folder.path(), "https://x/work/");
    EXPECT_EQ(again.entries["a@x"].etag, "\"3\"");
    EXPECT_EQ(again.syncToken, "t1");

    ASSERT_TRUE(SyncState::KeepOnly(folder.path(), {"https://x/home/"}));
    again.Load(folder.path(), "https://x/work/");
    EXPECT_TRUE(again.entries.empty());
    again.Load(folder.path(), "https://x/home/");
    EXPECT_EQ(again.entries.size(), 1u);
}

TEST(CalendarAccountFile, CalendarsThatWouldShareTopicsAreRefused)
{
    test::TempFolder folder;
    test::writeFile(folder / "Structure.dat", "uni=1\r\ntext=Topics\r\nlev=0\r\ntype=1\r\nuni=2\r\ntext=Work\r\nlev=1\r\n"
                                              "type=1\r\nuni=3\r\ntext=Inside work\r\nlev=2\r\ntype=1\r\nuni=4\r\n"
                                              "text=Home\r\nlev=1\r\ntype=1\r\nuni=5\r\ntext=Notes\r\nlev=0\r\ntype=1\r\n");
    TNimbusStructure store;
    store.SetPaths(folder.path(), folder.path());
    store.LoadStructure();
    const CalendarBinding work{"https://x/work/", "Work", "2"}, home{"https://x/home/", "Home", "4"};
    EXPECT_EQ(bindingProblem({work, home}, store), "");
    EXPECT_EQ(bindingProblem({work, {"https://x/notes/", "Notes", "5"}}, store), "");  // a section of its own
    EXPECT_NE(bindingProblem({work, {"https://x/inner/", "Inner", "3"}}, store), "");  // inside Work
    EXPECT_NE(bindingProblem({{"https://x/all/", "All", "1"}, home}, store), "");      // Home inside its section
    EXPECT_NE(bindingProblem({work, {"https://x/home/", "Again", "2"}}, store), "");   // the same topic
    EXPECT_NE(bindingProblem({work, {"https://x/work/", "Work", "4"}}, store), "");    // the same calendar
    EXPECT_NE(bindingProblem({{"https://x/gone/", "Gone", "99"}}, store), "");
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
