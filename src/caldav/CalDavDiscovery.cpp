// Calendar discovery; see CalDavDiscovery.h.
#include "caldav/CalDavDiscovery.h"

#include <algorithm>

#include "caldav/CalDavClient.h"
#include "caldav/ServerAddress.h"

namespace nimbus::caldav {

namespace {

const char *const kCalendarProps =
    "<d:resourcetype/><d:displayname/><c:supported-calendar-component-set/><d:supported-report-set/>";

CalendarInfo calendarOf(const DavResource &r, const std::string &base)
{
    CalendarInfo info;
    info.url = resolveHref(base, r.href);
    info.displayName = r.displayName.empty() ? normalPath(r.href) : r.displayName;
    info.components = r.components;
    info.syncCollection = r.syncCollection;
    return info;
}

// A PROPFIND that follows redirects (the well-known address answers with one) within the
// same origin, so that the password never travels to another server.
HttpResponse propfindFollowing(CalDavClient &client, std::string &url, int depth, const std::string &props,
                               std::string &error)
{
    UrlParts start;
    splitUrl(url, start);
    for (int hop = 0; hop < 5; ++hop) {
        HttpResponse response = client.propfind(url, depth, props);
        if (response.status < 300 || response.status >= 400 || response.header("location").empty())
            return response;
        const std::string target = resolveHref(url, response.header("location"));
        UrlParts parts;
        if (!splitUrl(target, parts) || originOf(parts) != originOf(start)) {
            error = "The calendar server sent the request to another server (" + target +
                    "); enter that address instead.";
            return {};
        }
        url = target;
    }
    error = "The calendar server redirected too many times.";
    return {};
}

std::string otherServer(const std::string &address)
{
    UrlParts parts;
    splitUrl(address, parts);
    return "The calendar server names another server for the user's calendars (" + originOf(parts) +
           "); the password is not sent there. To use it, enter that address as the server.";
}

bool readAnswer(const HttpResponse &response, const std::string &url, Multistatus &ms, DiscoveryResult &result)
{
    if (response.status != 207) {
        result.error = failureText(response, url);
        result.authFailed = response.status == 401;
        return false;
    }
    ms = readMultistatus(response.body);
    if (!ms.ok) {
        result.error = ms.error;
        return false;
    }
    return true;
}

}  // namespace

bool CalendarInfo::holdsTopics() const
{
    return components.empty() || std::find(components.begin(), components.end(), "VTODO") != components.end() ||
           std::find(components.begin(), components.end(), "VEVENT") != components.end();
}

DiscoveryResult discoverCalendars(HttpTransport &transport, const std::string &serverUrl)
{
    DiscoveryResult result;
    if (std::string refusal = refusalOf(serverUrl); !refusal.empty()) {
        result.error = refusal;
        return result;
    }
    CalDavClient client(transport);
    std::string url = serverUrl;
    Multistatus ms;
    HttpResponse first = propfindFollowing(client, url, 0,
                                           std::string("<d:current-user-principal/>") + kCalendarProps, result.error);
    if (!result.error.empty() || !readAnswer(first, url, ms, result)) {
        if (result.authFailed || !first.error.empty())
            return result;
        result.error.clear();
        ms = {};
    }
    for (const DavResource &r : ms.resources) {
        if (r.isCalendar) {  // the address is a calendar itself
            result.calendars.push_back(calendarOf(r, url));
            result.ok = true;
            return result;
        }
    }
    std::string principal;
    for (const DavResource &r : ms.resources)
        if (!r.principalHref.empty())
            principal = resolveHref(url, r.principalHref);
    if (principal.empty()) {
        UrlParts parts;
        splitUrl(serverUrl, parts);
        url = originOf(parts) + "/.well-known/caldav";
        HttpResponse known = propfindFollowing(client, url, 0, "<d:current-user-principal/>", result.error);
        if (!result.error.empty() || !readAnswer(known, url, ms, result))
            return result;
        for (const DavResource &r : ms.resources)
            if (!r.principalHref.empty())
                principal = resolveHref(url, r.principalHref);
        if (principal.empty()) {
            result.error = "The calendar server did not name the user's calendars (no current-user-principal).";
            return result;
        }
    }
    // Every address the server names stays on the server the user typed: the next request
    // carries the password.
    if (!sameOrigin(principal, serverUrl)) {
        result.error = otherServer(principal);
        return result;
    }
    result.principalUrl = principal;
    url = principal;
    HttpResponse home = propfindFollowing(client, url, 0, "<c:calendar-home-set/>", result.error);
    if (!result.error.empty() || !readAnswer(home, url, ms, result))
        return result;
    for (const DavResource &r : ms.resources)
        if (!r.homeSetHref.empty())
            result.homeUrl = resolveHref(url, r.homeSetHref);
    if (result.homeUrl.empty()) {
        result.error = "The calendar server did not say where the user's calendars are (no calendar-home-set).";
        return result;
    }
    if (!sameOrigin(result.homeUrl, serverUrl)) {
        result.error = otherServer(result.homeUrl);
        return result;
    }
    url = result.homeUrl;
    HttpResponse list = propfindFollowing(client, url, 1, kCalendarProps, result.error);
    if (!result.error.empty() || !readAnswer(list, url, ms, result))
        return result;
    for (const DavResource &r : ms.resources)
        if (r.isCalendar && sameOrigin(resolveHref(url, r.href), serverUrl))
            result.calendars.push_back(calendarOf(r, url));
    result.ok = true;
    return result;
}

}  // namespace nimbus::caldav
