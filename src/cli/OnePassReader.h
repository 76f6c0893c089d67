// The summary's counts and the topics of one list from a single pass over the store file, for
// stores of any size: every record gets the tree build's own treatment (PrepareTopic) and is
// classified as it is read, then dropped unless the answer needs it (Keep). A topic kept for a
// list comes with everything below it (a group task's status rolls up from its sub-tasks, and
// its row says whether it has any) and the topics above it (its path); the sections are kept
// as well (a list narrowed to one finds it). The roll-up then runs over what was kept, as the
// build runs it. Counting keeps only the topics named by id, without a tree.
//
// The pass gives up (finish() returns false) on a store the build would change before
// classifying: a topic before the first section, a depth more than one below the topic
// before it, a fixed section under another id, an empty or repeated id. The caller then
// loads the store whole, so the answer never differs from the window's.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "cli/RepeatedIdCheck.h"
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
    // What the pass keeps besides the counts.
    struct Keep {
        // False for counting (the summary): only the topics `ids` names are kept, in the
        // store, without a tree. Otherwise a tree of the topics asked for below, with their
        // subtrees and ancestors, and of the sections.
        bool tree = true;
        // The members of this classified group, classified into the lists.
        std::optional<summary::Group> group;
        // Topics this test accepts once prepared, before the roll-up: it may accept more than
        // the answer needs, never fewer, so a test of a value the roll-up changes (status,
        // percentage, urgency below) must not look at it.
        std::function<bool(const TNimbusNode &)> test;
        // The topics with these ids.
        std::unordered_set<std::string> ids;
        // A topic kept with its ancestors but not its subtree (a list below it needs it).
        std::string anchor;
        // Whether the topics kept are looked up by id or listed: false leaves them out of the
        // store (held by the pass, for a group's members alone), which saves indexing them.
        // The sections are in the store either way.
        bool findable = true;
        // Every topic, streamed: each topic directly under a section is handed over once its
        // subtree is read and rolled up, then dropped with that subtree (the sections stay).
        // What it was handed is only good once finish() returned true. With findable false,
        // or the topics stay in the store.
        std::function<void(const tree::TreeItem &topic)> finished;
    };

    // kept receives the topics kept (when findable), in file order; tree their items; lists
    // the group's members.
    OnePassReader(Keep keep, TNimbusStructure &kept, tree::TopicTree &tree, SummaryLists &lists,
                  DateTime now);
    ~OnePassReader();

    // One complete record, in file order (the reader's sink).
    void take(std::unique_ptr<TNimbusNode> &node);
    // After the last record: rolls the kept topics up and orders the group's members. False
    // when the store needs the whole build (see above).
    bool finish();

    // The topics kept but not findable, in file order; the tree's items point at them.
    std::vector<std::unique_ptr<TNimbusNode>> takeHeld() { return std::move(held_); }
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
        bool whole = false;             // kept with its subtree, or below such a topic
    };
    void keepChain();
    // Hands the open topic directly under a section over to keep.finished, then drops it.
    void finishTopic();

    Keep keep_;
    TNimbusStructure &kept_;
    std::vector<std::unique_ptr<TNimbusNode>> held_;
    tree::TopicTree &tree_;
    SummaryLists &lists_;
    DateTime now_;
    std::unique_ptr<TNimbusStructure> upgrades_; // takes the build's "modified" marks
    std::vector<Open> chain_;
    RepeatedIdCheck ids_;
    std::array<int, summary::kGroupCount> counts_{};
    bool regular_ = true;
};

} // namespace nimbus::cli
