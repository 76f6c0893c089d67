// Applying the server's changes; see LocalApply.h.
#include "caldav/LocalApply.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "calendar/CalendarLinks.h"
#include "calendar/TopicUid.h"
#include "recurrence/RecurrenceFile.h"
#include "store/TNimbusStructure.h"

namespace nimbus::caldav {

namespace {

// The subtree as parent and children lists, rebuilt into the store's pre-order at the end.
class SubtreeEdit {
public:
    SubtreeEdit(TNimbusStructure &store, int root) : store_(store), root_(store.Node(root))
    {
        first_ = root;
        const int level = root_->lev;
        end_ = root + 1;
        std::vector<TNimbusNode *> chain{root_};
        while (end_ < store.Count() && store.Node(end_) && store.Node(end_)->lev > level) {
            TNimbusNode *node = store.Node(end_);
            const std::size_t depth = static_cast<std::size_t>(node->lev - level);
            chain.resize(depth + 1);
            chain[depth] = node;
            attach(node, chain[depth - 1] ? chain[depth - 1] : root_, nullptr);
            ++end_;
        }
        for (int i = 0; i < store.Count(); ++i)
            if (i < first_ || i >= end_)
                (i < first_ ? before_ : after_).push_back(store.Node(i));
    }

    bool contains(TNimbusNode *node) const { return node == root_ || parent_.count(node) != 0; }
    TNimbusNode *root() const { return root_; }
    TNimbusNode *parentOf(TNimbusNode *node) const
    {
        const auto it = parent_.find(node);
        return it == parent_.end() ? nullptr : it->second;
    }

    // Places node under parent, after `after` (at the end when null).
    void attach(TNimbusNode *node, TNimbusNode *parent, TNimbusNode *after)
    {
        parent_[node] = parent;
        auto &list = children_[parent];
        auto at = after ? std::find(list.begin(), list.end(), after) : list.end();
        list.insert(at == list.end() ? list.end() : at + 1, node);
    }
    void detach(TNimbusNode *node)
    {
        auto &list = children_[parent_[node]];
        list.erase(std::find(list.begin(), list.end(), node));
        parent_.erase(node);
    }
    // True when `ancestor` is node or lies above it.
    bool isWithin(TNimbusNode *node, TNimbusNode *ancestor) const
    {
        for (TNimbusNode *n = node; n != nullptr; n = parentOf(n))
            if (n == ancestor)
                return true;
        return false;
    }
    void move(TNimbusNode *node, TNimbusNode *parent)
    {
        if (parentOf(node) == parent || isWithin(parent, node))
            return;  // no change, or a move under its own sub-topic
        detach(node);
        attach(node, parent, nullptr);
    }
    // Takes the node out; its sub-topics take its place under its parent.
    void remove(TNimbusNode *node)
    {
        TNimbusNode *parent = parentOf(node);
        auto &siblings = children_[parent];
        auto at = std::find(siblings.begin(), siblings.end(), node);
        std::vector<TNimbusNode *> kids = children_[node];
        at = siblings.erase(at);
        siblings.insert(at, kids.begin(), kids.end());
        for (TNimbusNode *k : kids)
            parent_[k] = parent;
        children_.erase(node);
        parent_.erase(node);
    }

    // The store's list in pre-order with the levels set; nodes no longer attached are
    // destroyed by the store.
    void commit()
    {
        std::vector<TNimbusNode *> order(before_.begin(), before_.end());
        order.push_back(root_);
        std::vector<std::pair<TNimbusNode *, int>> stack;
        const auto &top = children_[root_];
        for (auto it = top.rbegin(); it != top.rend(); ++it)
            stack.emplace_back(*it, root_->lev + 1);
        while (!stack.empty()) {
            auto [node, level] = stack.back();
            stack.pop_back();
            node->lev = level;
            node->type = root_->type;
            order.push_back(node);
            const auto &kids = children_[node];
            for (auto it = kids.rbegin(); it != kids.rend(); ++it)
                stack.emplace_back(*it, level + 1);
        }
        order.insert(order.end(), after_.begin(), after_.end());
        store_.Rebuild(order);
    }

