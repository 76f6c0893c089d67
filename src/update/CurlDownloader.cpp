// libcurl transfers for the update check. Every limit is enforced here, so that a server that
// never answers, sends without end or redirects in circles ends in an error, not a hang.
#include "update/CurlDownloader.h"
#include "update/DownloadSecurity.h"

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"

#include <curl/curl.h>

#include <functional>
#include <mutex>

namespace nimbus::update {

namespace {

struct Sink {
    fileio::OperationProgress *progress = nullptr;
    std::string progressText;
    bool cancelled = false;
    std::int64_t maxBytes = 0;
    std::int64_t received = 0;
    bool tooLarge = false;
    bool storeFailed = false;
    std::function<bool(const char *, std::size_t)> put;
};

std::size_t onData(char *data, std::size_t size, std::size_t count, void *user)
{
    auto *sink = static_cast<Sink *>(user);
    const std::size_t bytes = size * count;
    if (sink->received + static_cast<std::int64_t>(bytes) > sink->maxBytes) {
        sink->tooLarge = true;
        return 0; // any short count aborts the transfer
    }
    if (!sink->put(data, bytes)) {
        sink->storeFailed = true;
        return 0;
    }
    sink->received += static_cast<std::int64_t>(bytes);
    return bytes;
}

// libcurl's progress callback, called while data moves and about once a second when it does
// not; a non-zero return ends the transfer with CURLE_ABORTED_BY_CALLBACK.
int onProgress(void *user, curl_off_t downloadTotal, curl_off_t downloaded, curl_off_t,
               curl_off_t)
{
    auto *sink = static_cast<Sink *>(user);
    sink->progress->report(downloaded, downloadTotal, sink->progressText);
    if (sink->progress->cancelled()) {
        sink->cancelled = true;
        return 1;
    }
    return 0;
}

DownloadResult transfer(const std::string &url, const DownloadLimits &limits, Sink &sink)
{
    DownloadResult result;
    CURL *curl = curl_easy_init();
    if (curl == nullptr) {
        result.errorText = "the transfer could not be set up";
        return result;
    }
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_slist *headers = curl_slist_append(nullptr, CurlDownloader::kAccept);
    sink.maxBytes = limits.maxBytes;

    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L); // time-outs must not raise signals
    curl_easy_setopt(curl, CURLOPT_USERAGENT, CurlDownloader::kUserAgent);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    // Addresses come from downloaded lists: nothing but the web, so no file:// or other scheme
    // can be fetched as a setup program.
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    // An https address is never followed to http: the answer could come from anyone.
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, RedirectSchemesFor(url));
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, limits.maxRedirects);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L); // an HTTP error page is no update list
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits.totalTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits.stallSeconds);
    // Refused before any byte when the server announces the size; the sink enforces it anyway.
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE,
                     static_cast<curl_off_t>(limits.maxBytes));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onData);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
    if (sink.progress) {
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, onProgress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &sink);
    }

    const CURLcode code = curl_easy_perform(curl);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);

    if (code == CURLE_OK) {
        result.status = DownloadResult::Ok;
    } else if (sink.cancelled) {
        result.status = DownloadResult::Cancelled;
        result.errorText = "the download was cancelled";
    } else if (sink.storeFailed) {
        result.status = DownloadResult::StoreFailed;
        result.errorText = "the download could not be stored";
    } else if (code == CURLE_UNSUPPORTED_PROTOCOL && IsHttps(url)) {
        result.errorText = "refused a redirect from https to an address that is not https";
    } else if (sink.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        result.errorText = "the response is larger than " + std::to_string(limits.maxBytes) +
                           " bytes";
    } else {
        result.errorText = errorBuffer[0] != '\0' ? errorBuffer : curl_easy_strerror(code);
    }
    return result;
}

} // namespace

CurlDownloader::CurlDownloader()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

DownloadResult CurlDownloader::getToMemory(const std::string &url, const DownloadLimits &limits,
                                           std::string &body)
{
    body.clear();
    Sink sink;
    sink.put = [&body](const char *data, std::size_t count) {
        body.append(data, count);
        return true;
    };
    DownloadResult result = transfer(url, limits, sink);
    if (!result.ok())
        body.clear();
    return result;
}

DownloadResult CurlDownloader::getToFile(const std::string &url, const DownloadLimits &limits,
                                         const std::string &path, unsigned mode)
{
    return getToFile(url, limits, path, mode, fileio::ignoredProgress());
}

DownloadResult CurlDownloader::getToFile(const std::string &url, const DownloadLimits &limits,
                                         const std::string &path, unsigned mode,
                                         fileio::OperationProgress &progress)
{
    fileio::AtomicFile file(path);
    file.setMode(mode);
    if (!file.open())
        return {DownloadResult::StoreFailed, file.errorText()};
    Sink sink;
    sink.progress = &progress;
    sink.progressText = "Downloading " + fileio::fileNameOf(path);
    sink.put = [&file](const char *data, std::size_t count) { return file.write(data, count); };
    DownloadResult result = transfer(url, limits, sink);
    if (!result.ok())
        return result; // the temporary file goes with file; path stays as it was
    if (!file.commit())
        return {DownloadResult::StoreFailed, file.errorText()};
    return result;
}

} // namespace nimbus::update
