// Bounds on what other people's packets and packs may hold. Anything beyond them is refused
// before it is read, so a hostile or broken file can never exhaust memory or the disk.
#pragma once

#include <cstdint>

namespace nimbus::limits {

// A packet or pack store file; a 1,000-topic packet is about 150 KB.
constexpr std::int64_t kMaxStoreFileBytes = 16 * 1024 * 1024;
// A topic's page list (a few lines per page).
constexpr std::int64_t kMaxPageListBytes = 1024 * 1024;
// One details page or checklist file (rich text with pictures can be large).
constexpr std::int64_t kMaxPageFileBytes = 64 * 1024 * 1024;
// Topics in one packet or pack.
constexpr int kMaxTopics = 100000;
// Depth of a topic in a packet or pack.
constexpr int kMaxLevel = 100;
// Length of an id: it becomes part of file names ("<id>-<n>.~lst" must fit 255 bytes).
constexpr std::size_t kMaxIdLength = 200;

} // namespace nimbus::limits
