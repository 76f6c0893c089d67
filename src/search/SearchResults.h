// Turns the index's answer into what the results list shows, with the store at hand: topics
// no longer in the store are dropped, each hit gets its title, path and a snippet of the text
// it shows (the title's when no page or checklist matched).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "search/SearchIndex.h"
#include "search/SearchQuery.h"
#include "search/TextMatcher.h"
#include "search/TopicHits.h"
#include "store/Clock.h"
#include "store/TNimbusStructure.h"

namespace nimbus::search {

struct SearchResult {
    std::string topic;
    std::string title;
    std::string path; // section and parent titles down to the topic's own, joined by " / "
    std::vector<TextHit> places; // every text that holds a word; empty for filters alone
    // The text the row shows and opens (see TopicHit::shown); the title when none matched.
    HitKind kind = HitKind::Title;
    int page = 0;
    std::string pageName;
    Snippet snippet;
};

std::vector<SearchResult> ResolveHits(const TopicAnswer &answer, const SearchQuery &query,
                                      const TNimbusStructure &store);

// The whole search in one thread: the filters over the store, the index (null when the query
// does not need it: see SearchQuery::needsIndex), the results. Without snippets of pages.
std::vector<SearchResult> RunSearch(SearchIndex *index, const SearchQuery &query,
                                    const TNimbusStructure &store, const Clock &clock,
                                    std::size_t limit);

}  // namespace nimbus::search
