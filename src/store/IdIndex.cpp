// The id index: linear probing over a power-of-two table, at most half full.
#include "store/IdIndex.h"

#include <algorithm>

#include "fileio/Fnv1a.h"
#include "store/TNimbusNode.h"

namespace nimbus {

std::string_view IdEntries::id(std::size_t position) const
{
    return ownIds ? std::string_view((*ownIds)[position])
                  : std::string_view(entries[position].node->uni);
}

std::uint32_t IdIndex::hashOf(std::string_view id)
{
    // FNV-1a: ids are short, and this is cheap and well spread for digits.
    const std::uint32_t h = fileio::fnv1a32(id);
    return h ^ (h >> 15);
}

void IdIndex::clear()
{
    slots_.clear();
    used_ = 0;
    dirty_ = false;
}

void IdIndex::reserve(std::size_t entries)
{
    if (entries * 2 > slots_.size())
        grow(entries);
}

void IdIndex::grow(std::size_t entries)
{
    std::size_t size = 16;
    while (size < entries * 2)
        size *= 2;
    std::vector<Slot> old;
    old.swap(slots_);
    slots_.assign(size, Slot{});
    const std::size_t mask = size - 1;
    for (const Slot &slot : old) {
        if (slot.position < 0)
            continue;
        std::size_t i = slot.hash & mask;
        while (slots_[i].position >= 0)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

void IdIndex::rebuild(const IdEntries &entries)
{
    dirty_ = false;
    used_ = 0;
    if (slots_.size() < entries.size() * 2) {
        slots_.clear();
        grow(entries.size());
    } else {
        std::fill(slots_.begin(), slots_.end(), Slot{});
    }
    for (std::size_t i = 0; i < entries.size(); ++i)
        insert(entries.entries[i].hash, static_cast<int>(i), entries.id(i), entries);
}

std::size_t IdIndex::probe(std::string_view id, std::uint32_t hash, const IdEntries &entries) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    while (slots_[i].position >= 0) {
        if (slots_[i].hash == hash &&
            entries.id(static_cast<std::size_t>(slots_[i].position)) == id)
            return i;
        i = (i + 1) & mask;
    }
    return i;
}

bool IdIndex::insert(std::uint32_t hash, int position, std::string_view id,
                     const IdEntries &entries)
{
    if ((used_ + 1) * 2 > slots_.size())
        grow(used_ + 1);
    const std::size_t i = probe(id, hash, entries);
    if (slots_[i].position >= 0)
        return false;
    slots_[i] = Slot{hash, position};
    ++used_;
    return true;
}

int IdIndex::find(std::string_view id, std::uint32_t hash, const IdEntries &entries)
{
    if (dirty_)
        rebuild(entries);
    if (slots_.empty())
        return -1;
    return slots_[probe(id, hash, entries)].position;
}

bool IdIndex::claimAtEnd(std::string_view id, std::uint32_t hash, const IdEntries &entries)
{
    if (dirty_)
        rebuild(entries);
    return insert(hash, static_cast<int>(entries.size()), id, entries);
}

void IdIndex::appended(const IdEntries &entries)
{
    if (dirty_) {
        rebuild(entries);
        return;
    }
    const std::size_t last = entries.size() - 1;
    insert(entries.entries[last].hash, static_cast<int>(last), entries.id(last), entries);
}

}  // namespace nimbus
