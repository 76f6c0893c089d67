// Large memory pages for nimbus-cli's heap, where the system offers them.
#pragma once

namespace nimbus::cli {

// glibc (2.35 and later) backs malloc's memory with transparent large pages when its tunable
// glibc.malloc.hugetlb is 1, but reads tunables only as a program starts: so nimbus-cli starts
// itself once more with it set (a marker in the environment stops a second time). A list
// of 100,000 topics then takes a few dozen page faults instead of thousands. Where the exec
// fails, or the C library or the kernel does not know the setting, nothing changes.
void restartWithLargePages(char **argv);

} // namespace nimbus::cli
