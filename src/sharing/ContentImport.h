// Moving the content files of a received packet or an add-on pack into the data folder:
// "*.pkt" into Packs, "*.txt" into Text, "*.lst" into CheckList. Names that start with a prefix
// (this user's own "<name>-") lose it, and so do the values inside a page list. The files come
// from other people: links, oversized files and page lists that name another topic's page
// file (or one outside its folder) are refused.
#pragma once

#include <string>
#include <vector>

#include "store/TContent.h"

namespace nimbus {

class StoreLog;

struct ImportReport {
    int moved = 0;
    std::vector<std::string> failed;  // could not be copied; left where they were
    std::vector<std::string> refused; // not taken (set aside when asked)
};

namespace content_import {

// folder ends with "/". With setAsideRefused, a refused file is moved into folder's
// "rejected/" sub-folder; otherwise it stays where it is.
ImportReport ImportContent(const std::string &folder, const std::string &prefix,
                           const ContentFolders &to, StoreLog &log, bool setAsideRefused);

} // namespace content_import
} // namespace nimbus
