// Fixed-size slots carved from large blocks, for the objects the program holds by the hundred
// thousand (topic nodes, tree items): no allocator header per object, no rounding up to the
// allocator's size classes, and neighbours that sit together in memory. Thread-safe: nodes are
// also made on worker threads (the calendar sync builds its snapshot on its own).
//
// Blocks stay with the pool while it lives and freed slots are reused; the pools the classes
// use are never destroyed, so that an object freed late in the program's exit still has its
// pool. Under AddressSanitizer free slots are poisoned, so a use after free inside the pool is
// reported as it would be by the allocator.
#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define NIMBUS_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NIMBUS_ADDRESS_SANITIZER 1
#endif
#endif

namespace nimbus {

class SlotPool {
public:
    // Slots of at least slotSize bytes aligned to slotAlign (at most the alignment of
    // ::operator new), slotsPerBlock of them to a block.
    SlotPool(std::size_t slotSize, std::size_t slotAlign, std::size_t slotsPerBlock = 0);
    ~SlotPool();
    SlotPool(const SlotPool &) = delete;
    SlotPool &operator=(const SlotPool &) = delete;

    // A free slot; throws std::bad_alloc when no block can be had.
    void *allocate();
    // Gives back a slot of this pool (null is ignored).
    void deallocate(void *slot) noexcept;

    std::size_t slotSize() const { return slotSize_; }
    std::size_t slotsInUse() const;
    std::size_t blockCount() const;

    // The sanitizer build gives each object its own allocation instead, so that its leak and
    // use-after-free checks see every node and tree item as they did before.
    static constexpr bool kUsed =
#ifdef NIMBUS_ADDRESS_SANITIZER
        false;
#else
        true;
#endif

private:
    struct FreeSlot {
        FreeSlot *next;
    };

    std::size_t slotSize_;
    std::size_t slotsPerBlock_;
    mutable std::mutex mutex_;
    FreeSlot *free_ = nullptr; // slots given back, most recent first
    char *fresh_ = nullptr;    // the newest block's slots not handed out yet
    char *freshEnd_ = nullptr;
    std::vector<void *> blocks_;
    std::size_t inUse_ = 0;
};

} // namespace nimbus
