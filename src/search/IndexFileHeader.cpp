#include "search/IndexFileHeader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace nimbus::search {

namespace {

std::uint32_t bigEndian(const unsigned char *p, int bytes)
{
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | p[i];
    return v;
}

} // namespace

IndexFileHeader IndexFileHeader::Read(const std::string &path)
{
    IndexFileHeader header;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return header;
    unsigned char b[100];
    struct stat st {};
    const bool read = ::fstat(fd, &st) == 0 && ::pread(fd, b, sizeof b, 0) == sizeof b;
    ::close(fd);
    if (!read || std::memcmp(b, "SQLite format 3", 16) != 0)
        return header;
    header.fileSize = st.st_size;
    const std::uint32_t size = bigEndian(b + 16, 2);
    header.pageSize = size == 1 ? 65536 : size;
    if (header.pageSize < 512 || (header.pageSize & (header.pageSize - 1)) != 0)
        return header;
    header.sqlite = true;
    header.rollbackJournal = b[18] == 1 && b[19] == 1;
    header.changeCounter = bigEndian(b + 24, 4);
    // The count is valid only while the version it was written for is the file's current one.
    if (bigEndian(b + 92, 4) == header.changeCounter)
        header.pageCount = bigEndian(b + 28, 4);
    return header;
}

} // namespace nimbus::search
