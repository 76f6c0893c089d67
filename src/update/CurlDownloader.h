// Downloads with libcurl's blocking interface: the program's user agent and accepted types,
// http and https only (also after redirects), TLS verification on, time-outs and a size cap.
// A download into a file reports its bytes and stops when the user cancels.
#pragma once

#include "update/Downloader.h"

namespace nimbus::update {

class CurlDownloader : public Downloader {
public:
    CurlDownloader();

    DownloadResult getToMemory(const std::string &url, const DownloadLimits &limits,
                               std::string &body) override;
    DownloadResult getToFile(const std::string &url, const DownloadLimits &limits,
                             const std::string &path, unsigned mode) override;
    DownloadResult getToFile(const std::string &url, const DownloadLimits &limits,
                             const std::string &path, unsigned mode,
                             fileio::OperationProgress &progress) override;

    static constexpr const char *kUserAgent = "Mozilla/3.0 (compatible; Indy Library)";
    static constexpr const char *kAccept = "Accept: text/html, */*";
};

} // namespace nimbus::update
