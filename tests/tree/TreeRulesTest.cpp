// The tree's visible rules: menu and toolbar states, button effects, sorting and expanding.
#include <gtest/gtest.h>

#include "tree/TreeRules.h"
#include "store/TNimbusNode.h"

using namespace nimbus;
using namespace nimbus::tree;

namespace {

const DateTime kNow = DateTime::fromCivil(2026, 3, 10, 9, 30, 0);

TNimbusNode topic(int ttype, int status = kStatusNone)
{
    TNimbusNode node("7");
    node.lev = 1;
    node.type = kSectionTopics;
    node.ttype = ttype;
    node.status = status;
    node.UpdateSortKey();
    return node;
}

std::string enabledButtons(const TNimbusNode *node)
{
    static const char *names[] = {"General", "Info",       "Idea",       "Finance", "Event",
                                  "Task",    "NotStarted", "InProgress", "Waiting", "Finished",
                                  "OnHold",  "Urgent",     "NotUrgent",  "Up",      "Down"};
    const ToolButtonState state = UpdateToolButtons(node);
    std::string out;
    for (int i = 0; i < kToolButtonCount; ++i)
        if (state.enabled[i]) {
            if (!out.empty())
                out += ' ';
            out += names[i];
        }
    return out;
}

} // namespace

TEST(ToolButtons, OfferWhatChangesTheSelectedTopic)
{
    EXPECT_EQ(enabledButtons(nullptr), "");
    TNimbusNode note = topic(kTopicInformation);
    EXPECT_EQ(enabledButtons(&note), "General Idea Finance Event Task Urgent");
    note.urgent = true;
    EXPECT_EQ(enabledButtons(&note), "General Idea Finance Event Task NotUrgent");
    note.sys = true;
    EXPECT_EQ(enabledButtons(&note), "");
    TNimbusNode elsewhere = topic(kTopicInformation);
    elsewhere.type = kSectionContacts;
    EXPECT_EQ(enabledButtons(&elsewhere), "");

    // A task of any status can become another kind of topic.
    TNimbusNode task = topic(kTopicTask, kStatusNotStarted);
    EXPECT_EQ(enabledButtons(&task), "General Info Idea Finance Event InProgress Waiting "
                                     "Finished OnHold Urgent Up");
    task.pri = 1;
    EXPECT_EQ(enabledButtons(&task), "General Info Idea Finance Event InProgress Waiting "
                                     "Finished OnHold Urgent Down");
    task.status = kStatusNone;
    EXPECT_EQ(enabledButtons(&task), "General Info Idea Finance Event NotStarted InProgress "
                                     "Waiting Finished OnHold Urgent Down");
    task.status = kStatusCompleted;
    EXPECT_EQ(enabledButtons(&task), "General Info Idea Finance Event NotStarted InProgress");
    TNimbusNode group = topic(kTopicTask, kStatusInProgress);
    group.childCount = 2;
    EXPECT_EQ(enabledButtons(&group), "General Info Idea Finance Event Urgent Up");
}

TEST(ToolButtons, StatusEffects)
{
    TNimbusNode task = topic(kTopicTask, kStatusNotStarted);
    task.urgent = true;
    task.urgentCount = 1;
    task.pri = 3;
    EXPECT_TRUE(ApplyStatus(task, kStatusInProgress, kNow).updateParent);
    EXPECT_EQ(task.percent, 50);
    EXPECT_TRUE(task.prog);
    EXPECT_EQ(task.sta, "20260310-093000");
    EXPECT_TRUE(ApplyStatus(task, kStatusCompleted, kNow).applied);
    EXPECT_EQ(task.percent, 100);
    EXPECT_EQ(task.pri, 0);
    EXPECT_FALSE(task.urgent);
    EXPECT_EQ(task.urgentCount, 0);
    EXPECT_EQ(task.fdate, "20260310");
    EXPECT_EQ(task.fTime, "09:30:00");
    EXPECT_EQ(task.sortKey, "XZZ");
    EXPECT_FALSE(ApplyStatus(task, kStatusOnHold, kNow).applied); // not for a completed task
    EXPECT_FALSE(ApplyStatus(task, kStatusCompleted, kNow).applied);
    EXPECT_TRUE(ApplyStatus(task, kStatusNotStarted, kNow).applied);
    EXPECT_EQ(task.percent, 0);
    EXPECT_FALSE(task.prog);

    TNimbusNode note = topic(kTopicIdea);
    EXPECT_FALSE(ApplyStatus(note, kStatusInProgress, kNow).applied);
}

TEST(ToolButtons, RecurringTaskFinishedRollsToItsNextDate)
{
    TNimbusNode task = topic(kTopicTask, kStatusNotStarted);
    task.recur = true;
    task.rno = 1;
    task.rtype = kUnitWeeks;
    task.dlDate = "20260309";
    ApplyStatus(task, kStatusCompleted, kNow);
    EXPECT_EQ(task.dlDate, "20260316");
}

