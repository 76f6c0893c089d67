// https stays https.
#include "update/DownloadSecurity.h"

namespace nimbus::update {

bool IsHttps(std::string_view url)
{
    constexpr std::string_view kScheme = "https://";
    if (url.size() < kScheme.size())
        return false;
    for (std::size_t i = 0; i < kScheme.size(); ++i) {
        char c = url[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != kScheme[i])
            return false;
    }
    return true;
}

const char *RedirectSchemesFor(std::string_view url)
{
    return IsHttps(url) ? "https" : "http,https";
}

bool IsDowngrade(std::string_view from, std::string_view target)
{
    return IsHttps(from) && !IsHttps(target);
}

} // namespace nimbus::update
