#include "search/StoreTopics.h"

#include "store/TNimbusStructure.h"

namespace nimbus::search {

TopicList CopyTopics(const TNimbusStructure &store)
{
    // Sized exactly first: a grown buffer would keep its slack while the worker holds it.
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

SearchIndex::TopicsDigest DigestTopics(const TNimbusStructure &store)
{
    // The count comes first in the digest, so it is taken before the walk; the nodes counted
    // are exactly those CopyTopics would copy.
    std::size_t count = 0;
    for (const auto &entry : store.Entries())
        if (entry.node != nullptr)
            ++count;
    SearchIndex::TopicsDigest digest(count);
    for (const auto &entry : store.Entries())
        if (const TNimbusNode *node = entry.node)
            digest.add(node->uni, node->text);
    return digest;
}

} // namespace nimbus::search
