// The summary's nine id lists: classifying the store into the seven groups, showing a group
// safely, and keeping the two recent lists.
#include "store/SummaryLists.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

namespace nimbus {

using summary::Group;

SummaryLists::SummaryLists()
{
    for (auto &list : lists_)
        list = std::make_unique<TNimbusStructure>(TNimbusStructure::Role::IdList);
}

TNimbusStructure &SummaryLists::list(Group group)
{
    return *lists_[static_cast<std::size_t>(summary::indexOf(group))];
}

namespace {

// The order of a member within its group, as a number: days left for the groups keyed by
// days (the days key orders exactly so), the three characters of the sort key for the groups
// keyed by it. The urgent group is ordered by id text, compared when sorting.
std::int64_t orderOf(Group group, const TNimbusNode &node)
{
    switch (group) {
    case Group::Deadlines:
    case Group::Overdue:
    case Group::Events:
        return node.daysLeft;
    case Group::InProgress:
    case Group::Waiting:
    case Group::Favourites: {
        std::int64_t packed = 0;
        for (std::size_t i = 0; i < 3; ++i)
            packed = packed * 256 +
                     (i < node.sortKey.size() ? static_cast<unsigned char>(node.sortKey[i]) : 0);
        return packed;
    }
    default:
        return 0;
    }
}

} // namespace

const TNimbusStructure &SummaryLists::List(Group group) const
{
    const auto index = static_cast<std::size_t>(summary::indexOf(group));
    TNimbusStructure &target = *lists_[index];
    if (summary::isClassified(group) && !listed_[index]) {
        // The lists with their key texts are made only when someone looks at them; the
        // deadline timer regroups every ten seconds and needs only the members and counts.
        target.Clear();
        for (const Member &member : members_[index])
            target.AppendId(summary::GroupKey(group, *member.node), member.node);
        listed_[index] = true;
    }
    return target;
}

std::vector<TNimbusNode *> SummaryLists::Members(Group group) const
{
    std::vector<TNimbusNode *> nodes;
    if (!summary::isClassified(group))
        return nodes;
    const auto &members = members_[static_cast<std::size_t>(summary::indexOf(group))];
    nodes.reserve(members.size());
    for (const Member &member : members)
        nodes.push_back(member.node);
    return nodes;
}

int SummaryLists::Count(Group group) const
{
    const auto index = static_cast<std::size_t>(summary::indexOf(group));
    if (summary::isClassified(group))
        return static_cast<int>(members_[index].size());
    return lists_[index]->Count();
}

void SummaryLists::ClearGroups()
{
    for (int i = 0; i < summary::kGroupCount; ++i)
        if (summary::isClassified(summary::groupAt(i))) {
            members_[static_cast<std::size_t>(i)].clear(); // keeps its capacity for the next time
            listed_[static_cast<std::size_t>(i)] = false;
        }
}

void SummaryLists::ClassifyNode(TNimbusNode &node)
{
    for (unsigned groups = summary::MemberGroups(node); groups != 0; groups &= groups - 1) {
        const int i = __builtin_ctz(groups);
        const Group group = summary::groupAt(i);
        members_[static_cast<std::size_t>(i)].push_back({orderOf(group, node), &node});
        listed_[static_cast<std::size_t>(i)] = false;
    }
}

void SummaryLists::FinishClassify()
{
    for (int i = 0; i < summary::kGroupCount; ++i) {
        const Group group = summary::groupAt(i);
        auto &members = members_[static_cast<std::size_t>(i)];
        // Stable: members with equal keys stay in store order. The list itself is kept
        // unsorted so that equal keys are all listed (a sorted id list keeps one per key).
        if (group == Group::Urgent)
            std::stable_sort(members.begin(), members.end(), [](const Member &a, const Member &b) {
                return a.node->uni < b.node->uni;
            });
        else if (summary::isClassified(group))
            std::stable_sort(members.begin(), members.end(),
                             [](const Member &a, const Member &b) { return a.order < b.order; });
    }
}

void SummaryLists::Rebuild(const TNimbusStructure &store)
{
    ClearGroups();
    const auto &entries = store.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        summary::PrefetchAhead(entries, i);
        if (entries[i].node)
            ClassifyNode(*entries[i].node);
    }
    FinishClassify();
}

const TNimbusStructure &SummaryLists::ResolveGroup(Group group, const TNimbusStructure &store)
{
    if (!summary::isClassified(group)) {
        TNimbusStructure &target = list(group);
        target.ResolveIdList(store, summary::kRecentLimit);
        return target;
    }
    // A node removed from the tree since the last classification is destroyed: only
    // pointers the store still holds may be kept, and none other is dereferenced.
    std::unordered_set<const TNimbusNode *> live;
    live.reserve(static_cast<std::size_t>(store.Count()));
    for (const auto &entry : store.Entries())
        live.insert(entry.node);
    const auto index = static_cast<std::size_t>(summary::indexOf(group));
    auto &members = members_[index];
    const auto gone = std::remove_if(members.begin(), members.end(),
                                     [&live](const Member &m) { return !live.count(m.node); });
    if (gone != members.end()) {
        members.erase(gone, members.end());
        listed_[index] = false;
    }
    return List(group);
}

void SummaryLists::SetDataFolder(const std::string &dataFolder)
{
    RecentNew().SetFileName(dataFolder + "strnew.dat");
    RecentChanges().SetFileName(dataFolder + "strchanges.dat");
}

void SummaryLists::LoadRecentLists(const TNimbusStructure &store)
{
    for (TNimbusStructure *recent : {&RecentChanges(), &RecentNew()}) {
        std::error_code ec;
        if (recent->FileName().empty() || !std::filesystem::exists(recent->FileName(), ec))
            continue;
        recent->LoadIdList();
        recent->ResolveIdList(store, summary::kRecentLimit);
    }
}

namespace {

StoreResult saveRecent(TNimbusStructure &recent, const TNimbusStructure &store)
{
    // The modified flag is read first: binding the list sets it afresh.
    if (!recent.modified)
        return {};
    recent.ResolveIdList(store, summary::kRecentLimit);
    StoreResult result = recent.SaveIdList();
    // A failed write keeps the flag so that the next close tries again.
    recent.modified = !result;
    return result;
}

} // namespace

StoreResult SummaryLists::SaveRecentLists(const TNimbusStructure &store)
{
    StoreResult changes = saveRecent(RecentChanges(), store);
    StoreResult made = saveRecent(RecentNew(), store);
    return changes ? made : changes;
}

void SummaryLists::moveToFront(TNimbusStructure &list, TNimbusNode &node)
{
    for (int at = list.IndexOf(node.uni); at >= 0; at = list.IndexOf(node.uni))
        list.Delete(at);
    list.InsertId(0, node.uni, &node);
    // Only the latest 50 are ever shown or saved.
    while (list.Count() > summary::kRecentLimit)
        list.Delete(list.Count() - 1);
    list.modified = true;
}

void SummaryLists::NoteNewTopic(TNimbusNode &node)
{
    moveToFront(RecentNew(), node);
}

void SummaryLists::NoteChangedTopic(TNimbusNode &node)
{
    moveToFront(RecentChanges(), node);
}

} // namespace nimbus
