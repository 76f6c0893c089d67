// The topic tree while the program runs: sections at the top, topics below them. It is the
// master of order and hierarchy; the store's list is rebuilt from it before every write.
// No Qt: the window's model shows it, and every rule about it can be tested without a window.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace nimbus {

class TNimbusNode;

namespace tree {

// One item of the tree. The node's treeItem points back at it.
struct TreeItem {
    TNimbusNode *node = nullptr;
    TreeItem *parent = nullptr; // null for a section (its parent is the invisible root)
    std::vector<std::unique_ptr<TreeItem>> children;
    int row = 0;           // position among its parent's children
    bool expanded = false; // shown expanded (kept in step with the view)

    // Depth: 0 for a section, 1 for a topic directly under a section, ...
    int level() const;
    bool hasChildren() const { return !children.empty(); }
    TreeItem *child(int index) const { return children[static_cast<std::size_t>(index)].get(); }
    int childCount() const { return static_cast<int>(children.size()); }

    // Items come from a pool of fixed-size slots, as nodes do (one item per topic).
    static void *operator new(std::size_t size);
    static void operator delete(void *item, std::size_t size) noexcept;
};

class TopicTree {
public:
    TopicTree();
    ~TopicTree();
    TopicTree(const TopicTree &) = delete;
    TopicTree &operator=(const TopicTree &) = delete;

    // The invisible root whose children are the sections.
    TreeItem &root() { return root_; }
    const TreeItem &root() const { return root_; }
    int count() const { return count_; }
    bool empty() const { return count_ == 0; }

    // Removes every item; the nodes' treeItem pointers are cleared.
    void clear();
    // Adds an item for the node as the last child of parent (null: a new section) and points
    // the node's treeItem at it.
    TreeItem *append(TreeItem *parent, TNimbusNode *node);
    // The same at a position among parent's children.
    TreeItem *insert(TreeItem *parent, int row, TNimbusNode *node);
    // Detaches an item with everything below it; the nodes keep their treeItem pointers.
    std::unique_ptr<TreeItem> take(TreeItem *item);
    // Deletes an item with everything below it; the nodes' treeItem pointers are cleared.
    void remove(TreeItem *item);
    // Reorders parent's direct children (null: the sections) by a strict weak order; stable.
    void sortChildren(TreeItem *parent,
                      const std::function<bool(const TreeItem *, const TreeItem *)> &less);

    // Every item in display order (pre-order), collapsed ones included.
    std::vector<TreeItem *> preOrder() const;
    void forEach(const std::function<void(TreeItem *)> &visit) const;
    // Absolute position of an item in display order; -1 when it is not in this tree.
    int position(const TreeItem *item) const;
    // The item at an absolute position; null when out of range.
    TreeItem *at(int position) const;
    TreeItem *first() const;

    TreeItem *previousSibling(const TreeItem *item) const;
    TreeItem *nextSibling(const TreeItem *item) const;
    // The next item in display order that is not below item; null at the end.
    TreeItem *nextOutside(const TreeItem *item) const;
    // The children list an item belongs to: its parent's, or the root's for a section.
    const TreeItem &siblingsOf(const TreeItem *item) const
    {
        return item->parent ? *item->parent : root_;
    }
    // Number of items in the subtree, the item itself included.
    static int subtreeSize(const TreeItem *item);

private:
    TreeItem *siblingsOwner(TreeItem *parent) { return parent ? parent : &root_; }
    void renumber(TreeItem *owner, int from);

    TreeItem root_;
    int count_ = 0;
};

} // namespace tree
} // namespace nimbus
