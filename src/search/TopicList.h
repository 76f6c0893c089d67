// The store's topics (ids and titles, in store order) as the index is handed them. The texts
// are packed into one buffer beside their offsets: a copy of 100,000 topics is then two
// allocations of about 40 bytes a topic, where two strings a topic took about 100.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "search/TopicDocuments.h"

namespace nimbus::search {

class TopicList {
public:
    // One topic of the list; its texts point into the list.
    struct Topic {
        std::string_view uni;
        std::string_view title;
        TopicEntry entry() const { return {std::string(uni), std::string(title)}; }
    };

    class const_iterator {
    public:
        using value_type = Topic;
        using difference_type = std::ptrdiff_t;
        const_iterator() = default;
        const_iterator(const TopicList *list, std::size_t index) : list_(list), index_(index) {}
        Topic operator*() const { return (*list_)[index_]; }
        const_iterator &operator++()
        {
            ++index_;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++index_;
            return before;
        }
        bool operator==(const const_iterator &other) const { return index_ == other.index_; }

    private:
        const TopicList *list_ = nullptr;
        std::size_t index_ = 0;
    };

    TopicList() = default;
    // From entries (nimbus-cli's reads, tests).
    TopicList(const std::vector<TopicEntry> &topics); // NOLINT: a list of entries is a list
    TopicList(std::initializer_list<TopicEntry> topics);

    // Room for this many topics of this many bytes in all, so that nothing grows while the
    // list is filled.
    void reserve(std::size_t topics, std::size_t bytes);
    void add(std::string_view uni, std::string_view title);

    std::size_t size() const { return starts_.empty() ? 0 : (starts_.size() - 1) / 2; }
    bool empty() const { return size() == 0; }
    Topic operator[](std::size_t index) const
    {
        const std::size_t at = 2 * index;
        return {text(starts_[at], starts_[at + 1]), text(starts_[at + 1], starts_[at + 2])};
    }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // Heap bytes held (benchmarks).
    std::size_t memoryBytes() const
    {
        return bytes_.capacity() + starts_.capacity() * sizeof(Offset);
    }

private:
    using Offset = std::uint32_t;
    std::string_view text(Offset from, Offset to) const
    {
        return {bytes_.data() + from, to - from};
    }

    std::string bytes_;          // uni and title of each topic, one after the other
    std::vector<Offset> starts_; // where each uni and title starts, then the end of the last
};

} // namespace nimbus::search
