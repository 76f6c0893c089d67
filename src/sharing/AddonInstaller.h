// The add-on timer's work: every "addon-<name>-<version>" folder the installers dropped into
// the install folder is merged into the store, recorded in "Addons.dat" and removed. The timer
// runs every five seconds until a pass finds a pack, then once an hour. The user may stop a
// pass between packs: each pack is merged whole, and the ones not reached stay for the next
// tick, which keeps its interval.
#pragma once

#include <string>
#include <vector>

#include "fileio/OperationProgress.h"
#include "sharing/MergeChanges.h"
#include "sharing/SharingPaths.h"

namespace nimbus {

class Clock;
class MergeGate;
class MergeHost;
class StoreLog;
class TNimbusStructure;

struct AddonOutcome {
    int interval = 0; // the timer's next interval in milliseconds
    int packsMerged = 0;
    int packsLeft = 0; // not reached because the user cancelled
    MergeChanges changes;
};

class AddonInstaller {
public:
    static constexpr int kFirstInterval = 5000;
    static constexpr int kLaterInterval = 3600000;

    AddonInstaller(const SharingPaths &paths, MergeGate &gate, const Clock &clock, StoreLog &log);

    // The handler of timerAddon. Returns at once while another merge holds the gate.
    // progress counts the packs.
    AddonOutcome timerAddonTimer(TNimbusStructure &store, MergeHost &host,
                                 fileio::OperationProgress &progress = fileio::ignoredProgress());

    static constexpr const char *kMergingText = "Installing add-on topics";
    int interval() const { return interval_; }

    // "addon-finance-2" -> "addon", "finance", "2": split at "-", each field trimmed.
    static std::vector<std::string> SplitFolderName(const std::string &name);

private:
    void removePackFolder(const std::string &folder, const std::vector<std::string> &keep);

    const SharingPaths &paths_;
    MergeGate &gate_;
    const Clock &clock_;
    StoreLog &log_;
    int interval_ = kFirstInterval;
};

} // namespace nimbus
