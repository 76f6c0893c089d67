#include "search/StoreTopicsCache.h"

#include <string>

#include "fileio/Fnv1a.h"
#include "store/TNimbusStructure.h"

namespace nimbus::search {

std::uint64_t StoreTopicsCache::Fingerprint(const TNimbusStructure &store)
{
    // The program's one small hash over the count, then each id and title, each ended by a
    // unit separator so that no text's end can pass for the next one's start.
    std::uint64_t h = fileio::fnv1a(std::to_string(store.Count()));
    for (int i = 0; i < store.Count(); ++i)
        if (const TNimbusNode *node = store.Node(i)) {
            h = fileio::fnv1aByte(0x1F, fileio::fnv1a(node->uni, h));
            h = fileio::fnv1aByte(0x1F, fileio::fnv1a(node->text, h));
        }
    return h;
}

TopicList StoreTopicsCache::Copy(const TNimbusStructure &store)
{
    // Sized exactly first: the copy is kept, and a grown buffer would keep its slack.
    std::size_t count = 0;
    std::size_t bytes = 0;
    for (const auto &entry : store.Entries())
        if (const TNimbusNode *node = entry.node) {
            ++count;
            bytes += node->uni.size() + node->text.size();
        }
    TopicList topics;
    topics.reserve(count, bytes);
    for (const auto &entry : store.Entries())
        if (const TNimbusNode *node = entry.node)
            topics.add(node->uni, node->text);
    return topics;
}

SharedTopics StoreTopicsCache::topicsOf(const TNimbusStructure &store)
{
    const std::uint64_t fingerprint = Fingerprint(store);
    if (!last_ || fingerprint != fingerprint_) {
        last_ = std::make_shared<const TopicList>(Copy(store));
        fingerprint_ = fingerprint;
        ++copies_;
    }
    return last_;
}

} // namespace nimbus::search
