// Server addresses: which ones a calendar account may use (https, or http to this machine
// only), and how the hrefs of a DAV answer become addresses.
#pragma once

#include <string>
#include <string_view>

namespace nimbus::caldav {

struct UrlParts {
    std::string scheme;  // lower case
    std::string host;    // without brackets for IPv6
    std::string port;    // empty for the scheme's default
    std::string path;    // starts with "/"; the query, if any, stays in it
};

// False for anything that is not an absolute http or https address.
bool splitUrl(std::string_view url, UrlParts &parts);
// 127.0.0.0/8, ::1 and "localhost".
bool isLoopbackHost(std::string_view host);
// Empty when the address may be used; otherwise the reason, for the user.
std::string refusalOf(std::string_view url);
// "scheme://host[:port]"
std::string originOf(const UrlParts &parts);
// Both addresses are on one server: scheme, host and port (a default port written out or not).
// False when either is no address.
bool sameOrigin(std::string_view a, std::string_view b);
// An href from an answer (absolute path or full address) made absolute against base.
std::string resolveHref(std::string_view base, std::string_view href);
// The path of an address with percent escapes decoded, for comparing hrefs whatever their form.
std::string normalPath(std::string_view urlOrPath);
// A decoded path escaped again for a request: everything but letters, digits, "/-._~" and the
// sub-delimiters that paths allow is percent-encoded.
std::string encodePath(std::string_view path);

}  // namespace nimbus::caldav
