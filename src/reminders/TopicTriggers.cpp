// The trigger instants of one topic.
#include "reminders/TopicTriggers.h"

#include <algorithm>

#include "store/DateFormat.h"
#include "store/Scheduler.h"
#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

namespace nimbus::reminders {

namespace {

constexpr std::int64_t kMsecsPerMinute = 60'000;

} // namespace

bool isScheduledTopic(const TNimbusNode &node)
{
    return node.lev > 0 && node.type == kSectionTopics &&
           (node.ttype == kTopicTask || node.ttype == kTopicEvent) && (node.dl || node.recur) &&
           !node.dlDate.empty();
}

bool isRemindedTopic(const TNimbusNode &node)
{
    return isScheduledTopic(node) && node.status != kStatusCompleted;
}

bool triggerBounds(const TNimbusNode &node, DateTime &earliest, DateTime &latest)
{
    DateTime day;
    if (!dates::parseDateKey(node.dlDate, day))
        return false;
    // The longest lead time is one day; a due day without a time begins in the morning.
    earliest = day.addDays(-std::max(1, node.flno));
    latest = day.addDays(2);
    return true;
}

bool currentOccurrence(const TNimbusNode &node, Occurrence &occurrence)
{
    DateTime day;
    if (!dates::parseDateKey(node.dlDate, day))
        return false;
    const std::int64_t time = schedule::timeOfDay(node.dlTime);
    // A series by the clock that lands on midnight reads back without a time: it has one.
    occurrence.hasTime = time > 0 || schedule::RecursByClock(node);
    occurrence.start = day.addMsecs(time);
    return true;
}

namespace {

// When the occurrence is due as reminders count it.
void dueOf(const Occurrence &occurrence, const TriggerRules &rules, DateTime &dueAt, bool &hasTime)
{
    hasTime = occurrence.hasTime || rules.midnight;
    dueAt = hasTime ? occurrence.start
                    : occurrence.start.date().addMsecs(rules.morningMinutes * kMsecsPerMinute);
}

} // namespace

bool dueInstant(const TNimbusNode &node, int morningMinutes, DateTime &dueAt, bool &hasTime,
                bool midnight)
{
    Occurrence occurrence;
    if (!currentOccurrence(node, occurrence))
        return false;
    dueOf(occurrence, {0, morningMinutes, midnight}, dueAt, hasTime);
    return true;
}

void appendTriggers(const TNimbusNode &node, const Occurrence &occurrence,
                    const TriggerRules &rules, std::vector<ReminderTrigger> &out)
{
    ReminderTrigger t;
    t.node = &node;
    t.occurrence = occurrence;
    dueOf(occurrence, rules, t.dueAt, t.dueHasTime);
    const DateTime day = t.dueAt.date();
    const std::int64_t morning = rules.morningMinutes * kMsecsPerMinute;
    auto add = [&](ReminderKind kind, DateTime at) {
        t.kind = kind;
        t.at = at;
        out.push_back(t);
    };
    if (node.flno > 0)
        add(ReminderKind::TurnedUrgent, day.addDays(-node.flno).addMsecs(morning));
    if (rules.leadMinutes > 0 && (node.ttype == kTopicEvent || t.dueHasTime))
        add(ReminderKind::Upcoming, t.dueAt.addMsecs(-rules.leadMinutes * kMsecsPerMinute));
    if (node.ttype == kTopicEvent) {
        add(ReminderKind::Starts, t.dueAt);
        return;
    }
    // A task due before the morning hour is announced at midnight, before it is overdue.
    const bool early = t.dueHasTime && t.dueAt.msecsOfDay() <= morning;
    add(ReminderKind::DueToday, early ? day : day.addMsecs(morning));
    // A task that completes itself after its due time is never overdue.
    if (!node.autoComplete)
        add(ReminderKind::Overdue, t.dueHasTime ? t.dueAt : day.addDays(1).addMsecs(morning));
}

void appendTriggers(const TNimbusNode &node, int leadMinutes, int morningMinutes,
                    std::vector<ReminderTrigger> &out)
{
    Occurrence occurrence;
    if (isRemindedTopic(node) && currentOccurrence(node, occurrence))
        appendTriggers(node, occurrence, {leadMinutes, morningMinutes, false}, out);
}

} // namespace nimbus::reminders
