// The unique-id counter file. Each call reads, changes and writes it whole; no lock is held
// between calls. The write replaces the file atomically, so a crash never leaves it torn.
#include "store/UniqueCounter.h"

#include <cstdio>

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "store/ValueText.h"

namespace nimbus::counter {

std::string CounterText(int n)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08d", n);
    return buffer;
}

int NextUnique(const std::string &path)
{
    return TakeUniques(path, 1);
}

int TakeUniques(const std::string &path, int count)
{
    if (path.empty() || count < 1)
        return -1;
    int first = 1;
    if (fileio::fileExists(path)) {
        std::string bytes;
        if (!fileio::readWholeFile(path, bytes))
            return -1;
        first = values::intOr(std::string_view(bytes).substr(0, 8), -2) + 1;
    }
    // A counter that is not a number hands out -1 alone, as it always has.
    if (first < 0)
        return SetUnique(path, first) == first ? first : -1;
    if (count > 99999999 - first + 1)
        return -1;
    const int last = first + count - 1;
    return SetUnique(path, last) == last ? first : -1;
}

int ReadUnique(const std::string &path)
{
    std::string bytes;
    if (path.empty() || !fileio::fileExists(path) || !fileio::readWholeFile(path, bytes))
        return -1;
    return values::intOr(std::string_view(bytes).substr(0, 8), -1);
}

int SetUnique(const std::string &path, int n)
{
    if (path.empty() || !fileio::writeFileAtomically(path, CounterText(n)))
        return -1;
    return n;
}

}  // namespace nimbus::counter
