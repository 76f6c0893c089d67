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

struct IdEntry {
    std::string id;
    TNimbusNode *node = nullptr;
    std::uint32_t hash = 0;  // hashOf(id), kept so the index never hashes the id again
};

class IdIndex {
public:
    static std::uint32_t hashOf(std::string_view id);

    // Position of the first entry with that id; -1 when none.
    int find(std::string_view id, std::uint32_t hash, const std::vector<IdEntry> &entries);
    // For an entry about to be appended: false (nothing changes) when an entry has its id
    // already; otherwise it is indexed at position entries.size().
    bool claimAtEnd(std::string_view id, std::uint32_t hash, const std::vector<IdEntry> &entries);
    // The last entry was appended (repeated ids keep their first position).
    void appended(const std::vector<IdEntry> &entries);
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
    void rebuild(const std::vector<IdEntry> &entries);
    void grow(std::size_t entries);
    // Adds position unless an entry with the same id is indexed already.
    bool insert(std::uint32_t hash, int position, const std::vector<IdEntry> &entries);

    std::vector<Slot> slots_;
    std::size_t used_ = 0;
    bool dirty_ = false;
};

}  // namespace nimbus
