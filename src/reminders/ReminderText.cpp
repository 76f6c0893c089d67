// The texts of reminders.
#include "reminders/ReminderText.h"

#include "store/DateFormat.h"

namespace nimbus::reminders {

namespace {

constexpr std::int64_t kMsecsPerMinute = 60'000;

std::string hoursMinutes(DateTime t)
{
    return dates::timeText(t).substr(0, 5);
}

// "at 10:15", with the date when it is not today's.
std::string whenText(DateTime at, bool hasTime, DateTime now, int dateOrder)
{
    const bool today = at.dayNumber() == now.dayNumber();
    std::string text;
    if (hasTime)
        text = "at " + hoursMinutes(at);
    if (!today) {
        if (!text.empty())
            text += ' ';
        text += "on " + dates::displayDate(dates::dateKey(at), dateOrder);
    }
    return text.empty() ? "today" : text;
}

std::string plural(std::int64_t n, const char *one)
{
    return std::to_string(n) + " " + one + (n == 1 ? "" : "s");
}

} // namespace

std::string spanText(std::int64_t msecs)
{
    const std::int64_t minutes = std::max<std::int64_t>(1, (msecs + kMsecsPerMinute - 1) / kMsecsPerMinute);
    if (minutes < 60)
        return "in " + plural(minutes, "minute");
    if (minutes < 24 * 60 && minutes % 60 == 0)
        return "in " + plural(minutes / 60, "hour");
    if (minutes < 24 * 60)
        return "in " + plural(minutes / 60, "hour") + " " + plural(minutes % 60, "minute");
    return "in " + plural(minutes / (24 * 60), "day");
}

std::string reminderLine(const ReminderItem &item, DateTime now, int dateOrder)
{
    const std::string when = whenText(item.dueAt, item.dueHasTime, now, dateOrder);
    const std::int64_t left = item.dueAt.msecs() - now.msecs();
    const char *verb = item.isTask ? "Due" : "Starts";
    switch (item.kind) {
    case ReminderKind::Upcoming:
        if (left > 0)
            return std::string(verb) + " " + spanText(left) + ", " + when;
        [[fallthrough]];
    case ReminderKind::Starts:
        if (item.isTask)
            return "Due " + when;
        if (!item.dueHasTime)
            return item.dueAt.dayNumber() == now.dayNumber() ? "Starts today" : "Started " + when;
        if (left > 0)
            return "Starts " + spanText(left) + ", " + when;
        if (left > -kMsecsPerMinute)
            return "Starts now, " + when;
        return "Started " + when;
    case ReminderKind::DueToday:
        if (item.dueAt.dayNumber() != now.dayNumber())
            return "Due " + when;
        return item.dueHasTime ? "Due today, " + when : "Due today";
    case ReminderKind::TurnedUrgent:
        return std::string("Now urgent: ") + (item.isTask ? "due " : "starts ") + when;
    case ReminderKind::Overdue:
        return "Overdue: was due " + when;
    }
    return {};
}

ReminderText groupText(const ReminderGroup &group, DateTime now, int dateOrder)
{
    ReminderText text;
    const std::size_t n = group.items.size();
    if (n == 0)
        return text;
    if (n == 1 && !group.digest) {
        text.summary = group.items[0].title;
        text.body = reminderLine(group.items[0], now, dateOrder);
        return text;
    }
    for (const ReminderItem &item : group.items) {
        if (!text.body.empty())
            text.body += '\n';
        text.body += item.title + ": " + reminderLine(item, now, dateOrder);
        // A series missed many times is one line that says how many.
        if (item.occurrences > 1) {
            std::string first = whenText(item.firstDueAt, item.dueHasTime, now, dateOrder);
            if (first.rfind("at ", 0) == 0 || first.rfind("on ", 0) == 0)
                first.erase(0, 3);
            text.body += " (" + plural(item.occurrences, "time") + " since " + first + ")";
        }
    }
    const std::string count = std::to_string(n);
    if (group.digest) {
        text.summary = plural(static_cast<std::int64_t>(n), "reminder") +
                       (group.whileClosed ? " while Nimbus Desk was closed" : " you missed");
        return text;
    }
    bool same = true;
    for (const ReminderItem &item : group.items)
        same = same && item.kind == group.items[0].kind;
    const std::string topics = count + " topics";
    if (!same) {
        text.summary = count + " reminders";
        return text;
    }
    switch (group.items[0].kind) {
    case ReminderKind::Upcoming:
        text.summary = topics + " are coming up";
        break;
    case ReminderKind::DueToday:
        text.summary = topics + " are due today";
        break;
    case ReminderKind::Starts:
        text.summary = count + " events are starting";
        break;
    case ReminderKind::TurnedUrgent:
        text.summary = topics + " are now urgent";
        break;
    case ReminderKind::Overdue:
        text.summary = topics + " are overdue";
        break;
    }
    return text;
}

std::string upcomingLine(const UpcomingReminder &reminder, DateTime now, int dateOrder)
{
    std::string when = hoursMinutes(reminder.at);
    if (reminder.at.dayNumber() != now.dayNumber())
        when = dates::displayDate(dates::dateKey(reminder.at), dateOrder) + " " + when;
    const char *what = "";
    switch (reminder.kind) {
    case ReminderKind::Upcoming:
        what = "soon";
        break;
    case ReminderKind::DueToday:
        what = "due today";
        break;
    case ReminderKind::Starts:
        what = "starts";
        break;
    case ReminderKind::TurnedUrgent:
        what = "urgent";
        break;
    case ReminderKind::Overdue:
        what = "overdue";
        break;
    }
    return when + "  " + reminder.title + " (" + (reminder.snoozed ? "snoozed" : what) + ")";
}

} // namespace nimbus::reminders
