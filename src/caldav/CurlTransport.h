// The real HttpTransport: libcurl's blocking interface over one handle, so that the many
// requests of a sync share one connection. TLS is verified; http is refused except to this
// machine; every answer is bounded in time and size. Not for use by two threads at once.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "caldav/HttpTransport.h"

namespace nimbus::caldav {

struct TransportSettings {
    std::string user;
    std::string password;
    long connectTimeoutMs = 15'000;
    long totalTimeoutMs = 120'000;
    long stallSeconds = 30;
    std::int64_t maxBytes = 64 * 1024 * 1024;
    // Set from another thread (the window closing): the request under way ends within a
    // second, as failed.
    const std::atomic<bool> *stop = nullptr;
};

class CurlTransport : public HttpTransport {
public:
    explicit CurlTransport(TransportSettings settings);
    ~CurlTransport() override;
    CurlTransport(const CurlTransport &) = delete;
    CurlTransport &operator=(const CurlTransport &) = delete;

    HttpResponse send(const HttpRequest &request) override;

    static constexpr const char *kUserAgent = "NimbusDesk-CalDAV/1.0";

private:
    // Basic first; a server that asks for Digest alone gets Digest from then on.
    bool digest_ = false;
    HttpResponse perform(const HttpRequest &request);
    TransportSettings settings_;
    void *curl_ = nullptr;
};

}  // namespace nimbus::caldav
