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

// What one pass carries from topic to topic.
struct ReminderEngine::Pass {
    DateTime now;
    DateTime since;
    DateTime arrivedAfter;
    bool away = false;
    DateTime awayBefore;
    ReminderGroup together;
    ReminderGroup closed;
    ReminderGroup missed;
    std::vector<std::string> alsoHandled;
    std::vector<ReminderTrigger> due;
    std::vector<DateTime> occurrences;
};

// The soonest reminders so far, kept as a heap with the latest on top.
class ReminderEngine::NextReminders {
public:
    struct Candidate {
        const TNimbusNode *node;
        ReminderKind kind;
        DateTime at;
        bool snoozed;
    };
    explicit NextReminders(std::size_t count) : count_(count) {}
    // Whether a reminder at that instant would still take a place.
    bool takes(DateTime at) const
    {
        return heap_.size() < count_ || (count_ > 0 && at < heap_.front().at);
    }
    void offer(const Candidate &c)
    {
        if (heap_.size() < count_) {
            heap_.push_back(c);
            std::push_heap(heap_.begin(), heap_.end(), later);
        } else if (count_ > 0 && c.at < heap_.front().at) {
            std::pop_heap(heap_.begin(), heap_.end(), later);
            heap_.back() = c;
            std::push_heap(heap_.begin(), heap_.end(), later);
        }
    }
    std::vector<UpcomingReminder> sorted()
    {
        std::sort_heap(heap_.begin(), heap_.end(), later);
        std::vector<UpcomingReminder> result;
        for (const Candidate &c : heap_)
            result.push_back({c.node->uni, c.node->text, c.kind, c.at, c.snoozed});
        heap_.clear();
        return result;
    }

private:
    static bool later(const Candidate &a, const Candidate &b) { return a.at < b.at; }
    std::size_t count_;
    std::vector<Candidate> heap_;
};

namespace {

// Calls fn for every node of the store in order. Every node is its own allocation: the walk
// waits on memory unless it asks ahead.
template <typename Fn> void forEachNode(const TNimbusStructure &store, Fn &&fn)
{
    const auto &entries = store.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        summary::PrefetchAhead(entries, i);
        if (const TNimbusNode *node = entries[i].node)
            fn(*node);
    }
}

} // namespace

std::vector<ReminderGroup> ReminderEngine::poll(const TNimbusStructure &store, DateTime now)
{
    return walk(store, now, true, nullptr, nullptr);
}

std::vector<ReminderGroup> ReminderEngine::poll(const TNimbusStructure &store, DateTime now,
                                                TrayLook &tray, std::size_t count)
{
    NextReminders next(count);
    tray.counts = {};
    std::vector<ReminderGroup> groups = walk(store, now, true, &next, &tray.counts);
    tray.upcoming = next.sorted();
    return groups;
}

std::vector<ReminderGroup> ReminderEngine::walk(const TNimbusStructure &store, DateTime now,
                                                bool pass, NextReminders *next, TrayCounts *counts)
{
    Pass p;
    if (!pass || !beginPass(now, p)) {
        walk(store, now, next, counts);
        return {};
    }
    std::vector<ReminderTrigger> scratch;
    forEachNode(store, [&](const TNimbusNode &node) {
        passTopic(node, p);
        if (next)
            offerTopic(node, now, *next, scratch);
        if (counts)
            countForTray(*counts, node);
    });
    std::vector<ReminderGroup> groups = endPass(store, p);
    // Snoozed reminders re-sent by the pass are no longer to come.
    if (next)
        offerSnoozed(store, now, *next);
    return groups;
}

void ReminderEngine::walk(const TNimbusStructure &store, DateTime now, NextReminders *next,
                          TrayCounts *counts) const
{
    if (!next && !counts)
        return;
    std::vector<ReminderTrigger> scratch;
    forEachNode(store, [&](const TNimbusNode &node) {
        if (next)
            offerTopic(node, now, *next, scratch);
        if (counts)
            countForTray(*counts, node);
    });
    if (next)
        offerSnoozed(store, now, *next);
}

