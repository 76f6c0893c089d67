// Turns the index's hits into what the results list shows, with the store at hand: topics no
// longer in the store are dropped, the query's filters are applied, each hit gets its topic's
// path. A query of filters alone is answered from the store without the index.
#pragma once

#include <string>
#include <vector>

#include "search/SearchIndex.h"
#include "search/SearchQuery.h"
#include "store/Clock.h"
#include "store/TNimbusStructure.h"

namespace nimbus::search {

struct SearchResult {
    std::string topic;
    HitKind kind = HitKind::Title;
    int page = 0;
    std::string pageName;
    std::string path;  // section and parent titles down to the topic's own, joined by " / "
};

// Whether a topic passes the filters; sectionTitle is the title of the section it lies in.
bool PassesFilters(const TNimbusNode &node, const std::string &sectionTitle,
                   const QueryFilters &filters, const Clock &clock);

std::vector<SearchResult> ResolveHits(const std::vector<IndexHit> &hits, const SearchQuery &query,
                                      const TNimbusStructure &store, const Clock &clock,
                                      std::size_t limit);

}  // namespace nimbus::search
