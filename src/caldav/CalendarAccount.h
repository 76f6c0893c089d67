// The calendar account the user set up, kept in "CalendarAccount.dat" in the data folder (a
// file of our own): the server's address, the user name, how often to sync, and the chosen
// calendars, each with the section or topic whose sub-topics it holds. The password is never
// in it. The first version of the file held one calendar; it reads as an account with that
// one calendar.
#pragma once

#include <string>
#include <vector>

#include "store/StoreLog.h"

namespace nimbus {
class TNimbusStructure;
}

namespace nimbus::caldav {

// One calendar of the account and the section or topic it is kept in step with.
struct CalendarBinding {
    std::string calendarUrl;  // as discovery found it
    std::string calendarName;
    std::string subtree;      // id of the section or topic synced with it
    bool operator==(const CalendarBinding &) const = default;
};

class CalendarAccount {
public:
    static constexpr const char *kFileName = "CalendarAccount.dat";
    static constexpr int kDefaultIntervalMinutes = 5;
    static constexpr int kVersion = 2;

    std::string server;        // as the user typed it
    std::string user;
    std::vector<CalendarBinding> calendars;  // each calendar once, each subtree once
    int intervalMinutes = kDefaultIntervalMinutes;  // 1 to 1440

    // Everything needed to sync is there.
    bool configured() const { return !server.empty() && !user.empty() && !calendars.empty(); }

    // A missing file is no account; damaged values take their defaults.
    void Load(const std::string &dataFolder);
    StoreResult Save(const std::string &dataFolder) const;
};

// Why these calendars cannot be synced into that store as chosen (a calendar twice, a topic
// twice, one synced topic inside another, a topic that is not there); empty when they can.
std::string bindingProblem(const std::vector<CalendarBinding> &calendars, const TNimbusStructure &store);

// A calendar of the account that is not on the account's server (a hand-edited file, or an
// older discovery): it is not synced, so that the password and the topics go to no other
// server. Empty when every calendar is on the server.
std::string serverProblem(const CalendarAccount &account);

// When to try again after failures in a row: one minute, doubling, never later than the
// chosen interval. No failures: the interval.
int retryDelaySeconds(int intervalMinutes, int failuresInARow);

}  // namespace nimbus::caldav
