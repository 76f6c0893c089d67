// The four merge cases of a received packet.
#include "sharing/PacketMerge.h"

#include <memory>
#include <unordered_set>
#include <vector>

#include "sharing/PacketReader.h"
#include "sharing/StoreSplice.h"
#include "store/StoreLog.h"
#include "store/TNimbusStructure.h"

namespace nimbus::packet {

namespace {

// One packet node while it is merged.
struct Item {
    std::unique_ptr<TNimbusNode> node;
    std::string localId;
    int packetLevel = 0;
    int match = StoreSplice::kNone; // the local node it updates, or itself once placed
};

class Merger {
public:
    Merger(TNimbusStructure &store, TNimbusStructure *recentNew, StoreLog &log,
           MergeChanges &changes)
        : store_(store), recentNew_(recentNew), log_(log), changes_(changes), splice_(store)
    {
    }

    bool run(TNimbusStructure &packet, const std::string &ownPrefix);

private:
    int place(Item &item, int anchor); // kNone anchor: at the end; kNone when not placed
    void updateMatched();
    void placeNextToPacketNeighbours();
    int placedBefore(std::size_t i) const;
    int newSection(const TNimbusNode &header, const std::string &id);
    int findTargetSection(int kind) const;
    int freshId();

    TNimbusStructure &store_;
    TNimbusStructure *recentNew_;
    StoreLog &log_;
    MergeChanges &changes_;
    StoreSplice splice_;
    std::vector<Item> items_; // the header first
    // Every id the packet's topics will have here: an id handed out for the header or a new
    // section must be none of them, or the topic that has it could not be placed.
    std::unordered_set<std::string> packetIds_;
};

int Merger::freshId()
{
    for (int attempt = 0; attempt < 100000; ++attempt) {
        const int id = store_.NextUnique();
        if (id < 0)
            return id;
        const std::string text = std::to_string(id);
        if (packetIds_.count(text) == 0 && splice_.Find(text) == StoreSplice::kNone)
            return id;
    }
    return -1;
}

int Merger::findTargetSection(int kind) const
{
    for (int i = 0; i < store_.Count(); ++i) {
        const TNimbusNode *node = store_.Node(i);
        if (node && node->lev == 0 && node->type == kind)
            return i;
    }
    return StoreSplice::kNone;
}

int Merger::place(Item &item, int anchor)
{
    // Ids are checked before anything is placed, so this is a last line of defence: a taken id
    // gets a new one rather than the node being lost.
    if (splice_.Find(item.node->uni) != StoreSplice::kNone) {
        const int id = freshId();
        if (id < 0) {
            log_.AddToLog("*** Topic not received, its id is taken: " + item.node->text);
            item.node.reset();
            return StoreSplice::kNone;
        }
        item.node->uni = std::to_string(id);
    }
    const std::string id = item.node->uni;
    const int handle = splice_.Add(std::move(item.node));
    if (handle == StoreSplice::kNone)
        return handle;
    if (anchor == StoreSplice::kNone)
        splice_.Append(handle);
    else
        splice_.InsertAfter(anchor, handle);
    item.match = handle;
    changes_.added.push_back(id);
    return handle;
}

int Merger::newSection(const TNimbusNode &header, const std::string &id)
{
    auto section = std::make_unique<TNimbusNode>(id);
    section->lev = 0;
    section->text = "New section";
    section->type = header.type;
    section->sys = section->urgent = section->exp = section->send = true;
    const int handle = splice_.Add(std::move(section));
    if (handle == StoreSplice::kNone)
        return handle;
    splice_.Append(handle);
    changes_.added.push_back(id);
    log_.AddToLog("Added section: " + header.text);
    return handle;
}

void Merger::updateMatched()
{
    for (std::size_t i = 1; i < items_.size(); ++i) {
        Item &item = items_[i];
        if (item.match == StoreSplice::kNone)
            continue;
        TNimbusNode &local = splice_.Node(item.match);
        local.AssignNode(*item.node);
        changes_.updated.push_back(local.uni);
        log_.AddToLog("Matched topic: " + item.node->text);
    }
}

// The nearest item before i that has a place (the header always has one).
int Merger::placedBefore(std::size_t i) const
{
    while (i > 0 && items_[i - 1].match == StoreSplice::kNone)
        --i;
    return i > 0 ? items_[i - 1].match : StoreSplice::kNone;
}

// Case b: each new topic goes next to the packet topic before it, as it lay in the packet: below
// it when it was its child, otherwise after the whole local subtree of its previous sibling, so
// that it never takes over local children of a known topic.
void Merger::placeNextToPacketNeighbours()
{
    for (std::size_t i = 1; i < items_.size(); ++i) {
        Item &item = items_[i];
        if (item.match != StoreSplice::kNone)
            continue;
        const Item &prev = items_[i - 1];
        int anchor = StoreSplice::kNone;
        int level = 1;
        std::size_t sibling = i - 1;
        while (sibling > 0 && items_[sibling].packetLevel != item.packetLevel)
            --sibling;
        if (prev.packetLevel < item.packetLevel && prev.match != StoreSplice::kNone) {
            anchor = prev.match;
            level = splice_.Node(prev.match).lev + 1;
        } else if (items_[sibling].match != StoreSplice::kNone) {
            anchor = splice_.SubtreeEnd(items_[sibling].match);
            level = splice_.Node(items_[sibling].match).lev;
        } else if (const int before = placedBefore(i); before != StoreSplice::kNone) {
            // The topic it belongs beside could not be placed: it goes after what could.
            anchor = splice_.SubtreeEnd(before);
            level = splice_.Node(before).lev + 1;
        }
        item.node->lev = level;
        const std::string text = item.node->text;
        place(item, anchor);
        log_.AddToLog("Added topic: " + text);
    }
}

bool Merger::run(TNimbusStructure &packet, const std::string &ownPrefix)
{
    if (packet.Count() == 0) {
        changes_.mergeCase = 'a';
        return true;
    }
    log_.AddToLog("Receiving : " + packet.Node(0)->text);
    items_.resize(static_cast<std::size_t>(packet.Count()));
    for (int i = packet.Count() - 1; i >= 0; --i)
        items_[static_cast<std::size_t>(i)].node = packet.Extract(i);
    std::size_t matched = 0;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        Item &item = items_[i];
        item.packetLevel = item.node->lev;
        if (i == 0)
            continue;
        item.localId = LocalIdOf(item.node->uni, ownPrefix);
        item.match = store_.IndexOf(item.localId);
        if (item.match != StoreSplice::kNone)
            ++matched;
        // A topic of this user's that comes back lives under its own id again, so that a
        // further receipt of it is matched and its page files (imported without the prefix)
        // belong to it.
        item.node->uni = item.localId;
        packetIds_.insert(item.localId);
    }
    const std::size_t nonHeader = items_.size() - 1;
    Item &header = items_[0];
    const int target = findTargetSection(header.node->type);

