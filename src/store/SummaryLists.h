// The nine id lists behind the summary page: seven groups classified from the store's nodes,
// each in key order, and the recent-new and recent-change lists that live for the whole run
// and are kept in "strnew.dat" and "strchanges.dat". The lists point at the main store's
// nodes and own nothing.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/SummaryRules.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

class SummaryLists {
public:
    SummaryLists();
    SummaryLists(const SummaryLists &) = delete;
    SummaryLists &operator=(const SummaryLists &) = delete;

    // ---- the seven classified groups ----
    // Empties the seven groups (New and Changes are kept).
    void ClearGroups();
    // Adds a topic (lev above 0) to every group whose rule it meets. Members collect until
    // FinishClassify puts each group in key order, so a whole tree classifies in one sort.
    void ClassifyNode(TNimbusNode &node);
    void FinishClassify();
    // ClearGroups, ClassifyNode for every node of the store, FinishClassify.
    void Rebuild(const TNimbusStructure &store);

    // The list of a group; its entry texts are the keys (the ids for New and Changes).
    // Equal keys are all kept, in store order.
    const TNimbusStructure &List(summary::Group group) const;
    int Count(summary::Group group) const;
    // The nodes of a classified group in the group's order (the nodes of List), without
    // making the key texts. Valid until the store changes or the groups are classified again.
    std::vector<TNimbusNode *> Members(summary::Group group) const;

    // Brings a group up to date against the store for showing it: entries whose node the
    // store no longer holds are dropped (never looked at), the order and equal keys are kept,
    // and the recent lists keep at most 50 entries.
    const TNimbusStructure &ResolveGroup(summary::Group group, const TNimbusStructure &store);

    // ---- the recent lists ----
    // DataFolder + "strnew.dat" and "strchanges.dat".
    void SetDataFolder(const std::string &dataFolder);
    // Reads each file that exists and binds it to the store's nodes, keeping at most 50.
    void LoadRecentLists(const TNimbusStructure &store);
    // Writes each list that was modified (after binding it, at most 50 entries). Returns the
    // first failure, or success.
    StoreResult SaveRecentLists(const TNimbusStructure &store);
    // A topic was made by the user or received: its id goes to the front of New.
    void NoteNewTopic(TNimbusNode &node);
    // A topic's page was saved: its id moves to the front of Changes.
    void NoteChangedTopic(TNimbusNode &node);
    TNimbusStructure &RecentNew() { return list(summary::Group::New); }
    TNimbusStructure &RecentChanges() { return list(summary::Group::Changes); }

private:
    TNimbusStructure &list(summary::Group group);
    static void moveToFront(TNimbusStructure &list, TNimbusNode &node);

    // A member of a classified group with its place in the group's order.
    struct Member {
        std::int64_t order;
        TNimbusNode *node;
    };

    // Indexed by summary::indexOf. The classified groups keep their members here; their
    // lists are made from them when first asked for. The New and Changes slots of lists_
    // hold the two recent lists.
    std::array<std::vector<Member>, summary::kGroupCount> members_;
    std::array<std::unique_ptr<TNimbusStructure>, summary::kGroupCount> lists_;
    mutable std::array<bool, summary::kGroupCount> listed_{};
};

} // namespace nimbus
