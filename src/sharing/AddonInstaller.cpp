// The add-on timer.
#include "sharing/AddonInstaller.h"

#include <algorithm>
#include <unistd.h>

#include "fileio/FolderOps.h"
#include "sharing/AddonMerge.h"
#include "sharing/MergeGate.h"
#include "sharing/MergeHost.h"
#include "sharing/TAddonList.h"
#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/StoreLog.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

AddonInstaller::AddonInstaller(const SharingPaths &paths, MergeGate &gate, const Clock &clock,
                               StoreLog &log)
    : paths_(paths), gate_(gate), clock_(clock), log_(log)
{
}

std::vector<std::string> AddonInstaller::SplitFolderName(const std::string &name)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dash = name.find('-', start);
        std::string field =
            name.substr(start, dash == std::string::npos ? std::string::npos : dash - start);
        const auto first = field.find_first_not_of(" \t");
        const auto last = field.find_last_not_of(" \t");
        fields.push_back(first == std::string::npos ? std::string()
                                                    : field.substr(first, last - first + 1));
        if (dash == std::string::npos)
            break;
        start = dash + 1;
    }
    // A dash at the very end makes no empty last field.
    if (fields.size() > 1 && fields.back().empty() && !name.empty() && name.back() == '-')
        fields.pop_back();
    return fields;
}

AddonOutcome AddonInstaller::timerAddonTimer(TNimbusStructure &store, MergeHost &host,
                                             fileio::OperationProgress &progress)
{
    AddonOutcome outcome;
    outcome.interval = interval_;
    MergeGate::Hold hold(gate_);
    if (!hold.entered())
        return outcome;
    std::vector<std::string> folders;
    fileio::listFolders(paths_.InstallFolder, folders);
    std::erase_if(folders, [](const std::string &name) { return name.rfind("addon-", 0) != 0; });
    if (folders.empty())
        return outcome;
    std::sort(folders.begin(), folders.end());

    host.HoldOffSaves(true);
    TAddonList list;
    list.SetDataFolder(paths_.DataFolder);
    list.Load();
    const auto total = static_cast<std::int64_t>(folders.size());
    // Stopping is only possible between packs, so with one pack there is nothing to offer.
    progress.allowCancel(total > 1);
    for (std::size_t i = 0; i < folders.size(); ++i) {
        progress.report(static_cast<std::int64_t>(i), total, kMergingText);
        if (progress.cancelled()) {
            outcome.packsLeft = static_cast<int>(folders.size() - i);
            log_.AddToLog("Addon - installing cancelled, " + std::to_string(outcome.packsLeft) +
                          " pack(s) stay for later");
            break;
        }
        const std::string &name = folders[i];
        const std::vector<std::string> fields = SplitFolderName(name);
        if (fields.size() < 2)
            continue;
        const std::string folder = paths_.InstallFolder + name + "/";
        host.SyncStoreFromTree();
        MergeChanges changes;
        ImportReport import;
        if (!addon::MergeAddon(store, folder, paths_.content(), log_, changes, &import))
            continue;
        ++outcome.packsMerged;
        list.Add(TAddon{fields[1],
                        "install",
                        dates::dateKey(clock_.now()),
                        fields.size() > 2 ? fields[2] : std::string(),
                        {}});
        list.changed = true;
        host.BuildTree(changes);
        removePackFolder(folder, import.failed);
        log_.AddToLog("Activity complete");
        outcome.changes.added.insert(outcome.changes.added.end(), changes.added.begin(),
                                     changes.added.end());
        outcome.changes.updated.insert(outcome.changes.updated.end(), changes.updated.begin(),
                                       changes.updated.end());
    }
    if (list.changed)
        if (StoreResult saved = list.Save(); !saved)
            log_.AddErrorToLog("*** A problem occurred while saving the list of addons: ",
                               saved.errorText);
    progress.allowCancel(false);
    if (outcome.packsLeft == 0) {
        progress.report(total, total, kMergingText);
        interval_ = kLaterInterval;
    }
    outcome.interval = interval_;
    host.ResumeSaves(true);
    return outcome;
}

void AddonInstaller::removePackFolder(const std::string &folder,
                                      const std::vector<std::string> &keep)
{
    std::vector<std::string> files;
    fileio::listFiles(folder, files);
    fileio::listFiles(folder + ".*", files);
    // A content file that could not be copied stays, and with it the folder.
    for (const std::string &file : files)
        if (std::find(keep.begin(), keep.end(), file) == keep.end())
            fileio::deleteFile(folder + file);
    ::rmdir(folder.c_str());
}

} // namespace nimbus
