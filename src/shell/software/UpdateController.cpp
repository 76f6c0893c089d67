// Runs the monitor passes on the user-interface thread and carries out what they decide:
// the wait window, the software list and the orderly close for an update.
#include "shell/software/UpdateController.h"

#include "update/CheckReport.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QWidget>

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "ipc/ShutdownFlags.h"
#include "shell/software/ChannelExecutableCloser.h"
#include "shell/software/SoftwarePanel.h"
#include "shell/software/WaitWindow.h"
#include "update/CheckReport.h"
#include "update/CurlDownloader.h"
#include "update/DetachedScriptStarter.h"

namespace nimbus {

namespace {
// The data version doubles as the program's version, as the about page shows it.
const std::string kProgramVersion = "1-17";
} // namespace

namespace {

QString toQString(const std::string &text)
{
    return QString::fromLocal8Bit(text.c_str());
}

} // namespace

UpdateController::Services UpdateController::realServices(const std::string &channelFolder)
{
    Services services;
    services.downloader = std::make_unique<update::CurlDownloader>();
    services.closer = std::make_unique<ChannelExecutableCloser>(channelFolder);
    services.starter = std::make_unique<update::DetachedScriptStarter>();
    services.wait = &WaitWindow::waitProcessingEvents;
    return services;
}

update::UpdateSettings UpdateController::realSettings(const TAppPaths &paths,
                                                      const EnvironmentReader &env)
{
    update::UpdateSettings settings;
    settings.ProgramFolder = paths.ProgramFolder;
    settings.InstallFolder = paths.InstallFolder;
    settings.ExeBaseName = paths.ExeBaseName;
    settings.ProductTitle = paths.ProductTitle;
    settings.downloadSite = update::downloadSiteAddress(env(update::kDownloadSiteVariable));
    settings.installPause = update::installPauseSeconds(env(update::kInstallPauseVariable));
    return settings;
}

UpdateController::UpdateController(const std::string &dataFolder, int dateOrder,
                                   update::UpdateSettings settings, const Clock &clock,
                                   ipc::ShutdownFlags &flags, Services services,
                                   QWidget *mainWindow)
    : clock_(clock), flags_(flags), services_(std::move(services)), mainWindow_(mainWindow),
      productTitle_(settings.ProductTitle), exeBaseName_(settings.ExeBaseName),
      reg_(dataFolder, clock),
      check_(reg_, *services_.downloader, *services_.closer, *services_.starter, *this, updateFlag_,
             settings),
      monitor_(reg_, check_, *this, updateFlag_, settings.ProgramFolder)
{
    reg_.dateOrder = dateOrder;
    reg_.showProgress = true;
}

UpdateController::~UpdateController()
{
    closeWaitWindow();
}

void UpdateController::start()
{
    // An empty register is written once, so that the installers find the file in place.
    if (!fileio::fileExists(reg_.registerPath))
        fileio::writeFileAtomically(reg_.registerPath, std::string());
    reg_.Load(reg_.registerPath, "L");
    showSoftwareList(update::Display(reg_));
}

void UpdateController::RunMonitorPass()
{
    // A pass cannot overlap itself; the register's lists tell that too, but a pass may also
    // be in its last wait with both lists already empty.
    if (passRunning_)
        return;
    passRunning_ = true;
    const update::PassOutcome outcome = monitor_.RunMonitorPass();
    passRunning_ = false;
    afterPass(outcome);
}

void UpdateController::CheckVersionNow()
{
    if (passRunning_)
        return;
    passRunning_ = true;
    const update::PassOutcome outcome = monitor_.CheckVersionNow();
    passRunning_ = false;
    if (outcome == update::PassOutcome::Completed)
        lastReport_ = update::CheckReport(reg_);
    else if (outcome == update::PassOutcome::Stopped)
        lastReport_ = "The check was stopped: the program is closing.";
    else
        lastReport_ = "A newer version is being installed.";
    afterPass(outcome);
}

void UpdateController::afterPass(update::PassOutcome outcome)
{
    switch (outcome) {
    case update::PassOutcome::Completed:
        return;
    case update::PassOutcome::Stopped:
        // The program is on its way out; a wait window left open would outlive the window.
        closeWaitWindow();
        return;
    case update::PassOutcome::ShutDownForUpdate:
        // The channel thread stops serving from here on.
        flags_.setShutdownForUpdate();
        closeWaitWindow();
        emit shutDownForUpdate();
        return;
    }
}

void UpdateController::setPanel(SoftwarePanel *panel)
{
    panel_ = panel;
    if (panel_)
        panel_->showRows(rows_);
}

SoftwarePanel *UpdateController::panel() const
{
    return panel_;
}

void UpdateController::showWaitWindow(const std::string &text)
{
    if (!waitWindow_)
        waitWindow_ = new WaitWindow(toQString(productTitle_), mainWindow_);
    waitWindow_->setText(toQString(text));
    waitWindow_->present();
    processMessages();
}

void UpdateController::finishWaitWindow(const std::string &text, int milliseconds)
{
    if (!waitWindow_)
        showWaitWindow(text);
    // The window may be destroyed with the main window during the wait.
    QPointer<WaitWindow> window = waitWindow_;
    window->finish(toQString(text), milliseconds, services_.wait);
    if (window)
        window->deleteLater();
    waitWindow_ = nullptr;
}

void UpdateController::closeWaitWindow()
{
    if (!waitWindow_)
        return;
    waitWindow_->close();
    waitWindow_->deleteLater();
    waitWindow_ = nullptr;
}

void UpdateController::processMessages()
{
    // Once the update check has set its flag, the channel thread stops serving too, before
    // any command it would still take in meanwhile is acted upon.
    if (updateFlag_.isSet())
        flags_.setShutdownForUpdate();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

std::unique_ptr<fileio::OperationProgress> UpdateController::startProgress(const std::string &title)
{
    auto progress = std::make_unique<dialogs::OperationProgressDialog>(
        toQString(title), mainWindow_, services_.progressTiming);
    progress->allowCancel(true);
    progress_ = progress.get();
    return progress;
}

void UpdateController::showSoftwareList(const std::vector<update::SoftwareRow> &rows)
{
    rows_ = rows;
    // The program itself is installed software too, registered or not.
    update::AddRunningProgram(rows_, productTitle_, exeBaseName_, kProgramVersion);
    if (panel_)
        panel_->showRows(rows_);
}

bool UpdateController::applicationTerminating() const
{
    return flags_.applicationTerminating();
}

} // namespace nimbus
