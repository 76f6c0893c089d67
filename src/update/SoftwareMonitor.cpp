// One software monitor pass. A pass never overlaps another: one is under way while checkList
// or newList holds entries.
#include "update/SoftwareMonitor.h"

#include "fileio/FolderOps.h"
#include "store/DateFormat.h"
#include "update/CheckDue.h"
#include "update/RegList.h"
#include "update/RegistrationIntake.h"
#include "update/ShutdownFlag.h"
#include "update/SoftwareList.h"
#include "update/UpdateView.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace nimbus::update {

SoftwareMonitor::SoftwareMonitor(RegList &reg, UpdateCheck &check, UpdateView &view,
                                 ShutdownFlag &shutdown, std::string programFolder)
    : reg_(reg), check_(check), view_(view), shutdown_(shutdown),
      programFolder_(std::move(programFolder))
{
}

bool SoftwareMonitor::stopping() const
{
    return shutdown_.isSet() || view_.applicationTerminating();
}

PassOutcome SoftwareMonitor::CheckVersionNow()
{
    reg_.newList.clear();
    reg_.checkList.clear();
    forceCheck = true;
    const PassOutcome outcome = RunMonitorPass();
    forceCheck = false;
    if (outcome != PassOutcome::ShutDownForUpdate)
        view_.showSoftwareList(Display(reg_));
    return outcome;
}

PassOutcome SoftwareMonitor::RunMonitorPass()
{
    // 1.
    if (stopping())
        return PassOutcome::Stopped;
    if (!reg_.checkList.empty() || !reg_.newList.empty())
        return PassOutcome::Completed;

    // 2. Registration files, in name order.
    if (stopping())
        return PassOutcome::Stopped;
    std::vector<std::string> files;
    fileio::listFiles(reg_.folder + "*.pre", files);
    std::sort(files.begin(), files.end());
    bool changed = false;
    bool lastWithDataErroneous = false;
    RegistrationIntake intake(reg_, programFolder_);
    for (const std::string &name : files) {
        if (stopping())
            return PassOutcome::Stopped;
        const RegistrationIntake::Result result = intake.take(reg_.folder + name);
        if (result != RegistrationIntake::Result::NoData) {
            lastWithDataErroneous = result == RegistrationIntake::Result::Refused;
            changed = true;
        }
    }

    // 3. An erroneous last registration holds the check back: the installer may try again.
    if (stopping())
        return PassOutcome::Stopped;
    if (autoChecks && !lastWithDataErroneous)
        changed = findDueEntries() || changed;

    // 4.
    if (stopping())
        return PassOutcome::Stopped;
    if (changed) {
        view_.showSoftwareList(Display(reg_));
        view_.processMessages();
    }

    // 5.
    if (stopping())
        return PassOutcome::Stopped;
    if (reg_.checkList.empty() && reg_.newList.empty())
        return PassOutcome::Completed;
    reg_.newList.clear();

    // 6.
    if (stopping())
        return PassOutcome::Stopped;
    PassOutcome outcome = PassOutcome::Completed;
    if (!reg_.checkList.empty()) {
        if (!skipUpdateThisRun)
            outcome = check_.CheckForUpdates();
        if (outcome != PassOutcome::Completed)
            return outcome;
        reg_.checkList.clear();
    }
    return outcome;
}

bool SoftwareMonitor::findDueEntries()
{
    bool changed = false;
    const DateTime today = reg_.clock().now();
    for (const auto &entry : reg_.entries) {
        if (stopping())
            break;
        if (entry->status != kStatusActive)
            continue;
        if (!fileio::folderExists(entry->installfolder)) {
            entry->status = kStatusRemoved;
            reg_.Save();
            changed = true;
            continue;
        }
        const bool due = entry->autoupgrade == "Y" &&
                         (forceCheck || entry->datelastchecked.size() != 8 ||
                          IsCheckDue(entry->datelastchecked, entry->checkperiod,
                                     entry->checknumber, today));
        if (!due)
            continue;
        reg_.checkList.push_back(entry.get());
        entry->errorcodes.clear();
        entry->datelastchecked = dates::dateKey(today);
        reg_.Save();
        changed = true;
    }
    return changed;
}

} // namespace nimbus::update
