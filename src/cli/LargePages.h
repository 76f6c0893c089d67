// Large memory pages for nimbus-cli's heap, where the system offers them.
#pragma once

namespace nimbus::cli {

// Asks for transparent large pages under the heap malloc is about to grow into: the heap is
// grown once by a large reserve (addresses only; a page costs memory once it is touched) and
// that range is marked for large pages, so the topics a command keeps take a few dozen page
// faults instead of thousands. The same as glibc's glibc.malloc.hugetlb tunable, without
// starting the program again to set it. Where the kernel offers no such pages, or the heap
// cannot grow, nothing changes but the malloc settings; under a limit on the process's
// addresses or data nothing changes at all.
void useLargePages();

} // namespace nimbus::cli
