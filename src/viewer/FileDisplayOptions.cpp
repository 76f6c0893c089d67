// Reading and writing the viewer's per-file options file.
#include "viewer/FileDisplayOptions.h"

#include <algorithm>
#include <charconv>

#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"

namespace nimbus::viewer {

namespace {

bool readInt(const std::string &text, int &value)
{
    const char *first = text.data();
    const char *last = text.data() + text.size();
    if (first != last && *first == '+')
        ++first;
    int parsed = 0;
    const auto [end, ec] = std::from_chars(first, last, parsed);
    if (first == last || ec != std::errc() || end != last)
        return false;
    value = parsed;
    return true;
}

int intOr(const std::string &text, int fallback)
{
    int value = fallback;
    return readInt(text, value) ? value : fallback;
}

const char *flag(bool value)
{
    return value ? "Y" : "N";
}

std::string entry(const std::vector<std::string> &list, std::size_t i)
{
    return i < list.size() ? list[i] : std::string();
}

} // namespace

std::string FileDisplayOptions::optionsFileFor(const std::string &shownFile,
                                               const std::string &dataFolder)
{
    std::string extension = fileio::extensionOf(shownFile);
    if (!extension.empty() && extension.front() == '.')
        extension.erase(0, 1);
    return dataFolder + fileio::baseNameOf(shownFile) + ".~" + extension;
}

std::string FileDisplayOptions::workingFileFor(const std::string &optionsFile)
{
    // The cut applies to the name only: a "~" in the folder (a home folder such as
    // /home/~guest/) must not move the working file elsewhere.
    const std::string folder = fileio::folderOf(optionsFile);
    std::string name = fileio::fileNameOf(optionsFile);
    const std::size_t tilde = name.find('~');
    if (tilde != std::string::npos)
        name.resize(tilde + 1);
    return folder + name + "tmp";
}

bool FileDisplayOptions::load()
{
    if (optionsFile.empty() || !fileio::fileExists(optionsFile))
        return false;
    fileio::OMFILEPtr file = fileio::openPlain(optionsFile, "R", 0);
    if (!file)
        return false;
    std::vector<std::string> names;
    std::vector<std::string> values;
    fileio::readPairs(*file, names, values);
    fileio::close(file);
    applyPairs(names, values);
    return true;
}

void FileDisplayOptions::applyPairs(const std::vector<std::string> &names,
                                    const std::vector<std::string> &values)
{
    const std::size_t count = std::min(names.size(), values.size());
    for (std::size_t i = 0; i < count; ++i) {
        const std::string &name = names[i];
        const std::string &value = values[i];
        const bool yes = value == "Y";
        if (name == "Top")
            top = intOr(value, -1);
        else if (name == "Left")
            left = intOr(value, -1);
        else if (name == "Height")
            height = intOr(value, -1);
        else if (name == "Width")
            width = intOr(value, -1);
        else if (name == "InfoType")
            infoType = value;
        else if (name == "OpenEnd")
            openEnd = yes;
        else if (name == "LineNumbers")
            lineNumbers = yes;
        else if (name == "Columns")
            columns = yes;
        else if (name == "Rotated")
            rotated = yes;
        else if (name == "Headings")
            headings = yes;
        else if (name == "HeadingsFromFile")
            headingsFromFile = yes;
        else if (name == "HeadingFile")
            headingFile = value;
        else if (name == "ShowTemplate")
            showTemplate = yes;
        else if (name == "Sorted")
            sorted = yes;
        else if (name == "SortColumn")
            sortColumn = intOr(value, -1);
        else if (name == "Ascending")
            ascending = yes;
        else if (name == "FontSize")
            fontSize = intOr(value, 8);
        else if (name.size() > 2) {
            std::vector<std::string> *list = nullptr;
            const std::string prefix = name.substr(0, 2);
            if (prefix == "CH")
                list = &columnHeadings;
            else if (prefix == "CW")
                list = &columnWidths;
            else if (prefix == "CD")
                list = &columnDisplay;
            else if (prefix == "CT")
                list = &columnTypes;
            int index = -1;
            if (list && readInt(name.substr(2), index) && index >= 0 && index <= kMaxColumnIndex) {
                if (list->size() <= static_cast<std::size_t>(index))
                    list->resize(static_cast<std::size_t>(index) + 1);
                (*list)[static_cast<std::size_t>(index)] = value;
            }
        }
    }
}

std::vector<std::pair<std::string, std::string>> FileDisplayOptions::pairs() const
{
    std::vector<std::pair<std::string, std::string>> out = {
        {"Top", std::to_string(top)},
        {"Left", std::to_string(left)},
        {"Height", std::to_string(height)},
        {"Width", std::to_string(width)},
        {"InfoType", infoType},
        {"OpenEnd", flag(openEnd)},
        {"LineNumbers", flag(lineNumbers)},
        {"Columns", flag(columns)},
        {"Rotated", flag(rotated)},
        {"Headings", flag(headings)},
        {"HeadingsFromFile", flag(headingsFromFile)},
        {"HeadingFile", headingFile},
        {"ShowTemplate", flag(showTemplate)},
        {"Sorted", flag(sorted)},
        {"SortColumn", std::to_string(sortColumn)},
        {"Ascending", flag(ascending)},
        {"FontSize", std::to_string(fontSize)},
    };
    const std::pair<const char *, const std::vector<std::string> *> lists[] = {
        {"CH", &columnHeadings},
        {"CW", &columnWidths},
        {"CD", &columnDisplay},
        {"CT", &columnTypes}};
    for (const auto &[prefix, list] : lists)
        for (std::size_t i = 0; i < list->size(); ++i)
            out.emplace_back(prefix + std::to_string(i), (*list)[i]);
    return out;
}

bool FileDisplayOptions::save(std::string *errorText) const
{
    const std::string working = workingFileFor(optionsFile);
    fileio::OMFILEPtr file = fileio::openPlain(working, "W", 0);
    if (!file) {
        if (errorText)
            *errorText = "*** Unable to write " + working + ": " + fileio::lastErrorText();
        return false;
    }
    bool written = true;
    for (const auto &[name, value] : pairs())
        written = fileio::writePair(*file, name, value) && written;
    written = fileio::close(file) && written;
    // A working file that was not fully written must not replace good options.
    std::string copyError;
    const bool copied = written && fileio::copyFile(working, optionsFile, &copyError);
    fileio::deleteFile(working);
    if (!copied && errorText)
        *errorText =
            "*** Unable to write " + optionsFile + (copyError.empty() ? "" : ": " + copyError);
    return copied;
}

std::string FileDisplayOptions::columnHeading(std::size_t i) const
{
    return entry(columnHeadings, i);
}

int FileDisplayOptions::columnWidth(std::size_t i) const
{
    return intOr(entry(columnWidths, i), kDefaultColumnWidth);
}

bool FileDisplayOptions::columnHidden(std::size_t i) const
{
    return entry(columnDisplay, i) == "hidden";
}

ColumnType FileDisplayOptions::columnType(std::size_t i) const
{
    return columnTypeFromName(entry(columnTypes, i));
}

std::size_t FileDisplayOptions::columnListSize() const
{
    return std::max(
        {columnHeadings.size(), columnWidths.size(), columnDisplay.size(), columnTypes.size()});
}

void FileDisplayOptions::padColumns(std::size_t count, const std::vector<std::string> &captions)
{
    count =
        std::min(std::max(count, columnListSize()), static_cast<std::size_t>(kMaxColumnIndex) + 1);
    while (columnHeadings.size() < count)
        columnHeadings.push_back(entry(captions, columnHeadings.size()));
    while (columnWidths.size() < count)
        columnWidths.push_back(std::to_string(kDefaultColumnWidth));
    while (columnDisplay.size() < count)
        columnDisplay.push_back("visible");
    while (columnTypes.size() < count)
        columnTypes.push_back("text");
}

} // namespace nimbus::viewer
