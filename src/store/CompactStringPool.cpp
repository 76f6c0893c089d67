// The pool of small blocks: a lock-free cache per thread over slabs and a shared store.
#include "store/CompactStringPool.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define NIMBUS_POOL_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NIMBUS_POOL_ASAN 1
#endif
#endif
#if defined(NIMBUS_POOL_ASAN)
#include <sanitizer/asan_interface.h>
#endif

namespace nimbus::compact {

namespace {

constexpr std::size_t kClasses = kLargestBlock / kGrain;
constexpr std::size_t kSlabBytes = 32 * 1024;

#if defined(NIMBUS_POOL_ASAN)
// Behind every block lies a poisoned tail, as malloc's red zones do.
constexpr std::size_t kRedZone = kGrain;
void poison(void *bytes, std::size_t size)
{
    ASAN_POISON_MEMORY_REGION(bytes, size);
}
void unpoison(void *bytes, std::size_t size)
{
    ASAN_UNPOISON_MEMORY_REGION(bytes, size);
}
#else
constexpr std::size_t kRedZone = 0;
void poison(void *, std::size_t) {}
void unpoison(void *, std::size_t) {}
#endif

std::size_t classOf(std::size_t bytes)
{
    return (bytes - 1) / kGrain;
}
std::size_t usableOf(std::size_t cls)
{
    return (cls + 1) * kGrain;
}
std::size_t strideOf(std::size_t cls)
{
    return usableOf(cls) + kRedZone;
}

// A free block holds the next free block of its size in its first bytes.
struct FreeBlock {
    FreeBlock *next;
};

FreeBlock *nextOf(FreeBlock *block)
{
    unpoison(block, sizeof(FreeBlock));
    FreeBlock *next = block->next;
    poison(block, sizeof(FreeBlock));
    return next;
}

void setNext(FreeBlock *block, FreeBlock *next)
{
    unpoison(block, sizeof(FreeBlock));
    block->next = next;
    poison(block, sizeof(FreeBlock));
}

// Free blocks by size and the unused rest of the latest slab. Trivial, so that a thread's own
// one is usable until the thread's last destructor has run.
struct Blocks {
    FreeBlock *free[kClasses];
    char *next;
    char *end;

    char *take(std::size_t cls)
    {
        if (FreeBlock *block = free[cls]) {
            free[cls] = nextOf(block);
            unpoison(block, usableOf(cls));
            return reinterpret_cast<char *>(block);
        }
        const std::size_t stride = strideOf(cls);
        if (static_cast<std::size_t>(end - next) < stride)
            return nullptr;
        char *block = next;
        next += stride;
        unpoison(block, usableOf(cls));
        return block;
    }
    void give(char *bytes, std::size_t cls)
    {
        poison(bytes, usableOf(cls));
        auto *block = reinterpret_cast<FreeBlock *>(bytes);
        setNext(block, free[cls]);
        free[cls] = block;
    }
    // The unused rest of the slab becomes free blocks, the largest that fit.
    void cutRest()
    {
        for (std::size_t cls = kClasses; cls-- > 0;)
            while (static_cast<std::size_t>(end - next) >= strideOf(cls)) {
                char *block = next;
                next += strideOf(cls);
                setNext(reinterpret_cast<FreeBlock *>(block), free[cls]);
                free[cls] = reinterpret_cast<FreeBlock *>(block);
            }
        next = end = nullptr;
    }
    void newSlab(char *slab)
    {
        cutRest();
        poison(slab, kSlabBytes);
        next = slab;
        end = slab + kSlabBytes;
    }
};

// What every thread shares: the blocks of threads that ended, and every slab (held so that
// a leak checker sees them as reachable; they are never freed).
struct Shared {
    std::mutex mutex;
    Blocks blocks{};
    std::vector<char *> slabs;
    std::atomic<std::size_t> slabBytes{0};

    char *makeSlab()
    {
        auto *slab = static_cast<char *>(std::malloc(kSlabBytes));
        if (slab == nullptr)
            throw std::bad_alloc();
        slabs.push_back(slab);
        slabBytes.fetch_add(kSlabBytes, std::memory_order_relaxed);
        return slab;
    }
};

Shared &shared()
{
    static Shared *const instance = new Shared; // outlives every thread's last release
    return *instance;
}

struct Cache {
    Blocks blocks;
    bool handsOver; // the thread's end hands its blocks to the shared store
    bool ended;     // the thread has handed over: it uses the shared store from now on
};
thread_local Cache cache{};

void handOver() noexcept
{
    Shared &s = shared();
    const std::lock_guard lock(s.mutex);
    Blocks &mine = cache.blocks;
    mine.cutRest();
    for (std::size_t cls = 0; cls < kClasses; ++cls) {
        FreeBlock *head = mine.free[cls];
        if (head == nullptr)
            continue;
        FreeBlock *tail = head;
        while (FreeBlock *next = nextOf(tail))
            tail = next;
        setNext(tail, s.blocks.free[cls]);
        s.blocks.free[cls] = head;
        mine.free[cls] = nullptr;
    }
    cache.ended = true;
}

struct HandOverAtThreadEnd {
    ~HandOverAtThreadEnd() { handOver(); }
};

void handOverAtThreadEnd()
{
    thread_local HandOverAtThreadEnd registered;
    (void)registered;
    cache.handsOver = true;
}

char *takeSlow(std::size_t cls)
{
    Shared &s = shared();
    if (cache.ended) {
        const std::lock_guard lock(s.mutex);
        if (char *block = s.blocks.take(cls))
            return block;
        s.blocks.newSlab(s.makeSlab());
        return s.blocks.take(cls);
    }
    if (!cache.handsOver)
        handOverAtThreadEnd();
    Blocks &mine = cache.blocks;
    {
        const std::lock_guard lock(s.mutex);
        if (s.blocks.free[cls] != nullptr) {
            // Blocks of ended threads first, all of this size at once.
            mine.free[cls] = std::exchange(s.blocks.free[cls], nullptr);
        } else {
            mine.newSlab(s.makeSlab());
        }
    }
    return mine.take(cls);
}

} // namespace

char *takeBlock(std::size_t bytes)
{
    const std::size_t cls = classOf(bytes);
    if (char *block = cache.blocks.take(cls))
        return block;
    return takeSlow(cls);
}

void returnBlock(char *block, std::size_t bytes) noexcept
{
    const std::size_t cls = classOf(bytes);
    if (cache.handsOver && !cache.ended) [[likely]] {
        cache.blocks.give(block, cls);
        return;
    }
    if (cache.ended) {
        Shared &s = shared();
        const std::lock_guard lock(s.mutex);
        s.blocks.give(block, cls);
        return;
    }
    // A thread that gives back before it ever took still hands its blocks on when it ends.
    handOverAtThreadEnd();
    cache.blocks.give(block, cls);
}

std::size_t slabBytes() noexcept
{
    return shared().slabBytes.load(std::memory_order_relaxed);
}

} // namespace nimbus::compact
