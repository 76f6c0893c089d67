// The main log's line format and error entries.
#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

#include "shell/core/MainLog.h"
#include "support/TempFolder.h"

using namespace nimbus;
using nimbus::test::readFile;
using nimbus::test::TempFolder;

TEST(MainLog, LinesAreStampedInTheUsersOrderToFileAndView)
{
    TempFolder dir;
    FixedClock clock(DateTime::fromCivil(2026, 12, 5, 14, 3, 9));
    MainLog log(dir / "MainLog.txt", clock);
    std::vector<std::string> shown;
    log.setView([&](const std::string &line) { shown.push_back(line); });

    EXPECT_TRUE(log.AddToLog("first"));
    log.setDateOrder(1);
    EXPECT_TRUE(log.AddToLog("second"));
    log.setDateOrder(2);
    EXPECT_TRUE(log.AddToLog("third"));

    EXPECT_EQ(readFile(dir / "MainLog.txt"), "05/12/2026 14:03:09  first\r\n"
                                             "12/05/2026 14:03:09  second\r\n"
                                             "2026/12/05 14:03:09  third\r\n");
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], "05/12/2026 14:03:09  first");
}

TEST(MainLog, ErrorEntriesCarryTheDetailOnce)
{
    TempFolder dir;
    FixedClock clock(DateTime::fromCivil(2026, 1, 2, 3, 4, 5));
    MainLog log(dir / "MainLog.txt", clock);

    log.setErrorDetail("inbox could not be created");
    log.AddErrorToLog("*** Send failed: ");
    errno = ENOSPC;
    log.AddErrorToLog("*** A problem occurred while saving the structure: ");

    const std::string pad(20, ' ');
    EXPECT_EQ(readFile(dir / "MainLog.txt"),
              "02/01/2026 03:04:05  *** Send failed: \r\n" + pad + "inbox could not be created\r\n"
                  "02/01/2026 03:04:05  *** A problem occurred while saving the structure: \r\n"
                  + pad + "No space left on device\r\n");
}

TEST(MainLog, UnwritableLogReportsFailure)
{
    FixedClock clock;
    MainLog log("/nonexistent-folder-for-nimbus/MainLog.txt", clock);
    EXPECT_FALSE(log.AddToLog("lost"));
}

TEST(MainLog, ALineBreakInAMessageCannotAddLinesOfItsOwn)
{
    TempFolder dir;
    FixedClock clock(DateTime::fromCivil(2026, 12, 5, 14, 3, 9));
    MainLog log(dir / "MainLog.txt", clock);
    // A server address as a hostile account file could hold it.
    EXPECT_TRUE(log.AddToLog("Calendar sync failed: https://a.example/\r\n05/12/2026 14:03:09  Update installed"));
    EXPECT_EQ(readFile(dir / "MainLog.txt"),
              "05/12/2026 14:03:09  Calendar sync failed: https://a.example/\\r\\n05/12/2026 14:03:09  Update "
              "installed\r\n");
}
