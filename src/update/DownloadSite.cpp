// The download site's address and the update list address of an application.
#include "update/DownloadSite.h"

#include <cstdlib>

namespace nimbus::update {

std::string downloadSiteAddress()
{
    const char *value = std::getenv(kDownloadSiteVariable);
    return downloadSiteAddress(value != nullptr ? value : "");
}

std::string downloadSiteAddress(const std::string &value)
{
    std::string site = !value.empty() ? value : kDefaultDownloadSite;
    while (!site.empty() && site.back() == '/')
        site.pop_back();
    return site;
}

std::string updateListAddress(const std::string &site, const std::string &application)
{
    static const char *const hex = "0123456789ABCDEF";
    std::string segment;
    for (unsigned char c : application) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            segment += static_cast<char>(c);
        } else {
            segment += '%';
            segment += hex[c >> 4];
            segment += hex[c & 15];
        }
    }
    return site + "/downloads/" + segment + "/updatelist.txt";
}

} // namespace nimbus::update