TEST(ToolButtons, TypeUrgencyAndPriorityEffects)
{
    TNimbusNode node = topic(kTopicIdea);
    ButtonEffect e = ApplyTopicType(node, kTopicTask, kNow);
    EXPECT_TRUE(e.applied && e.updateParent);
    EXPECT_EQ(node.status, kStatusNotStarted);
    ApplyTopicType(node, kTopicEvent, kNow);
    EXPECT_TRUE(node.autoComplete && node.dl);
    EXPECT_EQ(node.durno, 1);
    EXPECT_EQ(node.durtype, kUnitDays);
    // Without a date it starts at the next whole hour, and is a future event until then.
    EXPECT_EQ(node.dlDate, "20260310");
    EXPECT_EQ(node.dlTime, "10:00:00");
    EXPECT_EQ(node.status, kStatusNotStarted);
    EXPECT_NE(node.statusText, "In progress");
    TNimbusNode late = topic(kTopicTask, kStatusInProgress);
    ApplyTopicType(late, kTopicEvent, DateTime::fromCivil(2026, 12, 31, 23, 10, 0));
    EXPECT_EQ(late.dlDate + " " + late.dlTime, "20270101 01:00:00"); // midnight is no time
    EXPECT_EQ(late.status, kStatusNotStarted);
    ApplyTopicType(node, kTopicFinancial, kNow);
    EXPECT_EQ(node.ttype, kTopicFinancial);
    EXPECT_FALSE(ApplyTopicType(node, kTopicFinancial, kNow).applied);

    EXPECT_TRUE(ApplyUrgent(node, true).applied);
    EXPECT_EQ(node.urgentCount, 1);
    EXPECT_EQ(node.sortKey[1], 'A');
    EXPECT_FALSE(ApplyUrgent(node, true).applied);
    EXPECT_TRUE(ApplyUrgent(node, false).applied);
    EXPECT_EQ(node.urgentCount, 0);

    TNimbusNode task = topic(kTopicTask, kStatusNotStarted);
    PriorityUp(task);
    EXPECT_EQ(task.pri, 9); // none goes to the lowest priority
    PriorityUp(task);
    EXPECT_EQ(task.pri, 8);
    task.pri = 1;
    EXPECT_FALSE(PriorityUp(task).applied);
    task.pri = 9;
    PriorityDown(task);
    EXPECT_EQ(task.pri, 0);
    EXPECT_FALSE(PriorityDown(task).applied);
    SetPriority(task, 4);
    EXPECT_EQ(task.sortKey, "AZ4");
    EXPECT_FALSE(SetPriority(task, 10).applied);
    task.status = kStatusCompleted;
    EXPECT_FALSE(SetPriority(task, 2).applied);
}

TEST(TreeMenu, OffersWhatTheItemAllows)
{
    TNimbusNode section("STD0001");
    section.type = kSectionTopics;
    TreeMenuState menu = ConfigureTreeMenu({&section, 0, false, true, true, true});
    EXPECT_TRUE(menu.newSection.visible);
    EXPECT_FALSE(menu.newSection.enabled);
    EXPECT_FALSE(menu.addItem.visible);
    EXPECT_FALSE(menu.increaseLevel.visible);
    EXPECT_FALSE(menu.changeType.visible);
    EXPECT_FALSE(menu.moveUp.visible || menu.moveDown.visible); // sections keep their order
    EXPECT_EQ(menu.addSubItem.caption, "Insert new topic in this section");
    EXPECT_TRUE(menu.sortSub.enabled);
    EXPECT_TRUE(menu.remove.enabled);
    EXPECT_FALSE(menu.sendTo.enabled); // sections are never sent
    section.top = section.sys = true;
    section.type = kSectionPreferences;
    menu = ConfigureTreeMenu({&section, 0, false, false, true, true});
    EXPECT_FALSE(menu.addSubItem.enabled);
    EXPECT_FALSE(menu.remove.enabled);
    EXPECT_FALSE(menu.sortDaysDue.enabled);

    TNimbusNode first = topic(kTopicTask, kStatusNotStarted);
    first.sys = true;
    menu = ConfigureTreeMenu({&first, 1, false, false, false, true});
    EXPECT_FALSE(menu.increaseLevel.enabled); // the first topic of a section
    EXPECT_FALSE(menu.moveUp.enabled);
    EXPECT_FALSE(menu.moveDown.enabled);      // and the only one
    EXPECT_TRUE(menu.changeType.visible && menu.changeType.enabled);
    EXPECT_FALSE(menu.reduceLevel.enabled);   // already directly in the section
    EXPECT_FALSE(menu.remove.enabled);        // a system topic there
    EXPECT_FALSE(menu.sortSub.enabled);
    EXPECT_FALSE(menu.sendTo.enabled);
    EXPECT_EQ(menu.favourites.caption, "Add to favourites");
    EXPECT_EQ(menu.addSubItem.caption, "Insert new sub-topic");

    TNimbusNode deep = topic(kTopicInformation);
    deep.fav = true;
    menu = ConfigureTreeMenu({&deep, 3, true, true, true, true});
    EXPECT_TRUE(menu.increaseLevel.enabled && menu.reduceLevel.enabled && menu.remove.enabled);
    EXPECT_TRUE(menu.sendTo.enabled);
    EXPECT_EQ(menu.favourites.caption, "Remove from favourites");
    EXPECT_EQ(menu.sortSub.caption, "Sort sub-topics");
    EXPECT_TRUE(menu.moveUp.enabled);
    EXPECT_FALSE(menu.moveDown.enabled); // the last of its siblings
    menu = ConfigureTreeMenu({&deep, 3, true, true, true, false, true});
    EXPECT_FALSE(menu.sendTo.enabled); // its section kind is not sendable
    EXPECT_TRUE(menu.moveDown.enabled);
}

