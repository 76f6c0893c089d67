// Texts, initial values and layout of the topic dialogs.
#include "store/TopicOptionsView.h"

#include <algorithm>

#include "store/DateFormat.h"
#include "store/Scheduler.h"

namespace nimbus {

namespace {

std::string typeLabel(const TopicOptions &v)
{
    // A task shown by its status unless it is the program's own task group.
    if (v.topicType == kTopicTask)
        return topicTypeText(kTopicTask, v.status, v.system);
    return topicTypeText(v.topicType, v.status, v.hasChildren);
}

TopicImage typeImage(const TopicOptions &v)
{
    if (v.system || (v.topicType != kTopicEvent && v.topicType != kTopicTask))
        return {TopicImage::List::TopicTypes, v.topicType};
    return {TopicImage::List::Statuses, v.status + (v.recur ? 10 : 0)};
}

// A time text that names a time of day (not empty, not midnight, and a real time).
bool timeOf(const std::string &text, DateTime &time)
{
    if (dates::isNoTime(text))
        return false;
    const std::int64_t msecs = schedule::timeOfDay(text);
    if (msecs <= 0)
        return false;
    time = DateTime::fromMsecs(msecs);
    return true;
}

} // namespace

TopicOptionsHeading topicOptionsHeading(const TopicOptions &v)
{
    TopicOptionsHeading h;
    if (v.sectionKind > 0) {
        h.systemLabel = "System section";
        h.typeLabel = sectionKindName(v.sectionKind);
        h.typeImage = {TopicImage::List::Sections, v.sectionKind - 1};
    } else {
        h.systemLabel = v.system ? "System topic" : "";
        h.typeLabel = typeLabel(v);
        h.typeImage = typeImage(v);
    }

    if (v.urgent)
        h.urgentLabel = "Urgent";
    else if (v.urgentCount >= 1 && v.hasChildren)
        h.urgentLabel = "Contains urgent sub-topics";
    if (!h.urgentLabel.empty())
        h.urgentImage = {TopicImage::List::Urgency, 0};

    if (!v.created.empty())
        h.created = "Created: " + dates::displayStamp(v.created, v.dateFormat);
    if (!v.started.empty())
        h.started = "Started:  " + dates::displayStamp(v.started, v.dateFormat);
    if (!v.from.empty()) {
        h.sentBy = "Sent from: " + v.from;
        h.sentDate = dates::displayStamp(v.sent, v.dateFormat);
    }

    if (v.taskOrEvent && !v.lastDoneDate.empty()) {
        h.lastDone = dates::displayDate(v.lastDoneDate, v.dateFormat);
        if (!dates::isNoTime(v.lastDoneTime))
            h.lastDone += "  " + v.lastDoneTime;
    }
    return h;
}

TopicOptionsPickers topicOptionsPickers(const TopicOptions &v, DateTime today)
{
    TopicOptionsPickers p;
    p.deadDate = today.date();
    if (!v.dueDate.empty())
        dates::parseDateKey(v.dueDate, p.deadDate);
    p.recurDate = p.deadDate;
    p.deadTimeTicked = timeOf(v.dueTime, p.deadTime);

    p.recurChecked = v.recur;
    p.recurFilled = v.recur && v.recurCount >= 1 && v.recurUnit >= 0;
    if (p.recurFilled) {
        dates::parseDateKey(v.nextDate, p.recurDate);
        p.recurTimeTicked = timeOf(v.nextTime, p.recurTime);
    }
    p.percentIndex = percentIndexOf(v.percent);
    p.priorityIndex = v.priority >= 1 && v.priority <= 9 ? v.priority - 1 : -1;
    return p;
}

TopicOptionsLayout topicOptionsLayout(const TopicOptions &v, bool recurChosen, bool deadlineTicked,
                                      bool calcProgressTicked)
{
    TopicOptionsLayout l;
    l.panelTaskVisible = v.taskOrEvent;
    if (!l.panelTaskVisible)
        return l;
    const bool event = v.topicType == kTopicEvent;
    l.typeTitle = event ? "Choose type of event" : "Choose type of task";
    l.recurTitle = event ? "Event recurs every:" : "Task recurs every:";
    l.durationVisible = event;
    l.progressVisible = !event;

    l.oneOffBold = !recurChosen;
    l.recurBold = recurChosen;
    l.deadLineEnabled = !recurChosen;
    l.deadPickersEnabled = !recurChosen && deadlineTicked;
    l.autoCompleteEnabled = recurChosen || deadlineTicked;
    l.recurEnabled = recurChosen;
    l.flagEnabled = recurChosen || deadlineTicked;

    l.calcProgressEnabled = v.hasChildren;
    l.percentEnabled = !(v.hasChildren && calcProgressTicked) && v.status != kStatusCompleted;
    return l;
}

bool usesSingularPeriods(std::string_view countText)
{
    return countText == "1";
}

std::vector<std::string> periodNames(bool singular)
{
    std::vector<std::string> names;
    for (int unit = kUnitMinutes; unit <= kUnitYears; ++unit)
        names.push_back(periodName(unit, singular ? 1 : 2));
    return names;
}

bool carryOneOffIntoRecur(DateTime today, DateTime oneOffDate, DateTime recurDate)
{
    const std::int64_t day = today.dayNumber();
    return recurDate.dayNumber() < day && oneOffDate.dayNumber() >= day;
}

int topicTypeChoiceIndex(int topicType)
{
    const auto *end = std::end(kTopicTypeChoices);
    const auto *found = std::find(std::begin(kTopicTypeChoices), end, topicType);
    return found == end ? -1 : static_cast<int>(found - std::begin(kTopicTypeChoices));
}

int chosenTopicType(int boldChoice, int preset)
{
    if (boldChoice < 0 || boldChoice >= static_cast<int>(std::size(kTopicTypeChoices)))
        return preset;
    return kTopicTypeChoices[boldChoice];
}

} // namespace nimbus
