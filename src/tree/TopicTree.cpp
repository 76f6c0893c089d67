// Items of the topic tree: adding, removing, sorting and walking in display order.
#include "tree/TopicTree.h"

#include <algorithm>

#include "store/SlotPool.h"
#include "store/TNimbusNode.h"

namespace nimbus::tree {

namespace {

SlotPool &itemPool()
{
    // Never destroyed, like the nodes' pool: an item may outlive the statics at exit.
    static SlotPool *pool = new SlotPool(sizeof(TreeItem), alignof(TreeItem));
    return *pool;
}

} // namespace

void *TreeItem::operator new(std::size_t size)
{
    if (!SlotPool::kUsed || size != sizeof(TreeItem))
        return ::operator new(size);
    return itemPool().allocate();
}

void TreeItem::operator delete(void *item, std::size_t size) noexcept
{
    if (!SlotPool::kUsed || size != sizeof(TreeItem))
        ::operator delete(item);
    else
        itemPool().deallocate(item);
}

int TreeItem::level() const
{
    int depth = 0;
    for (const TreeItem *p = parent; p; p = p->parent)
        ++depth;
    return depth;
}

TopicTree::TopicTree() = default;

TopicTree::~TopicTree()
{
    clear();
}

void TopicTree::clear()
{
    forEach([](TreeItem *item) {
        if (item->node)
            item->node->treeItem = nullptr;
    });
    root_.children.clear();
    count_ = 0;
}

TreeItem *TopicTree::append(TreeItem *parent, TNimbusNode *node)
{
    return insert(parent, siblingsOwner(parent)->childCount(), node);
}

TreeItem *TopicTree::insert(TreeItem *parent, int row, TNimbusNode *node)
{
    TreeItem *owner = siblingsOwner(parent);
    row = std::clamp(row, 0, owner->childCount());
    auto item = std::make_unique<TreeItem>();
    item->node = node;
    item->parent = parent;
    TreeItem *made = item.get();
    owner->children.insert(owner->children.begin() + row, std::move(item));
    renumber(owner, row);
    if (node)
        node->treeItem = made;
    ++count_;
    return made;
}

std::unique_ptr<TreeItem> TopicTree::take(TreeItem *item)
{
    TreeItem *owner = siblingsOwner(item->parent);
    const int row = item->row;
    std::unique_ptr<TreeItem> taken = std::move(owner->children[static_cast<std::size_t>(row)]);
    owner->children.erase(owner->children.begin() + row);
    renumber(owner, row);
    count_ -= subtreeSize(taken.get());
    taken->parent = nullptr;
    return taken;
}

void TopicTree::remove(TreeItem *item)
{
    std::unique_ptr<TreeItem> taken = take(item);
    std::vector<TreeItem *> stack{taken.get()};
    while (!stack.empty()) {
        TreeItem *current = stack.back();
        stack.pop_back();
        if (current->node)
            current->node->treeItem = nullptr;
        for (auto &child : current->children)
            stack.push_back(child.get());
    }
}

void TopicTree::sortChildren(TreeItem *parent,
                             const std::function<bool(const TreeItem *, const TreeItem *)> &less)
{
    TreeItem *owner = siblingsOwner(parent);
    std::stable_sort(owner->children.begin(), owner->children.end(),
                     [&](const std::unique_ptr<TreeItem> &a, const std::unique_ptr<TreeItem> &b) {
                         return less(a.get(), b.get());
                     });
    renumber(owner, 0);
}

void TopicTree::renumber(TreeItem *owner, int from)
{
    for (int i = from; i < owner->childCount(); ++i)
        owner->children[static_cast<std::size_t>(i)]->row = i;
}

void TopicTree::forEach(const std::function<void(TreeItem *)> &visit) const
{
    // An explicit stack: a hand-edited store can nest deeper than the call stack likes.
    std::vector<TreeItem *> stack;
    for (auto it = root_.children.rbegin(); it != root_.children.rend(); ++it)
        stack.push_back(it->get());
    while (!stack.empty()) {
        TreeItem *item = stack.back();
        stack.pop_back();
        visit(item);
        for (auto it = item->children.rbegin(); it != item->children.rend(); ++it)
            stack.push_back(it->get());
    }
}

std::vector<TreeItem *> TopicTree::preOrder() const
{
    std::vector<TreeItem *> order;
    order.reserve(static_cast<std::size_t>(count_));
    forEach([&](TreeItem *item) { order.push_back(item); });
    return order;
}

int TopicTree::position(const TreeItem *item) const
{
    if (!item)
        return -1;
    // Items before it: for each ancestor level, the whole subtrees of earlier siblings.
    int pos = 0;
    for (const TreeItem *current = item; current; current = current->parent) {
        const TreeItem *owner = current->parent ? current->parent : &root_;
        if (current->row >= owner->childCount() || owner->child(current->row) != current)
            return -1;
        for (int i = 0; i < current->row; ++i)
            pos += subtreeSize(owner->child(i));
        if (current->parent)
            ++pos; // the parent itself comes first
    }
    return pos;
}

TreeItem *TopicTree::at(int position) const
{
    if (position < 0 || position >= count_)
        return nullptr;
    const TreeItem *owner = &root_;
    while (true) {
        for (const auto &child : owner->children) {
            if (position == 0)
                return child.get();
            const int size = subtreeSize(child.get());
            if (position < size) {
                --position; // step into the child: past the child itself
                owner = child.get();
                break;
            }
            position -= size;
        }
    }
}

TreeItem *TopicTree::first() const
{
    return root_.children.empty() ? nullptr : root_.children.front().get();
}

TreeItem *TopicTree::previousSibling(const TreeItem *item) const
{
    if (!item || item->row == 0)
        return nullptr;
    return siblingsOf(item).child(item->row - 1);
}

TreeItem *TopicTree::nextSibling(const TreeItem *item) const
{
    if (!item)
        return nullptr;
    const TreeItem &owner = siblingsOf(item);
    return item->row + 1 < owner.childCount() ? owner.child(item->row + 1) : nullptr;
}

TreeItem *TopicTree::nextOutside(const TreeItem *item) const
{
    for (const TreeItem *current = item; current; current = current->parent)
        if (TreeItem *next = nextSibling(current))
            return next;
    return nullptr;
}

int TopicTree::subtreeSize(const TreeItem *item)
{
    int size = 0;
    std::vector<const TreeItem *> stack{item};
    while (!stack.empty()) {
        const TreeItem *current = stack.back();
        stack.pop_back();
        ++size;
        for (const auto &child : current->children)
            stack.push_back(child.get());
    }
    return size;
}

} // namespace nimbus::tree
