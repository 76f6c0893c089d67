// The DAV requests of calendar sync over an HttpTransport, each answer checked and turned
// into values: listings with ETags, changes since a sync token, several entries at once,
// conditional writes and deletions. Failures carry a message a user can act on.
#pragma once

#include <map>
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
};

struct FetchedItem {
    std::string etag;
    std::string data;
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
    // What changed since token (RFC 6578).
    Listing listChanges(const std::string &calendarUrl, const std::string &token);
    // The calendar data of entries by path, in batches; entries the server no longer has are
    // missing from the result. False (with error) when a batch failed.
    bool fetch(const std::string &calendarUrl, const std::vector<std::string> &paths,
               std::map<std::string, FetchedItem> &out, std::string &error);
    FetchedItem get(const std::string &url, int &status, std::string &error);
    // PUT with If-Match: etag, or If-None-Match: * when etag is empty.
    WriteResult put(const std::string &url, const std::string &body, const std::string &etag);
    WriteResult remove(const std::string &url, const std::string &etag);

    // How many requests this client has sent, for progress and the log.
    int requests() const { return requests_; }

private:
    HttpResponse send(HttpRequest request);
    HttpTransport &transport_;
    int requests_ = 0;
};

// A message for a failed request: no connection, a refused password, or the status.
std::string failureText(const HttpResponse &response, const std::string &url);

inline constexpr std::size_t kFetchBatch = 100;

}  // namespace nimbus::caldav
