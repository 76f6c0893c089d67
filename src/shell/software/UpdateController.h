// The version register of the running program with its software monitor and update check,
// and the window side they ask for: the wait window and the rows of the software list. The
// main window owns it from start-up until it is destroyed, so that a pass that is still on
// the stack while the window closes never finds it gone.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/dialogs/OperationProgressDialog.h"
#include "shell/software/WaitWindow.h"
#include "tree/TAppPaths.h"
#include "update/Downloader.h"
#include "update/ExecutableCloser.h"
#include "update/RegList.h"
#include "update/ScriptStarter.h"
#include "update/ShutdownFlag.h"
#include "update/SoftwareList.h"
#include "update/SoftwareMonitor.h"
#include "update/UpdateCheck.h"
#include "update/UpdateSettings.h"
#include "update/UpdateView.h"

class QWidget;

namespace nimbus {

class Clock;
class SoftwarePanel;
namespace ipc {
class ShutdownFlags;
}

class UpdateController : public QObject, public update::UpdateView {
    Q_OBJECT
public:
    // What a pass reaches outside the program.
    struct Services {
        std::unique_ptr<update::Downloader> downloader;
        std::unique_ptr<update::ExecutableCloser> closer;
        std::unique_ptr<update::ScriptStarter> starter;
        // How the wait window waits before it closes.
        std::function<void(int milliseconds)> wait;
        // When the progress window of a setup download appears.
        dialogs::OperationProgressDialog::Timing progressTiming;
    };
    // The real ones: libcurl, the channels in channelFolder, the detached script, a local
    // event loop.
    static Services realServices(const std::string &channelFolder);
    // The running program's settings: its folders and title from paths, the download site and
    // the install script's pause from the environment.
    static update::UpdateSettings realSettings(const TAppPaths &paths,
                                               const EnvironmentReader &env);

    // dataFolder ends in "/"; dateOrder is the user's date order; flags are the program's
    // set-once flags (the application terminating; shutting down for an update); mainWindow
    // is where the wait window is centred.
    UpdateController(const std::string &dataFolder, int dateOrder, update::UpdateSettings settings,
                     const Clock &clock, ipc::ShutdownFlags &flags, Services services,
                     QWidget *mainWindow);
    ~UpdateController() override;

    // Start-up: makes sure "VersionReg.lst" exists (empty when it was missing), reads the
    // register and shows it.
    void start();
    // One software monitor pass (the start step).
    void RunMonitorPass();
    // "Check for updates": every auto-upgrade entry is due in this pass.
    void CheckVersionNow();
    // What the last "Check for updates" did, in a line per product.
    const std::string &lastReport() const { return lastReport_; }
    bool passRunning() const { return passRunning_; }

    // The panel that shows the software list; it is shown the current rows at once.
    void setPanel(SoftwarePanel *panel);
    SoftwarePanel *panel() const;
    const std::vector<update::SoftwareRow> &rows() const { return rows_; }

    update::RegList &reg() { return reg_; }
    update::SoftwareMonitor &monitor() { return monitor_; }
    const Clock &clock() const { return clock_; }
    // The wait window while it is open.
    WaitWindow *waitWindow() const { return waitWindow_; }
    // The progress window of the running setup download.
    dialogs::OperationProgressDialog *progressDialog() const { return progress_; }

    // update::UpdateView
    void showWaitWindow(const std::string &text) override;
    void finishWaitWindow(const std::string &text, int milliseconds) override;
    void processMessages() override;
    std::unique_ptr<fileio::OperationProgress> startProgress(const std::string &title) override;
    void showSoftwareList(const std::vector<update::SoftwareRow> &rows) override;
    bool applicationTerminating() const override;

signals:
    // The running program is being replaced and must now close the normal way.
    void shutDownForUpdate();

private:
    void afterPass(update::PassOutcome outcome);
    void closeWaitWindow();

    const Clock &clock_;
    ipc::ShutdownFlags &flags_;
    Services services_;
    QPointer<QWidget> mainWindow_;
    std::string productTitle_;
    std::string exeBaseName_;
    std::string lastReport_;
    update::RegList reg_;
    update::ShutdownFlag updateFlag_;
    update::UpdateCheck check_;
    update::SoftwareMonitor monitor_;
    std::vector<update::SoftwareRow> rows_;
    QPointer<SoftwarePanel> panel_;
    QPointer<WaitWindow> waitWindow_;
    QPointer<dialogs::OperationProgressDialog> progress_;
    bool passRunning_ = false;
};

} // namespace nimbus
