// Where a query's words and phrases occur in a text, by the same folding as the index: used
// for the snippets of the results list and for highlighting the match on the opened page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "search/SearchQuery.h"

namespace nimbus::search {

struct MatchRange {
    std::size_t begin = 0;  // bytes of the text
    std::size_t end = 0;
    bool operator==(const MatchRange &) const = default;
};

// Every occurrence of a term that must match, in text order, never overlapping.
std::vector<MatchRange> FindMatches(std::string_view text, const SearchQuery &query);

struct Snippet {
    std::string text;                // one line, cut at word boundaries, "…" where cut
    std::vector<MatchRange> marks;   // bytes of text to highlight
};

// A line of about `width` bytes around the first match (the start of the text when none).
Snippet MakeSnippet(std::string_view text, const SearchQuery &query, std::size_t width = 160);

}  // namespace nimbus::search
