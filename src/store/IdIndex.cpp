// The id index: linear probing over a power-of-two table, at most half full.
#include "store/IdIndex.h"

#include <algorithm>

#include "fileio/Fnv1a.h"

namespace nimbus {

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

void IdIndex::rebuild(const std::vector<IdEntry> &entries)
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
        insert(entries[i].hash, static_cast<int>(i), entries);
}

bool IdIndex::insert(std::uint32_t hash, int position, const std::vector<IdEntry> &entries)
{
    if ((used_ + 1) * 2 > slots_.size())
        grow(used_ + 1);
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    const std::string &id = entries[static_cast<std::size_t>(position)].id;
    while (slots_[i].position >= 0) {
        if (slots_[i].hash == hash && entries[static_cast<std::size_t>(slots_[i].position)].id == id)
            return false;
        i = (i + 1) & mask;
    }
    slots_[i] = Slot{hash, position};
    ++used_;
    return true;
}

int IdIndex::find(std::string_view id, std::uint32_t hash, const std::vector<IdEntry> &entries)
{
    if (dirty_)
        rebuild(entries);
    if (slots_.empty())
        return -1;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask; slots_[i].position >= 0; i = (i + 1) & mask)
        if (slots_[i].hash == hash && entries[static_cast<std::size_t>(slots_[i].position)].id == id)
            return slots_[i].position;
    return -1;
}

bool IdIndex::claimAtEnd(std::string_view id, std::uint32_t hash, const std::vector<IdEntry> &entries)
{
    if (dirty_)
        rebuild(entries);
    if ((used_ + 1) * 2 > slots_.size())
        grow(used_ + 1);
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    while (slots_[i].position >= 0) {
        if (slots_[i].hash == hash && entries[static_cast<std::size_t>(slots_[i].position)].id == id)
            return false;
        i = (i + 1) & mask;
    }
    slots_[i] = Slot{hash, static_cast<std::int32_t>(entries.size())};
    ++used_;
    return true;
}

void IdIndex::appended(const std::vector<IdEntry> &entries)
{
    if (dirty_) {
        rebuild(entries);
        return;
    }
    insert(entries.back().hash, static_cast<int>(entries.size() - 1), entries);
}

}  // namespace nimbus
