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

// What "Mark completed" on a reminder does to its topic: the occurrence the reminder named is
// completed only while it is still the topic's current one. A reminder that comes late (an old
// notification) never completes the occurrence that followed it.
enum class CompletionCheck {
    Complete,    // still open on that occurrence
    Gone,        // removed, or no longer a task of the "Topics" section
    AlreadyDone, // completed meanwhile
    MovedOn,     // its date changed or its series moved on
};
CompletionCheck checkCompletion(const TNimbusNode *node, const Occurrence &named);

} // namespace nimbus::reminders
