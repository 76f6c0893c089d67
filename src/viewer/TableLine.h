// The table line format of the viewer: comma-separated fields, optionally in double quotes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nimbus::viewer {

inline constexpr char kTableSeparator = ',';

// Splits one line into its fields. Blanks before a field are skipped; a field that begins
// with a double quote runs to the next double quote (the rest up to the next separator is
// ignored); an unquoted field runs to the next separator and is trimmed of blanks; a
// separator at the very end of the line adds no empty last field.
std::vector<std::string> splitTableLine(std::string_view line);
// The same, appending to fields (cleared first); avoids an allocation per line.
void splitTableLine(std::string_view line, std::vector<std::string> &fields);

// Joins fields into one line that splitTableLine reads back: a field is quoted when it holds
// the separator, begins with a double quote or has blanks at either end.
std::string joinTableLine(const std::vector<std::string> &fields);
std::string quoteTableField(std::string_view field);

} // namespace nimbus::viewer
