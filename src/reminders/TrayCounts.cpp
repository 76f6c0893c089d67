// The tray's counts and tooltip.
#include "reminders/TrayCounts.h"

#include "fileio/UiText.h"
#include "store/ScheduleText.h"
#include "store/TNimbusStructure.h"
#include "store/TopicCodes.h"

namespace nimbus::reminders {

namespace {

bool isOpenScheduledTopic(const TNimbusNode &node)
{
    return node.lev > 0 && node.type == kSectionTopics &&
           (node.ttype == kTopicTask || node.ttype == kTopicEvent) &&
           node.status != kStatusCompleted;
}

} // namespace

void countForTray(TrayCounts &counts, const TNimbusNode &node)
{
    if (node.lev <= 0 || node.type != kSectionTopics)
        return;
    const bool open = isOpenScheduledTopic(node);
    // Overdue: a day count below zero, or a time left that has gone negative today.
    const bool overdue = open && node.ttype == kTopicTask && !node.statusText.empty() &&
                         (node.daysLeft < 0 || node.statusText[0] == '-');
    const bool urgent =
        node.urgent && !(node.ttype == kTopicTask && node.status == kStatusCompleted);
    counts.overdue += overdue;
    counts.urgent += urgent;
    counts.dueToday += open && node.ttype == kTopicTask && node.daysLeft == 0 && !overdue;
    if (overdue || urgent)
        counts.attention.push_back(&node);
}

TrayCounts countForTray(const TNimbusStructure &store)
{
    TrayCounts counts;
    for (const auto &entry : store.Entries())
        if (entry.node)
            countForTray(counts, *entry.node);
    return counts;
}

std::string trayToolTip(const TrayCounts &counts, std::size_t limit)
{
    // Shown in the tray only, in the user's language.
    if (counts.overdue == 0 && counts.urgent == 0 && counts.dueToday == 0)
        return text::translate("nimbus::reminders", "Nimbus Desk: nothing overdue or urgent");
    std::string text = text::withValues(
        text::translate("nimbus::reminders", "Nimbus Desk: %1 overdue, %2 urgent, %3 due today"),
        {std::to_string(counts.overdue), std::to_string(counts.urgent),
         std::to_string(counts.dueToday)});
    for (std::size_t i = 0; i < counts.attention.size(); ++i) {
        if (i == limit) {
            text += "\n...";
            break;
        }
        const TNimbusNode *node = counts.attention[i];
        text += "\n" + node->text;
        if (!node->statusText.empty())
            text += " (" + schedule::shownStatusText(node->statusText) + ")";
        // The schedule text ends "hours " with a blank; the tooltip does not need it.
        if (text.size() > 2 && text[text.size() - 2] == ' ' && text.back() == ')')
            text.erase(text.size() - 2, 1);
    }
    return text;
}

std::string badgeText(int count)
{
    if (count <= 0)
        return {};
    return count > 99 ? "99+" : std::to_string(count);
}

} // namespace nimbus::reminders
