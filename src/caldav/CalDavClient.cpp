// DAV requests; see CalDavClient.h.
#include "caldav/CalDavClient.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include "caldav/DavXml.h"
#include "caldav/HttpDate.h"
#include "caldav/ServerAddress.h"

namespace nimbus::caldav {

namespace {

const char *const kXmlHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

HttpHeaders xmlHeaders(int depth)
{
    HttpHeaders h{{"Content-Type", "application/xml; charset=utf-8"}};
    if (depth >= 0)
        h.emplace_back("Depth", std::to_string(depth));
    return h;
}

// Entries of a calendar listing: not the collection itself, not sub-collections.
bool isEntry(const DavResource &r, const std::string &collectionPath)
{
    const std::string path = normalPath(r.href);
    if (path == collectionPath || path + "/" == collectionPath || r.isCollection)
        return false;
    return true;
}

std::string withSlash(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

}  // namespace

std::string failureText(const HttpResponse &response, const std::string &url)
{
    if (!response.error.empty())
        return "The calendar server could not be reached (" + url + "): " + response.error;
    if (response.status == 401)
        return "The calendar server refused the user name or password.";
    if (response.status == 403)
        return "The calendar server does not allow this account to use " + url + ".";
    if (response.status == 404)
        return "The calendar server has nothing at " + url + ".";
    return "The calendar server answered " + std::to_string(response.status) + " for " + url + ".";
}

namespace {

// The multistatus answer a PROPFIND or REPORT expects, or why there is none.
std::optional<Multistatus> multistatusOf(const HttpResponse &response, const std::string &url, std::string &error)
{
    if (response.status != 207) {
        error = failureText(response, url);
        return std::nullopt;
    }
    Multistatus ms = readMultistatus(response.body);
    if (!ms.ok) {
        error = ms.error;
        return std::nullopt;
    }
    return ms;
}

}  // namespace

HttpResponse CalDavClient::send(HttpRequest request)
{
    ++requests_;
    if (request.method == "PUT" || request.method == "DELETE" || request.method == "PROPPATCH")
        ++writes_;
    return transport_.send(request);
}

HttpResponse CalDavClient::propfind(const std::string &url, int depth, const std::string &props)
{
    HttpRequest r{"PROPFIND", url, xmlHeaders(depth), std::string(kXmlHeader) +
                  "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop>" + props +
                  "</d:prop></d:propfind>"};
    return send(std::move(r));
}

namespace {

// A multistatus that lists fewer members than the calendar holds: the calendar's own response
// carries 507 (a server's result limit, or a sync-collection answer cut short).
bool cutShort(const Multistatus &ms, const std::string &collection)
{
    for (const DavResource &r : ms.resources)
        if (r.status == 507 && withSlash(normalPath(r.href)) == collection)
            return true;
    return false;
}

}  // namespace

Listing CalDavClient::listAll(const std::string &calendarUrl, bool trySyncCollection)
{
    if (trySyncCollection) {
        Listing listing = listChanges(calendarUrl, "");
        if (listing.ok || !listing.syncUnsupported)
            return listing;
    }
    Listing listing;
    listing.syncUnsupported = trySyncCollection;
    const HttpResponse response = propfind(calendarUrl, 1, "<d:resourcetype/><d:getetag/>");
    listing.authFailed = response.status == 401;
    const std::optional<Multistatus> ms = multistatusOf(response, calendarUrl, listing.error);
    if (!ms)
        return listing;
    const std::string collection = withSlash(normalPath(calendarUrl));
    for (const DavResource &r : ms->resources)
        if (isEntry(r, collection))
            listing.items[normalPath(r.href)] = r.etag;  // empty when none could be used
    listing.complete = !cutShort(*ms, collection);
    listing.ok = true;
    return listing;
}

Listing CalDavClient::listChanges(const std::string &calendarUrl, const std::string &token)
{
    Listing listing;
    const std::string collection = withSlash(normalPath(calendarUrl));
    std::string from = token;
    for (int page = 0;; ++page) {
        HttpRequest r{"REPORT", calendarUrl, xmlHeaders(1), std::string(kXmlHeader) +
                      "<d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>" + xmlEscape(from) +
                      "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop></d:sync-collection>"};
        const HttpResponse response = send(std::move(r));
        if (response.status != 207) {
            listing.error = failureText(response, calendarUrl);
            listing.authFailed = response.status == 401;
            // An unknown token is 403 or 409 with valid-sync-token; a server without the
            // report says 400, 403, 405, 415 or 501.
            const bool tokenProblem = response.body.find("valid-sync-token") != std::string::npos;
            listing.tokenRefused = !from.empty() && tokenProblem;
            listing.syncUnsupported = page == 0 && response.answered() && !tokenProblem &&
                                      response.status != 401 && response.status != 404 && response.status >= 400;
            return listing;
        }
        Multistatus ms = readMultistatus(response.body);
        if (!ms.ok) {
            listing.error = ms.error;
            return listing;
        }
        // Later pages speak of later changes: an entry removed after it was listed is removed.
        for (const DavResource &d : ms.resources) {
            if (!isEntry(d, collection))
                continue;
            const std::string path = normalPath(d.href);
            if (d.status == 404) {
                listing.items.erase(path);
                if (std::find(listing.removed.begin(), listing.removed.end(), path) == listing.removed.end())
                    listing.removed.push_back(path);
            } else {
                std::erase(listing.removed, path);
                listing.items[path] = d.etag;  // empty when none could be used: fetched to compare
            }
        }
        if (!ms.syncToken.empty())
            listing.syncToken = ms.syncToken;
        if (!cutShort(ms, collection))
            break;
        // The rest is asked for with the token this answer returned; a server that returns
        // none, or the same one again, cannot be followed further.
        if (ms.syncToken.empty() || ms.syncToken == from || page + 1 >= kMaxListingPages) {
            listing.complete = false;
            break;
        }
        from = ms.syncToken;
    }
    listing.ok = true;
    return listing;
}

bool CalDavClient::fetch(const std::string &calendarUrl, const std::vector<std::string> &paths,
                         std::map<std::string, FetchedItem> &out, std::string &error,
                         std::vector<std::string> *tooLarge)
{
    std::vector<std::pair<std::size_t, std::size_t>> batches; // [from, to), the last one first
    for (std::size_t from = 0; from < paths.size(); from += kFetchBatch)
        batches.emplace(batches.begin(), from, std::min(from + kFetchBatch, paths.size()));
    while (!batches.empty()) {
        const auto [from, to] = batches.back();
        batches.pop_back();
        std::string body = std::string(kXmlHeader) +
                           "<c:calendar-multiget xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
                           "<d:prop><d:getetag/><c:calendar-data/></d:prop>";
        for (std::size_t i = from; i < to; ++i)
            body += "<d:href>" + xmlEscape(encodePath(paths[i])) + "</d:href>";
        body += "</c:calendar-multiget>";
        const HttpResponse response = send({"REPORT", calendarUrl, xmlHeaders(1), std::move(body)});
        if (response.tooLarge && to - from > 1) {
            const std::size_t middle = from + (to - from) / 2;
            batches.emplace_back(middle, to);
            batches.emplace_back(from, middle);
            continue;
        }
        if (response.tooLarge && tooLarge != nullptr) {
            tooLarge->push_back(paths[from]);
            continue;
        }
        if (response.status != 207) {
            error = failureText(response, calendarUrl);
            return false;
        }
        Multistatus ms = readMultistatus(response.body);
        if (!ms.ok) {
            error = ms.error;
            return false;
        }
        for (DavResource &r : ms.resources)
            if (!r.calendarData.empty())
                out[normalPath(r.href)] = {r.etag, std::move(r.calendarData)};
    }
    return true;
}

FetchedItem CalDavClient::get(const std::string &url, int &status, std::string &error)
{
    const HttpResponse response = send({"GET", url, {}, {}});
    status = response.status;
    if (!response.success()) {
        if (response.status != 404)
            error = failureText(response, url);
        FetchedItem none;
        none.tooLarge = response.tooLarge;
        return none;
    }
    return {usableEtag(response.header("etag")), response.body};
}

namespace {

// The status a write really had. Some servers (Xandikos) answer a write they refuse with a
// multistatus that holds the refusal: 207 is then no success. A CalDAV precondition named
// there (the entry is no valid calendar data, a kind the calendar does not take) refuses the
// entry itself, whatever the status says, and reads as 422.
int writeStatus(const HttpResponse &response)
{
    if (response.status != 207 && response.status != 412)
        return response.status;
    for (const char *precondition : {"valid-calendar-data", "valid-calendar-object-resource",
                                     "supported-calendar-data", "supported-calendar-component",
                                     "calendar-collection-location-ok", "max-resource-size"})
        if (response.body.find(precondition) != std::string::npos)
            return 422;
    if (response.status == 412)
        return 412;
    const Multistatus ms = readMultistatus(response.body);
    for (const DavResource &r : ms.resources)
        if (r.status != 0)
            return r.status;
    return 500;  // a multistatus that says nothing of the entry
}

}  // namespace

WriteResult CalDavClient::put(const std::string &url, const std::string &body, const std::string &etag)
{
    return write(url, body, etag.empty() ? HttpHeaders{{"If-None-Match", "*"}} : HttpHeaders{{"If-Match", etag}});
}

WriteResult CalDavClient::replace(const std::string &url, const std::string &body, const std::string &etag)
{
    return write(url, body, etag.empty() ? HttpHeaders{} : HttpHeaders{{"If-Match", etag}});
}

WriteResult CalDavClient::write(const std::string &url, const std::string &body, HttpHeaders headers)
{
    headers.emplace_back("Content-Type", "text/calendar; charset=utf-8");
    HttpResponse response = send({"PUT", url, std::move(headers), body});
    response.status = writeStatus(response);
    WriteResult result;
    result.status = response.status;
    result.etag = usableEtag(response.header("etag"));
    if (!response.success() && response.status != 412)
        result.error = failureText(response, url);
    else if (response.success() && result.etag.empty())
        result.etag = etagOf(url);
    return result;
}

std::string CalDavClient::etagOf(const std::string &url)
{
    const HttpResponse response = propfind(url, 0, "<d:getetag/>");
    if (response.status != 207)
        return {};
    const Multistatus ms = readMultistatus(response.body);
    for (const DavResource &r : ms.resources)
        if (normalPath(r.href) == normalPath(url) || ms.resources.size() == 1)
            return r.etag;
    return {};
}

WriteResult CalDavClient::remove(const std::string &url, const std::string &etag)
{
    HttpHeaders headers;
    if (!etag.empty())
        headers.emplace_back("If-Match", etag);
    HttpResponse response = send({"DELETE", url, std::move(headers), {}});
    response.status = writeStatus(response);
    WriteResult result;
    result.status = response.status;
    if (!response.success() && response.status != 412 && response.status != 404)
        result.error = failureText(response, url);
    return result;
}

namespace {

// The collection's own response in a Depth 0 answer, or null.
const DavResource *collectionIn(const Multistatus &ms, const std::string &calendarUrl)
{
    const std::string collection = withSlash(normalPath(calendarUrl));
    for (const DavResource &r : ms.resources)
        if (withSlash(normalPath(r.href)) == collection)
            return &r;
    return nullptr;
}

}  // namespace

HttpResponse CalDavClient::collectionPropfind(const std::string &calendarUrl, const std::string &props)
{
    return send({"PROPFIND", calendarUrl, xmlHeaders(0), std::string(kXmlHeader) +
                 "<d:propfind xmlns:d=\"DAV:\" xmlns:cs=\"http://calendarserver.org/ns/\"><d:prop>" + props +
                 "</d:prop></d:propfind>"});
}

CollectionMark CalDavClient::readMark(const std::string &calendarUrl, const std::string &props)
{
    CollectionMark mark;
    const auto start = std::chrono::steady_clock::now();
    const HttpResponse response = collectionPropfind(calendarUrl, props);
    mark.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (response.status != 207)
        return mark;
    mark.serverTime = httpDateSeconds(response.header("date"));
    const Multistatus ms = readMultistatus(response.body);
    if (const DavResource *collection = collectionIn(ms, calendarUrl)) {
        mark.ctag = collection->ctag;
        mark.lastModified = collection->lastModified;
        if (collection->privilegesKnown)
            mark.writable = collection->writable;
    }
    return mark;
}

std::string CalDavClient::ctag(const std::string &calendarUrl) { return readMark(calendarUrl, "<cs:getctag/>").ctag; }

CollectionMark CalDavClient::collectionMark(const std::string &calendarUrl)
{
    return readMark(calendarUrl,
                    "<cs:getctag/><d:getlastmodified/><d:current-user-privilege-set/>");
}

std::string CalDavClient::lastModified(const std::string &calendarUrl)
{
    return readMark(calendarUrl, "<d:getlastmodified/>").lastModified;
}

CollectionState CalDavClient::collectionState(const std::string &calendarUrl)
{
    CollectionState state;
    const HttpResponse response =
        send({"PROPFIND", calendarUrl, xmlHeaders(1), std::string(kXmlHeader) +
              "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" xmlns:a=\"http://apple.com/ns/ical/\">"
              "<d:prop><d:resourcetype/><d:getetag/><d:displayname/><c:calendar-description/>"
              "<c:supported-calendar-component-set/><a:calendar-color/><a:calendar-order/></d:prop></d:propfind>"});
    std::optional<Multistatus> ms = multistatusOf(response, calendarUrl, state.error);
    if (!ms)
        return state;
    const std::string collection = withSlash(normalPath(calendarUrl));
    bool found = false;
    for (DavResource &r : ms->resources) {
        if (withSlash(normalPath(r.href)) == collection) {
            state.collection = std::move(r);
            found = true;
        } else {
            ++state.members;
        }
    }
    state.ok = found;
    if (!found)
        state.error = "the server did not describe " + calendarUrl + " itself";
    return state;
}

bool CalDavClient::propertyNames(const std::string &calendarUrl, std::vector<std::string> &names, std::string &error)
{
    const HttpResponse response = send({"PROPFIND", calendarUrl, xmlHeaders(0), std::string(kXmlHeader) +
                                        "<d:propfind xmlns:d=\"DAV:\"><d:propname/></d:propfind>"});
    std::optional<Multistatus> ms = multistatusOf(response, calendarUrl, error);
    if (!ms)
        return false;
    const std::string collection = withSlash(normalPath(calendarUrl));
    for (DavResource &r : ms->resources)
        if (withSlash(normalPath(r.href)) == collection)
            names = std::move(r.propNames);
    return true;
}

WriteResult CalDavClient::putCollection(const std::string &calendarUrl, const std::string &body, const std::string &etag)
{
    WriteResult result;
    if (etag.empty()) {
        result.error = "no ETag to make the upload conditional";
        return result;
    }
    // The server takes every entry in before it answers: a few milliseconds each.
    const long workSeconds = 60 + static_cast<long>(body.size() / 20'000);
    const HttpResponse response = send(
        {"PUT", calendarUrl, {{"Content-Type", "text/calendar; charset=utf-8"}, {"If-Match", etag}}, body, workSeconds});
    result.status = response.status;
    result.etag = usableEtag(response.header("etag"));
    if (!response.success())
        result.error = failureText(response, calendarUrl);
    return result;
}

bool CalDavClient::setProperties(const std::string &url, const std::string &props, std::string &error)
{
    const HttpResponse response =
        send({"PROPPATCH", url, xmlHeaders(-1), std::string(kXmlHeader) +
              "<d:propertyupdate xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" xmlns:a=\"http://apple.com/ns/ical/\">"
              "<d:set><d:prop>" + props + "</d:prop></d:set></d:propertyupdate>"});
    if (response.status != 207 && !response.success()) {
        error = failureText(response, url);
        return false;
    }
    if (response.status == 207) {
        // Every property must have been set: a propstat other than 2xx names one that was not.
        const XmlDocument doc = parseXml(response.body);
        if (!doc.ok) {
            error = "the server's answer is not readable XML: " + doc.error;
            return false;
        }
        for (const XmlElement &r : doc.root.children)
            for (const XmlElement &ps : r.children)
                if (ps.is(kDavNs, "propstat"))
                    if (const XmlElement *s = ps.child(kDavNs, "status"); s != nullptr) {
                        const std::size_t start = s->text.find_first_not_of(" \t\r\n");
                        const int code = start == std::string::npos ? 0 : statusOfLine(s->text.substr(start));
                        if (code < 200 || code >= 300) {
                            error = "the server kept some properties of " + url + " unchanged";
                            return false;
                        }
                    }
    }
    return true;
}

}  // namespace nimbus::caldav
