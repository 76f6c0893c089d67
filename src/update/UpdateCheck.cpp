// The update check pass. Messages recorded for an entry land in its errorcodes and the log.
#include "update/UpdateCheck.h"

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "update/DownloadSecurity.h"
#include "update/DownloadSite.h"
#include "update/ExecutableCloser.h"
#include "update/InstallScript.h"
#include "update/RegList.h"
#include "update/RegUpdate.h"
#include "update/ScriptStarter.h"
#include "update/ShutdownFlag.h"
#include "update/SoftwareList.h"
#include "update/UpdateView.h"
#include "update/VersionNumber.h"

#include <utility>

namespace nimbus::update {

namespace {

// A name from a downloaded list is shown in a message, but never at any length.
std::string shortened(const std::string &text)
{
    constexpr std::size_t kShown = 200;
    return text.size() <= kShown ? text : text.substr(0, kShown) + "...";
}

} // namespace

UpdateCheck::UpdateCheck(RegList &reg, Downloader &downloader, ExecutableCloser &closer,
                         ScriptStarter &starter, UpdateView &view, ShutdownFlag &shutdown,
                         UpdateSettings settings)
    : reg_(reg), downloader_(downloader), closer_(closer), starter_(starter), view_(view),
      shutdown_(shutdown), settings_(std::move(settings))
{
}

std::string UpdateCheck::downloadFolder() const { return reg_.folder + "Download/"; }
std::string UpdateCheck::setupPath() const { return downloadFolder() + "Setup.exe"; }
std::string UpdateCheck::scriptPath() const { return downloadFolder() + "install.sh"; }

bool UpdateCheck::stopping() const
{
    return shutdown_.isSet() || view_.applicationTerminating();
}

void UpdateCheck::logDownloadError(const RegProduct &entry, const DownloadResult &result)
{
    if (!result.errorText.empty())
        reg_.Log(entry.application + " - " + result.errorText);
}

PassOutcome UpdateCheck::CheckForUpdates()
{
    if (reg_.showProgress)
        view_.showWaitWindow(kCheckingText);
    // checkList is not changed during the pass, but a copy keeps the loop safe if it were.
    const std::vector<RegProduct *> due = reg_.checkList;
    bool cancelled = false;
    for (RegProduct *entry : due) {
        const Next next = checkEntry(*entry);
        if (next == Next::Stop)
            return PassOutcome::Stopped; // no further messages; the wait window stays
        if (next == Next::ShutDown)
            return PassOutcome::ShutDownForUpdate;
        if (next == Next::Cancelled) {
            cancelled = true;
            break;
        }
    }
    reg_.checkList.clear();
    view_.showSoftwareList(Display(reg_));
    if (reg_.showProgress)
        view_.finishWaitWindow(cancelled ? kCancelledText : kNoUpdatesText, 1000);
    return PassOutcome::Completed;
}

UpdateCheck::Next UpdateCheck::checkEntry(RegProduct &entry)
{
    // 1. The first check of an entry gives it the site's address for its application.
    if (stopping())
        return Next::Stop;
    if (entry.url.empty()) {
        entry.url = updateListAddress(settings_.downloadSite, entry.application);
        reg_.Save();
    }

    // 2, 3. Fetch the update list and store it.
    if (stopping())
        return Next::Stop;
    fileio::deleteFile(reg_.updateListPath);
    std::string list;
    const DownloadResult fetched = downloader_.getToMemory(entry.url, listLimits, list);
    std::string result;
    if (!fetched.ok())
        result = "*** Unable to connect";
    else if (!fileio::writeFileAtomically(reg_.updateListPath, list))
        result = "*** download of update list failed";
    if (!result.empty()) {
        logDownloadError(entry, fetched);
        reg_.RecordResult(entry, result);
        return Next::NextEntry;
    }

    // 4.
    if (stopping())
        return Next::Stop;
    if (!fileio::fileExists(reg_.updateListPath)) {
        reg_.RecordResult(entry, "*** download of update list failed");
        return Next::NextEntry;
    }

    // 5.
    if (stopping())
        return Next::Stop;
    RegUpdate update;
    if (!update.read(reg_.updateListPath)) {
        reg_.RecordResult(entry, "*** Unable to open " + reg_.updateListPath);
        return Next::NextEntry;
    }

    // 6.
    if (stopping())
        return Next::Stop;
    if (lowerAscii(update.application) != lowerAscii(entry.application)) {
        reg_.RecordResult(entry,
                          "*** Application does not match: " + shortened(update.application));
        return Next::NextEntry;
    }

    // 7, 8.
    if (stopping())
        return Next::Stop;
    const std::int64_t offered = VersionNumber(update.version);
    const std::int64_t installed = VersionNumber(entry.version);
    reg_.RecordResult(entry, "Versions - update: " + std::to_string(offered) +
                                 " installed: " + std::to_string(installed));
    if (stopping())
        return Next::Stop;
    if (offered <= installed) {
        reg_.RecordResult(entry, "Up to date");
        return Next::NextEntry;
    }

    // 9.
    if (stopping())
        return Next::Stop;
    reg_.RecordResult(entry, "New version found - " + shortened(update.version));

    // 10. The setup arrives in a temporary file and becomes Setup.exe only when complete, so
    // an interrupted download never leaves a truncated program for the script to run.
    if (stopping())
        return Next::Stop;
    // A list that came over https (or an entry registered with an https address) may only
    // name a setup on https: otherwise the list's protection would end at the setup.
    if (IsDowngrade(entry.url, update.url)) {
        reg_.RecordResult(entry, "*** Setup refused, not on https like the update list: " +
                                     shortened(update.url));
        return Next::NextEntry;
    }
    fileio::createFolder(downloadFolder());
    fileio::deleteFile(setupPath());
    DownloadResult setup;
    {
        // The setup may take minutes: the user sees it come in and may stop it.
        const std::unique_ptr<fileio::OperationProgress> progress =
            view_.startProgress("Update of " + entry.application);
        setup = downloader_.getToFile(update.url, setupLimits, setupPath(), 0700, *progress);
    }
    if (stopping())
        return Next::Stop;
    if (setup.status == DownloadResult::Cancelled) {
        reg_.RecordResult(entry, kDownloadCancelled);
        return Next::Cancelled;
    }
    if (setup.status == DownloadResult::TransferFailed) {
        logDownloadError(entry, setup);
        reg_.RecordResult(entry, "Unable to connect to: " + shortened(update.url));
        return Next::NextEntry;
    }
    if (!setup.ok() || !fileio::fileExists(setupPath())) {
        logDownloadError(entry, setup);
        reg_.RecordResult(entry, "*** download of update file unsuccessful");
        return Next::NextEntry;
    }

    // 11.
    if (stopping())
        return Next::Stop;
    reg_.RecordResult(entry, "Up to date");
    return installUpdate(entry, update.version);
}

UpdateCheck::Next UpdateCheck::installUpdate(RegProduct &entry, const std::string &offeredVersion)
{
    // 12. The running program is not asked over a channel: it closes itself after the script
    // has started.
    if (stopping())
        return Next::Stop;
    bool runningProgramAffected = false;
    const std::string self = lowerAscii(settings_.ExeBaseName);
    for (const RegExec &exec : entry.execs) {
        const std::string name = lowerAscii(exec.exec);
        if (name == "overture" || name == self) {
            runningProgramAffected = true;
            continue;
        }
        if (closer_.closeExecutable(exec.pipe, exec.command))
            reg_.Log("Closing " + exec.exec + " on pipe " + exec.pipe);
    }

    // 13.
    if (stopping())
        return Next::Stop;
    InstallScriptValues values{entry.application, settings_.InstallFolder, reg_.folder,
                               setupPath(), settings_.ExeBaseName, settings_.installPause};
    if (!writeInstallScript(scriptPath(), installScriptLines(values))) {
        reg_.RecordResult(entry, "*** Unable to write " + scriptPath());
        return Next::NextEntry;
    }

    // 14.
    if (stopping())
        return Next::Stop;
    reg_.Log("Installing new version - Product=" + entry.product + ", Version=" +
             shortened(offeredVersion) + ", Dir=" + entry.installfolder);

    // 15, 16. A script that did not start installs nothing: the program must not close for it.
    if (stopping())
        return Next::Stop;
    if (!starter_.startScript(scriptPath())) {
        reg_.RecordResult(entry, "*** Unable to start " + scriptPath());
        return Next::NextEntry;
    }
    if (!runningProgramAffected)
        return Next::NextEntry;
    reg_.Log("Shutting down");
    shutdown_.set();
    view_.processMessages();
    if (reg_.showProgress)
        view_.finishWaitWindow("Update found.  " + settings_.ProductTitle +
                                   " will now close down and restart shortly.",
                               5000);
    return Next::ShutDown;
}

} // namespace nimbus::update
