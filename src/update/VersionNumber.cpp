// Version text to number: digits gather into parts, any other character ends a part.
#include "update/VersionNumber.h"

#include <array>

namespace nimbus::update {

std::int64_t VersionNumber(std::string_view text)
{
    constexpr std::int64_t kPartCap = 999'999'999;
    std::array<std::int64_t, 4> parts{};
    std::size_t count = 0;
    std::int64_t current = 0;
    for (char c : text) {
        if (count == parts.size())
            break;
        if (c >= '0' && c <= '9') {
            current = current * 10 + (c - '0');
            if (current > kPartCap)
                current = kPartCap;
        } else {
            parts[count++] = current; // an empty part reads as 0
            current = 0;
        }
    }
    if (count < parts.size())
        parts[count] = current;
    return parts[0] * 100'000'000 + parts[1] * 100'000 + parts[2] * 10'000 + parts[3];
}

} // namespace nimbus::update
