// The tree's menu, toolbar, sort, expand and editing rules.
#include "tree/TreeRules.h"

#include <cctype>

#include "store/DateFormat.h"
#include "store/Scheduler.h"
#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

namespace nimbus::tree {

namespace {

bool isTask(const TNimbusNode &node)
{
    return node.ttype == kTopicTask;
}

bool isCompletedTask(const TNimbusNode &node)
{
    return isTask(node) && node.status == kStatusCompleted;
}

// A group task whose progress comes from its sub-tasks: its status is not set by hand.
bool isRolledUpGroup(const TNimbusNode &node)
{
    return node.childCount > 0 && node.calpr;
}

std::string capitals(const std::string &text)
{
    std::string upper = text;
    for (char &c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

TreeMenuState ConfigureTreeMenu(const TreeMenuContext &context)
{
    TreeMenuState menu;
    const TNimbusNode *node = context.node;
    if (!node) {
        for (MenuItemState *item :
             {&menu.newSection, &menu.addItem, &menu.addSubItem, &menu.edit, &menu.favourites,
              &menu.changeType, &menu.increaseLevel, &menu.reduceLevel, &menu.moveUp,
              &menu.moveDown, &menu.sortSub,
              &menu.sortPriority, &menu.sortDaysDue, &menu.sendTo, &menu.remove})
            item->enabled = false;
        menu.newSection.visible = false;
        return menu;
    }
    const bool section = node->lev == 0 || context.depth == 0;
    menu.sendTo.enabled = context.lanConnected && !section && context.sendable;
    menu.newSection.enabled = false; // there is no action behind it
    if (section) {
        menu.favourites.visible = false;
        menu.changeType.visible = false;
        menu.increaseLevel.visible = false;
        menu.reduceLevel.visible = false;
        menu.moveUp.visible = false;
        menu.moveDown.visible = false;
        menu.addItem.visible = false;
        menu.newSection.visible = true;
        menu.edit.enabled = false;
        const bool sortable = node->type == kSectionTopics;
        menu.sortSub.enabled = menu.sortPriority.enabled = menu.sortDaysDue.enabled = sortable;
        menu.sortSub.caption = "Sort sub-topics";
        menu.addSubItem.caption = "Insert new topic in this section";
        menu.addSubItem.enabled = !node->top;
        menu.remove.enabled = !node->sys;
        return menu;
    }
    menu.newSection.visible = false;
    menu.favourites.caption = node->fav ? "Remove from favourites" : "Add to favourites";
    menu.addSubItem.caption = "Insert new sub-topic";
    menu.reduceLevel.enabled = context.depth > 1;
    menu.remove.enabled = !(context.depth == 1 && node->sys);
    menu.increaseLevel.enabled = context.hasPreviousSibling;
    menu.moveUp.enabled = context.hasPreviousSibling;
    menu.moveDown.enabled = context.hasNextSibling;
    const bool sortable = context.hasChildren;
    menu.sortSub.enabled = menu.sortPriority.enabled = menu.sortDaysDue.enabled = sortable;
    menu.sortSub.caption = isTask(*node) ? "Sort sub-tasks" : "Sort sub-topics";
    return menu;
}

bool IsEditableTopic(const TNimbusNode *node)
{
    return node && node->lev > 0 && node->type == kSectionTopics && !node->sys;
}

ToolButtonState UpdateToolButtons(const TNimbusNode *node)
{
    ToolButtonState state;
    if (!IsEditableTopic(node))
        return state;
    using B = ToolButton;
    const B typeButtons[] = {B::General, B::Info, B::Idea, B::Finance, B::Event};
    if (!isTask(*node)) {
        for (B b : typeButtons)
            state[b] = true;
        state[B::Task] = true;
        switch (node->ttype) {
        case kTopicGeneral:
            state[B::General] = false;
            break;
        case kTopicInformation:
            state[B::Info] = false;
            break;
        case kTopicIdea:
            state[B::Idea] = false;
            break;
        case kTopicFinancial:
            state[B::Finance] = false;
            break;
        case kTopicEvent:
            state[B::Event] = false;
            break;
        default:
            break;
        }
        state[B::Urgent] = !node->urgent;
        state[B::NotUrgent] = node->urgent;
        return state;
    }
    // A task can become any other kind of topic, whatever its status.
    for (B b : typeButtons)
        state[b] = true;
    const bool completed = node->status == kStatusCompleted;
    if (!completed) {
        state[B::PriorityUp] = node->pri != 1;
        state[B::PriorityDown] = node->pri > 0;
        state[B::Urgent] = !node->urgent;
        state[B::NotUrgent] = node->urgent;
    }
    const bool group = isRolledUpGroup(*node);
    auto statusButton = [&](B b, int status) { state[b] = !group && node->status != status; };
    statusButton(B::NotStarted, kStatusNotStarted);
    statusButton(B::InProgress, kStatusInProgress);
    statusButton(B::Finished, kStatusCompleted);
    statusButton(B::OnHold, kStatusOnHold);
    statusButton(B::Waiting, kStatusWaiting);
    if (completed)
        state[B::OnHold] = state[B::Waiting] = false;
    return state;
}

DateTime NextWholeHour(DateTime now)
{
    constexpr std::int64_t kHour = 3'600'000;
    const std::int64_t hour = now.msecsOfDay() / kHour + 1;
    // Midnight cannot be stored as a time (a time of "00:00:00" means none): an event made in
    // the day's last hour starts at one in the morning.
    if (hour >= 24)
        return now.date().addDays(1).addMsecs(kHour);
    return now.date().addMsecs(hour * kHour);
}

ButtonEffect ApplyTopicType(TNimbusNode &node, int ttype, DateTime now)
{
    ButtonEffect effect;
    if (node.lev == 0 || node.ttype == ttype)
        return effect;
    effect.applied = true;
    switch (ttype) {
    case kTopicTask:
        node.ttype = kTopicTask;
        if (node.status == kStatusNone)
            node.status = kStatusNotStarted;
        effect.updateParent = true;
        break;
    case kTopicEvent:
        node.ttype = kTopicEvent;
        node.status = kStatusNone;
        // The program's own sample event keeps the dates it was given.
        if (node.uni != "STD010") {
            node.autoComplete = true;
            if (node.durno <= 0) {
                node.durno = 1;
                node.durtype = kUnitDays;
            }
            node.dl = true;
            // A date key, as the due date is stored everywhere else. An event given no date
            // starts at the next whole hour: with a time it is a future event until then,
            // not one that is "In progress" all day.
            if (node.dlDate.empty()) {
                const DateTime start = NextWholeHour(now);
                node.dlDate = dates::dateKey(start);
                node.dlTime = dates::timeText(start);
                node.rsDate = node.dlDate;
                node.rsTime = node.dlTime;
            }
        }
        schedule::UpdateSchedule(node, now);
        break;
    default:
        node.ttype = ttype;
        node.status = kStatusNone;
        break;
    }
    node.UpdateSortKey();
    return effect;
}

ButtonEffect ApplyStatus(TNimbusNode &node, int status, DateTime now)
{
    ButtonEffect effect;
    if (node.lev == 0 || !isTask(node) || isRolledUpGroup(node) || node.status == status)
        return effect;
    if ((status == kStatusWaiting || status == kStatusOnHold) && node.status == kStatusCompleted)
        return effect;
    switch (status) {
    case kStatusNotStarted:
        node.percent = 0;
        node.prog = false;
        node.status = kStatusNotStarted;
        break;
    case kStatusInProgress:
        node.status = kStatusInProgress;
        if (node.percent == 0 || node.percent == 100)
            node.percent = 50;
        node.prog = true;
        if (node.sta.empty())
            node.sta = dates::stamp(now);
        break;
    case kStatusCompleted:
        if (node.urgent) {
            node.urgent = false;
            node.urgentCount -= 1;
        }
        node.status = kStatusCompleted;
        node.percent = 100;
        node.pri = 0;
        node.fdate = dates::dateKey(now);
        node.fTime = dates::timeText(now);
        if (node.recur)
            schedule::RollRecurrence(node, now);
        schedule::UpdateSchedule(node, now);
        break;
    case kStatusOnHold:
    case kStatusWaiting:
        node.status = status;
        break;
    default:
        return effect;
    }
    node.UpdateSortKey();
    effect.applied = true;
    effect.updateParent = true;
    return effect;
}

ButtonEffect ApplyUrgent(TNimbusNode &node, bool urgent)
{
    ButtonEffect effect;
    if (node.lev == 0 || isCompletedTask(node) || node.urgent == urgent)
        return effect;
    node.urgent = urgent;
    node.urgentCount += urgent ? 1 : -1;
    node.UpdateSortKey();
    effect.applied = true;
    effect.updateParent = true;
    return effect;
}

namespace {

ButtonEffect changePriority(TNimbusNode &node, int priority)
{
    ButtonEffect effect;
    if (node.lev == 0 || !isTask(node) || node.status == kStatusCompleted)
        return effect;
    effect.applied = node.pri != priority;
    node.pri = priority;
    node.UpdateSortKey();
    return effect;
}

} // namespace

ButtonEffect PriorityUp(TNimbusNode &node)
{
    // Up means a smaller number; no priority goes to the lowest one, 9.
    const int next = node.pri == 1 ? 1 : node.pri == 0 ? 9 : node.pri - 1;
    return changePriority(node, next);
}

ButtonEffect PriorityDown(TNimbusNode &node)
{
    const int next = node.pri == 0 ? 0 : node.pri >= 9 ? 0 : node.pri + 1;
    return changePriority(node, next);
}

ButtonEffect SetPriority(TNimbusNode &node, int priority)
{
    if (priority < 1 || priority > 9)
        return {};
    return changePriority(node, priority);
}

void ToggleFavourite(TNimbusNode &node)
{
    node.fav = !node.fav;
}

int CompareTitle(const TNimbusNode &a, const TNimbusNode &b)
{
    return sign(capitals(a.text).compare(capitals(b.text)));
}

int ComparePriority(const TNimbusNode &a, const TNimbusNode &b)
{
    return sign((a.sortKey + capitals(a.text)).compare(b.sortKey + capitals(b.text)));
}

int CompareDaysDue(const TNimbusNode &a, const TNimbusNode &b)
{
    const int daysA = a.daysLeft < schedule::kNoDueDate ? a.daysLeft : schedule::kNoDueDate;
    const int daysB = b.daysLeft < schedule::kNoDueDate ? b.daysLeft : schedule::kNoDueDate;
    if (daysA != daysB)
        return daysA < daysB ? -1 : 1;
    return ComparePriority(a, b);
}

int CompareForSort(SortMode mode, const TNimbusNode &a, const TNimbusNode &b)
{
    switch (mode) {
    case SortMode::Title:
        return CompareTitle(a, b);
    case SortMode::Priority:
        return ComparePriority(a, b);
    case SortMode::DaysDue:
        return CompareDaysDue(a, b);
    }
    return 0;
}

std::string SortKeyFor(SortMode mode, const TNimbusNode &node)
{
    switch (mode) {
    case SortMode::Title:
        return capitals(node.text);
    case SortMode::Priority:
        return node.sortKey + capitals(node.text);
    case SortMode::DaysDue: {
        // The days first, as ten digits that order as the numbers do (from -2^31 up).
        const int days = node.daysLeft < schedule::kNoDueDate ? node.daysLeft : schedule::kNoDueDate;
        std::string digits = std::to_string(static_cast<long long>(days) + 2147483648LL);
        std::string key(10 - digits.size(), '0');
        key += digits;
        key += node.sortKey;
        key += capitals(node.text);
        return key;
    }
    }
    return {};
}

bool ExpandChoiceMatches(ExpandChoice choice, const TNimbusNode &node)
{
    if (node.lev == 0)
        return false;
    const bool dated =
        (node.ttype == kTopicTask || node.ttype == kTopicEvent) && node.status != kStatusCompleted;
    switch (choice) {
    case ExpandChoice::Urgent:
        return node.urgent || node.urgentCount >= 1;
    case ExpandChoice::InProgress:
        return isTask(node) && node.status == kStatusInProgress;
    case ExpandChoice::DueTwoWeeks:
        return dated && node.daysLeft <= 14;
    case ExpandChoice::DueSixWeeks:
        return dated && node.daysLeft <= 42;
    }
    return false;
}

std::optional<std::string> RenamedText(const std::string &edited)
{
    std::string text = edited;
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    if (text.empty())
        return std::nullopt;
    return text;
}

void InitNewTopic(TNimbusNode &node, int kind, int ttype, DateTime now)
{
    node.type = kind;
    node.ttype = ttype;
    node.status = ttype == kTopicTask || ttype == kTopicEvent ? kStatusNotStarted : kStatusNone;
    node.durtype = kUnitDays;
    if (ttype == kTopicEvent) {
        node.autoComplete = true;
        node.durno = 1;
    }
    node.cre = dates::stamp(now);
    node.UpdateSortKey();
}

int NewTopicType(const TNimbusNode &reference, bool referenceIsParent)
{
    if (referenceIsParent && reference.lev == 0)
        return reference.type == kSectionTopics ? kTopicGeneral : kTopicTask;
    return reference.ttype;
}

bool CanDrop(const TNimbusNode *dragged, int draggedDepth, const TNimbusNode *target,
             int targetDepth)
{
    return dragged && target && dragged != target && draggedDepth > 0 &&
           draggedDepth == targetDepth && dragged->type == target->type;
}

} // namespace nimbus::tree
