// CheckForUpdates: one pass over the register's checkList. For each entry it fetches the
// update list, compares versions and, for a newer offer, downloads the setup, asks the
// product's executables to close, writes the install script and starts it.
#pragma once

#include "update/Downloader.h"
#include "update/UpdateSettings.h"

#include <string>

namespace nimbus::update {

class ExecutableCloser;
class RegList;
class ScriptStarter;
class ShutdownFlag;
class UpdateView;
struct RegProduct;

// How a pass ended, and so what the window does next.
enum class PassOutcome {
    Completed,         // every entry was looked at
    Stopped,           // the application is terminating or already shutting down for an update
    ShutDownForUpdate, // the running program is being replaced: terminate the application now
};

class UpdateCheck {
public:
    UpdateCheck(RegList &reg, Downloader &downloader, ExecutableCloser &closer,
                ScriptStarter &starter, UpdateView &view, ShutdownFlag &shutdown,
                UpdateSettings settings);

    PassOutcome CheckForUpdates();

    // The update list is small and must come quickly; the setup may be large and slow.
    DownloadLimits listLimits{20'000, 120'000, 30, 256 * 1024, 5};
    DownloadLimits setupLimits{20'000, 3'600'000, 60, std::int64_t{2} * 1024 * 1024 * 1024, 5};

    // Wait window texts.
    static constexpr const char *kCheckingText = "Checking for updates - please wait ...";
    static constexpr const char *kNoUpdatesText = "No updates found";
    static constexpr const char *kCancelledText = "Update cancelled";
    // The entry's result when the user stopped the setup download.
    static constexpr const char *kDownloadCancelled = "Update download cancelled";

    std::string downloadFolder() const; // data folder + "Download/"
    std::string setupPath() const;      // downloadFolder() + "Setup.exe"
    std::string scriptPath() const;     // downloadFolder() + "install.sh"

private:
    // Cancelled: the user stopped a download; the pass ends without looking at later entries.
    enum class Next { NextEntry, Stop, ShutDown, Cancelled };

    Next checkEntry(RegProduct &entry);
    Next installUpdate(RegProduct &entry, const std::string &offeredVersion);
    bool stopping() const;
    // A download's own error goes to the log before the entry's message.
    void logDownloadError(const RegProduct &entry, const DownloadResult &result);

    RegList &reg_;
    Downloader &downloader_;
    ExecutableCloser &closer_;
    ScriptStarter &starter_;
    UpdateView &view_;
    ShutdownFlag &shutdown_;
    UpdateSettings settings_;
};

} // namespace nimbus::update
