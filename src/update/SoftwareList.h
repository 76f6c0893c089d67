// The rows of the main window's software list, as texts: what Display shows for the register.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace nimbus::update {

class RegList;
struct RegProduct;

struct SoftwareRow {
    std::string software;
    std::string version;
    std::string status;
    std::string installed;
    std::string lastChecked;
    std::string message; // the sixth, untitled column
    const RegProduct *entry = nullptr;

    std::array<std::string, 6> columns() const
    {
        return {software, version, status, installed, lastChecked, message};
    }
};

// Column captions of the software list.
inline const std::array<const char *, 6> kSoftwareColumns{"Software",  "Version",      "Status",
                                                          "Installed", "Last checked", ""};

// One row per entry with a status, in register order. Showing a superseded entry ("Old")
// clears its message, as the list does.
std::vector<SoftwareRow> Display(RegList &reg);

} // namespace nimbus::update
