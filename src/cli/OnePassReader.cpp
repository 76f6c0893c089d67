// The one-pass read of the store file.
#include "cli/OnePassReader.h"

#include <algorithm>

#include "store/SummaryLists.h"
#include "store/TNimbusNode.h"
#include "store/TNimbusStructure.h"
#include "tree/GroupRollup.h"
#include "tree/TopicTree.h"
#include "tree/TreeBuild.h"

namespace nimbus::cli {

namespace {

// The ids the build gives the fixed sections whatever the file says.
const char *fixedSectionId(int kind)
{
    static const char *const ids[] = {"STD0001", "STD0002", "STD0003"};
    return kind >= 1 && kind <= 3 ? ids[kind - 1] : nullptr;
}

} // namespace

OnePassReader::OnePassReader(Keep keep, TNimbusStructure &kept, tree::TopicTree &tree,
                             SummaryLists &lists, DateTime now)
    : keep_(std::move(keep)), kept_(kept), tree_(tree), lists_(lists), now_(now),
      upgrades_(std::make_unique<TNimbusStructure>())
{
}

OnePassReader::~OnePassReader() = default;

void OnePassReader::keepChain()
{
    // Top down, so that each item finds its parent's and the store keeps the file's order.
    tree::TreeItem *parent = nullptr;
    for (Open &open : chain_) {
        if (!open.item) {
            if (!keep_.findable && open.node->lev > 0) {
                held_.push_back(std::move(open.owned));
            } else if (kept_.Append(std::move(open.owned)) < 0) {
                regular_ = false; // an id read twice
                return;
            }
            open.item = tree_.append(parent, open.node);
        }
        parent = open.item;
    }
}

void OnePassReader::finishTopic()
{
    tree::TreeItem *topic = chain_[1].item;
    // Its subtree in pre-order, rolled up children first, as the build rolls groups up.
    std::vector<tree::TreeItem *> items;
    std::vector<tree::TreeItem *> stack{topic};
    while (!stack.empty()) {
        tree::TreeItem *item = stack.back();
        stack.pop_back();
        items.push_back(item);
        for (auto it = item->children.rbegin(); it != item->children.rend(); ++it)
            stack.push_back(it->get());
    }
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        tree::UpdateGroup(*it, now_);
    keep_.finished(*topic);
    // Its nodes are the last ones held, from the topic on (in the store they would stay).
    const TNimbusNode *first = topic->node;
    tree_.remove(topic);
    while (!keep_.findable && !held_.empty()) {
        const bool last = held_.back().get() == first;
        held_.pop_back();
        if (last)
            break;
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
    ids_.add(node.uni);
    if (keep_.finished && depth <= 1 && chain_.size() > 1)
        finishTopic();    // the topic before ended with its subtree
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
        member = keep_.group && ((groups >> summary::indexOf(*keep_.group)) & 1U);
    }
    const bool named = !keep_.ids.empty() && keep_.ids.count(node.uni);
    if (!keep_.tree) {
        // Counting: only the topics named are kept, and no tree.
        if (named && kept_.Append(std::move(owned)) < 0)
            regular_ = false; // an id read twice
        chain_.push_back({});
        return;
    }
    whole = whole || member || named || keep_.finished ||
            (node.lev > 0 && keep_.test && keep_.test(node));
    Open &open = chain_.emplace_back();
    open.node = &node;
    open.owned = std::move(owned);
    open.whole = whole;
    if (whole || node.lev == 0 || (!keep_.anchor.empty() && node.uni == keep_.anchor))
        keepChain();
    if (member)
        lists_.ClassifyNode(node);
}

bool OnePassReader::finish()
{
    if (regular_ && keep_.finished && chain_.size() > 1)
        finishTopic();
    chain_.clear();
    if (!regular_ || ids_.repeated())
        return false; // a repeated id (or two ids of one hash): the build decides
    if (keep_.tree) {
        // Children before their parents, as the build rolls groups up. A topic kept for the
        // answer has its whole subtree here, so its roll-up is the build's; a topic kept above
        // it only for its title is in no group and failed the test, so no list shows it.
        const std::vector<tree::TreeItem *> items = tree_.preOrder();
        for (auto it = items.rbegin(); it != items.rend(); ++it)
            tree::UpdateGroup(*it, now_);
    }
    if (keep_.group)
        lists_.FinishClassify();
    return true;
}

} // namespace nimbus::cli
