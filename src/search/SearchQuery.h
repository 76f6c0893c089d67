// A search as the user typed it, taken apart: words that must all match, "exact phrases",
// prefix* words, -excluded words and filters on the topic (type:task, status:waiting, urgent,
// due:<7d, section:name).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nimbus::search {

struct QueryTerm {
    std::string text;  // as typed, without quotes, minus sign or star
    bool phrase = false;
    bool prefix = false;
    bool excluded = false;
};

struct DueFilter {
    enum class Op { Within, Beyond, Today, Overdue };
    Op op = Op::Within;
    int days = 0;  // Within: due in fewer than days; Beyond: due in more than days
};

struct QueryFilters {
    std::optional<int> ttype;   // topic type code
    std::optional<int> status;  // status code
    bool urgent = false;
    std::optional<DueFilter> due;
    std::string section;  // folded; the topic's section title starts with it
    bool any() const { return ttype || status || urgent || due || !section.empty(); }
};

struct SearchQuery {
    std::vector<QueryTerm> terms;
    QueryFilters filters;
    // Terms that must match (not excluded) and hold at least one word.
    bool hasWords() const;
    // Excluded terms that hold at least one word.
    bool hasExclusions() const;
    // Words and exclusions are looked up in the index; filters alone need only the store.
    bool needsIndex() const { return hasWords() || hasExclusions(); }
    bool empty() const { return !hasWords() && !filters.any(); }
};

SearchQuery ParseQuery(std::string_view text);

// One term as the index's match expression: a quoted string (with " *" for a prefix), so no
// input can be read as index syntax; empty when the term holds no word.
std::string FtsPhrase(const QueryTerm &term);

}  // namespace nimbus::search
