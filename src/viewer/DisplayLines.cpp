// Loading display lines through the line-file object and saving copies of lists and tables.
#include "viewer/DisplayLines.h"

#include <cstdio>

#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"
#include "viewer/TableLine.h"

namespace nimbus::viewer {

bool readDisplayLines(const std::string &path, std::vector<std::string> &lines,
                      std::string *errorText)
{
    lines.clear();
    const std::int64_t size = fileio::fileSize(path);
    if (size > kMaxDisplayBytes) {
        if (errorText)
            *errorText = "*** The file is too large to display: " + path;
        return false;
    }
    fileio::OMFILEPtr file = fileio::openPlain(path, "R", 0);
    if (!file) {
        if (errorText)
            *errorText = "*** Unable to open " + path + ": " + fileio::lastErrorText();
        return false;
    }
    // About one line per 64 bytes saves most of the regrowth on large logs.
    lines.reserve(static_cast<std::size_t>(file->contentSize / 64 + 1));
    std::string line;
    while (fileio::readLine(*file, line) >= 0)
        lines.push_back(line);
    fileio::close(file);
    return true;
}

void numberLines(std::vector<std::string> &lines)
{
    char number[32];
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::snprintf(number, sizeof number, "%6zu  ", i + 1);
        lines[i].insert(0, number);
    }
}

bool writeTableCopy(const std::string &path, const TableContent &content,
                    const std::vector<std::uint32_t> &order, bool table, std::string *errorText)
{
    fileio::OMFILEPtr file = fileio::openPlain(path, "W", 0);
    if (!file) {
        if (errorText)
            *errorText = fileio::lastErrorText();
        return false;
    }
    bool written = true;
    if (table && !content.headings().empty())
        written = fileio::writeLine(*file, joinTableLine(content.headings()));
    for (std::size_t i = 0; i < content.rowCount() && written; ++i) {
        const std::size_t row = i < order.size() ? order[i] : i;
        written = table ? fileio::writeLine(*file, joinTableLine(content.rowFields(row)))
                        : fileio::writeLine(*file, content.cell(row, 0));
    }
    written = fileio::close(file) && written;
    if (!written && errorText)
        *errorText = fileio::lastErrorText();
    return written;
}

} // namespace nimbus::viewer
