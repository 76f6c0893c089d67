// The synced subtree's copy; see LocalSnapshot.h.
#include "caldav/LocalSnapshot.h"

#include <cstdint>
#include <cstdio>

#include "caldav/SyncState.h"
#include "calendar/CalendarLinks.h"
#include "calendar/NimbusFields.h"
#include "calendar/RecurrenceIcal.h"
#include "calendar/TopicUid.h"
#include "fileio/Fnv1a.h"
#include "recurrence/RuleText.h"
#include "recurrence/TopicRecurrence.h"
#include "store/TNimbusStructure.h"

namespace nimbus::caldav {

TopicUids::TopicUids(const SyncState &state, const calendar::CalendarLinks &links)
    : installation_(links.installation())
{
    for (const auto &[uid, uni] : links.links())
        known_[uni] = uid;
    for (const auto &[uid, entry] : state.entries)
        known_[entry.uni] = uid;
}

std::string TopicUids::uidOf(const std::string &uni) const
{
    const auto it = known_.find(uni);
    return it != known_.end() ? it->second : calendar::topicUid(installation_, uni);
}

const recurrence::Series *repeatSeries(const TNimbusNode &node)
{
    const recurrence::Series *series = node.recur ? recurrence::seriesOf(node) : nullptr;
    return series != nullptr && calendar::isRichSeries(*series) ? series : nullptr;
}

std::string topicFingerprint(const TNimbusNode &node, const std::string &parentUid,
                             const std::string &pageText)
{
    // FNV-1a over the field values, each ended by a unit separator.
    std::uint64_t h = fileio::kFnv1aStart;
    auto mix = [&h](const std::string &s) { h = fileio::fnv1aByte(0x1F, fileio::fnv1a(s, h)); };
    for (const calendar::NimbusField &field : calendar::nimbusFields())
        mix(field.get(node));
    mix(parentUid);
    // A repeat beyond every N units, as an entry carries it (a time of midnight is written as
    // none); nothing for other topics, so that their fingerprints stay as they were.
    if (const recurrence::Series *series = repeatSeries(node)) {
        recurrence::Series carried = *series;
        if (carried.time && *carried.time <= 0)
            carried.time.reset();
        mix("series");
        mix(recurrence::formatSeries(carried));
    }
    if (const std::string page = comparableText(pageText); !page.empty()) {
        mix("page");
        mix(page);
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

SubtreeCopy copySubtree(const TNimbusStructure &store, const std::string &rootUni,
                        const TopicUids &uids, const std::set<std::string> &localOnly)
{
    SubtreeCopy copy;
    LocalSnapshot &snapshot = copy.snapshot;
    snapshot.rootUni = rootUni;
    const int root = store.IndexOf(rootUni);
    if (root < 0 || store.Node(root) == nullptr)
        return copy;
    snapshot.rootFound = true;
    const int rootLevel = store.Node(root)->lev;
    std::vector<std::string> uidAtLevel;  // UID of the nearest node at each depth below the root
    for (int i = root + 1; i < store.Count(); ++i) {
        const TNimbusNode *node = store.Node(i);
        if (node == nullptr)
            continue;
        if (node->lev <= rootLevel)
            break;
        const std::size_t depth = static_cast<std::size_t>(node->lev - rootLevel);
        uidAtLevel.resize(depth + 1);
        if (localOnly.count(node->uni) != 0 && node->text.rfind(kConflictPrefix, 0) == 0) {
            snapshot.localOnly.insert(node->uni);
            uidAtLevel[depth] = depth > 1 ? uidAtLevel[depth - 1] : std::string();
            continue;
        }
        LocalTopic &local = snapshot.topics.emplace_back();
        local.uni = node->uni;
        local.topic.node.AssignNode(*node);
        local.topic.node.uni = node->uni;
        if (repeatSeries(*node) != nullptr)
            local.topic.node.richRule = node->richRule; // the entry carries the whole rule
        local.topic.uid = uids.uidOf(node->uni);
        uidAtLevel[depth] = local.topic.uid;
        local.topic.parentUid = depth > 1 ? uidAtLevel[depth - 1] : std::string();
        copy.kinds.push_back(node->type);
    }
    return copy;
}

LocalSnapshot finishSnapshot(SubtreeCopy copy, const PageAccess &pages, StoreLog *log)
{
    LocalSnapshot snapshot = std::move(copy.snapshot);
    snapshot.withPages = pages.travels();
    StoreLog &problems = log ? *log : NullStoreLog::instance();
    for (std::size_t i = 0; i < snapshot.topics.size(); ++i) {
        LocalTopic &local = snapshot.topics[i];
        if (pages.travels()) {
            PageText page = readDetailsPage(local.uni, copy.kinds[i], pages, problems);
            local.pageTravels = page.known;
            local.topic.detailsText = std::move(page.text);
            local.topic.detailsHtml = std::move(page.html);
        }
        local.hash =
            topicFingerprint(local.topic.node, local.topic.parentUid, local.topic.detailsText);
        snapshot.byUni[local.uni] = i;
        snapshot.byUid[local.topic.uid] = i;
    }
    return snapshot;
}

LocalSnapshot takeSnapshot(const TNimbusStructure &store, const std::string &rootUni,
                           const TopicUids &uids, const std::set<std::string> &localOnly,
                           const PageAccess &pages, StoreLog *log)
{
    return finishSnapshot(copySubtree(store, rootUni, uids, localOnly), pages, log);
}

}  // namespace nimbus::caldav
