// The DAV requests of calendar sync over an HttpTransport, each answer checked and turned
// into values: listings with ETags, changes since a sync token, several entries at once,
// conditional writes and deletions. Failures carry a message a user can act on.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "caldav/HttpTransport.h"
#include "caldav/Multistatus.h"

namespace nimbus::caldav {

struct Listing {
    bool ok = false;
    std::string error;
    bool authFailed = false;
    bool tokenRefused = false;        // the server no longer knows the sync token
    bool syncUnsupported = false;     // sync-collection is not offered
    std::map<std::string, std::string> items;  // entries' paths (decoded) -> ETag
    std::vector<std::string> removed;           // paths gone since the token
    std::string syncToken;
    // The server cut the listing short (507 for the calendar itself, RFC 6578 section 3.6, or
    // a result limit) and it could not be continued: an entry not listed may still be there.
    bool complete = true;
};

// A calendar collection as one Depth 1 PROPFIND saw it: its own ETag and properties, and
// how many entries it holds.
struct CollectionState {
    bool ok = false;
    std::string error;
    DavResource collection;
    int members = 0;
};

// The calendar's marks of change as one Depth 0 PROPFIND read them, with the server's clock
// when it answered and how long the request took.
struct CollectionMark {
    std::string ctag;          // empty when the server has none or did not answer
    std::string lastModified;  // likewise
    std::optional<std::int64_t> serverTime;  // the answer's Date header, seconds since 1970 UTC
    // From current-user-privilege-set, where the server reports it: whether this user may
    // change the calendar's entries.
    std::optional<bool> writable;
    double seconds = 0;
};

struct FetchedItem {
    std::string etag;
    std::string data;
    bool tooLarge = false; // get: the entry is larger than the transport takes
};

struct WriteResult {
    int status = 0;
    std::string etag;   // the ETag the server gave the new content, when it said
    std::string error;  // no answer, or an answer that is neither success nor 412
    bool ok() const { return error.empty() && status >= 200 && status < 300; }
    bool preconditionFailed() const { return status == 412; }
};

class CalDavClient {
public:
    explicit CalDavClient(HttpTransport &transport) : transport_(transport) {}

    HttpResponse propfind(const std::string &url, int depth, const std::string &props);
    // Every entry of the calendar with its ETag: sync-collection with an empty token where
    // the server offers it (which also gives the first token), else PROPFIND.
    Listing listAll(const std::string &calendarUrl, bool trySyncCollection);
    // What changed since token (RFC 6578). An answer cut short is continued with the token it
    // returned, up to kMaxListingPages requests; beyond that the listing is not complete.
    Listing listChanges(const std::string &calendarUrl, const std::string &token);
    // The calendar data of entries by path, in batches; entries the server no longer has are
    // missing from the result. False (with error) when a batch failed. A batch whose answer
    // is larger than the transport takes is asked for again in halves; with tooLarge given, an
    // entry too large on its own is listed there instead of failing the fetch.
    bool fetch(const std::string &calendarUrl, const std::vector<std::string> &paths,
               std::map<std::string, FetchedItem> &out, std::string &error,
               std::vector<std::string> *tooLarge = nullptr);
    FetchedItem get(const std::string &url, int &status, std::string &error);
    // PUT with If-Match: etag, or If-None-Match: * when etag is empty.
    // A success without an ETag (the server stored other bytes than those sent) asks for the
    // new ETag at once, so that the next listing does not take our own write for a change.
    WriteResult put(const std::string &url, const std::string &body, const std::string &etag);
    // PUT over an entry that is there: If-Match: etag, or no condition when its ETag is not
    // known (the server sent none we could use).
    WriteResult replace(const std::string &url, const std::string &body, const std::string &etag);
    // The entry's current ETag by a Depth 0 PROPFIND; empty when the server did not say.
    std::string etagOf(const std::string &url);
    WriteResult remove(const std::string &url, const std::string &etag);

    // The collection's getctag; empty when the server has none or did not answer.
    std::string ctag(const std::string &calendarUrl);
    // The collection's getctag, getlastmodified and the user's privileges on it in one request.
    CollectionMark collectionMark(const std::string &calendarUrl);
    // The collection's getlastmodified alone; empty when none or no answer.
    std::string lastModified(const std::string &calendarUrl);
    // The collection with its ETag and the properties a whole-calendar upload must keep.
    CollectionState collectionState(const std::string &calendarUrl);
    // The names of every property the collection has ("namespace name").
    bool propertyNames(const std::string &calendarUrl, std::vector<std::string> &names, std::string &error);
    // Replaces the whole collection with one VCALENDAR, only while its ETag is still etag.
    WriteResult putCollection(const std::string &calendarUrl, const std::string &body, const std::string &etag);
    // Sets properties (the XML inside <d:prop>); the properties are in the DAV:, CalDAV and
    // Apple iCal namespaces as d:, c: and a:.
    bool setProperties(const std::string &url, const std::string &props, std::string &error);

    // How many requests this client has sent, for progress and the log.
    int requests() const { return requests_; }
    // How many of them were meant to change the server (PUT, DELETE, PROPPATCH).
    int writes() const { return writes_; }

private:
    HttpResponse send(HttpRequest request);
    WriteResult write(const std::string &url, const std::string &body, HttpHeaders conditions);
    // A Depth 0 PROPFIND of the collection for props (d: DAV:, cs: calendarserver.org).
    HttpResponse collectionPropfind(const std::string &calendarUrl, const std::string &props);
    CollectionMark readMark(const std::string &calendarUrl, const std::string &props);
    HttpTransport &transport_;
    int requests_ = 0;
    int writes_ = 0;
};

// A message for a failed request: no connection, a refused password, or the status.
std::string failureText(const HttpResponse &response, const std::string &url);

inline constexpr std::size_t kFetchBatch = 100;
inline constexpr int kMaxListingPages = 200;

}  // namespace nimbus::caldav
