// Which topics "nimbus-cli list" prints: a summary group in the group's own order (the same
// lists the summary page shows), today's and this week's due topics from the schedule the
// grids show, or every topic in tree order; narrowed to a section, a subtree or a topic type,
// and sorted by the tree's own sort orders when asked.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/OnePassReader.h"
#include "cli/OutputFormat.h"
#include "store/SummaryRules.h"
#include "tree/CliStatus.h"

namespace nimbus {
class Clock;
class TNimbusNode;
} // namespace nimbus

namespace nimbus::cli {

class TopicSnapshot;

struct ListQuery {
    std::string list = "all"; // see listNames()
    std::string section;      // a section's title or id; empty: every section
    std::string under;        // a topic id: only the topics below it
    int type = 0;             // a topic type code; 0: every type
    std::string sort;         // "", "due", "priority" or "title"
};

// deadlines, overdue, urgent, today, week, in-progress, waiting, events, new, changes,
// favourites, all.
const std::vector<std::string> &listNames();
// The summary group a list name stands for when it is one of the seven classified groups.
std::optional<summary::Group> classifiedGroupOf(const std::string &list);
// Whether the list needs the recent-new and recent-change lists read.
bool needsRecentLists(const std::string &list);

// What a pass over the file must keep to answer the query (new and changes: the topics the
// recent lists name, so the caller reads those); none when the answer needs every topic.
std::optional<OnePassReader::Keep> onePassKeep(const ListQuery &query);

// Whether the list is every topic (in tree order or sorted) and not below a parent: its rows
// are made as one pass reads the topics (listEveryTopic), so that they are never all held.
bool streamsEveryTopic(const ListQuery &query);
// The rows of such a list; the store is loaded whole instead where the pass gives way. A
// failure when a section named does not exist.
Outcome listEveryTopic(TopicSnapshot &snapshot, const ListQuery &query, const std::string &dataFolder,
                       const Clock &clock, std::vector<TopicRow> &rows);

// The topics of the query; a failure when a section or parent named does not exist.
Outcome selectTopics(TopicSnapshot &snapshot, const ListQuery &query,
                     std::vector<TNimbusNode *> &topics);

} // namespace nimbus::cli
