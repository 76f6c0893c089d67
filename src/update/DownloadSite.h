// Where the maker's download site is: a built-in address that the environment variable
// NIMBUS_DOWNLOAD_SITE replaces (tests point it at a local server).
#pragma once

#include <string>

namespace nimbus::update {

inline constexpr const char *kDefaultDownloadSite = "https://downloads.nimbus-desk.example";
inline constexpr const char *kDownloadSiteVariable = "NIMBUS_DOWNLOAD_SITE";

// The site address without a trailing "/".
std::string downloadSiteAddress();
// The same for a value of NIMBUS_DOWNLOAD_SITE (empty: the built-in address).
std::string downloadSiteAddress(const std::string &value);

// site + "/downloads/" + application + "/updatelist.txt"; characters of the application that
// an address cannot carry as they are (blanks, "/", "?", "#", ...) are percent-encoded.
std::string updateListAddress(const std::string &site, const std::string &application);

} // namespace nimbus::update
