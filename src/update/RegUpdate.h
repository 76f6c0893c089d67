// One downloaded update list ("updatelist.txt"): what the download site offers for an
// application.
#pragma once

#include <cstdint>
#include <string>

namespace nimbus::update {

struct RegUpdate {
    std::string application; // must equal the entry's application, ignoring letter case
    std::string version;     // version offered
    std::string date;
    std::string rollback;
    std::string earliestversion;
    std::string url; // address of the setup program
    std::string silent;

    // Reads an update list file: name/value lines, keys compared in lower case, later lines
    // win, other keys ignored. False when the file cannot be opened (or is beyond any list's
    // size).
    bool read(const std::string &path);

    static constexpr std::int64_t kMaxListBytes = 1024 * 1024;
};

} // namespace nimbus::update
