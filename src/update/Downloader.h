// HTTP(S) GET of an address, into memory or into a file, within limits on time, size and
// redirects. The update check depends on this interface; CurlDownloader implements it.
#pragma once

#include <cstdint>
#include <string>

#include "fileio/OperationProgress.h"

namespace nimbus::update {

struct DownloadLimits {
    long connectTimeoutMs = 20'000;
    long totalTimeoutMs = 120'000;
    long stallSeconds = 30; // a transfer that moves nothing for this long ends
    std::int64_t maxBytes = 1024 * 1024;
    long maxRedirects = 5;
};

struct DownloadResult {
    enum Status {
        Ok,
        TransferFailed, // no connection, HTTP error, time-out, too large, too many redirects
        StoreFailed,    // the body arrived but could not be stored
        Cancelled,      // the user stopped the transfer
    };
    Status status = TransferFailed;
    std::string errorText;

    bool ok() const { return status == Ok; }
};

class Downloader {
public:
    virtual ~Downloader() = default;
    // The whole body into memory.
    virtual DownloadResult getToMemory(const std::string &url, const DownloadLimits &limits,
                                       std::string &body) = 0;
    // The body into path: written to a temporary file beside it, which gets mode and replaces
    // path only when the transfer is complete. A failure leaves path untouched.
    virtual DownloadResult getToFile(const std::string &url, const DownloadLimits &limits,
                                     const std::string &path, unsigned mode) = 0;
    // The same, reporting the bytes received to progress and ending with Cancelled (path
    // untouched) when the user stops it. A downloader that cannot report or stop simply
    // downloads.
    virtual DownloadResult getToFile(const std::string &url, const DownloadLimits &limits,
                                     const std::string &path, unsigned mode,
                                     fileio::OperationProgress & /*progress*/)
    {
        return getToFile(url, limits, path, mode);
    }
};

} // namespace nimbus::update
