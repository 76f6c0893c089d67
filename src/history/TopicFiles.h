// The content files that belong to a topic: its page list "Packs/<id>.pkt" and, for each page
// it names, the page's data file and its description. Only files that are there are listed.
#pragma once

#include <string>
#include <vector>

#include "store/StoreLog.h"
#include "store/TContent.h"

namespace nimbus::history {

std::vector<std::string> topicFiles(const std::string &id, const ContentFolders &folders,
                                    StoreLog &log);

} // namespace nimbus::history
