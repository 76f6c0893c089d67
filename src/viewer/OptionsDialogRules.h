// What the file display options dialog edits and how its OK button changes the options.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "viewer/ColumnSort.h"
#include "viewer/FileDisplayOptions.h"

namespace nimbus::viewer {

// One row of the dialog's column list.
struct ColumnDetails {
    std::string heading;
    ColumnType type = ColumnType::Text;
    bool visible = true;
};

// The dialog's controls as values.
struct OptionsDialogValues {
    bool openEnd = false;
    bool columns = false;
    bool headings = false;
    bool sorted = false;
    bool rotated = false;
    bool headingsFromFile = false;
    std::string headingFile;
    bool showTemplate = false;
    int fontSize = 8;
    bool columnsChanged = false;
    std::vector<ColumnDetails> rows;
};

// The dialog filled from the options (one row per entry of the column lists).
OptionsDialogValues dialogValuesFrom(const FileDisplayOptions &options);

// "Reset column details": every row back to a visible text column; headings stay.
void resetColumnDetails(OptionsDialogValues &values);

// The text size typed or chosen in the dialog; 10 when it is not a number.
int fontSizeFromText(std::string_view text);

// OK: copies the values into the options and sets changed when anything that is saved
// differs. With sorted ticked, the viewer's current sort (when it has one) becomes the
// initial sort.
void applyDialogValues(FileDisplayOptions &options, const OptionsDialogValues &values,
                       int currentSortColumn, bool currentAscending);

} // namespace nimbus::viewer
