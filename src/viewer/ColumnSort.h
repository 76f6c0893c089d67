// The six column sort types of the viewer's tables and the sort keys they build from a cell.
#pragma once

#include <string>
#include <string_view>

namespace nimbus::viewer {

enum class ColumnType { Text, Number, Date1, Date2, Date3, Date4 };

inline constexpr int kColumnTypeCount = 6;

// The type name stored in the options file ("text", "number", "date1" ... "date4"); an
// unknown name is a text column.
ColumnType columnTypeFromName(std::string_view name);
const char *columnTypeName(ColumnType type);
// The caption the column dialog shows for the type.
const char *columnTypeCaption(ColumnType type);

// The text sort key of a cell: lower case for "text", the rearranged date for the date types.
// ("number" columns compare by numberKey; their text key is the cell in lower case.)
std::string sortKey(ColumnType type, std::string_view cell);

// The cell read as a floating-point number (blanks around it allowed). False when it is not
// a number; such cells sort before every number.
bool numberKey(std::string_view cell, double &value);

// Orders two cells of a column of the given type: negative, 0 or positive.
int compareCells(ColumnType type, std::string_view a, std::string_view b);

// Byte-wise lower case of 8-bit text (ASCII letters only).
std::string lowerCase(std::string_view text);

} // namespace nimbus::viewer
