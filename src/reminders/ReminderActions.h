// What the user can do with a reminder: open its topic, snooze it (10 minutes, 1 hour, until
// tomorrow morning) and, for a single task, mark it completed. Each action has a key (the
// notification protocol's action id) and a caption.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reminders/ReminderEngine.h"

namespace nimbus::reminders {

enum class ReminderAction { Open, SnoozeTenMinutes, SnoozeOneHour, SnoozeTomorrow, Complete };

// The actions a group offers, in the order they are shown.
std::vector<ReminderAction> actionsFor(const ReminderGroup &group);
std::string actionKey(ReminderAction action);
std::string actionCaption(ReminderAction action);
// The action of a key; "default" (a click on the notification itself) opens.
std::optional<ReminderAction> actionFromKey(std::string_view key);
// The snooze of a snooze action.
std::optional<SnoozeChoice> snoozeOf(ReminderAction action);

} // namespace nimbus::reminders
