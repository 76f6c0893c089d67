// The software monitor: takes in the installers' registration files, marks removed products,
// finds the entries due for an update check and hands them to the update check.
#pragma once

#include "update/UpdateCheck.h"

#include <string>

namespace nimbus::update {

class RegList;
class ShutdownFlag;
class UpdateView;

class SoftwareMonitor {
public:
    SoftwareMonitor(RegList &reg, UpdateCheck &check, UpdateView &view, ShutdownFlag &shutdown,
                    std::string programFolder);

    // One pass. Returns ShutDownForUpdate when the window must now terminate the application.
    PassOutcome RunMonitorPass();
    // What "Check for updates" does once the list is emptied: a pass in which every
    // auto-upgrade entry is due, then the list shown again.
    PassOutcome CheckVersionNow();

    bool forceCheck = false;
    // Set by start-up when it has just moved an installer's Install.pre in: due entries are
    // recorded, but not checked in this run.
    bool skipUpdateThisRun = false;
    bool autoChecks = true;

private:
    bool stopping() const;
    // Step 3: entries due for a check go to checkList. True when anything changed.
    bool findDueEntries();

    RegList &reg_;
    UpdateCheck &check_;
    UpdateView &view_;
    ShutdownFlag &shutdown_;
    std::string programFolder_;
};

} // namespace nimbus::update
