// Restarting nimbus-cli with glibc's large-page tunable (Linux).
#include "cli/LargePages.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace nimbus::cli {

void restartWithLargePages(char **argv)
{
    constexpr const char *kMarker = "NIMBUS_CLI_LARGE_PAGES";
    if (std::getenv(kMarker) != nullptr)
        return;
    ::setenv(kMarker, "1", 1);
    const char *given = std::getenv("GLIBC_TUNABLES");
    std::string tunables = given && *given ? std::string(given) + ":" : std::string();
    tunables += "glibc.malloc.hugetlb=1";
    ::setenv("GLIBC_TUNABLES", tunables.c_str(), 1);
    ::execv("/proc/self/exe", argv);
    // Still here: the exec failed, and this run goes on as it is.
}

} // namespace nimbus::cli