// Whether the pass looks at the topics at all; the watermark moves either way.
bool ReminderEngine::beginPass(DateTime now, Pass &p)
{
    if (!startedAt_)
        startedAt_ = now;
    const std::optional<DateTime> lastPass = std::exchange(lastPass_, now);
    // A first run starts from now: nothing from before the program knew of reminders.
    if (!state_.watermark) {
        state_.watermark = now;
        state_.remindFrom = now;
        state_.modified = true;
        return false;
    }
    if (!preferences_.enabled) {
        // Switched off, time still passes: switching on again does not bring back the past.
        if (*state_.watermark < now)
            state_.watermark = now;
        if (!state_.remindFrom || *state_.remindFrom < now)
            state_.remindFrom = now;
        return false;
    }
    if (preferences_.isQuiet(now))
        return false;

    p.now = now;
    p.since = *state_.watermark;
    // A topic that arrives from elsewhere with a trigger a little in the past is still owed
    // that reminder, once; its key says whether it was given.
    p.arrivedAfter = std::min(
        p.since, std::max(state_.remindFrom.value_or(p.since), now.addSeconds(-kArrivalSeconds)));
    // After a sleep or a jump of the clock what fell due meanwhile was missed, as while closed.
    p.away = lastPass && now.msecs() - lastPass->msecs() > kAwaySeconds * 1000;
    p.awayBefore = now.addSeconds(-60);
    p.closed.digest = p.closed.whileClosed = true;
    p.missed.digest = true;
    return true;
}

void ReminderEngine::passTopic(const TNimbusNode &node, Pass &p)
{
    if (midnights_)
        midnights_->observe(node);
    if (!mayBeDue(node, p.arrivedAfter, p.since, p.now))
        return;
    p.due.clear();
    appendDueTriggers(node, rulesFor(node), p.arrivedAfter, p.since, p.now, p.due);
    // The newest due trigger of the topic is shown; the others are marked shown with it,
    // so that they do not come one by one after it.
    const ReminderTrigger *best = nullptr;
    p.occurrences.clear();
    DateTime firstDue;
    for (const ReminderTrigger &t : p.due) {
        std::string key = triggerKey(node.uni, t.kind, t.at);
        if (state_.handled(key))
            continue;
        if (p.occurrences.empty() || t.dueAt < firstDue)
            firstDue = t.dueAt;
        p.occurrences.push_back(t.occurrence.start);
        if (!best) {
            best = &t;
        } else if (supersedes(t, *best)) {
            p.alsoHandled.push_back(triggerKey(node.uni, best->kind, best->at));
            best = &t;
        } else {
            p.alsoHandled.push_back(std::move(key));
        }
    }
    if (!best)
        return;
    std::string key = triggerKey(node.uni, best->kind, best->at);
    state_.markShown(key);
    ReminderItem item = itemFor(*best, std::move(key));
    std::sort(p.occurrences.begin(), p.occurrences.end());
    item.occurrences = static_cast<int>(std::unique(p.occurrences.begin(), p.occurrences.end()) -
                                        p.occurrences.begin());
    item.firstDueAt = firstDue;
    if (best->at > p.since && best->at < *startedAt_)
        p.closed.items.push_back(std::move(item));
    else if (best->at > p.since && p.away && best->at < p.awayBefore)
        p.missed.items.push_back(std::move(item));
    else
        p.together.items.push_back(std::move(item));
}

std::vector<ReminderGroup> ReminderEngine::endPass(const TNimbusStructure &store, Pass &p)
{
    for (const std::string &key : p.alsoHandled)
        state_.markShown(key);
    resendSnoozed(store, p.now, p.together);

    // Moving the watermark alone needs no write: what fell due since the last write was
    // either shown (and written) or nothing, and a restart finds the same again.
    state_.watermark = p.now;
    std::vector<ReminderGroup> groups;
    for (ReminderGroup *group : {&p.closed, &p.missed, &p.together})
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
    if (count == 0)
        return {};
    NextReminders next(count);
    walk(store, now, &next, nullptr);
    return next.sorted();
}

TrayLook ReminderEngine::look(const TNimbusStructure &store, DateTime now, std::size_t count) const
{
    TrayLook tray;
    NextReminders next(count);
    walk(store, now, &next, &tray.counts);
    tray.upcoming = next.sorted();
    return tray;
}

void ReminderEngine::offerTopic(const TNimbusNode &node, DateTime now, NextReminders &next,
                                std::vector<ReminderTrigger> &scratch) const
{
    DateTime earliest, latest;
    if (!isRemindedTopic(node) || !triggerBounds(node, earliest, latest) || latest <= now ||
        !next.takes(earliest))
        return;
    Occurrence current;
    if (!currentOccurrence(node, current))
        return;
    scratch.clear();
    appendTriggers(node, current, rulesFor(node), scratch);
    for (const ReminderTrigger &t : scratch)
        if (t.at > now && next.takes(t.at))
            next.offer({&node, t.kind, t.at, false});
}

void ReminderEngine::offerSnoozed(const TNimbusStructure &store, DateTime now,
                                  NextReminders &next) const
{
    for (const auto &[key, record] : state_.records) {
        if (!record.snoozedUntil || *record.snoozedUntil <= now)
            continue;
        ReminderKind kind;
        const TNimbusNode *node = store.Find(keyTopic(key));
        if (node && isRemindedTopic(*node) && kindFromCode(key[0], kind))
            next.offer({node, kind, *record.snoozedUntil, true});
    }
}

} // namespace nimbus::reminders
