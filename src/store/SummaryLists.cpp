// The summary's nine id lists: classifying the store into the seven groups, showing a group
// safely, and keeping the two recent lists.
#include "store/SummaryLists.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
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

const TNimbusStructure &SummaryLists::List(Group group) const
{
    return *lists_[static_cast<std::size_t>(summary::indexOf(group))];
}

void SummaryLists::ClearGroups()
{
    for (int i = 0; i < summary::kGroupCount; ++i)
        if (summary::isClassified(summary::groupAt(i))) {
            lists_[static_cast<std::size_t>(i)]->Clear();
            pending_[static_cast<std::size_t>(i)].clear();
        }
}

void SummaryLists::ClassifyNode(TNimbusNode &node)
{
    if (node.lev <= 0)
        return;
    for (int i = 0; i < summary::kGroupCount; ++i) {
        const Group group = summary::groupAt(i);
        if (summary::isClassified(group) && summary::IsMember(group, node))
            pending_[static_cast<std::size_t>(i)].emplace_back(summary::GroupKey(group, node),
                                                               &node);
    }
}

void SummaryLists::FinishClassify()
{
    for (int i = 0; i < summary::kGroupCount; ++i) {
        auto &members = pending_[static_cast<std::size_t>(i)];
        if (members.empty())
            continue;
        TNimbusStructure &target = *lists_[static_cast<std::size_t>(i)];
        if (target.Count() > 0) {
            // Classified after an earlier finish: what is listed already comes first.
            std::vector<std::pair<std::string, TNimbusNode *>> all;
            all.reserve(static_cast<std::size_t>(target.Count()) + members.size());
            for (const auto &entry : target.Entries())
                all.emplace_back(entry.id, entry.node);
            all.insert(all.end(), std::make_move_iterator(members.begin()),
                       std::make_move_iterator(members.end()));
            members.swap(all);
            target.Clear();
        }
        // Stable: members with equal keys stay in store order. The list itself is kept
        // unsorted so that equal keys are all listed (a sorted id list keeps one per key).
        std::stable_sort(members.begin(), members.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        for (auto &[key, node] : members)
            target.AppendId(std::move(key), node);
        members.clear();
    }
}

void SummaryLists::Rebuild(const TNimbusStructure &store)
{
    ClearGroups();
    for (const auto &entry : store.Entries())
        if (entry.node)
            ClassifyNode(*entry.node);
    FinishClassify();
}

const TNimbusStructure &SummaryLists::ResolveGroup(Group group, const TNimbusStructure &store)
{
    TNimbusStructure &target = list(group);
    if (!summary::isClassified(group)) {
        target.ResolveIdList(store, summary::kRecentLimit);
        return target;
    }
    // A node removed from the tree since the last classification is destroyed: only
    // pointers the store still holds may be kept, and none other is dereferenced.
    std::unordered_set<const TNimbusNode *> live;
    live.reserve(static_cast<std::size_t>(store.Count()));
    for (const auto &entry : store.Entries())
        live.insert(entry.node);
    std::vector<std::pair<std::string, TNimbusNode *>> kept;
    for (const auto &entry : target.Entries())
        if (entry.node && live.count(entry.node))
            kept.emplace_back(entry.id, entry.node);
    if (static_cast<int>(kept.size()) != target.Count()) {
        target.Clear();
        for (auto &[key, node] : kept)
            target.AppendId(std::move(key), node);
    }
    return target;
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
