// Reading a file's lines for display and writing what is shown as a copy.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "viewer/TableContent.h"

namespace nimbus::viewer {

// Files larger than this are not loaded: a viewer must not exhaust memory on a runaway file.
inline constexpr std::int64_t kMaxDisplayBytes = std::int64_t{512} << 20;

// Every line of the file, by the line-file rules (CR, LF or both end a line). False, with the
// reason, when the file cannot be opened or is too large to show.
bool readDisplayLines(const std::string &path, std::vector<std::string> &lines,
                      std::string *errorText = nullptr);

// The lines with their numbers in front ("     1  text"), for text shown with line numbers.
void numberLines(std::vector<std::string> &lines);

// Writes rows in the given order: a table's fields joined with "," and quoted where needed
// (its heading line first when it has one), a list's lines as they are. The target is
// replaced whole or not at all.
bool writeTableCopy(const std::string &path, const TableContent &content,
                    const std::vector<std::uint32_t> &order, bool table,
                    std::string *errorText = nullptr);

} // namespace nimbus::viewer
