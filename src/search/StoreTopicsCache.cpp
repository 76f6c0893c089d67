#include "search/StoreTopicsCache.h"

#include <functional>
#include <string_view>

#include "store/TNimbusStructure.h"

namespace nimbus::search {

std::uint64_t StoreTopicsCache::Fingerprint(const TNimbusStructure &store)
{
    // Each text hashed eight bytes at a time, the hashes folded in order.
    std::uint64_t h = 1469598103934665603ULL ^ static_cast<std::uint64_t>(store.Count());
    auto add = [&h](std::uint64_t v) { h ^= v + 0x9E3779B97F4A7C15ULL + (h << 6) + (h >> 2); };
    const std::hash<std::string_view> hash;
    for (int i = 0; i < store.Count(); ++i)
        if (const TNimbusNode *node = store.Node(i)) {
            add(hash(node->uni));
            add(hash(node->text));
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
