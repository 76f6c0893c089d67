// What the tray icon shows: how many of the user's topics are overdue and how many urgent
// (the number on the icon counts each topic once), how many are due today, and which they are.
// Taken from the schedule texts the deadline pass keeps current.
#pragma once

#include <string>
#include <vector>

namespace nimbus {
class TNimbusNode;
class TNimbusStructure;
} // namespace nimbus

namespace nimbus::reminders {

struct TrayCounts {
    int overdue = 0;
    int urgent = 0;
    int dueToday = 0;
    // Topics that are overdue or urgent, in store order; the icon's number is their count.
    std::vector<const TNimbusNode *> attention;
};

TrayCounts countForTray(const TNimbusStructure &store);
// One topic's part of the counts, for a walk that does more than count (ReminderEngine::look).
void countForTray(TrayCounts &counts, const TNimbusNode &node);
// "Nimbus Desk: 2 overdue, 1 urgent" and a line per topic (at most limit, then "...").
std::string trayToolTip(const TrayCounts &counts, std::size_t limit = 10);
// The number drawn on the icon: "" for none, "99+" above 99.
std::string badgeText(int count);

} // namespace nimbus::reminders