    // The UID of the parent a node has now (empty at the subtree's top).
    std::string parentUid(TNimbusNode *node, const TopicUids &uids) const
    {
        TNimbusNode *parent = parentOf(node);
        return parent == nullptr || parent == root_ ? std::string() : uids.uidOf(parent->uni);
    }

private:
    TNimbusStructure &store_;
    TNimbusNode *root_;
    int first_ = 0;
    int end_ = 0;
    std::vector<TNimbusNode *> before_, after_;
    std::map<TNimbusNode *, TNimbusNode *> parent_;
    std::map<TNimbusNode *, std::vector<TNimbusNode *>> children_;
};

void takeFields(TNimbusNode &node, const TNimbusNode &from)
{
    const int dac = node.dac, dam = node.dam;
    node.AssignNode(from);
    node.richRule = from.richRule;
    node.dac = dac;
    node.dam = dam;
}

// The rules say what the topic now repeats by.
void recordSeries(recurrence::RecurrenceFile *rules, const TNimbusNode &node)
{
    if (rules == nullptr)
        return;
    const recurrence::Series *series = repeatSeries(node);
    const recurrence::Series *kept = rules->Find(node.uni);
    if (series != nullptr && (kept == nullptr || !(*kept == *series)))
        rules->Set(node.uni, *series);
    else if (series == nullptr)
        rules->Remove(node.uni);
}

}  // namespace

ApplyResult applyChanges(TNimbusStructure &store, const std::string &rootUni,
                         const std::vector<LocalChange> &changes, SyncState &state, TopicUids &uids,
                         calendar::CalendarLinks &links, const std::string &stampNow, StoreLog &log,
                         const PageAccess &pages, recurrence::RecurrenceFile *rules)
{
    ApplyResult result;
    const int rootIndex = store.IndexOf(rootUni);
    if (rootIndex < 0 || store.Node(rootIndex) == nullptr) {
        result.error = "The topic that calendar sync keeps in step with the calendar no longer exists.";
        return result;
    }
    if (changes.empty())
        return result;
    SubtreeEdit tree(store, rootIndex);
    std::map<std::string, TNimbusNode *> byUid;  // nodes of the subtree and new ones, by UID
    auto nodeOfUid = [&](const std::string &uid) -> TNimbusNode * {
        if (uid.empty())
            return nullptr;
        const auto it = byUid.find(uid);
        return it == byUid.end() ? nullptr : it->second;
    };
    for (int i = rootIndex + 1; i < store.Count(); ++i) {
        TNimbusNode *node = store.Node(i);
        if (node && tree.contains(node))
            byUid[uids.uidOf(node->uni)] = node;
    }
    // The page as it is on disk now: an edit saved since the snapshot counts as a change here.
    auto pageText = [&](const TNimbusNode &node) {
        return pages.travels() ? readDetailsPage(node, pages, log).text : std::string();
    };
    auto currentHash = [&](TNimbusNode *node) {
        return topicFingerprint(*node, tree.parentUid(node, uids), pageText(*node));
    };
    // Pages that could not be written: their entries are fetched again next time.
    std::set<std::string> pageFailed;
    auto takePage = [&](TNimbusNode &node, const LocalChange &change) {
        if (writeDetailsPage(node, change.remote, pages, log) == PageWrite::Failed)
            pageFailed.insert(change.remote.uid);
    };

    // New topics first (ids taken before anything moves), then their places once all exist.
    std::vector<std::pair<TNimbusNode *, const LocalChange *>> placed;
    // The ids of the new topics and copies taken in one write of the counter: a calendar of
    // thousands of new entries would otherwise wait for one synced write per topic.
    std::vector<int> reserved;
    std::size_t nextReserved = 0;
    const auto fresh = std::count_if(changes.begin(), changes.end(), [](const LocalChange &c) {
        return c.kind == LocalChange::Add || c.kind == LocalChange::Conflict;
    });
    if (fresh > 1)
        reserved = store.NextUniques(static_cast<int>(fresh));
    auto newTopic = [&](const LocalChange &change, const std::string &title,
                        bool keepUid) -> TNimbusNode * {
        const int n =
            nextReserved < reserved.size() ? reserved[nextReserved++] : store.NextUnique();
        if (n < 0) {
            if (result.error.empty())
                result.error = "No new topic id could be taken from the counter file; the calendar's new topics wait for the next sync.";
            return nullptr;
        }
        auto node = std::make_unique<TNimbusNode>(std::to_string(n));
        node->AssignNode(change.remote.node);
        node->richRule = change.remote.node.richRule;
        node->text = title;
        node->dac = node->dam = 0;
        if (node->cre.empty())
            node->cre = stampNow;
        TNimbusNode *raw = node.get();
        if (store.Append(std::move(node)) < 0)
            return nullptr;
        takePage(*raw, change);
        recordSeries(rules, *raw);
        if (keepUid) {
            uids.remember(raw->uni, change.remote.uid);
            byUid[change.remote.uid] = raw;
            if (!calendar::ownTopicId(change.remote.uid, links.installation()))
                links.link(change.remote.uid, raw->uni);
        }
        result.addedUnis.push_back(raw->uni);
        result.changed = true;
        return raw;
    };

    std::vector<std::pair<TNimbusNode *, std::string>> settled;  // node, UID whose entry gets its fingerprint
    for (const LocalChange &change : changes) {
        TNimbusNode *node = change.uni.empty() ? nullptr : store.Find(change.uni);
        if (node != nullptr && !tree.contains(node))
            node = nullptr;
        switch (change.kind) {
        case LocalChange::Add: {
            TNimbusNode *made = newTopic(change, change.remote.node.text, true);
            if (made == nullptr) {
                state.entries.erase(change.remote.uid);  // fetched again next time
                continue;
            }
            placed.emplace_back(made, &change);
            settled.emplace_back(made, change.remote.uid);
            ++result.added;
            break;
        }
        case LocalChange::Update:
        case LocalChange::Remove: {
            if (node == nullptr)
                break;  // gone here meanwhile: the next sync deletes it there
            if (currentHash(node) != change.expectedHash) {
                // Edited here since the snapshot: kept, and the server's version (if any) beside it.
                if (change.kind == LocalChange::Update) {
                    if (TNimbusNode *copy = newTopic(change, kConflictPrefix + change.remote.node.text, false)) {
                        state.localOnly.insert(copy->uni);
                        tree.attach(copy, tree.parentOf(node), node);
                        ++result.conflicts;
                        log.AddToLog("Calendar sync: \"" + node->text + "\" was changed here while the server's version arrived; it is kept beside it as \"" + copy->text + "\".");
                    }
                    if (auto e = state.entries.find(change.remote.uid); e != state.entries.end())
                        e->second.hash = change.remoteHash;
                } else {
                    // Kept; forgetting the entry makes the next sync send it again.
                    for (auto e = state.entries.begin(); e != state.entries.end(); ++e)
                        if (e->second.uni == node->uni) {
                            state.entries.erase(e);
                            break;
                        }
                }
                break;
            }
            if (change.kind == LocalChange::Update) {
                takeFields(*node, change.remote.node);
                takePage(*node, change);
                recordSeries(rules, *node);
                placed.emplace_back(node, &change);
                settled.emplace_back(node, change.remote.uid);
                ++result.updated;
            } else {
                log.AddToLog("Calendar sync: \"" + node->text +
                             "\" was removed from the calendar on the server; it is removed here.");
                result.removedUnis.push_back(node->uni);
                tree.remove(node);
                ++result.removed;
            }
            result.changed = true;
            break;
        }
        case LocalChange::Conflict: {
            if (node == nullptr)
                break;
            if (TNimbusNode *copy = newTopic(change, kConflictPrefix + change.remote.node.text, false)) {
                state.localOnly.insert(copy->uni);
                tree.attach(copy, tree.parentOf(node), node);
                ++result.conflicts;
                log.AddToLog("Calendar sync: \"" + node->text + "\" was changed here and on the server; the server's version is kept beside it as \"" + copy->text + "\".");
            }
            break;
        }
        }
    }
    // Places: under the parent the server names when it is in the subtree, else at the top.
    // Every new topic is at the top first, so that a sub-topic listed before its parent
    // finds it there.
    for (auto &[node, change] : placed)
        if (tree.parentOf(node) == nullptr && node != tree.root())
            tree.attach(node, tree.root(), nullptr);
    for (auto &[node, change] : placed) {
        TNimbusNode *parent = nodeOfUid(change->remote.parentUid);
        if (parent == nullptr || !tree.contains(parent) || parent == node)
            parent = tree.root();
        tree.move(node, parent);
    }
    if (!result.changed)
        return result;
    tree.commit();
    for (auto &[node, uid] : settled) {
        auto e = state.entries.find(uid);
        if (e == state.entries.end())
            continue;
        e->second.uni = node->uni;
        e->second.hash = topicFingerprint(*node, tree.parentUid(node, uids), pageText(*node));
        if (pageFailed.count(uid) != 0)
            e->second.etag.clear();
    }
    store.modified = true;
    return result;
}

}  // namespace nimbus::caldav
