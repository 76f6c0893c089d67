// The name=value lines (CR LF) of the reminder files. Reading keeps the lines it does not
// understand, so that rewriting a file never drops what a newer copy of the program, or a
// hand edit, put there.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nimbus {
class StoreLog;
}

namespace nimbus::reminders {

struct PairLines {
    std::vector<std::pair<std::string, std::string>> pairs; // in file order
    bool existed = false;
};

// Reads every line of a file; a line without "=" becomes a pair with an empty name. False
// (logged) when the file exists but cannot be read.
bool readPairLines(const std::string &path, PairLines &lines, StoreLog &log);

// "name=value" CR LF.
void appendPair(std::string &out, std::string_view name, std::string_view value);

// Replaces the file atomically; a failure is logged and leaves the old file.
bool writeAtomically(const std::string &path, const std::string &bytes, StoreLog &log);

// "hh:mm" as minutes after midnight; false when it is not a time of day.
bool parseClockMinutes(std::string_view text, int &minutes);
std::string clockText(int minutes);

} // namespace nimbus::reminders
