// The one-pass read of the store file.
#include "cli/OnePassReader.h"

#include <algorithm>
#include <functional>

#include "shell/core/GroupRollup.h"
#include "shell/core/TopicTree.h"
#include "shell/core/TreeBuild.h"
#include "store/SummaryLists.h"
#include "store/TNimbusNode.h"
#include "store/TNimbusStructure.h"

namespace nimbus::cli {

namespace {

// The ids the build gives the fixed sections whatever the file says.
const char *fixedSectionId(int kind)
{
    static const char *const ids[] = {"STD0001", "STD0002", "STD0003"};
    return kind >= 1 && kind <= 3 ? ids[kind - 1] : nullptr;
}

} // namespace

OnePassReader::OnePassReader(TNimbusStructure &recent, tree::TopicTree &tree, SummaryLists &lists,
                             DateTime now)
    : recent_(recent), tree_(tree), lists_(lists), now_(now),
      upgrades_(std::make_unique<TNimbusStructure>())
{
}

OnePassReader::~OnePassReader() = default;

void OnePassReader::keepChain()
{
    // Top down, so that each item finds its parent's.
    tree::TreeItem *parent = nullptr;
    for (Open &open : chain_) {
        if (!open.item) {
            kept_.push_back(std::move(open.owned));
            open.item = tree_.append(parent, open.node);
        }
        parent = open.item;
    }
}

void OnePassReader::take(std::unique_ptr<TNimbusNode> &owned)
{
    if (!regular_)
        return;
    TNimbusNode &node = *owned;
    const auto depth = static_cast<std::size_t>(std::max(node.lev, 0));
    if (node.uni.empty() || node.lev < 0 || (chain_.empty() && node.lev != 0) ||
        depth > chain_.size()) {
        regular_ = false;
        return;
    }
    idHashes_.push_back(std::hash<std::string>{}(node.uni));
    chain_.resize(depth); // the records that ended go, unless they were kept
    bool whole = !chain_.empty() && chain_.back().whole;
    bool member = false;
    if (node.lev == 0) {
        const char *fixed = fixedSectionId(node.type);
        if (fixed && node.uni != fixed) {
            regular_ = false;
            return;
        }
        node.ttype = -1; // as the build places a section
    } else {
        tree::PrepareTopic(*upgrades_, node, now_);
        const unsigned groups = summary::MemberGroups(node);
        for (int i = 0; i < summary::kGroupCount; ++i)
            counts_[static_cast<std::size_t>(i)] += (groups >> i) & 1U;
        member = group_ && ((groups >> summary::indexOf(*group_)) & 1U);
        whole = whole || member;
    }
    if (!group_) {
        // Counting: only the topics the recent lists name are kept, and no tree.
        if (ids_.count(node.uni) && recent_.Append(std::move(owned)) < 0)
            regular_ = false; // an id read twice
        chain_.push_back({});
        return;
    }
    Open &open = chain_.emplace_back();
    open.node = &node;
    open.owned = std::move(owned);
    open.whole = whole;
    if (whole) {
        keepChain();
        if (member)
            lists_.ClassifyNode(node);
    }
}

bool OnePassReader::finish()
{
    chain_.clear();
    if (!regular_)
        return false;
    std::sort(idHashes_.begin(), idHashes_.end());
    if (std::adjacent_find(idHashes_.begin(), idHashes_.end()) != idHashes_.end())
        return false; // an id read twice (or two ids of one hash): the build decides
    if (group_) {
        // Children before their parents, as the build rolls groups up. A kept member has its
        // whole subtree here, so its roll-up is the build's; the topics kept above it only
        // for their titles are never shown.
        const std::vector<tree::TreeItem *> items = tree_.preOrder();
        for (auto it = items.rbegin(); it != items.rend(); ++it)
            tree::UpdateGroup(*it, now_);
        lists_.FinishClassify();
    }
    return true;
}

} // namespace nimbus::cli
