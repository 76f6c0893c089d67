// The "Topic options" dialog's values: from a node, through OK, back onto the node.
#include "store/TopicOptions.h"

#include <algorithm>
#include <charconv>

#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/TNimbusNode.h"

namespace nimbus {

namespace {

std::string withoutTrailingBlanks(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    return text;
}

// A time picker's value as a time text. Unticked it means no time: a "no time" stored in
// either spelling (empty or "00:00:00") stays as it was, so that OK on an unchanged dialog
// changes nothing stored and records no step. A time taken away is empty, never "00:00:00":
// held in memory, that spelling is a time of midnight someone chose (ReminderMidnights).
std::string timeOrNone(bool ticked, DateTime time, const std::string &was)
{
    if (ticked)
        return dates::timeText(time);
    return dates::isNoTime(was) ? was : std::string();
}

bool isUnit(int index)
{
    return index >= kUnitMinutes && index <= kUnitYears;
}

// The OK rules for a task's percentage and status.
void acceptTaskProgress(TopicOptions &values, const TopicOptionsControls &controls)
{
    const int before = values.percent;
    // The combo can only show tens, and the dialog has no status control: left where the
    // dialog put it, it says nothing new. The task keeps its exact percentage (a checklist's
    // 66 %) and its status (waiting and on hold have no percentage of their own).
    const bool chosen =
        controls.percentIndex >= 0 && controls.percentIndex != percentIndexOf(before);
    const int p = chosen ? std::clamp(controls.percentIndex * 10, 0, 100) : before;
    // A task's status follows a percentage chosen here.
    if (chosen) {
        if (p == 100)
            values.status = kStatusCompleted;
        else if (p == 0)
            values.status = kStatusNotStarted;
        else
            values.status = kStatusInProgress;
    }
    if (values.status == kStatusInProgress && (p != before || controls.calcProgress))
        values.progressSet = true;
    // A group that takes its percentage from its sub-tasks keeps the computed one.
    if (!(values.hasChildren && controls.calcProgress))
        values.percent = p;
}

} // namespace

int percentIndexOf(int percent)
{
    return std::clamp(percent / 10, 0, 10);
}

int countFromText(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return 0;
    return value;
}

TopicOptions topicOptionsFromNode(const TNimbusNode &node, int dateFormat, bool itemHasChildren)
{
    TopicOptions v;
    v.dateFormat = dateFormat;
    v.system = node.sys;
    v.sectionKind = node.lev == 0 ? node.type : -1;
    v.topicType = node.ttype;
    v.status = node.status;
    v.urgent = node.urgent;
    v.urgentCount = node.urgentCount;
    v.lastDoneDate = node.fdate;
    v.lastDoneTime = node.fTime;
    v.taskOrEvent = !node.sys && (node.ttype == kTopicEvent || node.ttype == kTopicTask);
    v.hasChildren = node.childCount >= 1 || itemHasChildren;
    v.name = node.text;
    v.recur = node.recur;
    v.deadline = node.dl;
    v.dueDate = node.dlDate;
    v.dueTime = node.dlTime;
    v.nextDate = node.rsDate;
    v.nextTime = node.rsTime;
    v.recurCount = node.rno;
    v.recurUnit = node.rtype;
    v.autoComplete = node.autoComplete;
    v.calcProgress = node.calpr;
    v.progressSet = node.prog;
    v.percent = node.percent;
    v.priority = node.pri;
    v.flagDays = node.flno;
    v.flagUnit = node.fltyp;
    v.durationCount = node.durno;
    v.durationUnit = node.durtype;
    v.created = node.cre;
    v.started = node.sta;
    v.from = node.from;
    v.sent = node.sent;

    if (node.ttype == kTopicTask) {
        if (v.status == kStatusCompleted)
            v.percent = 100;
        else if (v.status == kStatusInProgress && v.percent == 0)
            v.percent = 50;
        else if (v.status == kStatusNotStarted && v.percent > 0 && !v.hasChildren)
            v.percent = 0;
    }
    return v;
}

void acceptTopicOptions(TopicOptions &values, const TopicOptionsControls &controls)
{
    // An empty title would leave an invisible tree row; it keeps the old one, as renaming does.
    std::string name = withoutTrailingBlanks(controls.name);
    if (!name.empty())
        values.name = std::move(name);
    values.deadline = controls.deadlineTicked;
    values.recur = controls.recurChecked;

    if (values.recur) {
        const std::string oldDate = values.nextDate;
        const std::string oldTime = values.nextTime;
        // A recurrence of no periods, or of no unit, would never move the topic forward: the
        // schedule would complete and "roll" it onto the same date on every timer tick.
        values.recurCount = std::max(1, countFromText(controls.recurCountText));
        values.recurUnit = isUnit(controls.recurUnitIndex) ? controls.recurUnitIndex : kUnitDays;
        values.nextDate = dates::dateKey(controls.recurDate);
        values.nextTime = timeOrNone(controls.recurTimeTicked, controls.recurTime, oldTime);
        // Only a moved next date moves the due date: changing the count alone keeps it.
        if (values.nextDate != oldDate || values.nextTime != oldTime || values.dueDate.empty()) {
            values.dueDate = values.nextDate;
            values.dueTime = values.nextTime;
        }
        values.deadline = true;
    } else if (values.deadline) {
        values.dueDate = dates::dateKey(controls.deadDate);
        values.dueTime = timeOrNone(controls.deadTimeTicked, controls.deadTime, values.dueTime);
    }
    // Unticking the due date keeps the stored date (dl alone switches it off).

    values.flagDays = std::max(0, countFromText(controls.flagText));
    values.autoComplete = controls.autoComplete;
    values.calcProgress = controls.calcProgress;

    if (values.taskOrEvent && values.topicType == kTopicTask) {
        acceptTaskProgress(values, controls);
    } else if (values.taskOrEvent && values.topicType == kTopicEvent) {
        // An event lasts at least one period; a count of 0 would end it before it starts.
        values.durationCount = std::max(1, countFromText(controls.durationText));
        values.durationUnit = controls.durationUnitIndex;
    }

    values.priority = controls.priorityIndex >= 0 ? controls.priorityIndex + 1 : 0;
    values.cancelled = false;
}

TopicOptionsApplied applyTopicOptions(const TopicOptions &values, TNimbusNode &node,
                                      const Clock &clock)
{
    TopicOptionsApplied result;
    if (values.cancelled || node.sys)
        return result;
    result.applied = true;

    if (!values.name.empty() && values.name != node.text) {
        node.text = values.name;
        result.titleChanged = true;
    }
    node.pri = values.priority;
    node.recur = values.recur;
    node.dl = values.deadline;
    node.dlDate = values.dueDate;
    node.dlTime = values.dueTime;
    node.rsDate = values.nextDate;
    node.rsTime = values.nextTime;
    node.rno = values.recurCount;
    node.rtype = values.recurUnit;
    node.autoComplete = values.autoComplete;
    node.calpr = values.calcProgress;
    node.prog = values.progressSet;

    const bool task = node.ttype == kTopicTask;
    const bool event = node.ttype == kTopicEvent;
    // The values show the node's percentage normalised (an in-progress task at 0 % as 50 %):
    // values equal to what the node shows are no change, and the node keeps its own.
    const TopicOptions shown = topicOptionsFromNode(node, values.dateFormat, values.hasChildren);
    const bool progressChanged = values.percent != shown.percent || values.status != shown.status;
    int percent = progressChanged ? values.percent : node.percent;
    int status = progressChanged ? values.status : node.status;
    bool restarted = false;
    // A recurring topic is never finished: its next occurrence starts afresh.
    if ((task || event) && values.recur && (percent == 100 || status == kStatusCompleted)) {
        if (percent == 100)
            percent = 0;
        if (status == kStatusCompleted)
            status = kStatusNotStarted;
        restarted = true;
    }
    // A task's status follows a new percentage; a task waiting or on hold stays so otherwise.
    if (task && (progressChanged || restarted))
        status = percent >= 100 ? kStatusCompleted
                                : (percent < 1 ? kStatusNotStarted : kStatusInProgress);
    if (task || event)
        node.status = status;
    node.percent = percent;
    node.flno = values.flagDays;
    node.fltyp = values.flagUnit;
    node.durno = values.durationCount;
    node.durtype = values.durationUnit;

    result.schedule = node.UpdateSchedule(clock);
    node.UpdateSortKey();
    return result;
}

} // namespace nimbus
