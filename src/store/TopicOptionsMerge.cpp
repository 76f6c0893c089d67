// Merging the dialog's values with the topic's newer ones; see TopicOptionsMerge.h.
#include "store/TopicOptionsMerge.h"

#include <tuple>

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
                    o.recurUnit, o.autoComplete);
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

template <class Group>
void takeIfChanged(Group group, TopicOptions &opened, TopicOptions &edited, TopicOptions &result)
{
    if (group(edited) != group(opened))
        group(result) = group(edited);
}

} // namespace

TopicOptions mergeTopicOptions(const TopicOptions &openedValues, const TopicOptions &editedValues,
                               const TopicOptions &now)
{
    TopicOptions opened = openedValues, edited = editedValues, result = now;
    takeIfChanged(nameOf, opened, edited, result);
    takeIfChanged(typeOf, opened, edited, result);
    takeIfChanged(progressOf, opened, edited, result);
    takeIfChanged(urgencyOf, opened, edited, result);
    takeIfChanged(datesOf, opened, edited, result);
    takeIfChanged(priorityOf, opened, edited, result);
    takeIfChanged(flagOf, opened, edited, result);
    takeIfChanged(durationOf, opened, edited, result);
    result.cancelled = edited.cancelled;
    result.reminderLead = edited.reminderLead;
    return result;
}

} // namespace nimbus
