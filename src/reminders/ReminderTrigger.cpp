// Trigger kinds and keys.
#include "reminders/ReminderTrigger.h"

#include "store/DateFormat.h"

namespace nimbus::reminders {

bool kindFromCode(char code, ReminderKind &kind)
{
    for (ReminderKind k : {ReminderKind::Upcoming, ReminderKind::DueToday, ReminderKind::Starts,
                           ReminderKind::TurnedUrgent, ReminderKind::Overdue}) {
        if (static_cast<char>(k) == code) {
            kind = k;
            return true;
        }
    }
    return false;
}

int kindRank(ReminderKind kind)
{
    switch (kind) {
    case ReminderKind::Upcoming:
        return 0;
    case ReminderKind::DueToday:
        return 1;
    case ReminderKind::Starts:
        return 2;
    case ReminderKind::TurnedUrgent:
        return 3;
    case ReminderKind::Overdue:
        return 4;
    }
    return 0;
}

std::string triggerKey(std::string_view uni, ReminderKind kind, DateTime at)
{
    std::string key(1, static_cast<char>(kind));
    key += dates::stamp(at);
    key += '|';
    key += uni;
    return key;
}

} // namespace nimbus::reminders
