// The version register: every installed product version the maker's installers announced,
// kept in "VersionReg.lst" in the data folder, with its event log "VersionReg.log".
#pragma once

#include "store/Clock.h"
#include "update/RegProduct.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace nimbus::update {

class RegList {
public:
    // folder is the data folder, ending in "/"; now and today come from clock.
    RegList(std::string folder, const Clock &clock);

    // Reads a register (kind "L": every entry, appended to entries) or a registration file
    // (any other kind: every key into target). True when at least one known key was read.
    bool Load(const std::string &path, const std::string &kind, RegProduct *target = nullptr);
    // Writes every entry to path, keeping 5 old versions. False when it cannot be written.
    bool Save(const std::string &path);
    bool Save() { return Save(registerPath); }
    // Appends "date time text" to the log; failures are ignored.
    void Log(const std::string &text);
    // The entry's latest message: stored in errorcodes, logged after its application, saved.
    void RecordResult(RegProduct &entry, const std::string &text);

    // Appends an entry to the register and returns it (owned by the register).
    RegProduct &add(RegProduct entry);

    const Clock &clock() const { return clock_; }

    // Entries are held by pointer so that checkList and newList stay valid as entries grow.
    std::vector<std::unique_ptr<RegProduct>> entries;
    std::string folder;
    std::string updateListPath; // folder + "updatelist.txt"
    std::string registerPath;   // folder + "VersionReg.lst"
    std::string logPath;        // folder + "VersionReg.log"
    std::vector<RegProduct *> checkList; // due for an update check in this pass
    std::vector<RegProduct *> newList;   // registered in this pass of the software monitor
    int dateOrder = 0;                   // the user's date display order
    bool showProgress = false;           // the update check shows the wait window

    // A single entry's file (a registration file) larger than this is not read.
    static constexpr std::int64_t kMaxEntryFileBytes = 64 * 1024;

private:
    const Clock &clock_;
};

// Lower-cases the letters A to Z only; the register's keys and names compare this way.
std::string lowerAscii(std::string text);

} // namespace nimbus::update
