// The reminder passes, snoozes and the reminders to come.
#include "reminders/ReminderEngine.h"

#include <algorithm>
#include <unordered_map>

#include "reminders/ReminderLeads.h"
#include "reminders/ReminderPreferences.h"
#include "reminders/ReminderState.h"
#include "reminders/TopicTriggers.h"
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
    item.dueHasTime = t.dueHasTime;
    item.isTask = t.node->ttype == kTopicTask;
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
                               const ReminderLeads &leads)
    : state_(state), preferences_(preferences), leads_(leads)
{
}

std::vector<ReminderGroup> ReminderEngine::poll(const TNimbusStructure &store, DateTime now)
{
    if (!startedAt_)
        startedAt_ = now;
    // A first run starts from now: nothing from before the program knew of reminders.
    if (!state_.watermark) {
        state_.watermark = now;
        state_.modified = true;
        return {};
    }
    if (!preferences_.enabled) {
        // Switched off, time still passes: switching on again does not bring back the past.
        if (*state_.watermark < now)
            state_.watermark = now;
        return {};
    }
    if (preferences_.isQuiet(now))
        return {};

    const DateTime since = *state_.watermark;
    // The newest due trigger of each topic; the others of the same topic are marked shown
    // with it, so that they do not come one by one after it.
    std::unordered_map<const TNimbusNode *, ReminderTrigger> chosen;
    std::vector<std::string> alsoHandled;
    std::vector<ReminderTrigger> triggers;
    const auto &entries = store.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        // Every node is its own allocation: the walk waits on memory unless it asks ahead.
        summary::PrefetchAhead(entries, i);
        const TNimbusNode *node = entries[i].node;
        DateTime earliest, latest;
        if (!node || !isRemindedTopic(*node) || !triggerBounds(*node, earliest, latest) ||
            latest <= since || earliest > now)
            continue;
        triggers.clear();
        appendTriggers(*node, leads_.empty() ? 0 : leads_.leadOf(node->uni), preferences_.morning, triggers);
        for (const ReminderTrigger &t : triggers) {
            if (t.at <= since || t.at > now)
                continue;
            std::string key = triggerKey(node->uni, t.kind, t.at);
            if (state_.handled(key))
                continue;
            auto [it, inserted] = chosen.try_emplace(node, t);
            if (!inserted) {
                if (supersedes(t, it->second)) {
                    alsoHandled.push_back(triggerKey(node->uni, it->second.kind, it->second.at));
                    it->second = t;
                } else {
                    alsoHandled.push_back(std::move(key));
                }
            }
        }
    }

    ReminderGroup together;
    ReminderGroup digest;
    digest.digest = true;
    // In store order, so that groups list topics as the tree does.
    for (const auto &entry : store.Entries()) {
        const auto it = chosen.find(entry.node);
        if (it == chosen.end())
            continue;
        std::string key = triggerKey(entry.node->uni, it->second.kind, it->second.at);
        state_.markShown(key);
        (it->second.at < *startedAt_ ? digest : together).items.push_back(itemFor(it->second, std::move(key)));
    }
    for (const std::string &key : alsoHandled)
        state_.markShown(key);

    // Snoozed reminders whose time has come; those of topics that are gone or done are dropped.
    std::vector<std::string> dropped;
    for (auto &[key, record] : state_.records) {
        if (!record.snoozedUntil || *record.snoozedUntil > now)
            continue;
        const TNimbusNode *node = store.Find(keyTopic(key));
        ReminderTrigger t;
        ReminderKind kind;
        if (!node || !isRemindedTopic(*node) || !kindFromCode(key[0], kind) ||
            !keyInstant(key, t.at) || !dueInstant(*node, preferences_.morning, t.dueAt, t.dueHasTime)) {
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
    const auto firstResent = std::find_if(together.items.begin(), together.items.end(),
                                          [](const ReminderItem &item) { return item.resent; });
    std::stable_sort(firstResent, together.items.end(), [&store](const ReminderItem &a, const ReminderItem &b) {
        return store.IndexOf(a.uni) < store.IndexOf(b.uni);
    });
    for (const std::string &key : dropped)
        state_.records[key].snoozedUntil.reset();
    if (!dropped.empty())
        state_.modified = true;

    // Moving the watermark alone needs no write: what fell due since the last write was
    // either shown (and written) or nothing, and a restart finds the same again.
    state_.watermark = now;
    std::vector<ReminderGroup> groups;
    if (!digest.items.empty())
        groups.push_back(std::move(digest));
    if (!together.items.empty())
        groups.push_back(std::move(together));
    return groups;
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
        triggers.clear();
        appendTriggers(*node, leads_.empty() ? 0 : leads_.leadOf(node->uni), preferences_.morning, triggers);
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
