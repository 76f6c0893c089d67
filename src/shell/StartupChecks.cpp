// Start-up's checks of the data folder, its lock, the topics read and the installation record.
#include "shell/StartupChecks.h"

#include "fileio/DataFolderLock.h"
#include "shell/ShellPrompts.h"
#include "shell/TformMain.h"
#include "shell/core/DataFolderLayout.h"
#include "shell/core/DataUpgrade.h"
#include "shell/core/StartupNotices.h"
#include "store/TContent.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

void StartupChecks::checkDataFolder()
{
    const TAppPaths &paths = window_.paths();
    if (const std::string problem = dataFolderProblem(paths); !problem.empty()) {
        window_.mainLog().setErrorDetail(problem);
        window_.AddErrorToLog("*** The data folder cannot be written: " + paths.DataFolder);
    }
}

void StartupChecks::lockDataFolder(fileio::DataFolderLock &lock)
{
    // A copy that is closing has let go of its channels but still writes its last save: the
    // store is read only once that is on disk.
    const std::string &dataFolder = window_.paths().DataFolder;
    if (!lock.take(dataFolder, true, std::chrono::seconds(10), [this, &dataFolder] {
            window_.AddToLog(
                "Waiting for the copy of Nimbus Desk that still holds the data folder " +
                dataFolder);
        }))
        reportDataFolderLock(lock);
}

void StartupChecks::reportDataFolderLock(const fileio::DataFolderLock &lock)
{
    // Without its lock the program runs on; nimbus-cli then refuses to write beside it.
    const TAppPaths &paths = window_.paths();
    const startup::LockNotice said =
        startup::dataFolderLockNotice(lock, paths.DataFolder, window_.environment().channelFolder,
                                      dataFolderProblem(paths).empty());
    if (said.error) {
        window_.mainLog().setErrorDetail(said.detail);
        window_.AddErrorToLog(said.notice.logged);
    } else {
        window_.AddToLog(said.notice.logged);
    }
    if (!said.notice.shown.empty())
        tellUser("Nimbus Desk", said.notice.shown);
}

void StartupChecks::checkTopics()
{
    TNimbusStructure &store = *window_.store();
    const TAppPaths &paths = window_.paths();
    // The log has each problem; the user hears of them once, with where to look.
    if (const std::string notice = startup::structureProblemsNotice(store.LoadProblems());
        !notice.empty())
        tellUser(paths.ProductTitle, notice);

    // Older data: count the pages of each topic that hold something.
    TPreferences &preferences = window_.preferences();
    if (NeedsDataUpgrade(preferences.lv, paths.CurrentDataVersion)) {
        UpgradePageCounts(store, ContentFolders::inDataFolder(paths.DataFolder),
                          window_.storeLog());
        preferences.lv = paths.CurrentDataVersion;
        if (StoreResult saved = preferences.Save(); !saved) {
            window_.mainLog().setErrorDetail(saved.errorText);
            window_.AddErrorToLog("*** A problem occurred while saving the preferences: ");
        }
    }
}

bool StartupChecks::reportInstallRecord(const InstallRecord &record)
{
    const TAppPaths &paths = window_.paths();
    if (!record.problem.empty())
        window_.AddToLog("*** " + record.problem);
    else if (!record.source.empty() && record.source != paths.DataFolder + "Install.dat")
        window_.AddToLog("Installation record taken from " + record.source);
    return record.source == paths.InstallFolder + "Install.pre";
}

void StartupChecks::tellUser(const std::string &caption, const std::string &message)
{
    window_.environment().prompts->tellUser(&window_, caption, message);
}

} // namespace nimbus
