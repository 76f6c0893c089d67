// How nimbus-cli prints topics: one line per topic in text (aligned columns), JSON (an array
// of objects, or one object) or TSV (tab-separated, no heading), with id, path, status and the
// due text the "Due" grid shows.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace nimbus {
class TNimbusNode;
}

namespace nimbus::cli {

enum class Format { Text, Json, Tsv };
// "text", "json", "tsv"; false for anything else.
bool parseFormat(std::string_view text, Format &format);

// A JSON string literal of 8-bit text (UTF-8 passes through; control bytes are escaped).
std::string jsonString(std::string_view text);

struct TopicRow {
    std::string id;
    std::string path;
    std::string status; // "Task not started", "Future event", "Information topic" ...
    std::string due;    // the "Due" grid's text ("Today", "3 days", "-2 days"), empty when none
    std::string date;   // the due date in the display order, with its time when it has one
    int priority = 0;
    bool urgent = false;
    std::string match;  // search: where the words matched ("title", "page: Details" ...)
};
TopicRow rowOf(const TNimbusNode &node, int displayOrder);

// withMatch adds the search's match column (before the path in text, after the date in TSV).
void printRows(std::ostream &out, const std::vector<TopicRow> &rows, Format format, bool withMatch = false);

} // namespace nimbus::cli
