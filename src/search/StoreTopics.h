// The store's topics (ids and titles, in store order) as the index worker is handed them: their
// digest at the start and at every periodic check, which is all the worker needs while its
// summary holds, and a copy only when it asks for one. No copy is kept between checks.
#pragma once

#include <memory>

#include "search/SearchIndex.h"
#include "search/TopicList.h"

namespace nimbus {
class TNimbusStructure;
}

namespace nimbus::search {

using SharedTopics = std::shared_ptr<const TopicList>;

// Every node of the store, sections too, in store order: a fresh copy of each id and title.
TopicList CopyTopics(const TNimbusStructure &store);
// The same topics' digest, as the index's summary takes them, without copying anything.
SearchIndex::TopicsDigest DigestTopics(const TNimbusStructure &store);

} // namespace nimbus::search
