// Texts, initial values and layout of the topic dialogs.
#include "store/TopicOptionsView.h"

#include <algorithm>

#include "fileio/UiText.h"
#include "store/DateFormat.h"
#include "store/Scheduler.h"

namespace nimbus {

namespace {

// The dialog shows the codes' texts in the user's language.
std::string shown(const std::string &codeText)
{
    return codeText.empty() ? codeText : text::translate("TopicCodes", codeText.c_str());
}

std::string typeLabel(const TopicOptions &v)
{
    // A task shown by its status unless it is the program's own task group.
    if (v.topicType == kTopicTask)
        return shown(topicTypeText(kTopicTask, v.status, v.system));
    return shown(topicTypeText(v.topicType, v.status, v.hasChildren));
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
        h.systemLabel = text::translate("TopicOptions", "System section");
        h.typeLabel = shown(sectionKindName(v.sectionKind));
        h.typeImage = {TopicImage::List::Sections, v.sectionKind - 1};
    } else {
        h.systemLabel = v.system ? text::translate("TopicOptions", "System topic") : "";
        h.typeLabel = typeLabel(v);
        h.typeImage = typeImage(v);
    }

    if (v.urgent)
        h.urgentLabel = text::translate("TopicOptions", "Urgent");
    else if (v.urgentCount >= 1 && v.hasChildren)
        h.urgentLabel = text::translate("TopicOptions", "Contains urgent sub-topics");
    if (!h.urgentLabel.empty())
        h.urgentImage = {TopicImage::List::Urgency, 0};

    if (!v.created.empty())
        h.created = text::translate("TopicOptions", "Created: ") +
                    dates::displayStamp(v.created, v.dateFormat);
    if (!v.started.empty())
        h.started = text::translate("TopicOptions", "Started:  ") +
                    dates::displayStamp(v.started, v.dateFormat);
    if (!v.from.empty()) {
        h.sentBy = text::translate("TopicOptions", "Sent from: ") + v.from;
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
    l.typeTitle = event ? text::translate("TopicOptions", "Choose type of event")
                        : text::translate("TopicOptions", "Choose type of task");
    l.recurTitle = event ? text::translate("TopicOptions", "Event recurs every:")
                         : text::translate("TopicOptions", "Task recurs every:");
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
        names.push_back(shown(periodName(unit, singular ? 1 : 2)));
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
