// What an import will do, as the preview dialog lists it.
#pragma once

#include <string>
#include <vector>

namespace nimbus {

struct CalendarImportSummary {
    std::vector<std::string> added;    // titles of new topics
    std::vector<std::string> updated;  // titles of topics that will be replaced
    std::vector<std::string> skipped;  // "VEVENT "Title": why"
};

} // namespace nimbus
