// Binding the server's entries new to the state; see StateRepair.h.
#include "caldav/StateRepair.h"

#include <optional>
#include <set>

#include "caldav/ContentMatch.h"
#include "caldav/SyncDecision.h"

namespace nimbus::caldav {

void StateRepair::decideNewRemote(bool stateless)
{
    std::set<std::string> &boundUnis = context_.boundUnis;
    std::set<std::string> knownPaths;
    for (const auto &[uid, e] : result_.state.entries)
        knownPaths.insert(e.path);
    std::optional<ContentMatch> byContent;
    if (stateless) {
        std::set<std::string> serverUids;
        for (const auto &[path, topic] : fetched_.fetched)
            serverUids.insert(topic.uid);
        byContent.emplace(snapshot_, serverUids);
    }
    for (auto &[path, topic] : fetched_.fetched) {
        if (context_.stopped())
            return;
        if (knownPaths.count(path) != 0)
            continue;
        if (result_.state.entries.count(topic.uid) != 0) {
            result_.log.push_back("Calendar sync skipped the server's entry " + path +
                                  ": its UID is already synced from " +
                                  result_.state.entries[topic.uid].path + ".");
            continue;
        }
        SyncEntry entry{topic.uid, path, fetched_.fetchedEtag[path], {}, {}};
        const auto match = snapshot_.byUid.find(topic.uid);
        const LocalTopic *local =
            match == snapshot_.byUid.end() ? nullptr : &snapshot_.topics[match->second];
        if (local != nullptr && boundUnis.count(local->uni) != 0)
            local = nullptr; // the UID is another entry's topic already
        // A topic with its UID: synced before the state was lost, or by a sync cut short.
        // Without any state, a topic saying the same is the entry under a UID lost with it.
        const bool sameByContent =
            local == nullptr && byContent && (local = byContent->take(topic, boundUnis));
        EntryFacts facts;
        facts.server = ServerSide::New;
        facts.local = local != nullptr ? LocalSide::New : LocalSide::Gone;
        facts.sameContent =
            local != nullptr && (sameByContent || prints_.hashOf(topic, local) == local->hash ||
                                 prints_.settledHashOf(topic, *local) == local->hash);
        if (local != nullptr)
            boundUnis.insert(local->uni);
        switch (decide(facts)) {
        case SyncAction::Settle:
            entry.uni = local->uni;
            // As the topic will read under its entry's UID and its parent's.
            entry.hash = prints_.settledHashOf(topic, *local);
            result_.state.entries[entry.uid] = entry;
            break;
        case SyncAction::KeepBoth:
            context_.addChange(LocalChange::Conflict, local->uni, local->hash, std::move(topic));
            writer_.send(*local, entry, entry.etag, false);
            break;
        default:
            result_.state.entries[entry.uid] = entry; // uni and hash follow when it is applied
            context_.addChange(LocalChange::Add, {}, {}, std::move(topic));
            ++result_.counts.received;
            break;
        }
    }
}

} // namespace nimbus::caldav
