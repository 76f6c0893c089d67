// The values the "Topic options" dialog edits, taken from a node, changed by its OK button and
// applied back onto the node. No window is needed for any of it.
//
// How the main window edits a topic's properties:
//
//     TopicOptions values = topicOptionsFromNode(node, preferences.date, itemHasChildren);
//     TformProgress dialog(values, clock, parentWidget);
//     if (dialog.exec() == QDialog::Accepted) {          // the same as !dialog.values().cancelled
//         const TopicOptionsApplied done = applyTopicOptions(dialog.values(), node, clock);
//         // done.applied: refresh the tree image, UpdateGroup on the parents, store modified;
//         // done.titleChanged: the tree caption and the details heading take node.text.
//     }
#pragma once

#include <string>
#include <string_view>

#include "store/DateTime.h"
#include "store/TopicCodes.h"

namespace nimbus {

class Clock;
class TNimbusNode;

// One value per node field the dialog shows or edits, plus what it needs to know about the
// node (its place, whether it has children).
struct TopicOptions {
    bool cancelled = true; // cleared by OK; nothing is applied while it is set
    int dateFormat = 0;    // display order of dates (preferences): 0 d/m/y, 1 m/d/y, 2 y/m/d
    bool system = false;   // sys
    int sectionKind = -1;  // type of a depth-0 node, -1 for any deeper node
    int topicType = kTopicTask;
    int status = kStatusNone;
    bool urgent = false;
    int urgentCount = 0;
    std::string lastDoneDate; // fdate, fTime
    std::string lastDoneTime;
    bool taskOrEvent = false; // not a system topic, and a task or an event
    bool hasChildren = false;
    std::string name;
    bool recur = false;
    bool deadline = false; // dl
    std::string dueDate;   // dlDate, dlTime
    std::string dueTime;
    std::string nextDate; // rsDate, rsTime
    std::string nextTime;
    int recurCount = 0; // rno, rtype
    int recurUnit = kUnitNone;
    bool autoComplete = false;
    bool calcProgress = true;
    bool progressSet = false; // prog
    int percent = 0;          // pr%
    int priority = 0;
    int flagDays = 0; // flno, fltyp
    int flagUnit = kUnitNone;
    int durationCount = 0; // durno, durtype
    int durationUnit = kUnitNone;
    std::string created; // cre, sta, from, sent: shown only
    std::string started;
    std::string from;
    std::string sent;
    // The topic's advance reminder in minutes (0 none). Not a field of the node: the caller
    // keeps it in the reminders' own file.
    int reminderLead = 0;
    // The topic's recurrence beyond "every N units", in the text form of the recurrence
    // module's series ("START=...;FREQ=WEEKLY;BYDAY=MO"); empty for none. Not a field of the
    // node: the caller fills it from the topic's series and keeps it in the recurrence file.
    // With it, recurCount and recurUnit are the rule's nearest plain one.
    std::string richRule;
};

// The dialog's values for a node. itemHasChildren: the tree item shows children (the node's
// childCount may lag behind the tree). The percentage is normalised on the values only, so
// that a cancelled dialog leaves the node exactly as it was: a completed task shows 100, an
// in-progress task at 0 shows 50, a childless not-started task shows 0.
TopicOptions topicOptionsFromNode(const TNimbusNode &node, int dateFormat, bool itemHasChildren);

// What the controls hold when OK is pressed, as plain values. Dates and times are the pickers'
// values (the date part of a date, the time of day of a time).
struct TopicOptionsControls {
    std::string name;            // editTopicName
    bool deadlineTicked = false; // checkDeadLine
    bool recurChecked = false;   // radioRecur
    DateTime deadDate;           // pickerDeadDate
    bool deadTimeTicked = false; // pickerDeadTime
    DateTime deadTime;
    std::string recurCountText;   // editRecurNo
    int recurUnitIndex = -1;      // comboRecurPeriod
    DateTime recurDate;           // pickerRecurDate
    bool recurTimeTicked = false; // pickerRecurTime
    DateTime recurTime;
    std::string flagText; // editFlagNo
    bool autoComplete = false;
    bool calcProgress = false;
    int percentIndex = -1;      // comboPercent: item i is i * 10 percent
    std::string durationText;   // editDurationNo
    int durationUnitIndex = -1; // comboDurationPeriod
    int priorityIndex = -1;     // comboPriority: item i is priority i + 1
};

// OK: the controls' values into the dialog's values, and cancelled cleared.
void acceptTopicOptions(TopicOptions &values, const TopicOptionsControls &controls);

struct TopicOptionsApplied {
    bool applied = false;      // false: cancelled, or a system topic (nothing changed)
    bool titleChanged = false; // the tree caption and details heading need node.text
    int schedule = 0;          // UpdateSchedule's result
};

// The caller's step after the dialog closed: copies the values back onto the node, derives a
// task's status from a percentage that differs from the one the node shows (values equal to
// what topicOptionsFromNode gives keep the node's own status and percentage), then recomputes the
// schedule (now from the clock) and the sort key. Does nothing when the values are cancelled or the
// node is a system topic.
TopicOptionsApplied applyTopicOptions(const TopicOptions &values, TNimbusNode &node,
                                      const Clock &clock);

// The item of comboPercent that shows a percentage: whole tens, rounded down. OK on that
// item keeps the percentage as it was.
int percentIndexOf(int percent);

// A count typed into one of the dialog's number edits; 0 when it is not a whole number.
int countFromText(std::string_view text);

} // namespace nimbus
