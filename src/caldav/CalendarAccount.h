// The calendar account the user set up, kept in "CalendarAccount.dat" in the data folder (a
// file of our own): the server's address, the user name, the chosen calendar and the topic
// whose sub-topics it holds, and how often to sync. The password is never in it.
#pragma once

#include <string>

#include "store/StoreLog.h"

namespace nimbus::caldav {

class CalendarAccount {
public:
    static constexpr const char *kFileName = "CalendarAccount.dat";
    static constexpr int kDefaultIntervalMinutes = 5;

    std::string server;        // as the user typed it
    std::string user;
    std::string calendarUrl;   // the calendar chosen from discovery
    std::string calendarName;
    std::string subtree;       // id of the section or topic synced with it
    int intervalMinutes = kDefaultIntervalMinutes;  // 1 to 1440

    // Everything needed to sync is there.
    bool configured() const { return !server.empty() && !user.empty() && !calendarUrl.empty() && !subtree.empty(); }

    // A missing file is no account; damaged values take their defaults.
    void Load(const std::string &dataFolder);
    StoreResult Save(const std::string &dataFolder) const;
};

// When to try again after failures in a row: one minute, doubling, never later than the
// chosen interval. No failures: the interval.
int retryDelaySeconds(int intervalMinutes, int failuresInARow);

}  // namespace nimbus::caldav
