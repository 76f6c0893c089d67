// The store's topics (ids and titles, in order) as the index worker is handed them at the
// start and at every periodic check. Copying a hundred thousand titles each time costs more
// than looking at them: while a fingerprint of the ids and titles is what it was, the copy
// made last time is handed over again (the start's copy is the one the checks keep).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "search/TopicList.h"

namespace nimbus {
class TNimbusStructure;
}

namespace nimbus::search {

using SharedTopics = std::shared_ptr<const TopicList>;

class StoreTopicsCache {
public:
    // Every node of the store, sections too, in store order.
    SharedTopics topicsOf(const TNimbusStructure &store);
    // Copies made so far (for tests and benchmarks).
    int copies() const { return copies_; }

    // The ids and titles in order, as one 64-bit number.
    static std::uint64_t Fingerprint(const TNimbusStructure &store);
    // A fresh copy of every node's id and title.
    static TopicList Copy(const TNimbusStructure &store);

private:
    SharedTopics last_;
    std::uint64_t fingerprint_ = 0;
    int copies_ = 0;
};

} // namespace nimbus::search
