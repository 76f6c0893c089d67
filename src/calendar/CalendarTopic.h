// One topic as it travels through an iCalendar file: the node's own fields, its place in the
// tree as a parent UID, its details page as plain text and HTML, its checklist items, and what
// a calendar said that a topic cannot hold.
#pragma once

#include <string>
#include <vector>

#include "store/ChecklistItem.h"
#include "store/TNimbusNode.h"

namespace nimbus::calendar {

struct CalendarTopic {
    TNimbusNode node{""};      // node.uni: our id, or empty for a topic made elsewhere
    std::string uid;           // the component's UID
    std::string parentUid;     // RELATED-TO parent; empty for a topic at the top
    std::string detailsText;   // DESCRIPTION
    std::string detailsHtml;   // X-ALT-DESC (text/html); empty when there is none
    std::vector<ChecklistItem> checklist;  // sub-tasks that were checklist items
    // Readable lines for what a topic cannot hold (attendees, attachments, further alarms,
    // parts of a repeat rule); the importer adds them to the details page.
    std::vector<std::string> notes;
};

}  // namespace nimbus::calendar
