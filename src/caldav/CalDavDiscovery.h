// Finding a user's calendars from a server address (RFC 6764 and RFC 4791): the address
// itself when it is a calendar, else the current user's principal (from the address or from
// /.well-known/caldav), its calendar home, and the calendars listed there.
#pragma once

#include <string>
#include <vector>

#include "caldav/HttpTransport.h"

namespace nimbus::caldav {

struct CalendarInfo {
    std::string url;
    std::string displayName;
    std::vector<std::string> components;  // empty: the server did not say (any)
    bool syncCollection = false;
    // Tasks or events can be kept here.
    bool holdsTopics() const;
};

struct DiscoveryResult {
    bool ok = false;
    std::string error;
    bool authFailed = false;
    std::string principalUrl;
    std::string homeUrl;
    std::vector<CalendarInfo> calendars;
};

DiscoveryResult discoverCalendars(HttpTransport &transport, const std::string &serverUrl);

}  // namespace nimbus::caldav
