// The chain of handles over the store's list.
#include "sharing/StoreSplice.h"

#include "store/TNimbusStructure.h"

namespace nimbus {

StoreSplice::StoreSplice(TNimbusStructure &store) : store_(store), storeCount_(store.Count())
{
    next_.resize(static_cast<std::size_t>(storeCount_));
    for (int i = 0; i < storeCount_; ++i)
        next_[static_cast<std::size_t>(i)] = i + 1 < storeCount_ ? i + 1 : kNone;
    head_ = storeCount_ > 0 ? 0 : kNone;
    tail_ = storeCount_ > 0 ? storeCount_ - 1 : kNone;
}

TNimbusNode &StoreSplice::Node(int handle) const
{
    if (handle < storeCount_)
        return *store_.Node(handle);
    return *added_[static_cast<std::size_t>(handle - storeCount_)];
}

int StoreSplice::Find(std::string_view id) const
{
    const int index = store_.IndexOf(id);
    if (index >= 0)
        return index;
    const auto it = addedIds_.find(std::string(id));
    return it == addedIds_.end() ? kNone : it->second;
}

int StoreSplice::Add(std::unique_ptr<TNimbusNode> node)
{
    if (!node || Find(node->uni) != kNone)
        return kNone;
    const int handle = storeCount_ + static_cast<int>(added_.size());
    addedIds_.emplace(node->uni, handle);
    added_.push_back(std::move(node));
    next_.push_back(kNone);
    return handle;
}

void StoreSplice::InsertAfter(int anchor, int handle)
{
    // A refused Add hands out kNone: placing it would write before the start of the chain.
    if (handle < 0 || handle >= static_cast<int>(next_.size()) || handle == anchor)
        return;
    if (anchor == kNone) {
        next_[static_cast<std::size_t>(handle)] = head_;
        head_ = handle;
        if (tail_ == kNone)
            tail_ = handle;
        return;
    }
    next_[static_cast<std::size_t>(handle)] = Next(anchor);
    next_[static_cast<std::size_t>(anchor)] = handle;
    if (anchor == tail_)
        tail_ = handle;
}

void StoreSplice::Append(int handle)
{
    InsertAfter(tail_, handle);
}

int StoreSplice::SubtreeEnd(int handle) const
{
    const int level = Node(handle).lev;
    int last = handle;
    for (int h = Next(handle); h != kNone && Node(h).lev > level; h = Next(h))
        last = h;
    return last;
}

int StoreSplice::FirstOfKind(int type) const
{
    for (int h = head_; h != kNone; h = Next(h))
        if (Node(h).type == type)
            return h;
    return kNone;
}

int StoreSplice::LastLevel() const
{
    return tail_ == kNone ? -1 : Node(tail_).lev;
}

void StoreSplice::Commit()
{
    std::vector<TNimbusNode *> order;
    order.reserve(next_.size());
    std::vector<bool> seen(next_.size(), false);
    for (int h = head_; h != kNone && !seen[static_cast<std::size_t>(h)]; h = Next(h)) {
        seen[static_cast<std::size_t>(h)] = true;
        order.push_back(&Node(h));
    }
    // The store drops what the new order leaves out. A chain cut by a wrong placement must
    // never cost a local topic: anything not reached goes at the end, in its old order.
    for (std::size_t h = 0; h < seen.size(); ++h)
        if (!seen[h])
            order.push_back(&Node(static_cast<int>(h)));
    // Added nodes join at the end first (the store only orders nodes it owns); an id that is
    // taken by now cannot happen, as Add checked it, but such a node would simply be dropped.
    for (auto &node : added_)
        if (store_.Append(std::move(node)) < 0)
            node.reset();
    added_.clear();
    addedIds_.clear();
    store_.Rebuild(order);
}

} // namespace nimbus
