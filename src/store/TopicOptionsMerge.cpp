// Merging the dialog's values with the topic's newer ones; see TopicOptionsMerge.h.
#include "store/TopicOptionsMerge.h"

#include <tuple>

#include "fileio/UiText.h"

namespace nimbus {

namespace {

// Each group as a tuple of references, so that a group compares and copies as one.
auto nameOf(TopicOptions &o)
{
    return std::tie(o.name);
}
auto typeOf(TopicOptions &o)
{
    return std::tie(o.topicType);
}
auto progressOf(TopicOptions &o)
{
    return std::tie(o.status, o.percent, o.progressSet, o.calcProgress, o.lastDoneDate,
                    o.lastDoneTime);
}
auto urgencyOf(TopicOptions &o)
{
    return std::tie(o.urgent, o.urgentCount);
}
auto datesOf(TopicOptions &o)
{
    return std::tie(o.recur, o.deadline, o.dueDate, o.dueTime, o.nextDate, o.nextTime, o.recurCount,
                    o.recurUnit, o.autoComplete, o.richRule);
}
auto priorityOf(TopicOptions &o)
{
    return std::tie(o.priority);
}
auto flagOf(TopicOptions &o)
{
    return std::tie(o.flagDays, o.flagUnit);
}
auto durationOf(TopicOptions &o)
{
    return std::tie(o.durationCount, o.durationUnit);
}

// Whether the user changed the group in the dialog and something else changed it meanwhile,
// to another value.
template <class Group>
bool clashes(Group group, TopicOptions &opened, TopicOptions &edited, TopicOptions &now)
{
    return group(edited) != group(opened) && group(now) != group(opened) &&
           group(now) != group(edited);
}

template <class Group>
void takeIfChanged(Group group, TopicOptions &opened, TopicOptions &edited, TopicOptions &result,
                   bool theirsWhereBoth)
{
    if (group(edited) == group(opened))
        return;
    if (theirsWhereBoth && clashes(group, opened, edited, result))
        return;
    group(result) = group(edited);
}

// Every group with the name the user reads, in English (translated where it is shown, with
// the context of clashingGroups); applied in this order.
template <class Visit> void forEachGroup(Visit visit)
{
    visit(nameOf, NIMBUS_TEXT_NOOP("nimbus::TopicOptionsMerge", "title"));
    visit(typeOf, NIMBUS_TEXT_NOOP("nimbus::TopicOptionsMerge", "type"));
    visit(progressOf, NIMBUS_TEXT_NOOP("nimbus::TopicOptionsMerge", "status and progress"));
    visit(urgencyOf, NIMBUS_TEXT_NOOP("nimbus::TopicOptionsMerge", "urgency"));
    visit(datesOf, NIMBUS_TEXT_NOOP("nimbus::TopicOptionsMerge", "dates and repeat"));
    visit(priorityOf, NIMBUS_TEXT_NOOP("nimbus::TopicOptionsMerge", "priority"));
    visit(flagOf, NIMBUS_TEXT_NOOP("nimbus::TopicOptionsMerge", "flag ahead"));
    visit(durationOf, NIMBUS_TEXT_NOOP("nimbus::TopicOptionsMerge", "duration"));
}

} // namespace

TopicOptions mergeTopicOptions(const TopicOptions &openedValues, const TopicOptions &editedValues,
                               const TopicOptions &now, bool theirsWhereBoth)
{
    TopicOptions opened = openedValues, edited = editedValues, result = now;
    forEachGroup([&](auto group, const char *) {
        takeIfChanged(group, opened, edited, result, theirsWhereBoth);
    });
    result.cancelled = edited.cancelled;
    result.reminderLead = edited.reminderLead;
    return result;
}

std::vector<std::string> clashingGroups(const TopicOptions &openedValues,
                                        const TopicOptions &editedValues,
                                        const TopicOptions &nowValues)
{
    TopicOptions opened = openedValues, edited = editedValues, now = nowValues;
    std::vector<std::string> names;
    forEachGroup([&](auto group, const char *name) {
        if (clashes(group, opened, edited, now))
            names.emplace_back(name);
    });
    return names;
}

} // namespace nimbus
