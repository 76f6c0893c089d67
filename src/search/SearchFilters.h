// The query's filters over the store: type, status, urgency, due date and section. They are
// applied before the index ranks and cuts its answer (FilteredTopics goes with the query), so
// that a filtered search finds every topic that passes.
#pragma once

#include <string>
#include <vector>

#include "search/SearchQuery.h"
#include "store/Clock.h"
#include "store/TNimbusStructure.h"

namespace nimbus::search {

// Whether a topic passes the filters; sectionTitle is the title of the section it lies in.
// Filters are about topics: a section never passes one.
bool PassesFilters(const TNimbusNode &node, const std::string &sectionTitle,
                   const QueryFilters &filters, const Clock &clock);

// The ids of the topics that pass, in store order.
std::vector<std::string> FilteredTopics(const TNimbusStructure &store, const QueryFilters &filters,
                                        const Clock &clock);

} // namespace nimbus::search
