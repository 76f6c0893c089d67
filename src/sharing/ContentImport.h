// Moving the content files of a received packet or an add-on pack into the data folder:
// "*.pkt" into Packs, "*.txt" into Text, "*.lst" and the page descriptions "*.~txt" and
// "*.~lst" into CheckList. Names that start with a prefix (this user's own "<name>-") lose it,
// and so do the values inside a page list. The files come from other people: links, oversized
// files and page lists that name another topic's page file (or one outside its folder) are
// refused. A page file or description that replaces one of the user's keeps the old one as a
// numbered old version.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "sharing/SharedAccess.h"
#include "store/TContent.h"

namespace nimbus {

class StoreLog;

struct ImportReport {
    int moved = 0;
    int replaced = 0;                 // took the place of a file that is now an old version
    std::vector<std::string> failed;  // could not be copied; left where they were
    std::vector<std::string> refused; // not taken (set aside when asked)
    std::vector<std::string> waiting; // of a topic not among those taken; left where they were
};

struct ImportOptions {
    // Only files of these topics (ids as they are here, after the prefix) are taken; null
    // takes every topic's.
    const std::set<std::string> *topics = nullptr;
    // A refused file is moved into the folder's "rejected/" sub-folder (made with access).
    bool setAsideRefused = false;
    sharing::SharedAccess access;
};

namespace content_import {

// folder ends with "/".
ImportReport ImportContent(const std::string &folder, const std::string &prefix,
                           const ContentFolders &to, StoreLog &log,
                           const ImportOptions &options = {});

// The topic a content file belongs to: "<id>.pkt" and "<id>-<n>.<ext>" give id.
std::string TopicOfContentFile(const std::string &name);

} // namespace content_import
} // namespace nimbus
