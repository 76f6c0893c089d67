// Building the side-by-side table of the file-list display.
#include "viewer/FileListTable.h"

#include <map>

#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"
#include "viewer/DisplayLines.h"

namespace nimbus::viewer {

namespace {

struct Record {
    std::vector<std::string> names;
    std::vector<std::string> values;
};

Record readRecord(const std::string &path)
{
    Record record;
    if (fileio::fileSize(path) > kMaxDisplayBytes)
        return record;
    if (fileio::OMFILEPtr file = fileio::openPlain(path, "R", 0)) {
        fileio::readPairs(*file, record.names, record.values);
        fileio::close(file);
    }
    return record;
}

} // namespace

FileListTable buildFileListTable(const std::vector<std::string> &files,
                                 const std::string &templateFile, bool showTemplate)
{
    FileListTable table;
    std::vector<std::string> rowNames;
    std::map<std::string, std::size_t> rowOf;
    auto addNames = [&](const Record &record) {
        for (const std::string &name : record.names)
            if (rowOf.emplace(name, rowNames.size()).second)
                rowNames.push_back(name);
    };

    const Record templateRecord = readRecord(templateFile);
    addNames(templateRecord);

    std::vector<Record> records;
    table.captions.push_back("Name");
    for (const std::string &file : files) {
        const bool isTemplate = file == templateFile;
        if (isTemplate && !showTemplate)
            continue;
        records.push_back(isTemplate ? templateRecord : readRecord(file));
        addNames(records.back());
        table.captions.push_back(fileio::fileNameOf(file));
        if (table.captions.size() >= TableContent::kMaxColumns)
            break;
    }

    std::vector<std::vector<std::string>> rows(rowNames.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        rows[r].resize(records.size() + 1);
        rows[r][0] = rowNames[r];
    }
    for (std::size_t c = 0; c < records.size(); ++c) {
        const Record &record = records[c];
        for (std::size_t i = 0; i < record.names.size() && i < record.values.size(); ++i)
            rows[rowOf[record.names[i]]][c + 1] = record.values[i];
    }
    for (std::size_t r = 0; r < rows.size(); ++r)
        table.content.addRow(rows[r], static_cast<int>(r + 1));
    return table;
}

} // namespace nimbus::viewer