TEST(TreeSort, ThreeOrders)
{
    TNimbusNode a = topic(kTopicTask, kStatusNotStarted);
    TNimbusNode b = topic(kTopicTask, kStatusNotStarted);
    a.text = "apple";
    b.text = "Banana";
    EXPECT_LT(CompareTitle(a, b), 0); // capitals compared
    b.text = "APPLE";
    EXPECT_EQ(CompareTitle(a, b), 0);

    TNimbusNode overdue = topic(kTopicTask, kStatusNotStarted);
    TNimbusNode soon = topic(kTopicTask, kStatusNotStarted);
    TNimbusNode undatedUrgent = topic(kTopicTask, kStatusNotStarted);
    TNimbusNode undated = topic(kTopicTask, kStatusNotStarted);
    overdue.daysLeft = -3;
    soon.daysLeft = 2;
    undatedUrgent.urgent = true;
    undatedUrgent.UpdateSortKey();
    undatedUrgent.text = "Zebra";
    undated.text = "Aardvark";
    EXPECT_LT(CompareDaysDue(overdue, soon), 0);
    EXPECT_LT(CompareDaysDue(soon, undated), 0);
    EXPECT_LT(CompareDaysDue(undatedUrgent, undated), 0); // then by urgency and priority
    EXPECT_GT(ComparePriority(undated, undatedUrgent), 0);
    undated.daysLeft = 123456; // beyond the "no due date" value counts as none
    EXPECT_LT(CompareDaysDue(undatedUrgent, undated), 0);
}

TEST(TreeExpand, ChoosesTopicsByUrgencyProgressAndDueDays)
{
    TNimbusNode task = topic(kTopicTask, kStatusInProgress);
    EXPECT_TRUE(ExpandChoiceMatches(ExpandChoice::InProgress, task));
    EXPECT_FALSE(ExpandChoiceMatches(ExpandChoice::DueSixWeeks, task)); // no due date
    task.daysLeft = -5;
    EXPECT_TRUE(ExpandChoiceMatches(ExpandChoice::DueTwoWeeks, task));
    task.daysLeft = 20;
    EXPECT_FALSE(ExpandChoiceMatches(ExpandChoice::DueTwoWeeks, task));
    EXPECT_TRUE(ExpandChoiceMatches(ExpandChoice::DueSixWeeks, task));
    task.status = kStatusCompleted;
    EXPECT_FALSE(ExpandChoiceMatches(ExpandChoice::DueSixWeeks, task));
    TNimbusNode group = topic(kTopicGeneral);
    group.urgentCount = 2;
    EXPECT_TRUE(ExpandChoiceMatches(ExpandChoice::Urgent, group));
}

TEST(TreeEditing, RenameNewTopicsAndDrops)
{
    EXPECT_EQ(RenamedText("Plan  "), "Plan");
    EXPECT_FALSE(RenamedText("   ").has_value());
    EXPECT_EQ(RenamedText(" Lead"), " Lead");

    TNimbusNode section("STD0001");
    section.type = kSectionTopics;
    EXPECT_EQ(NewTopicType(section, true), kTopicGeneral);
    section.type = kSectionContacts;
    EXPECT_EQ(NewTopicType(section, true), kTopicTask);
    TNimbusNode event = topic(kTopicEvent);
    EXPECT_EQ(NewTopicType(event, false), kTopicEvent);
    TNimbusNode made("9");
    InitNewTopic(made, kSectionTopics, kTopicEvent, kNow);
    EXPECT_EQ(made.status, kStatusNotStarted);
    EXPECT_TRUE(made.autoComplete);
    EXPECT_EQ(made.durno, 1);
    EXPECT_EQ(made.cre, "20260310-093000");

    TNimbusNode a = topic(kTopicTask), b = topic(kTopicTask), c = topic(kTopicTask);
    c.type = kSectionContacts;
    EXPECT_TRUE(CanDrop(&a, 2, &b, 2));
    EXPECT_FALSE(CanDrop(&a, 2, &b, 1)); // another depth
    EXPECT_FALSE(CanDrop(&a, 2, &c, 2)); // another section kind
    EXPECT_FALSE(CanDrop(&a, 2, &a, 2));
}
