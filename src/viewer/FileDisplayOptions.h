// How one file is shown in the viewer (kind of display, columns, sort, text size, window
// place), kept per file in a small options file in the data folder.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "viewer/ColumnSort.h"

namespace nimbus::viewer {

class FileDisplayOptions {
public:
    // Column keys with a higher index are ignored: a damaged file must not allocate without
    // limit.
    static constexpr int kMaxColumnIndex = 1023;
    static constexpr int kDefaultColumnWidth = 100;

    // The options file of a shown file: DataFolder + base + ".~" + extension without its dot
    // (MainLog.txt -> MainLog.~txt).
    static std::string optionsFileFor(const std::string &shownFile, const std::string &dataFolder);
    // The working file used while saving: the options file's name cut after its first "~",
    // followed by "tmp" (MainLog.~txt -> MainLog.~tmp).
    static std::string workingFileFor(const std::string &optionsFile);

    // Reads optionsFile when it exists; otherwise the defaults stay. True when it was read.
    bool load();
    // Writes every key in its order into the working file, copies that over the options file
    // and deletes it. False (with the reason) when the options file could not be written.
    bool save(std::string *errorText = nullptr) const;

    // Takes the values of name/value pairs; unknown names are ignored.
    void applyPairs(const std::vector<std::string> &names, const std::vector<std::string> &values);
    // Every key and value in the written order.
    std::vector<std::pair<std::string, std::string>> pairs() const;

    // Column i as the viewer uses it (defaults when the lists are shorter).
    std::string columnHeading(std::size_t i) const;
    int columnWidth(std::size_t i) const;
    bool columnHidden(std::size_t i) const;
    ColumnType columnType(std::size_t i) const;
    std::size_t columnListSize() const;
    // Makes the four column lists parallel and at least count long, filling new headings
    // from captions (when given) and the rest with their defaults.
    void padColumns(std::size_t count, const std::vector<std::string> &captions = {});

    std::string optionsFile;
    bool changed = false;
    bool columnsChanged = false;

    int top = -1;
    int left = -1;
    int height = -1;
    int width = -1;
    std::string infoType;
    bool openEnd = false;
    bool lineNumbers = false;
    bool columns = false;
    bool headings = false;
    bool rotated = false;
    bool sorted = false;
    int sortColumn = -1;
    bool ascending = false;
    int fontSize = 8;
    bool headingsFromFile = false;
    std::string headingFile;
    bool showTemplate = false;

    std::vector<std::string> columnHeadings; // CH
    std::vector<std::string> columnWidths;   // CW, integers as text
    std::vector<std::string> columnDisplay;  // CD, "visible" or "hidden"
    std::vector<std::string> columnTypes;    // CT, type names
};

} // namespace nimbus::viewer
