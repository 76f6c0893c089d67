// The first hundred bytes of the index file, read without SQLite: enough to tell, before any
// page is trusted, whether the file is an SQLite database, whether it was left in rollback mode
// (as a clean close leaves it) and whether its pages, as the header counts them, fill the file.
#pragma once

#include <cstdint>
#include <string>

namespace nimbus::search {

struct IndexFileHeader {
    bool sqlite = false;          // the file starts with SQLite's magic and a valid page size
    bool rollbackJournal = false; // read and write versions 1 (a write-ahead log leaves 2)
    std::uint32_t pageSize = 0;
    std::uint32_t changeCounter = 0; // raised by every committed write in rollback mode
    std::uint32_t pageCount = 0;     // 0 when the header's count is not valid
    std::int64_t fileSize = -1;

    static IndexFileHeader Read(const std::string &path);
    // The pages the header counts make up the file exactly, as after a close in rollback mode.
    bool sizeFits() const
    {
        return pageCount != 0 &&
               static_cast<std::int64_t>(pageCount) * static_cast<std::int64_t>(pageSize) ==
                   fileSize;
    }
};

} // namespace nimbus::search