    if (matched == nonHeader) {
        changes_.mergeCase = 'a';
        updateMatched();
    } else {
        // Every id is taken before the store changes: without a counter nothing is merged.
        const bool needsSection = target == StoreSplice::kNone;
        const int headerId = freshId();
        const int sectionId = needsSection && headerId >= 0 ? freshId() : 0;
        if (headerId < 0 || sectionId < 0) {
            log_.AddErrorToLog("*** A problem occurred while receiving topics: ",
                               "no new topic id could be had from " + store_.UniqueFileName());
            return false;
        }
        header.node->uni = std::to_string(headerId);
        if (matched > 0) {
            changes_.mergeCase = 'b';
            updateMatched();
            // Without a section of the header's kind the packet gets a new one, as when no
            // topic is known.
            const int anchor =
                needsSection ? newSection(*header.node, std::to_string(sectionId)) : target;
            place(header, anchor);
            placeNextToPacketNeighbours();
        } else if (!needsSection) {
            changes_.mergeCase = 'c';
            int anchor = target;
            for (Item &item : items_) {
                const std::string text = item.node->text;
                if (const int placed = place(item, anchor); placed != StoreSplice::kNone) {
                    anchor = placed;
                    log_.AddToLog("Added topic: " + text);
                }
            }
        } else {
            changes_.mergeCase = 'd';
            newSection(*header.node, std::to_string(sectionId));
            place(header, StoreSplice::kNone);
            for (std::size_t i = 1; i < items_.size(); ++i) {
                Item &item = items_[i];
                const int placed = place(item, StoreSplice::kNone);
                if (placed == StoreSplice::kNone)
                    continue;
                // The node as the splice holds it: the packet's pointer has moved on.
                TNimbusNode *node = &splice_.Node(placed);
                log_.AddToLog("Added topic: " + node->text);
                if (recentNew_) {
                    recentNew_->InsertId(0, node->uni, node);
                    recentNew_->modified = true;
                }
            }
        }
        splice_.Commit();
    }
    store_.SetSorted(false);
    store_.modified = true;
    return true;
}

} // namespace

bool MergePacket(TNimbusStructure &store, TNimbusStructure &packet, const std::string &ownPrefix,
                 TNimbusStructure *recentNew, StoreLog &log, MergeChanges &changes)
{
    changes = MergeChanges{};
    Merger merger(store, recentNew, log, changes);
    return merger.run(packet, ownPrefix);
}

} // namespace nimbus::packet
