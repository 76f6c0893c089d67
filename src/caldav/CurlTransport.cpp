// libcurl requests for calendar sync; see CurlTransport.h.
#include "caldav/CurlTransport.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <mutex>

#include "caldav/ServerAddress.h"

namespace nimbus::caldav {

namespace {

struct Sink {
    HttpResponse *response = nullptr;
    std::int64_t maxBytes = 0;
    bool tooLarge = false;
};

std::size_t onBody(char *data, std::size_t size, std::size_t count, void *user)
{
    auto *sink = static_cast<Sink *>(user);
    const std::size_t bytes = size * count;
    if (static_cast<std::int64_t>(sink->response->body.size() + bytes) > sink->maxBytes) {
        sink->tooLarge = true;
        return 0;
    }
    sink->response->body.append(data, bytes);
    return bytes;
}

std::size_t onHeader(char *data, std::size_t size, std::size_t count, void *user)
{
    auto *sink = static_cast<Sink *>(user);
    const std::size_t bytes = size * count;
    std::string line(data, bytes);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    if (line.rfind("HTTP/", 0) == 0) {
        sink->response->headers.clear();  // a new answer (after 100 Continue, for one)
        return bytes;
    }
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos || sink->response->headers.size() >= 200)
        return bytes;
    std::string name = line.substr(0, colon);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::string value = line.substr(colon + 1);
    const std::size_t first = value.find_first_not_of(" \t");
    value = first == std::string::npos ? std::string() : value.substr(first);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.pop_back();
    sink->response->headers.emplace_back(std::move(name), std::move(value));
    return bytes;
}

int onProgress(void *user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto *stop = static_cast<const std::atomic<bool> *>(user);
    return stop != nullptr && stop->load() ? 1 : 0;
}

// The server's challenges name Digest and not Basic.
bool asksForDigestOnly(const HttpResponse &response)
{
    bool digest = false, basic = false;
    for (const auto &[name, value] : response.headers) {
        if (name != "www-authenticate")
            continue;
        std::string scheme = value.substr(0, value.find(' '));
        std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        digest = digest || scheme == "digest";
        basic = basic || scheme == "basic";
    }
    return digest && !basic;
}

}  // namespace

CurlTransport::CurlTransport(TransportSettings settings) : settings_(std::move(settings))
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    curl_ = curl_easy_init();
}

CurlTransport::~CurlTransport()
{
    if (curl_ != nullptr)
        curl_easy_cleanup(static_cast<CURL *>(curl_));
}

HttpResponse CurlTransport::send(const HttpRequest &request)
{
    HttpResponse response = perform(request);
    if (response.status == 401 && !digest_ && !settings_.user.empty() && asksForDigestOnly(response)) {
        digest_ = true;
        response = perform(request);
    }
    return response;
}

HttpResponse CurlTransport::perform(const HttpRequest &request)
{
    HttpResponse response;
    if (const std::string refusal = refusalOf(request.url); !refusal.empty()) {
        response.error = refusal;
        return response;
    }
    CURL *curl = static_cast<CURL *>(curl_);
    if (curl == nullptr) {
        response.error = "the connection could not be set up";
        return response;
    }
    // Values from a server (an ETag, an address) never reach a header raw: one holding a line
    // break would add headers of its own.
    for (const auto &[name, value] : request.headers)
        if ((name + value).find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
            response.error = "a header of the request holds a line break; it was not sent";
            return response;
        }
    curl_easy_reset(curl);  // keeps the open connection for the next request
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_slist *headers = nullptr;
    for (const auto &[name, value] : request.headers)
        headers = curl_slist_append(headers, (name + ": " + value).c_str());
    headers = curl_slist_append(headers, "Expect:");  // no 100-continue round trip per PUT
    Sink sink{&response, settings_.maxBytes};

    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);  // redirects are the caller's to check
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, settings_.connectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, std::max(settings_.totalTimeoutMs, request.workSeconds * 1000));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, std::max(settings_.stallSeconds, request.workSeconds));
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(settings_.maxBytes));
    if (!settings_.user.empty()) {
        // Plain http is refused above except to this machine, so neither scheme crosses a
        // network unencrypted.
        curl_easy_setopt(curl, CURLOPT_HTTPAUTH, digest_ ? CURLAUTH_DIGEST : CURLAUTH_BASIC);
        curl_easy_setopt(curl, CURLOPT_USERNAME, settings_.user.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, settings_.password.c_str());
    }
    if (!request.body.empty() || request.method == "PUT") {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.body.data());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
    }
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &sink);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, settings_.stop != nullptr ? 0L : 1L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, settings_.stop);

    const CURLcode code = curl_easy_perform(curl);
    curl_slist_free_all(headers);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    if (code != CURLE_OK) {
        response.status = 0;
        response.body.clear();
        response.tooLarge = sink.tooLarge || code == CURLE_FILESIZE_EXCEEDED;
        if (response.tooLarge)
            response.error = "the server's answer is larger than " + std::to_string(settings_.maxBytes) + " bytes";
        else if (code == CURLE_ABORTED_BY_CALLBACK)
            response.error = "stopped";
        else
            response.error = errorBuffer[0] != '\0' ? errorBuffer : curl_easy_strerror(code);
        return response;
    }
    response.status = static_cast<int>(status);
    return response;
}

}  // namespace nimbus::caldav
