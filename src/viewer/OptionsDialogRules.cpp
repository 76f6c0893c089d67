// The OK semantics of the file display options dialog.
#include "viewer/OptionsDialogRules.h"

#include <charconv>

namespace nimbus::viewer {

OptionsDialogValues dialogValuesFrom(const FileDisplayOptions &options)
{
    OptionsDialogValues values;
    values.openEnd = options.openEnd;
    values.columns = options.columns;
    values.headings = options.headings;
    values.sorted = options.sorted;
    values.rotated = options.rotated;
    values.headingsFromFile = options.headingsFromFile;
    values.headingFile = options.headingFile;
    values.showTemplate = options.showTemplate;
    values.fontSize = options.fontSize;
    values.columnsChanged = options.columnsChanged;
    const std::size_t count = options.columnListSize();
    values.rows.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        values.rows[i].heading = options.columnHeading(i);
        values.rows[i].type = options.columnType(i);
        values.rows[i].visible = !options.columnHidden(i);
    }
    return values;
}

void resetColumnDetails(OptionsDialogValues &values)
{
    for (ColumnDetails &row : values.rows) {
        row.type = ColumnType::Text;
        row.visible = true;
    }
    values.columnsChanged = true;
}

int fontSizeFromText(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    int size = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), size);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return 10;
    return size;
}

void applyDialogValues(FileDisplayOptions &options, const OptionsDialogValues &values,
                       int currentSortColumn, bool currentAscending)
{
    int sortColumn = options.sortColumn;
    bool ascending = options.ascending;
    if (values.sorted && currentSortColumn >= 0) {
        sortColumn = currentSortColumn;
        ascending = currentAscending;
    }
    // Every value that is saved counts: a change to "open at the end" or to the initial sort
    // alone is kept too.
    const bool differs = values.fontSize != options.fontSize || values.columns != options.columns ||
                         values.headings != options.headings ||
                         values.headingsFromFile != options.headingsFromFile ||
                         values.headingFile != options.headingFile ||
                         values.rotated != options.rotated ||
                         values.showTemplate != options.showTemplate ||
                         values.openEnd != options.openEnd || values.sorted != options.sorted ||
                         sortColumn != options.sortColumn || ascending != options.ascending;
    options.columnsChanged = values.columnsChanged;
    if (differs || values.columnsChanged)
        options.changed = true;

    options.fontSize = values.fontSize;
    options.sorted = values.sorted;
    options.sortColumn = sortColumn;
    options.ascending = ascending;
    options.openEnd = values.openEnd;
    options.columns = values.columns;
    options.headings = values.headings;
    options.rotated = values.rotated;
    options.infoType = values.columns ? "table" : "text";
    if (values.columnsChanged) {
        options.padColumns(values.rows.size());
        for (std::size_t i = 0; i < values.rows.size() && i < options.columnHeadings.size(); ++i) {
            options.columnHeadings[i] = values.rows[i].heading;
            options.columnTypes[i] = columnTypeName(values.rows[i].type);
            options.columnDisplay[i] = values.rows[i].visible ? "visible" : "hidden";
        }
    }
    options.showTemplate = values.showTemplate;
    options.headingsFromFile = values.headingsFromFile;
    options.headingFile = values.headingFile;
}

} // namespace nimbus::viewer
