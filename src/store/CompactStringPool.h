// The small blocks CompactString keeps its texts in. A store of 100,000 topics sets a stamp on
// every topic and dates or times on many: that is one small block per value, and malloc makes
// each of them slowly (a fresh heap is split one chunk at a time) and larger than asked (a
// 13-byte date costs 32 bytes). The pool cuts blocks of a few size classes, eight bytes apart,
// from slabs of its own and keeps the freed ones for the next value of their size.
//
// Each thread takes and returns blocks through a cache of its own, with no lock; a block may
// be returned on any thread. When a thread ends, what its cache holds goes to a shared store
// that the other threads draw from, so no block is lost. Slabs are never given back: a store
// that is cleared and read again reuses them. Under AddressSanitizer free blocks are poisoned
// and each block has a poisoned tail, so a use after release or a write past the end is
// reported as it would be for a heap block.
#pragma once

#include <cstddef>

namespace nimbus::compact {

// Blocks of up to kLargestBlock bytes come from the pool; larger ones from the heap.
inline constexpr std::size_t kGrain = 8;
inline constexpr std::size_t kLargestBlock = 64;

// The pool's size for a block of `bytes` (1 to kLargestBlock): the same for every block of
// that size, so a block is returned with the size it was taken with.
constexpr std::size_t pooledSize(std::size_t bytes)
{
    return (bytes + kGrain - 1) / kGrain * kGrain;
}

// A block of at least `bytes` bytes (1 to kLargestBlock), aligned to kGrain.
char *takeBlock(std::size_t bytes);
// Gives back a block taken with the same `bytes`.
void returnBlock(char *block, std::size_t bytes) noexcept;

// For tests and benchmarks: the bytes of all slabs made so far, in every thread.
std::size_t slabBytes() noexcept;

} // namespace nimbus::compact
