// What the topic dialogs show: headings, stamps, initial pickers, layout, period names, the
// type chooser and the selection grid's rows.
#include <gtest/gtest.h>

#include "store/DateFormat.h"
#include "store/TNimbusNode.h"
#include "store/TopicOptions.h"
#include "store/TopicOptionsView.h"
#include "store/TopicSelectionRows.h"

using namespace nimbus;

namespace {

const DateTime kToday = DateTime::fromCivil(2024, 3, 10);

TopicOptions options(int ttype, int status)
{
    TopicOptions v;
    v.topicType = ttype;
    v.status = status;
    v.taskOrEvent = ttype == kTopicTask || ttype == kTopicEvent;
    return v;
}

} // namespace

TEST(TopicOptionsHeading, NamesTheKindTypeAndStatus)
{
    TopicOptions section = options(-1, 0);
    section.sectionKind = kSectionContacts;
    section.system = true;
    TopicOptionsHeading h = topicOptionsHeading(section);
    EXPECT_EQ(h.systemLabel, "System section");
    EXPECT_EQ(h.typeLabel, "Contacts");
    EXPECT_EQ(h.typeImage.list, TopicImage::List::Sections);
    EXPECT_EQ(h.typeImage.index, 5);

    TopicOptions systemTask = options(kTopicTask, kStatusInProgress);
    systemTask.system = true;
    h = topicOptionsHeading(systemTask);
    EXPECT_EQ(h.systemLabel, "System topic");
    EXPECT_EQ(h.typeLabel, "Task group");
    EXPECT_EQ(h.typeImage.list, TopicImage::List::TopicTypes);

    // A user's task with sub-tasks is still shown by its status.
    TopicOptions group = options(kTopicTask, kStatusWaiting);
    group.hasChildren = true;
    group.recur = true;
    h = topicOptionsHeading(group);
    EXPECT_EQ(h.systemLabel, "");
    EXPECT_EQ(h.typeLabel, "Task waiting");
    EXPECT_EQ(h.typeImage.list, TopicImage::List::Statuses);
    EXPECT_EQ(h.typeImage.index, 15);

    EXPECT_EQ(topicOptionsHeading(options(kTopicEvent, kStatusWaiting)).typeLabel, "Future event");
    TopicOptions events = options(kTopicEvent, kStatusInProgress);
    events.hasChildren = true;
    EXPECT_EQ(topicOptionsHeading(events).typeLabel, "Events group");
    TopicOptions general = options(kTopicGeneral, 0);
    general.hasChildren = true;
    h = topicOptionsHeading(general);
    EXPECT_EQ(h.typeLabel, "General topic group");
    EXPECT_EQ(h.typeImage.list, TopicImage::List::TopicTypes);
    EXPECT_EQ(h.typeImage.index, kTopicGeneral);
    EXPECT_EQ(topicOptionsHeading(options(kTopicFinancial, 0)).typeLabel, "Financial topic");
}

TEST(TopicOptionsHeading, UrgencyStampsAndLastDone)
{
    TopicOptions v = options(kTopicTask, kStatusNotStarted);
    v.dateFormat = dates::MonthDayYear;
    EXPECT_EQ(topicOptionsHeading(v).urgentLabel, "");
    v.urgentCount = 2;
    EXPECT_EQ(topicOptionsHeading(v).urgentLabel, "") << "only a group contains sub-topics";
    v.hasChildren = true;
    EXPECT_EQ(topicOptionsHeading(v).urgentLabel, "Contains urgent sub-topics");
    v.urgent = true;
    EXPECT_EQ(topicOptionsHeading(v).urgentLabel, "Urgent");
    EXPECT_EQ(topicOptionsHeading(v).urgentImage.list, TopicImage::List::Urgency);

    v.created = "20240305-091500";
    v.started = "20240306-100000";
    v.from = "Robin";
    v.sent = "20240307-080910";
    v.lastDoneDate = "20240308";
    v.lastDoneTime = "17:45:00";
    TopicOptionsHeading h = topicOptionsHeading(v);
    EXPECT_EQ(h.created, "Created: 03/05/2024 09:15:00");
    EXPECT_EQ(h.started, "Started:  03/06/2024 10:00:00");
    EXPECT_EQ(h.sentBy, "Sent from: Robin");
    EXPECT_EQ(h.sentDate, "03/07/2024 08:09:10");
    EXPECT_EQ(h.lastDone, "03/08/2024  17:45:00");
    v.lastDoneTime = "00:00:00";
    EXPECT_EQ(topicOptionsHeading(v).lastDone, "03/08/2024");
    v.taskOrEvent = false;
    EXPECT_EQ(topicOptionsHeading(v).lastDone, "") << "only tasks and events show it";
}

