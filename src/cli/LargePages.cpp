// Transparent large pages for nimbus-cli's heap (Linux, glibc).
#include "cli/LargePages.h"

#include <malloc.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

namespace nimbus::cli {

namespace {

// A limit on the process's addresses or data could refuse the reserve, and with it malloc.
bool addressesUnlimited()
{
    for (const int resource : {RLIMIT_AS, RLIMIT_DATA}) {
        struct rlimit limit {};
        if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur != RLIM_INFINITY)
            return false;
    }
    return true;
}

} // namespace

void useLargePages()
{
    if (!addressesUnlimited())
        return;
    constexpr std::uintptr_t kLargePage = 2U << 20;
    // Addresses for the largest read (a list of every topic of a large store), reserved in
    // one step so that the range marked below is the one the heap fills; beyond it the heap
    // grows as usual, in small pages.
    constexpr int kReserve = 512 << 20;
    // Every block from that heap (malloc would map a large one apart, in small pages), and
    // the heap is never handed back in the middle of a command.
    ::mallopt(M_MMAP_THRESHOLD, 64 << 20);
    ::mallopt(M_TRIM_THRESHOLD, kReserve * 2);
    ::mallopt(M_TOP_PAD, kReserve);
    const auto before = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    // A block larger than the heap's free end makes malloc grow it now, by the reserve (a
    // volatile pointer, so that the compiler keeps the block it would see unused).
    void *volatile probe = std::malloc(1 << 20);
    const auto after = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    std::free(probe);
    const std::uintptr_t from = (before + kLargePage - 1) & ~(kLargePage - 1);
    if (after > from + kLargePage)
        ::madvise(reinterpret_cast<void *>(from), after - from, MADV_HUGEPAGE);
}

} // namespace nimbus::cli
