// The reminder passes, snoozes and the reminders to come.
#include "reminders/ReminderEngine.h"

#include <algorithm>
#include <utility>

#include "reminders/ReminderLeads.h"
#include "reminders/ReminderMidnights.h"
#include "reminders/ReminderPreferences.h"
#include "reminders/ReminderState.h"
#include "reminders/TopicOccurrences.h"
#include "store/SummaryRules.h"
#include "store/TNimbusStructure.h"

namespace nimbus::reminders {

namespace {

ReminderItem itemFor(const ReminderTrigger &t, std::string key)
{
    ReminderItem item;
    item.key = std::move(key);
    item.uni = t.node->uni;
    item.title = t.node->text;
    item.kind = t.kind;
    item.at = t.at;
    item.dueAt = t.dueAt;
    item.firstDueAt = t.dueAt;
    item.dueHasTime = t.dueHasTime;
    item.isTask = t.node->ttype == kTopicTask;
    item.occurrence = t.occurrence;
    return item;
}

// Of two reminders of one topic, the one that says most about it now: the later, and of two
// at once the more pressing.
bool supersedes(const ReminderTrigger &a, const ReminderTrigger &b)
{
    if (a.at != b.at)
        return a.at > b.at;
    return kindRank(a.kind) > kindRank(b.kind);
}

// Whether a pass needs to look at the topic's occurrences at all: some trigger of its current
// occurrence, of one after it, or of one a schedule pass moved past, can lie in (after, now].
bool mayBeDue(const TNimbusNode &node, DateTime after, DateTime since, DateTime now)
{
    DateTime earliest, latest;
    if (!isScheduledTopic(node) || !triggerBounds(node, earliest, latest))
        return false;
    if (!rollsBySchedule(node))
        return earliest <= now && latest > after;
    return earliest <= now || latest.addMsecs(-shortestPeriod(node)) > since;
}

} // namespace

DateTime snoozeUntil(SnoozeChoice choice, DateTime now, int morningMinutes)
{
    switch (choice) {
    case SnoozeChoice::TenMinutes:
        return now.addSeconds(10 * 60);
    case SnoozeChoice::OneHour:
        return now.addSeconds(60 * 60);
    case SnoozeChoice::TomorrowMorning:
        break;
    }
    return now.date().addDays(1).addSeconds(morningMinutes * 60);
}

ReminderEngine::ReminderEngine(ReminderState &state, const ReminderPreferences &preferences,
                               const ReminderLeads &leads, ReminderMidnights *midnights)
    : state_(state), preferences_(preferences), leads_(leads), midnights_(midnights)
{
}

TriggerRules ReminderEngine::rulesFor(const TNimbusNode &node) const
{
    return {leads_.empty() ? 0 : leads_.leadOf(node.uni), preferences_.morning,
            midnights_ && midnights_->isMidnight(node)};
}

std::vector<ReminderGroup> ReminderEngine::poll(const TNimbusStructure &store, DateTime now)
{
    if (!startedAt_)
        startedAt_ = now;
    const std::optional<DateTime> lastPass = std::exchange(lastPass_, now);
    // A first run starts from now: nothing from before the program knew of reminders.
    if (!state_.watermark) {
        state_.watermark = now;
        state_.remindFrom = now;
        state_.modified = true;
        return {};
    }
    if (!preferences_.enabled) {
        // Switched off, time still passes: switching on again does not bring back the past.
        if (*state_.watermark < now)
            state_.watermark = now;
        if (!state_.remindFrom || *state_.remindFrom < now)
            state_.remindFrom = now;
        return {};
    }
    if (preferences_.isQuiet(now))
        return {};

    const DateTime since = *state_.watermark;
    // A topic that arrives from elsewhere with a trigger a little in the past is still owed
    // that reminder, once; its key says whether it was given.
    const DateTime arrivedAfter = std::min(
        since, std::max(state_.remindFrom.value_or(since), now.addSeconds(-kArrivalSeconds)));
    // After a sleep or a jump of the clock what fell due meanwhile was missed, as while closed.
    const bool away = lastPass && now.msecs() - lastPass->msecs() > kAwaySeconds * 1000;
    const DateTime awayBefore = now.addSeconds(-60);

    ReminderGroup together;
    ReminderGroup closed;
    closed.digest = closed.whileClosed = true;
    ReminderGroup missed;
    missed.digest = true;
    std::vector<std::string> alsoHandled;
    std::vector<ReminderTrigger> due;
    std::vector<DateTime> occurrences;
    const auto &entries = store.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        // Every node is its own allocation: the walk waits on memory unless it asks ahead.
        summary::PrefetchAhead(entries, i);
        const TNimbusNode *node = entries[i].node;
        if (!node)
            continue;
        if (midnights_)
            midnights_->observe(*node);
        if (!mayBeDue(*node, arrivedAfter, since, now))
            continue;
        due.clear();
        appendDueTriggers(*node, rulesFor(*node), arrivedAfter, since, now, due);
        // The newest due trigger of the topic is shown; the others are marked shown with it,
        // so that they do not come one by one after it.
        const ReminderTrigger *best = nullptr;
        occurrences.clear();
        DateTime firstDue;
        for (const ReminderTrigger &t : due) {
            std::string key = triggerKey(node->uni, t.kind, t.at);
            if (state_.handled(key))
                continue;
            if (occurrences.empty() || t.dueAt < firstDue)
                firstDue = t.dueAt;
            occurrences.push_back(t.occurrence.start);
            if (!best) {
                best = &t;
            } else if (supersedes(t, *best)) {
                alsoHandled.push_back(triggerKey(node->uni, best->kind, best->at));
                best = &t;
            } else {
                alsoHandled.push_back(std::move(key));
            }
        }
        if (!best)
            continue;
        std::string key = triggerKey(node->uni, best->kind, best->at);
        state_.markShown(key);
        ReminderItem item = itemFor(*best, std::move(key));
        std::sort(occurrences.begin(), occurrences.end());
        item.occurrences = static_cast<int>(std::unique(occurrences.begin(), occurrences.end()) -
                                            occurrences.begin());
        item.firstDueAt = firstDue;
        if (best->at > since && best->at < *startedAt_)
            closed.items.push_back(std::move(item));
        else if (best->at > since && away && best->at < awayBefore)
            missed.items.push_back(std::move(item));
        else
            together.items.push_back(std::move(item));
    }
    for (const std::string &key : alsoHandled)
        state_.markShown(key);
    resendSnoozed(store, now, together);

