// Decisions of the viewer window that need no window: the kind of display, when to refresh,
// and the columns of a table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "viewer/ColumnSort.h"
#include "viewer/FileDisplayOptions.h"

namespace nimbus::viewer {

enum class DisplayKind { Text, List, Table };

// Empty or containing "text": text; "list": list; anything else: table.
DisplayKind displayKindFor(const std::string &infoType);

// What the refresh timer remembers of the shown file. The modification time alone has whole
// seconds, so a file that grows twice within one second also changes its size.
struct FileStamp {
    std::int64_t modified = -1;
    std::int64_t size = -1;
    bool operator==(const FileStamp &) const = default;
};
FileStamp stampOf(const std::string &path);

// The refresh timer redisplays only the opened file itself (never an old version), only with
// autorefresh ticked, only when it exists and has changed since it was displayed.
bool shouldRefresh(bool autoRefresh, bool shownIsOpened, const FileStamp &now,
                   const FileStamp &remembered);

// One column of a table as shown.
struct ColumnLayout {
    std::string caption;
    int width = FileDisplayOptions::kDefaultColumnWidth;
    bool hidden = false;
    ColumnType type = ColumnType::Text;
};

// The columns of a table: as many as the widest of the data, the heading line, the heading
// file and the column lists. A caption is the CH entry when it is not empty, else the heading
// file's field, else the heading line's field.
std::vector<ColumnLayout> tableColumns(const FileDisplayOptions &options, std::size_t dataColumns,
                                       const std::vector<std::string> &headingLine,
                                       const std::vector<std::string> &headingFileFields);

// The headings of a heading file: its first line, split by the table line format.
std::vector<std::string> readHeadingFile(const std::string &path);

} // namespace nimbus::viewer
