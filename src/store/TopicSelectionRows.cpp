// Cell contents of the topic selection grid.
#include "store/TopicSelectionRows.h"

#include "fileio/UiText.h"
#include "store/ScheduleText.h"
#include "store/TNimbusNode.h"

namespace nimbus {

SelectionRow selectionRow(const TNimbusNode &node)
{
    SelectionRow row;
    const bool task = node.ttype == kTopicTask;
    const bool scheduled = task || node.ttype == kTopicEvent;
    if (scheduled && !node.statusText.empty()) {
        row.due = schedule::shownStatusText(node.statusText);
        row.dueColour = node.highlightColour;
    }
    // Shown in the user's language; the code's English text is what files hold.
    const std::string type = topicTypeText(node.ttype, node.status, node.childCount > 0);
    row.status = type.empty() ? type : text::translate("TopicCodes", type.c_str());
    if (task && node.status == kStatusInProgress && node.prog && node.percent >= 1 &&
        node.percent <= 99)
        row.percent = node.percent;
    if (task && node.status != kStatusOnHold && node.pri > 0)
        row.priority = node.pri;
    row.urgent = node.urgent || (node.childCount > 0 && node.urgentCount > 0);
    row.favourite = node.fav;
    row.title = node.text;
    return row;
}

const std::vector<std::string> &selectionHeadings()
{
    static const std::vector<std::string> headings{"Due", "Status", "Topics"};
    return headings;
}

bool isTopicRow(int row, int topicCount)
{
    return row >= 1 && row <= topicCount;
}

} // namespace nimbus
