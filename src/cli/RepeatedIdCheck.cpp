// The repeated-id check of the one-pass read.
#include "cli/RepeatedIdCheck.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace nimbus::cli {

namespace {

// The number an id written as a plain decimal number stands for: digits only, no leading
// zero, at most `largest`. Any other id has no number (two spellings of one number, such as
// "7" and "07", are two ids).
std::optional<std::uint32_t> plainNumber(std::string_view id, std::uint32_t largest)
{
    if (id.empty() || id.size() > 9 || (id[0] == '0' && id.size() > 1))
        return std::nullopt;
    std::uint32_t number = 0;
    for (const char c : id) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (number > largest)
        return std::nullopt;
    return number;
}

} // namespace

void RepeatedIdCheck::add(std::string_view id)
{
    if (const auto number = plainNumber(id, kLargestMapped)) {
        const std::size_t word = *number / 64;
        const std::uint64_t bit = std::uint64_t{1} << (*number % 64);
        if (word >= seen_.size())
            seen_.resize(std::max(word + 1, seen_.size() * 2), 0);
        repeated_ = repeated_ || (seen_[word] & bit) != 0;
        seen_[word] |= bit;
        return;
    }
    otherHashes_.push_back(std::hash<std::string_view>{}(id));
}

bool RepeatedIdCheck::repeated()
{
    if (repeated_)
        return true;
    std::sort(otherHashes_.begin(), otherHashes_.end());
    return std::adjacent_find(otherHashes_.begin(), otherHashes_.end()) != otherHashes_.end();
}

} // namespace nimbus::cli
