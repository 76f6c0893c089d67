// Finds an id read twice in a pass over the store without keeping the ids. The store's own
// ids are numbers counted up from 1, so those take one bit each in a bitmap, and a repeat is
// seen as it is read; any other id (a section's, one with a leading zero, a very large number)
// is kept as a hash and checked once at the end, where two ids of one hash count as a repeat
// (the caller then takes the careful way).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace nimbus::cli {

class RepeatedIdCheck {
public:
    void add(std::string_view id);
    // After the last id: whether any id was added twice (or two shared a hash).
    bool repeated();

private:
    static constexpr std::uint32_t kLargestMapped = (1U << 24) - 1; // a bitmap of 2 MiB at most
    std::vector<std::uint64_t> seen_;                               // bit n: the id "n"
    std::vector<std::uint64_t> otherHashes_;
    bool repeated_ = false;
};

} // namespace nimbus::cli
