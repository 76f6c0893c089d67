// The parts of a DAV multistatus answer (RFC 4918, 4791, 6578) that discovery and sync use,
// taken from the XML tree: per response its href, status and the properties found (2xx).
#pragma once

#include <string>
#include <vector>

#include "caldav/DavXml.h"

namespace nimbus::caldav {

struct DavResource {
    std::string href;
    int status = 0;              // the response's own status (sync-collection removals: 404)
    std::string etag;
    std::string calendarData;
    std::string displayName;
    std::string principalHref;   // current-user-principal
    std::string homeSetHref;     // calendar-home-set
    bool isCollection = false;
    bool isCalendar = false;
    bool hasComponentSet = false;
    std::vector<std::string> components;  // supported-calendar-component-set: "VTODO", ...
    bool syncCollection = false;          // supported-report-set offers sync-collection
    std::string ctag;                     // getctag (changes with every change inside)
    std::string lastModified;             // getlastmodified, as the server wrote it
    std::string description;              // calendar-description
    std::string color;                    // the Apple calendar-color most clients set
    std::string order;                    // the Apple calendar-order
    // current-user-privilege-set: whether the server said, and whether it grants any way of
    // changing the collection's entries (all, write, write-content, bind or unbind).
    bool privilegesKnown = false;
    bool writable = false;
    // Every property of the 2xx answers as "namespace name" (for a propname request).
    std::vector<std::string> propNames;
};

inline constexpr const char *kCalendarServerNs = "http://calendarserver.org/ns/";
inline constexpr const char *kAppleIcalNs = "http://apple.com/ns/ical/";

struct Multistatus {
    bool ok = false;
    std::string error;
    std::vector<DavResource> resources;
    std::string syncToken;
};

// The most entries one answer may list (a calendar larger than that is not synced).
inline constexpr std::size_t kMaxResources = 100'000;

Multistatus readMultistatus(const std::string &body);
// An ETag as the server gave it, or empty when it holds control characters (a line break
// would split the If-Match header it goes back in): the entry then counts as one whose ETag
// is not known.
std::string usableEtag(std::string etag);
// The status code of a "HTTP/1.1 404 Not Found" line; 0 when there is none.
int statusOfLine(const std::string &line);

}  // namespace nimbus::caldav
