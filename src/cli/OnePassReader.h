// The summary's counts and one group's list from a single pass over the store file, for
// stores of any size: every record gets the tree build's own treatment (PrepareTopic) and is
// classified as it is read, then dropped unless the answer needs it. Kept are the members of
// the one group asked for, with everything below them (a group task's status rolls up from
// its sub-tasks) and the topics above them (their path); for the counts, only the topics the
// recent lists name. The roll-up then runs over what was kept, as the build runs it.
//
// The pass gives up (finish() returns false) on a store the build would change before
// classifying: a topic before the first section, a depth more than one below the topic
// before it, a fixed section under another id, an empty or repeated id. The caller then
// loads the store whole, so the answer never differs from the window's.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "store/DateTime.h"
#include "store/SummaryRules.h"

namespace nimbus {
class SummaryLists;
class TNimbusNode;
class TNimbusStructure;
namespace tree {
class TopicTree;
struct TreeItem;
} // namespace tree
} // namespace nimbus

namespace nimbus::cli {

class OnePassReader {
public:
    // recent receives the topics the recent lists name (counting), tree the items of the
    // topics kept for a group and lists the group's members.
    OnePassReader(TNimbusStructure &recent, tree::TopicTree &tree, SummaryLists &lists,
                  DateTime now);
    ~OnePassReader();

    // Keep the members of this group (a classified one) with their subtrees and ancestors.
    void keepGroup(summary::Group group) { group_ = group; }
    // Keep the topics with these ids (the recent lists' entries).
    void keepIds(std::unordered_set<std::string> ids) { ids_ = std::move(ids); }

    // One complete record, in file order (the reader's sink).
    void take(std::unique_ptr<TNimbusNode> &node);
    // After the last record: rolls the kept groups up and orders the members. False when the
    // store needs the whole build (see above).
    bool finish();

    // The topics kept for the group, in file order; the tree's items point at them.
    std::vector<std::unique_ptr<TNimbusNode>> takeKept() { return std::move(kept_); }
    // The number of topics in a classified group.
    int count(summary::Group group) const
    {
        return counts_[static_cast<std::size_t>(summary::indexOf(group))];
    }

private:
    // An open ancestor of the record being read, by depth.
    struct Open {
        std::unique_ptr<TNimbusNode> owned; // until it is kept (or dropped with the entry)
        TNimbusNode *node = nullptr;
        tree::TreeItem *item = nullptr; // once kept
        bool whole = false;             // a kept member or below one: its subtree is kept
    };
    void keepChain();

    TNimbusStructure &recent_;
    std::vector<std::unique_ptr<TNimbusNode>> kept_;
    tree::TopicTree &tree_;
    SummaryLists &lists_;
    DateTime now_;
    std::optional<summary::Group> group_;
    std::unordered_set<std::string> ids_;
    std::unique_ptr<TNimbusStructure> upgrades_; // takes the build's "modified" marks
    std::vector<Open> chain_;
    std::vector<std::uint64_t> idHashes_; // to find repeated ids without keeping them
    std::array<int, summary::kGroupCount> counts_{};
    bool regular_ = true;
};

} // namespace nimbus::cli
