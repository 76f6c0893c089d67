// Position of each id in a list of entries, kept beside the list so that looking an id up
// never scans it. A flat open-addressing table of (hash, position) pairs: no allocation per
// entry, and the entries keep their own hash, so the table is rebuilt from integers alone
// after an insert or removal in the middle of the list (it is rebuilt lazily, on the next
// lookup). Appends at the end, as loading makes them, keep it current at once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nimbus {

class TNimbusNode;

// One entry of a list: a node (may be null in an id list) and its id's hash. The id itself
// is not copied into the entry: a store's id is its node's uni, and an id list keeps its ids
// in a list of their own beside the entries (see IdEntries).
struct IdEntry {
    TNimbusNode *node = nullptr;
    std::uint32_t hash = 0;  // hashOf(id), kept so the index never hashes the id again
};

// The entries an index is kept over, and where their ids are: in the nodes (ownIds null) or
// in ownIds, one per entry and in step with them.
struct IdEntries {
    const std::vector<IdEntry> &entries;
    const std::vector<std::string> *ownIds = nullptr;

    std::size_t size() const { return entries.size(); }
    std::string_view id(std::size_t position) const;
};

class IdIndex {
public:
    static std::uint32_t hashOf(std::string_view id);

    // Position of the first entry with that id; -1 when none.
    int find(std::string_view id, std::uint32_t hash, const IdEntries &entries);
    // For an entry about to be appended: false (nothing changes) when an entry has its id
    // already; otherwise it is indexed at position entries.size().
    bool claimAtEnd(std::string_view id, std::uint32_t hash, const IdEntries &entries);
    // The last entry was appended (repeated ids keep their first position).
    void appended(const IdEntries &entries);
    // Entries moved or left: the table is rebuilt on its next use.
    void changed() { dirty_ = true; }
    void clear();
    void reserve(std::size_t entries);
    std::size_t memoryBytes() const { return slots_.capacity() * sizeof(Slot); }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::int32_t position = -1;  // -1: empty
    };
    void rebuild(const IdEntries &entries);
    void grow(std::size_t entries);
    // Adds position unless an entry with the same id is indexed already.
    bool insert(std::uint32_t hash, int position, std::string_view id, const IdEntries &entries);
    // The slot holding that id, or the empty slot where it would go.
    std::size_t probe(std::string_view id, std::uint32_t hash, const IdEntries &entries) const;

    std::vector<Slot> slots_;
    std::size_t used_ = 0;
    bool dirty_ = false;
};

}  // namespace nimbus
