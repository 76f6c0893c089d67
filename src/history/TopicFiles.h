// The content files that belong to a topic: its page list "Packs/<id>.pkt" and, for each page
// it names, the page's data file and its description. Only files that are there are listed.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "store/StoreLog.h"
#include "store/TContent.h"

namespace nimbus::history {

std::vector<std::string> topicFiles(const std::string &id, const ContentFolders &folders,
                                    StoreLog &log);

class SessionTrash;

// Moves the content files of topics that left the store without an undo step (removed by
// calendar sync or by nimbus-cli) into the trash, as a removal by the user does: they go
// with the session unless the saved store still holds the topic (a crash before the save).
// Each file put aside, as (kept name, original path), so that a failed save can give it back.
std::vector<std::pair<std::string, std::string>>
putAsideTopicFiles(const std::vector<std::string> &ids, const ContentFolders &folders,
                   SessionTrash &trash, StoreLog &log);

} // namespace nimbus::history
