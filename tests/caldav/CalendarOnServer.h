// A test fixture with a real CalDAV server of its own for the whole suite and a new calendar
// for each test, named after it; times are read in Berlin time unless a test says otherwise.
// sync() brings a data folder and the calendar together and expects it to succeed.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "../calendar/CalendarTestSupport.h"
#include "CalDavTestSupport.h"

namespace nimbus::test {

template <class Server> class CalendarOnServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = new Server(); }
    static void TearDownTestSuite()
    {
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(server_->running()) << Server::kName << " did not start";
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        calendar_ = server_->makeCalendar(std::string("cal-") + info->name());
        ASSERT_FALSE(calendar_.empty());
    }

    caldav::SyncReport sync(DataFolder &folder, bool syncCollection = true)
    {
        caldav::SyncReport report = folder.sync(server_->account(), calendar_, syncCollection);
        EXPECT_TRUE(report.ok) << Server::kName << ": " << report.summary();
        return report;
    }

    static inline Server *server_ = nullptr;
    std::string calendar_;
    ScopedZone zone_{"Europe/Berlin"};
};

} // namespace nimbus::test
