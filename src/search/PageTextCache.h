// The texts of the pages that recent answers showed, for their snippets: the index keeps no copy
// of the texts, and typing a word asks for the same pages keystroke after keystroke. A page is
// read from its files once and kept until its topic is indexed again or the cache is full
// (the least recently used go first). Used by the index's worker only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>

#include "search/TopicDocuments.h"

namespace nimbus::search {

class PageTextCache {
public:
    static constexpr std::size_t kMaxPages = 400; // two answers' worth
    static constexpr std::size_t kMaxBytes = 16u << 20;

    PageTextCache(ContentFolders folders, StoreLog &log);

    // The page's text; nothing when it cannot be read.
    const std::string *Text(const std::string &topic, int page);
    void Forget(const std::string &topic);
    void Clear();
    // How many times a page was read from its files (for tests of the cache).
    std::int64_t Reads() const { return reads_; }

private:
    struct Entry {
        std::string topic;
        int page = 0;
        std::optional<std::string> text;
    };
    using Order = std::list<Entry>;
    static std::string keyOf(const std::string &topic, int page);
    void trim();

    ContentFolders folders_;
    StoreLog &log_;
    Order order_; // most recently used first
    std::unordered_map<std::string, Order::iterator> entries_;
    std::size_t bytes_ = 0;
    std::int64_t reads_ = 0;
};

} // namespace nimbus::search
