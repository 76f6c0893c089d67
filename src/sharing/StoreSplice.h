// Planned changes to the store's list, made all at once. A merge places many nodes next to
// others (after a section, after a topic's last descendant); inserting each one into a list of
// 100,000 would move the whole list every time. The splice keeps the list as a chain of
// handles, places nodes in the chain, and gives the store its new order in one pass.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace nimbus {

class TNimbusNode;
class TNimbusStructure;

class StoreSplice {
public:
    static constexpr int kNone = -1;

    // Handles 0 .. Count()-1 are the store's entries; the store must not change until Commit.
    explicit StoreSplice(TNimbusStructure &store);

    TNimbusNode &Node(int handle) const;
    // The node with that id, in the store or added; kNone when none.
    int Find(std::string_view id) const;
    int Head() const { return head_; }
    int Next(int handle) const { return next_[static_cast<std::size_t>(handle)]; }

    // Takes a node that is not placed yet; kNone (the node is dropped) when its id is taken.
    int Add(std::unique_ptr<TNimbusNode> node);
    // Places an added node after anchor (kNone: first), or at the end. A kNone handle (a
    // refused Add) places nothing.
    void InsertAfter(int anchor, int handle);
    void Append(int handle);

    // The last handle of the subtree of handle (itself when it has no descendants).
    int SubtreeEnd(int handle) const;
    // The first handle whose node has that section kind; kNone when none.
    int FirstOfKind(int type) const;
    // Level of the last node of the list; -1 when the list is empty.
    int LastLevel() const;

    // The added nodes join the store and the store's list takes the chain's order; a handle
    // the chain does not reach is kept at the end, so no node is ever lost.
    void Commit();

private:
    TNimbusStructure &store_;
    int storeCount_;
    std::vector<std::unique_ptr<TNimbusNode>> added_;
    std::unordered_map<std::string, int> addedIds_;
    std::vector<int> next_;
    int head_ = kNone;
    int tail_ = kNone;
};

} // namespace nimbus
