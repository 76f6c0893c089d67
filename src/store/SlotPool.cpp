// The slot pool: a free list threaded through the slots given back, and the newest block's
// untouched slots handed out in order.
#include "store/SlotPool.h"

#include <algorithm>
#include <cstddef>
#include <new>

#ifdef NIMBUS_ADDRESS_SANITIZER
#include <sanitizer/asan_interface.h>
#define NIMBUS_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define NIMBUS_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
#else
#define NIMBUS_POISON(address, size) ((void)(address), (void)(size))
#define NIMBUS_UNPOISON(address, size) ((void)(address), (void)(size))
#endif

namespace nimbus {

namespace {

// About 64 KiB a block: few blocks for a large store, little unused room for a small one.
constexpr std::size_t kBlockBytes = 64 * 1024;

std::size_t roundUp(std::size_t size, std::size_t align)
{
    return (size + align - 1) / align * align;
}

} // namespace

SlotPool::SlotPool(std::size_t slotSize, std::size_t slotAlign, std::size_t slotsPerBlock)
    : slotSize_(
          roundUp(std::max(slotSize, sizeof(FreeSlot)), std::max(slotAlign, alignof(FreeSlot)))),
      slotsPerBlock_(slotsPerBlock ? slotsPerBlock
                                   : std::max<std::size_t>(16, kBlockBytes / slotSize_))
{
}

SlotPool::~SlotPool()
{
    for (void *block : blocks_) {
        NIMBUS_UNPOISON(block, slotSize_ * slotsPerBlock_);
        ::operator delete(block);
    }
}

void *SlotPool::allocate()
{
    std::lock_guard lock(mutex_);
    void *slot = nullptr;
    if (free_) {
        slot = free_;
        NIMBUS_UNPOISON(slot, slotSize_);
        free_ = free_->next;
    } else {
        if (fresh_ == freshEnd_) {
            const std::size_t bytes = slotSize_ * slotsPerBlock_;
            blocks_.reserve(blocks_.size() + 1); // may throw before the block is taken
            char *block = static_cast<char *>(::operator new(bytes));
            blocks_.push_back(block);
            NIMBUS_POISON(block, bytes);
            fresh_ = block;
            freshEnd_ = block + bytes;
        }
        slot = fresh_;
        fresh_ += slotSize_;
        NIMBUS_UNPOISON(slot, slotSize_);
    }
    ++inUse_;
    return slot;
}

void SlotPool::deallocate(void *slot) noexcept
{
    if (!slot)
        return;
    std::lock_guard lock(mutex_);
    auto *freed = static_cast<FreeSlot *>(slot);
    freed->next = free_;
    free_ = freed;
    NIMBUS_POISON(slot, slotSize_);
    --inUse_;
}

std::size_t SlotPool::slotsInUse() const
{
    std::lock_guard lock(mutex_);
    return inUse_;
}

std::size_t SlotPool::blockCount() const
{
    std::lock_guard lock(mutex_);
    return blocks_.size();
}

} // namespace nimbus
