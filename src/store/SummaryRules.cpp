// Group membership, keys and texts of the summary page.
#include "store/SummaryRules.h"

#include <algorithm>
#include <cstdio>

#include "fileio/UiText.h"
#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

namespace nimbus::summary {

std::string DaysKey(int daysLeft)
{
    // Nine digits always: a shorter number would break the text order the keys exist for.
    char text[16];
    if (daysLeft >= 0) {
        const long long value = std::min(100000000LL + daysLeft, 999999999LL);
        std::snprintf(text, sizeof text, "+%09lld", value);
    } else {
        const long long value = std::max(999999999LL + daysLeft, 0LL);
        std::snprintf(text, sizeof text, " %09lld", value);
    }
    return text;
}

namespace {

bool isTask(const TNimbusNode &node)
{
    return node.ttype == kTopicTask;
}
bool isEvent(const TNimbusNode &node)
{
    return node.ttype == kTopicEvent;
}
bool open(const TNimbusNode &node)
{
    return node.status != kStatusCompleted;
}
// Six weeks ahead; overdue topics (negative days) are included, undated ones (99999) not.
bool dueWithinSixWeeks(const TNimbusNode &node)
{
    return node.daysLeft < 43;
}

} // namespace

unsigned MemberGroups(const TNimbusNode &node)
{
    if (node.lev <= 0)
        return 0;
    const auto bit = [](Group group) { return 1u << indexOf(group); };
    unsigned groups = 0;
    if (node.urgent)
        groups |= bit(Group::Urgent);
    if (node.fav)
        groups |= bit(Group::Favourites);
    if (isTask(node)) {
        if (open(node) && dueWithinSixWeeks(node))
            groups |= bit(Group::Deadlines);
        if (node.statusText.find('-') != std::string::npos)
            groups |= bit(Group::Overdue);
        if (open(node) &&
            (node.status == kStatusInProgress || (node.percent >= 1 && node.percent <= 99)))
            groups |= bit(Group::InProgress);
        if (node.status == kStatusWaiting)
            groups |= bit(Group::Waiting);
    } else if (isEvent(node)) {
        if (node.status == kStatusInProgress)
            groups |= bit(Group::InProgress);
        if (open(node) && dueWithinSixWeeks(node))
            groups |= bit(Group::Events);
    }
    return groups;
}

bool IsMember(Group group, const TNimbusNode &node)
{
    return (MemberGroups(node) >> indexOf(group)) & 1u;
}

std::string GroupKey(Group group, const TNimbusNode &node)
{
    switch (group) {
    case Group::Deadlines:
    case Group::Overdue:
    case Group::Events:
        return DaysKey(node.daysLeft);
    case Group::Urgent:
        return node.uni;
    case Group::InProgress:
    case Group::Waiting:
    case Group::Favourites:
        return node.sortKey.str();
    case Group::New:
    case Group::Changes:
        return node.uni;
    }
    return node.uni;
}

namespace {

const char *badgePrefix(Group group)
{
    static const char *const prefixes[kGroupCount] = {
        NIMBUS_TEXT_NOOP("nimbus::summary", "Deadlines: "),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Urgent: "),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Overdue: "),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Events: "),
        NIMBUS_TEXT_NOOP("nimbus::summary", "In progress: "),
        NIMBUS_TEXT_NOOP("nimbus::summary", "New: "),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Changes: "),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Favourites: "),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Waiting: ")};
    return prefixes[indexOf(group)];
}

} // namespace

std::string BadgeText(Group group, int count)
{
    return BadgeCaption(group) + std::to_string(count);
}

std::string BadgeCaption(Group group)
{
    return text::translate("nimbus::summary", badgePrefix(group));
}

std::string BadgeLine(Group group, int count)
{
    return badgePrefix(group) + std::to_string(count);
}

std::string MenuCaption(Group group)
{
    static const char *const captions[kGroupCount] = {
        NIMBUS_TEXT_NOOP("nimbus::summary", "Deadlines next 2 weeks"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Urgent"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Overdue"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Events next 2 weeks"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "In progress"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "New topics"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Changed topics"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Favourites"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Tasks waiting")};
    return text::translate("nimbus::summary", captions[indexOf(group)]);
}

std::string SelectionTitle(Group group)
{
    static const char *const titles[kGroupCount] = {
        NIMBUS_TEXT_NOOP("nimbus::summary", "Task deadlines in the next six weeks"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Urgent topics"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Tasks overdue"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Events in the next six weeks"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Tasks in progress"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Recent new topics - latest first"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Recent changes - latest first"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Favourites"),
        NIMBUS_TEXT_NOOP("nimbus::summary", "Tasks waiting")};
    return text::translate("nimbus::summary", titles[indexOf(group)]);
}

std::string LabelName(Group group)
{
    static const char *const names[kGroupCount] = {"labDeadline", "labUrgent",   "labOverdue",
                                                   "labEvents",   "labProgress", "labNew",
                                                   "labChanges",  "labFavs",     "labWaiting"};
    return names[indexOf(group)];
}

} // namespace nimbus::summary
