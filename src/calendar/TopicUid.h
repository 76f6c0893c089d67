// Stable UIDs for exported topics: the installation's id and the topic's id, so that a file
// imported again finds the topics it came from, and two installations never clash.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nimbus::calendar {

// "<installation>-<uni>@nimbus-desk"
std::string topicUid(std::string_view installation, std::string_view uni);
// The topic id of a UID made by this installation; nothing for any other UID.
std::optional<std::string> ownTopicId(std::string_view uid, std::string_view installation);
// The UID of a checklist item exported as a sub-task of its topic.
std::string checklistItemUid(std::string_view topicUid, std::size_t index);
// A new random installation id: 16 lower-case hex digits.
std::string newInstallationId();

}  // namespace nimbus::calendar