TEST(TopicOptionsPickers, StartFromTheStoredDatesOrToday)
{
    TopicOptions v = options(kTopicTask, kStatusNotStarted);
    TopicOptionsPickers p = topicOptionsPickers(v, kToday.addSeconds(3600));
    EXPECT_EQ(p.deadDate, kToday);
    EXPECT_EQ(p.recurDate, kToday);
    EXPECT_FALSE(p.deadTimeTicked);
    EXPECT_FALSE(p.recurChecked);
    EXPECT_EQ(p.priorityIndex, -1);

    v.dueDate = "20240401";
    v.dueTime = "08:30:00";
    v.percent = 70;
    v.priority = 3;
    p = topicOptionsPickers(v, kToday);
    EXPECT_EQ(p.deadDate, DateTime::fromCivil(2024, 4, 1));
    EXPECT_EQ(p.recurDate, p.deadDate);
    EXPECT_TRUE(p.deadTimeTicked);
    EXPECT_EQ(dates::timeText(p.deadTime), "08:30:00");
    EXPECT_EQ(p.percentIndex, 7);
    EXPECT_EQ(p.priorityIndex, 2);

    // Hand-edited values that are not dates or times leave today and no time.
    v.dueDate = "20241341";
    v.dueTime = "25:99:00";
    p = topicOptionsPickers(v, kToday);
    EXPECT_EQ(p.deadDate, kToday);
    EXPECT_FALSE(p.deadTimeTicked);

    // The recurrence shows only with a count and a unit.
    v.recur = true;
    v.nextDate = "20240415";
    v.nextTime = "07:00:00";
    EXPECT_FALSE(topicOptionsPickers(v, kToday).recurFilled);
    v.recurCount = 2;
    v.recurUnit = kUnitWeeks;
    p = topicOptionsPickers(v, kToday);
    EXPECT_TRUE(p.recurChecked);
    EXPECT_TRUE(p.recurFilled);
    EXPECT_EQ(p.recurDate, DateTime::fromCivil(2024, 4, 15));
    EXPECT_TRUE(p.recurTimeTicked);
}

TEST(TopicOptionsLayout, OneOffAndRecurringEnableOppositeControls)
{
    const TopicOptions v = options(kTopicTask, kStatusNotStarted);
    TopicOptionsLayout l = topicOptionsLayout(v, false, false, false);
    EXPECT_TRUE(l.panelTaskVisible);
    EXPECT_TRUE(l.oneOffBold);
    EXPECT_FALSE(l.recurBold);
    EXPECT_TRUE(l.deadLineEnabled);
    EXPECT_FALSE(l.deadPickersEnabled);
    EXPECT_FALSE(l.autoCompleteEnabled);
    EXPECT_FALSE(l.flagEnabled);
    EXPECT_FALSE(l.recurEnabled);

    l = topicOptionsLayout(v, false, true, false);
    EXPECT_TRUE(l.deadPickersEnabled);
    EXPECT_TRUE(l.autoCompleteEnabled);
    EXPECT_TRUE(l.flagEnabled);

    l = topicOptionsLayout(v, true, true, false);
    EXPECT_TRUE(l.recurBold);
    EXPECT_FALSE(l.oneOffBold);
    EXPECT_FALSE(l.deadLineEnabled);
    EXPECT_FALSE(l.deadPickersEnabled);
    EXPECT_TRUE(l.recurEnabled);
    EXPECT_TRUE(l.autoCompleteEnabled);
    EXPECT_TRUE(l.flagEnabled);
}

