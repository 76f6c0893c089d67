// What a reminder says: the topic and its time text for one reminder, a count for reminders
// that came together ("3 topics are due today"), a digest heading for those that fell due
// while the program was closed.
#pragma once

#include <string>

#include "reminders/ReminderEngine.h"
#include "store/DateTime.h"

namespace nimbus::reminders {

struct ReminderText {
    std::string summary; // the heading of the notification
    std::string body;    // one line per reminder when there are several
};

// The time text of one reminder ("Starts in 15 minutes, at 10:15", "Due today", "Overdue: was
// due on 03/03/2026" ...). dateOrder is the preferences' display order of dates.
std::string reminderLine(const ReminderItem &item, DateTime now, int dateOrder);
ReminderText groupText(const ReminderGroup &group, DateTime now, int dateOrder);
// "in 15 minutes", "in 2 hours", "in 1 day": how far off an instant is (rounded up).
std::string spanText(std::int64_t msecs);
// The tray's name of a reminder still to come: "10:15  Stand-up (starts)" or with its date.
std::string upcomingLine(const UpcomingReminder &reminder, DateTime now, int dateOrder);

} // namespace nimbus::reminders
