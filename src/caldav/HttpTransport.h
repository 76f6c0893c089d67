// One HTTP exchange as the sync engine sees it, behind a small interface so that the engine
// never knows about libcurl. CurlTransport is the real implementation.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nimbus::caldav {

using HttpHeaders = std::vector<std::pair<std::string, std::string>>;

struct HttpRequest {
    std::string method;  // "GET", "PUT", "PROPFIND", "REPORT", ...
    std::string url;
    HttpHeaders headers;
    std::string body;
    // How long the server may work on this request before it answers, when that is longer
    // than the transport's own limits allow (one upload of a whole calendar); 0: those limits.
    long workSeconds = 0;
};

struct HttpResponse {
    int status = 0;       // 0 when no answer came
    HttpHeaders headers;  // names in lower case
    std::string body;
    std::string error;    // why no answer came (refused address, no connection, too large)
    bool tooLarge = false; // the answer passed the transport's size cap

    bool answered() const { return error.empty() && status > 0; }
    bool success() const { return answered() && status >= 200 && status < 300; }
    // The first header of that name (lower case), empty when none.
    std::string header(std::string_view name) const
    {
        for (const auto &[n, v] : headers)
            if (n == name)
                return v;
        return {};
    }
};

class HttpTransport {
public:
    virtual ~HttpTransport() = default;
    virtual HttpResponse send(const HttpRequest &request) = 0;
};

}  // namespace nimbus::caldav
