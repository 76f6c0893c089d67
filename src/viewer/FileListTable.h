// The file-list display: the name/value records of several files side by side, one row per
// name and one column per file.
#pragma once

#include <string>
#include <vector>

#include "viewer/TableContent.h"

namespace nimbus::viewer {

struct FileListTable {
    TableContent content;              // column 0 the name, then one value column per file
    std::vector<std::string> captions; // "Name", then each file's name without folder
};

// Reads each file's name/value pairs. Rows follow the first appearance of each name, the
// template file's names first. The template file (the opened file, which holds the template
// fields) gets a column only with showTemplate; its names still lead the row order.
FileListTable buildFileListTable(const std::vector<std::string> &files,
                                 const std::string &templateFile, bool showTemplate);

} // namespace nimbus::viewer
