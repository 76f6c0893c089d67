// One entry of the version register: one installed version of a product. Every field is text,
// kept exactly as read so that a save writes back what was loaded.
#pragma once

#include "update/RegExec.h"

#include <string>
#include <vector>

namespace nimbus::update {

// The status letters of an entry.
inline const std::string kStatusActive = "A";
inline const std::string kStatusSuperseded = "S";
inline const std::string kStatusRemoved = "D";
inline const std::string kStatusReregistered = "R";

struct RegProduct {
    std::string supplier{};
    std::string product{};
    std::string application{}; // folder name on the download site; must match the update list
    std::string version{};
    std::string installfolder{};
    std::string versiondate{};
    std::string autoupgrade{}; // "Y": checked for updates automatically
    std::string url{};         // address of the update list; filled in on the first check
    std::string checkperiod{}; // "M" months, "W" weeks, anything else days
    std::string checknumber{};
    std::string rollbackallowed{};
    std::string dateinstalled{}; // "yyyymmdd"
    std::string instance{};
    std::string status{}; // "A" active, "S" superseded, "D" removed, "R" re-registered lower
    std::string versionfolder{};
    std::string errorcodes{}; // latest check or install message
    std::string datelastchecked{};
    std::string checkresult{};
    std::vector<RegExec> execs{};

    bool operator==(const RegProduct &) const = default;
};

} // namespace nimbus::update
