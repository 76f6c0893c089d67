// The viewer's display, refresh and column rules.
#include "viewer/ViewerRules.h"

#include <algorithm>

#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"
#include "viewer/TableContent.h"
#include "viewer/TableLine.h"

namespace nimbus::viewer {

DisplayKind displayKindFor(const std::string &infoType)
{
    if (infoType.empty() || infoType.find("text") != std::string::npos)
        return DisplayKind::Text;
    if (infoType == "list")
        return DisplayKind::List;
    return DisplayKind::Table;
}

FileStamp stampOf(const std::string &path)
{
    return {fileio::fileModifiedTime(path), fileio::fileSize(path)};
}

bool shouldRefresh(bool autoRefresh, bool shownIsOpened, const FileStamp &now,
                   const FileStamp &remembered)
{
    if (!autoRefresh || !shownIsOpened || now.modified < 0)
        return false;
    return !(now == remembered);
}

std::vector<ColumnLayout> tableColumns(const FileDisplayOptions &options, std::size_t dataColumns,
                                       const std::vector<std::string> &headingLine,
                                       const std::vector<std::string> &headingFileFields)
{
    std::size_t count = std::max(
        {dataColumns, headingLine.size(), headingFileFields.size(), options.columnListSize()});
    count = std::min(count, TableContent::kMaxColumns);
    std::vector<ColumnLayout> columns(count);
    for (std::size_t i = 0; i < count; ++i) {
        ColumnLayout &column = columns[i];
        column.caption = options.columnHeading(i);
        if (column.caption.empty() && i < headingFileFields.size())
            column.caption = headingFileFields[i];
        if (column.caption.empty() && i < headingLine.size())
            column.caption = headingLine[i];
        column.width = options.columnWidth(i);
        column.hidden = options.columnHidden(i);
        column.type = options.columnType(i);
    }
    return columns;
}

std::vector<std::string> readHeadingFile(const std::string &path)
{
    std::vector<std::string> fields;
    if (path.empty() || !fileio::fileExists(path))
        return fields;
    fileio::OMFILEPtr file = fileio::openPlain(path, "R", 0);
    if (!file)
        return fields;
    std::string line;
    if (fileio::readLine(*file, line) >= 0)
        splitTableLine(line, fields);
    fileio::close(file);
    if (fields.size() > TableContent::kMaxColumns)
        fields.resize(TableContent::kMaxColumns);
    return fields;
}

} // namespace nimbus::viewer
