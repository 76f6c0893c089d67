// Position of each id in a list of entries, kept beside the list so that looking an id up
// never scans it. Appends keep the index current; an insert or removal in the middle only
// marks the entries from there on as unindexed, and the next lookup indexes them again.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace nimbus {

class IdIndex {
public:
    // Finds the first position whose id equals id in ids(i) for i < count; -1 when none.
    template <typename IdAt>
    int find(std::string_view id, int count, const IdAt &ids);

    // The entry at position was appended at the end.
    template <typename IdAt>
    void appended(int position, const IdAt &ids);
    // Registers id for an entry about to be appended at position count, unless an entry
    // already has it (then false and nothing changes). One hash lookup instead of two.
    template <typename IdAt>
    bool claimAtEnd(std::string_view id, int count, const IdAt &ids);
    void reserve(std::size_t entries) { first_.reserve(entries); }
    // Entries from position on moved or were removed; removedId is the id that left, if any.
    void changedFrom(int position, const std::string *removedId = nullptr);
    void clear();
    std::size_t memoryEntries() const { return first_.size(); }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    template <typename IdAt>
    void extend(int count, const IdAt &ids);

    std::unordered_map<std::string, int, Hash, std::equal_to<>> first_;
    int valid_ = 0;  // positions below this are indexed correctly
};

template <typename IdAt>
int IdIndex::find(std::string_view id, int count, const IdAt &ids)
{
    for (int pass = 0; pass < 2; ++pass) {
        const auto it = first_.find(id);
        if (it != first_.end() && it->second < valid_ && it->second < count && ids(it->second) == id)
            return it->second;
        if (valid_ >= count)
            return -1;
        extend(count, ids);
    }
    return -1;
}

template <typename IdAt>
void IdIndex::appended(int position, const IdAt &ids)
{
    if (position != valid_)
        return;  // an earlier gap is indexed by the next lookup
    first_.try_emplace(std::string(ids(position)), position);
    ++valid_;
}

template <typename IdAt>
bool IdIndex::claimAtEnd(std::string_view id, int count, const IdAt &ids)
{
    if (valid_ < count)
        extend(count, ids);
    const auto [it, inserted] = first_.try_emplace(std::string(id), count);
    if (!inserted) {
        if (it->second < count && ids(it->second) == id)
            return false;
        it->second = count;  // a stale position of an id that has left
    }
    valid_ = count + 1;
    return true;
}

template <typename IdAt>
void IdIndex::extend(int count, const IdAt &ids)
{
    const int from = valid_;
    for (int i = from; i < count; ++i) {
        const std::string_view id = ids(i);
        auto it = first_.find(id);
        if (it == first_.end()) {
            first_.emplace(std::string(id), i);
            continue;
        }
        const int known = it->second;
        if (known < from)
            continue;  // indexed before the change: still the first one
        if (known < i && known < count && ids(known) == id)
            continue;  // an earlier entry of this pass
        it->second = i;
    }
    valid_ = count;
}

inline void IdIndex::changedFrom(int position, const std::string *removedId)
{
    if (removedId) {
        const auto it = first_.find(std::string_view(*removedId));
        if (it != first_.end() && it->second == position)
            first_.erase(it);
    }
    if (position < valid_)
        valid_ = position;
}

inline void IdIndex::clear()
{
    first_.clear();
    valid_ = 0;
}

}  // namespace nimbus
