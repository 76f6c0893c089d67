// FNV-1a, the one small non-cryptographic hash of the program. Stored values depend on it (the
// search index's file and title hashes, calendar sync's fingerprints, the hash a calendar entry
// carries of a foreign value), so the constants and the byte order never change.
#pragma once

#include <cstdint>
#include <string_view>

namespace nimbus::fileio {

// The 64-bit start value has always been 1469598103934665603, which is not the published offset
// basis (14695981039346656037, one digit longer). The hash spreads as well from it, and the
// values already stored were made with it, so it stays.
inline constexpr std::uint64_t kFnv1aStart = 1469598103934665603ULL;
inline constexpr std::uint64_t kFnv1aPrime = 1099511628211ULL;

// The 64-bit hash of bytes, or the hash so far (h) carried on over more bytes.
constexpr std::uint64_t fnv1a(std::string_view bytes, std::uint64_t h = kFnv1aStart)
{
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= kFnv1aPrime;
    }
    return h;
}

// One more byte.
constexpr std::uint64_t fnv1aByte(unsigned char byte, std::uint64_t h)
{
    return (h ^ byte) * kFnv1aPrime;
}

// The 32-bit hash, for in-memory tables.
constexpr std::uint32_t fnv1a32(std::string_view bytes)
{
    std::uint32_t h = 2166136261u;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

} // namespace nimbus::fileio