TEST(TopicOptionsLayout, TasksShowProgressEventsShowDuration)
{
    TopicOptionsLayout l = topicOptionsLayout(options(kTopicTask, 1), false, false, false);
    EXPECT_EQ(l.typeTitle, "Choose type of task");
    EXPECT_EQ(l.recurTitle, "Task recurs every:");
    EXPECT_TRUE(l.progressVisible);
    EXPECT_FALSE(l.durationVisible);
    EXPECT_FALSE(l.calcProgressEnabled);
    EXPECT_TRUE(l.percentEnabled);

    l = topicOptionsLayout(options(kTopicEvent, 1), false, false, false);
    EXPECT_EQ(l.typeTitle, "Choose type of event");
    EXPECT_EQ(l.recurTitle, "Event recurs every:");
    EXPECT_FALSE(l.progressVisible);
    EXPECT_TRUE(l.durationVisible);

    EXPECT_FALSE(topicOptionsLayout(options(kTopicIdea, 0), false, false, false).panelTaskVisible);

    TopicOptions group = options(kTopicTask, kStatusInProgress);
    group.hasChildren = true;
    EXPECT_TRUE(topicOptionsLayout(group, false, false, false).calcProgressEnabled);
    EXPECT_TRUE(topicOptionsLayout(group, false, false, false).percentEnabled);
    EXPECT_FALSE(topicOptionsLayout(group, false, false, true).percentEnabled);
    EXPECT_FALSE(topicOptionsLayout(options(kTopicTask, kStatusCompleted), false, false, false)
                     .percentEnabled);
}

TEST(TopicOptionsView, PeriodNamesFollowTheCount)
{
    EXPECT_TRUE(usesSingularPeriods("1"));
    for (const char *text : {"", "0", "2", "01", " 1", "11"})
        EXPECT_FALSE(usesSingularPeriods(text)) << '"' << text << '"';
    EXPECT_EQ(periodNames(true).at(kUnitWeeks), "Week");
    EXPECT_EQ(periodNames(false).at(kUnitMinutes), "Minutes");
    EXPECT_EQ(periodNames(false).size(), 6u);
}

TEST(TopicOptionsView, RecurringTakesTheOneOffDateOnlyOverAPastDate)
{
    const DateTime yesterday = kToday.addDays(-1);
    const DateTime nextWeek = kToday.addDays(7);
    EXPECT_TRUE(carryOneOffIntoRecur(kToday, nextWeek, yesterday));
    EXPECT_TRUE(carryOneOffIntoRecur(kToday, kToday, yesterday));
    EXPECT_FALSE(carryOneOffIntoRecur(kToday, yesterday, yesterday.addDays(-3)));
    EXPECT_FALSE(carryOneOffIntoRecur(kToday, nextWeek, kToday));
}

TEST(TopicTypeChoice, BoldChoiceOrPreset)
{
    EXPECT_EQ(topicTypeChoiceIndex(kTopicIdea), 2);
    EXPECT_EQ(topicTypeChoiceIndex(kTopicEvent), 4);
    EXPECT_EQ(topicTypeChoiceIndex(kTopicGeneral), -1);
    EXPECT_EQ(chosenTopicType(3, kTopicTask), kTopicFinancial);
    EXPECT_EQ(chosenTopicType(4, kTopicTask), kTopicEvent);
    EXPECT_EQ(chosenTopicType(-1, kTopicGeneral), kTopicGeneral);
    EXPECT_EQ(chosenTopicType(5, kTopicGeneral), kTopicGeneral);
}

TEST(TopicSelectionRows, ScheduleOnlyForTasksAndEvents)
{
    TNimbusNode task("1");
    task.text = "Pay invoice";
    task.status = kStatusInProgress;
    task.statusText = "-3 days";
    task.highlightColour = kColourPink;
    task.prog = true;
    task.percent = 40;
    task.pri = 2;
    SelectionRow row = selectionRow(task);
    EXPECT_EQ(row.due, "-3 days");
    EXPECT_EQ(row.dueColour, kColourPink);
    EXPECT_EQ(row.status, "Task in progress");
    EXPECT_EQ(row.percent, 40);
    EXPECT_EQ(row.priority, 2);
    EXPECT_EQ(row.title, "Pay invoice");

    task.status = kStatusOnHold;
    EXPECT_EQ(selectionRow(task).priority, 0);
    EXPECT_EQ(selectionRow(task).percent, -1);

    TNimbusNode note("2");
    note.ttype = kTopicInformation;
    note.statusText = "left over";
    note.childCount = 1;
    note.urgentCount = 1;
    row = selectionRow(note);
    EXPECT_EQ(row.due, "");
    EXPECT_EQ(row.dueColour, -1);
    EXPECT_TRUE(row.urgent);

    EXPECT_FALSE(isTopicRow(0, 3));
    EXPECT_TRUE(isTopicRow(1, 3));
    EXPECT_TRUE(isTopicRow(3, 3));
    EXPECT_FALSE(isTopicRow(4, 3));
    EXPECT_FALSE(isTopicRow(1, 0));
}