    // Moving the watermark alone needs no write: what fell due since the last write was
    // either shown (and written) or nothing, and a restart finds the same again.
    state_.watermark = now;
    std::vector<ReminderGroup> groups;
    for (ReminderGroup *group : {&closed, &missed, &together})
        if (!group->items.empty())
            groups.push_back(std::move(*group));
    return groups;
}

void ReminderEngine::resendSnoozed(const TNimbusStructure &store, DateTime now,
                                   ReminderGroup &together)
{
    // Snoozed reminders whose time has come; those of topics that are gone or done are dropped.
    std::vector<std::string> dropped;
    const std::size_t firstResent = together.items.size();
    for (auto &[key, record] : state_.records) {
        if (!record.snoozedUntil || *record.snoozedUntil > now)
            continue;
        const TNimbusNode *node = store.Find(keyTopic(key));
        ReminderTrigger t;
        ReminderKind kind;
        if (!node || !isRemindedTopic(*node) || !kindFromCode(key[0], kind) ||
            !keyInstant(key, t.at) || !currentOccurrence(*node, t.occurrence) ||
            !dueInstant(*node, preferences_.morning, t.dueAt, t.dueHasTime,
                        midnights_ && midnights_->isMidnight(*node))) {
            dropped.push_back(key);
            continue;
        }
        t.node = node;
        t.kind = kind;
        ReminderItem item = itemFor(t, key);
        item.resent = true;
        together.items.push_back(std::move(item));
        record.snoozedUntil.reset();
        state_.modified = true;
    }
    // Re-sent ones in store order too (the records keep no order).
    std::stable_sort(together.items.begin() + static_cast<std::ptrdiff_t>(firstResent),
                     together.items.end(), [&store](const ReminderItem &a, const ReminderItem &b) {
                         return store.IndexOf(a.uni) < store.IndexOf(b.uni);
                     });
    for (const std::string &key : dropped)
        state_.records[key].snoozedUntil.reset();
    if (!dropped.empty())
        state_.modified = true;
}

void ReminderEngine::snooze(const std::vector<std::string> &keys, DateTime until)
{
    for (const std::string &key : keys) {
        state_.records[key].snoozedUntil = until;
        state_.modified = true;
    }
}

void ReminderEngine::dismiss(const std::vector<std::string> &keys)
{
    for (const std::string &key : keys) {
        const auto it = state_.records.find(key);
        if (it != state_.records.end() && !it->second.dismissed) {
            it->second.dismissed = true;
            state_.modified = true;
        }
    }
}

std::vector<UpcomingReminder> ReminderEngine::upcoming(const TNimbusStructure &store,
                                                       DateTime now, std::size_t count) const
{
    struct Candidate {
        const TNimbusNode *node;
        ReminderKind kind;
        DateTime at;
        bool snoozed;
    };
    // The soonest count so far, kept as a heap with the latest on top.
    std::vector<Candidate> heap;
    if (count == 0)
        return {};
    auto later = [](const Candidate &a, const Candidate &b) { return a.at < b.at; };
    auto offer = [&](const Candidate &c) {
        if (heap.size() < count) {
            heap.push_back(c);
            std::push_heap(heap.begin(), heap.end(), later);
        } else if (c.at < heap.front().at) {
            std::pop_heap(heap.begin(), heap.end(), later);
            heap.back() = c;
            std::push_heap(heap.begin(), heap.end(), later);
        }
    };
    std::vector<ReminderTrigger> triggers;
    const auto &entries = store.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        summary::PrefetchAhead(entries, i);
        const TNimbusNode *node = entries[i].node;
        DateTime earliest, latest;
        if (!node || !isRemindedTopic(*node) || !triggerBounds(*node, earliest, latest) ||
            latest <= now || (heap.size() == count && earliest >= heap.front().at))
            continue;
        Occurrence current;
        if (!currentOccurrence(*node, current))
            continue;
        triggers.clear();
        appendTriggers(*node, current, rulesFor(*node), triggers);
        for (const ReminderTrigger &t : triggers)
            if (t.at > now && (heap.size() < count || t.at < heap.front().at))
                offer({node, t.kind, t.at, false});
    }
    for (const auto &[key, record] : state_.records) {
        if (!record.snoozedUntil || *record.snoozedUntil <= now)
            continue;
        ReminderKind kind;
        const TNimbusNode *node = store.Find(keyTopic(key));
        if (node && isRemindedTopic(*node) && kindFromCode(key[0], kind))
            offer({node, kind, *record.snoozedUntil, true});
    }
    std::sort_heap(heap.begin(), heap.end(), later);
    std::vector<UpcomingReminder> result;
    for (const Candidate &c : heap)
        result.push_back({c.node->uni, c.node->text, c.kind, c.at, c.snoozed});
    return result;
}

} // namespace nimbus::reminders
