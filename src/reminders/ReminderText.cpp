// The texts of reminders. They are shown, never stored: the notification, the reminder window
// and the tray speak the user's language.
#include "reminders/ReminderText.h"

#include "fileio/UiText.h"
#include "store/DateFormat.h"

namespace nimbus::reminders {

namespace {

constexpr std::int64_t kMsecsPerMinute = 60'000;

std::string hoursMinutes(DateTime t)
{
    return dates::timeText(t).substr(0, 5);
}

std::string dateText(DateTime at, int dateOrder)
{
    return dates::displayDate(dates::dateKey(at), dateOrder);
}

// "at 10:15", with the date when it is not today's.
std::string whenText(DateTime at, bool hasTime, DateTime now, int dateOrder)
{
    const bool today = at.dayNumber() == now.dayNumber();
    if (hasTime && !today)
        return text::withValues(text::translate("nimbus::reminders", "at %1 on %2"),
                                {hoursMinutes(at), dateText(at, dateOrder)});
    if (hasTime)
        return text::withValues(text::translate("nimbus::reminders", "at %1"), {hoursMinutes(at)});
    if (!today)
        return text::withValues(text::translate("nimbus::reminders", "on %1"),
                                {dateText(at, dateOrder)});
    return text::translate("nimbus::reminders", "today");
}

// The first of a series missed many times: "10:15", "10:15 on 03/03/2026", "03/03/2026".
std::string sinceText(DateTime at, bool hasTime, DateTime now, int dateOrder)
{
    const bool today = at.dayNumber() == now.dayNumber();
    if (hasTime && !today)
        return text::withValues(text::translate("nimbus::reminders", "%1 on %2"),
                                {hoursMinutes(at), dateText(at, dateOrder)});
    if (hasTime)
        return hoursMinutes(at);
    if (!today)
        return dateText(at, dateOrder);
    return text::translate("nimbus::reminders", "today");
}

} // namespace

std::string spanText(std::int64_t msecs)
{
    const std::int64_t minutes = std::max<std::int64_t>(1, (msecs + kMsecsPerMinute - 1) / kMsecsPerMinute);
    // Plain ints for the counts, as lupdate reads them.
    const int inMinutes = static_cast<int>(std::min<std::int64_t>(minutes, 1 << 30));
    const int hours = inMinutes / 60;
    const int restMinutes = inMinutes % 60;
    const int days = inMinutes / (24 * 60);
    if (minutes < 60)
        return text::translate("nimbus::reminders", "in %n minute(s)", nullptr, inMinutes);
    if (minutes < 24 * 60 && minutes % 60 == 0)
        return text::translate("nimbus::reminders", "in %n hour(s)", nullptr, hours);
    if (minutes < 24 * 60)
        return text::withValues(
            text::translate("nimbus::reminders", "in %1 %2"),
            {text::translate("nimbus::reminders", "%n hour(s)", nullptr, hours),
             text::translate("nimbus::reminders", "%n minute(s)", nullptr, restMinutes)});
    return text::translate("nimbus::reminders", "in %n day(s)", nullptr, days);
}

std::string reminderLine(const ReminderItem &item, DateTime now, int dateOrder)
{
    const std::string when = whenText(item.dueAt, item.dueHasTime, now, dateOrder);
    const std::int64_t left = item.dueAt.msecs() - now.msecs();
    switch (item.kind) {
    case ReminderKind::Upcoming:
        if (left > 0)
            return item.isTask
                       ? text::withValues(text::translate("nimbus::reminders", "Due %1, %2"),
                                          {spanText(left), when})
                       : text::withValues(text::translate("nimbus::reminders", "Starts %1, %2"),
                                          {spanText(left), when});
        [[fallthrough]];
    case ReminderKind::Starts:
        if (item.isTask)
            return text::withValues(text::translate("nimbus::reminders", "Due %1"), {when});
        if (!item.dueHasTime)
            return item.dueAt.dayNumber() == now.dayNumber()
                       ? text::translate("nimbus::reminders", "Starts today")
                       : text::withValues(text::translate("nimbus::reminders", "Started %1"),
                                          {when});
        if (left > 0)
            return text::withValues(text::translate("nimbus::reminders", "Starts %1, %2"),
                                    {spanText(left), when});
        if (left > -kMsecsPerMinute)
            return text::withValues(text::translate("nimbus::reminders", "Starts now, %1"), {when});
        return text::withValues(text::translate("nimbus::reminders", "Started %1"), {when});
    case ReminderKind::DueToday:
        if (item.dueAt.dayNumber() != now.dayNumber())
            return text::withValues(text::translate("nimbus::reminders", "Due %1"), {when});
        return item.dueHasTime
                   ? text::withValues(text::translate("nimbus::reminders", "Due today, %1"), {when})
                   : text::translate("nimbus::reminders", "Due today");
    case ReminderKind::TurnedUrgent:
        return item.isTask
                   ? text::withValues(text::translate("nimbus::reminders", "Now urgent: due %1"),
                                      {when})
                   : text::withValues(text::translate("nimbus::reminders", "Now urgent: starts %1"),
                                      {when});
    case ReminderKind::Overdue:
        return text::withValues(text::translate("nimbus::reminders", "Overdue: was due %1"),
                                {when});
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
        text.body += text::withValues(text::translate("nimbus::reminders", "%1: %2"),
                                      {item.title, reminderLine(item, now, dateOrder)});
        // A series missed many times is one line that says how many.
        if (const int times = static_cast<int>(item.occurrences); times > 1)
            text.body += " " + text::withValues(
                                   text::translate("nimbus::reminders", "(%n time(s) since %1)",
                                                   nullptr, times),
                                   {sinceText(item.firstDueAt, item.dueHasTime, now, dateOrder)});
    }
    if (group.digest) {
        const int howMany = static_cast<int>(n);
        text.summary =
            group.whileClosed
                ? text::translate("nimbus::reminders",
                                  "%n reminder(s) while Nimbus Desk was closed", nullptr, howMany)
                : text::translate("nimbus::reminders", "%n reminder(s) you missed", nullptr,
                                  howMany);
        return text;
    }
    // Several reminders that came together: always two or more.
    const std::string number = std::to_string(n);
    bool same = true;
    for (const ReminderItem &item : group.items)
        same = same && item.kind == group.items[0].kind;
    if (!same) {
        text.summary =
            text::withValues(text::translate("nimbus::reminders", "%1 reminders"), {number});
        return text;
    }
    switch (group.items[0].kind) {
    case ReminderKind::Upcoming:
        text.summary = text::withValues(
            text::translate("nimbus::reminders", "%1 topics are coming up"), {number});
        break;
    case ReminderKind::DueToday:
        text.summary = text::withValues(
            text::translate("nimbus::reminders", "%1 topics are due today"), {number});
        break;
    case ReminderKind::Starts:
        text.summary = text::withValues(
            text::translate("nimbus::reminders", "%1 events are starting"), {number});
        break;
    case ReminderKind::TurnedUrgent:
        text.summary = text::withValues(
            text::translate("nimbus::reminders", "%1 topics are now urgent"), {number});
        break;
    case ReminderKind::Overdue:
        text.summary = text::withValues(
            text::translate("nimbus::reminders", "%1 topics are overdue"), {number});
        break;
    }
    return text;
}

std::string upcomingLine(const UpcomingReminder &reminder, DateTime now, int dateOrder)
{
    std::string when = hoursMinutes(reminder.at);
    if (reminder.at.dayNumber() != now.dayNumber())
        when = dateText(reminder.at, dateOrder) + " " + when;
    std::string what;
    switch (reminder.kind) {
    case ReminderKind::Upcoming:
        what = text::translate("nimbus::reminders", "soon");
        break;
    case ReminderKind::DueToday:
        what = text::translate("nimbus::reminders", "due today");
        break;
    case ReminderKind::Starts:
        what = text::translate("nimbus::reminders", "starts");
        break;
    case ReminderKind::TurnedUrgent:
        what = text::translate("nimbus::reminders", "urgent");
        break;
    case ReminderKind::Overdue:
        what = text::translate("nimbus::reminders", "overdue");
        break;
    }
    return when + "  " + reminder.title + " (" +
           (reminder.snoozed ? text::translate("nimbus::reminders", "snoozed") : what) + ")";
}

} // namespace nimbus::reminders
