// The actions of reminders.
#include "reminders/ReminderActions.h"

#include "fileio/UiText.h"
#include "reminders/TopicTriggers.h"
#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

namespace nimbus::reminders {

namespace {

constexpr ReminderAction kAll[] = {ReminderAction::Open, ReminderAction::SnoozeTenMinutes,
                                   ReminderAction::SnoozeOneHour, ReminderAction::SnoozeTomorrow,
                                   ReminderAction::Complete};

} // namespace

std::vector<ReminderAction> actionsFor(const ReminderGroup &group)
{
    std::vector<ReminderAction> actions{ReminderAction::Open, ReminderAction::SnoozeTenMinutes,
                                        ReminderAction::SnoozeOneHour,
                                        ReminderAction::SnoozeTomorrow};
    if (group.items.size() == 1 && group.items[0].isTask)
        actions.push_back(ReminderAction::Complete);
    return actions;
}

std::string actionKey(ReminderAction action)
{
    switch (action) {
    case ReminderAction::Open:
        return "open";
    case ReminderAction::SnoozeTenMinutes:
        return "snooze-10m";
    case ReminderAction::SnoozeOneHour:
        return "snooze-1h";
    case ReminderAction::SnoozeTomorrow:
        return "snooze-morning";
    case ReminderAction::Complete:
        return "complete";
    }
    return {};
}

std::string actionCaption(ReminderAction action)
{
    switch (action) {
    case ReminderAction::Open:
        return text::translate("nimbus::reminders", "Open");
    case ReminderAction::SnoozeTenMinutes:
        return text::translate("nimbus::reminders", "Snooze 10 minutes");
    case ReminderAction::SnoozeOneHour:
        return text::translate("nimbus::reminders", "Snooze 1 hour");
    case ReminderAction::SnoozeTomorrow:
        return text::translate("nimbus::reminders", "Snooze until tomorrow morning");
    case ReminderAction::Complete:
        return text::translate("nimbus::reminders", "Mark completed");
    }
    return {};
}

std::optional<ReminderAction> actionFromKey(std::string_view key)
{
    if (key == "default")
        return ReminderAction::Open;
    for (ReminderAction action : kAll)
        if (actionKey(action) == key)
            return action;
    return std::nullopt;
}

std::optional<SnoozeChoice> snoozeOf(ReminderAction action)
{
    switch (action) {
    case ReminderAction::SnoozeTenMinutes:
        return SnoozeChoice::TenMinutes;
    case ReminderAction::SnoozeOneHour:
        return SnoozeChoice::OneHour;
    case ReminderAction::SnoozeTomorrow:
        return SnoozeChoice::TomorrowMorning;
    default:
        return std::nullopt;
    }
}

CompletionCheck checkCompletion(const TNimbusNode *node, const Occurrence &named)
{
    if (!node || node->ttype != kTopicTask || !isScheduledTopic(*node))
        return CompletionCheck::Gone;
    if (node->status == kStatusCompleted)
        return CompletionCheck::AlreadyDone;
    Occurrence current;
    if (!currentOccurrence(*node, current) || current != named)
        return CompletionCheck::MovedOn;
    return CompletionCheck::Complete;
}

} // namespace nimbus::reminders
