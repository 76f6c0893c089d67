// Server addresses; see ServerAddress.h.
#include "caldav/ServerAddress.h"

#include <algorithm>
#include <cctype>

#include "fileio/HexDigits.h"

namespace nimbus::caldav {

namespace {

std::string lower(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

}  // namespace

bool splitUrl(std::string_view url, UrlParts &parts)
{
    const std::size_t colon = url.find("://");
    if (colon == std::string_view::npos)
        return false;
    parts.scheme = lower(url.substr(0, colon));
    if (parts.scheme != "http" && parts.scheme != "https")
        return false;
    std::string_view rest = url.substr(colon + 3);
    const std::size_t slash = rest.find_first_of("/?#");
    std::string_view authority = rest.substr(0, slash);
    parts.path = slash == std::string_view::npos ? "/" : std::string(rest.substr(slash));
    if (const std::size_t hash = parts.path.find('#'); hash != std::string::npos)
        parts.path.erase(hash);
    if (parts.path.empty() || parts.path[0] != '/')
        parts.path.insert(0, "/");
    if (authority.find('@') != std::string_view::npos)
        return false;  // credentials belong in the account, never in the address
    if (!authority.empty() && authority[0] == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos)
            return false;
        parts.host = lower(authority.substr(1, close - 1));
        authority.remove_prefix(close + 1);
        if (!authority.empty() && authority[0] != ':')
            return false;
        parts.port = authority.empty() ? "" : std::string(authority.substr(1));
    } else {
        const std::size_t portAt = authority.rfind(':');
        parts.host = lower(authority.substr(0, portAt));
        parts.port = portAt == std::string_view::npos ? "" : std::string(authority.substr(portAt + 1));
    }
    if (parts.host.empty())
        return false;
    return std::all_of(parts.port.begin(), parts.port.end(), [](unsigned char c) { return std::isdigit(c); });
}

bool isLoopbackHost(std::string_view host)
{
    if (host == "localhost" || host == "::1")
        return true;
    if (host.substr(0, 4) != "127.")
        return false;
    int dots = 0;
    for (char c : host) {
        if (c == '.')
            ++dots;
        else if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return dots == 3;
}

std::string refusalOf(std::string_view url)
{
    UrlParts parts;
    if (!splitUrl(url, parts))
        return "\"" + std::string(url) + "\" is not an http or https address.";
    if (parts.scheme == "http" && !isLoopbackHost(parts.host))
        return "The address must begin with https:// (http:// is only allowed for this computer): " + std::string(url);
    return {};
}

std::string originOf(const UrlParts &parts)
{
    std::string origin = parts.scheme + "://";
    origin += parts.host.find(':') != std::string::npos ? "[" + parts.host + "]" : parts.host;
    if (!parts.port.empty())
        origin += ":" + parts.port;
    return origin;
}

bool sameOrigin(std::string_view a, std::string_view b)
{
    UrlParts pa, pb;
    if (!splitUrl(a, pa) || !splitUrl(b, pb))
        return false;
    for (UrlParts *p : {&pa, &pb})
        if (p->port.empty())
            p->port = p->scheme == "https" ? "443" : "80";
    return pa.scheme == pb.scheme && pa.host == pb.host && pa.port == pb.port;
}

std::string resolveHref(std::string_view base, std::string_view href)
{
    if (href.find("://") != std::string_view::npos)
        return std::string(href);
    UrlParts parts;
    if (!splitUrl(base, parts))
        return std::string(href);
    if (!href.empty() && href[0] == '/')
        return originOf(parts) + std::string(href);
    std::string path = parts.path;
    path.erase(path.rfind('/') + 1);
    return originOf(parts) + path + std::string(href);
}

std::string normalPath(std::string_view urlOrPath)
{
    std::string_view path = urlOrPath;
    if (const std::size_t scheme = path.find("://"); scheme != std::string_view::npos) {
        const std::size_t slash = path.find('/', scheme + 3);
        path = slash == std::string_view::npos ? std::string_view("/") : path.substr(slash);
    }
    std::string out;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '%' && i + 2 < path.size() && fileio::hexDigitValue(path[i + 1]) >= 0 &&
            fileio::hexDigitValue(path[i + 2]) >= 0) {
            out += static_cast<char>(fileio::hexDigitValue(path[i + 1]) * 16 +
                                     fileio::hexDigitValue(path[i + 2]));
            i += 2;
        } else {
            out += path[i];
        }
    }
    return out;
}

std::string encodePath(std::string_view path)
{
    static const char *const hex = "0123456789ABCDEF";
    std::string out;
    for (char ch : path) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (std::isalnum(c) || std::string_view("/-._~!$&'()*+,;=:@").find(ch) != std::string_view::npos) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace nimbus::caldav
