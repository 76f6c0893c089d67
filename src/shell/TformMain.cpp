// Start-up and closing sequence of the main window.
#include "shell/TformMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "fileio/FolderOps.h"
#include "ipc/Channels.h"
#include "shell/CommandDispatcher.h"
#include "shell/core/DataFolderLayout.h"
#include "store/DateFormat.h"
#include "viewer/DisplayControl.h"
#include "viewer/TformTextDisplay.h"

namespace nimbus {

TformMain::TformMain(const Clock &clock, Environment environment, QWidget *parent)
    : QMainWindow(parent), clock_(clock), environment_(std::move(environment))
{
    createComponents();
    createTimers();
    // Only one copy runs; a second one hands over to it and ends before touching any file.
    if (!startChannels()) {
        terminated_ = true;
        return;
    }

    // System values, the data folder and the program folder.
    setSystemValues(paths_, environment_.env);
    setDataFolder(paths_, homeFolder(environment_.env));
    setProgramFolder(paths_, environment_.executablePath);
    setWindowTitle(QStringLiteral("Nimbus Desk") + QStringLiteral(" Information Assistant"));
    createDataFolders(paths_);

    log_ = std::make_unique<MainLog>(paths_.MainLogFile, clock_);
    log_->setView([this](const std::string &line) {
        reLog->appendPlainText(QString::fromLocal8Bit(line.c_str()));
    });
    // An unusable data folder is said at once: nothing the program writes can be kept there.
    if (const std::string problem = dataFolderProblem(paths_); !problem.empty()) {
        log_->setErrorDetail(problem);
        AddErrorToLog("*** The data folder cannot be written: " + paths_.DataFolder);
    }

    // Files an installation leaves next to the program, then the installation record.
    seedInstallFiles(paths_);
    const InstallRecord record = loadInstallRecord(paths_);
    if (!record.source.empty() && record.source != paths_.DataFolder + "Install.dat")
        AddToLog("Installation record taken from " + record.source);

    // The viewer registry; its message boxes carry the product title just read.
    displayControl_ = std::make_unique<viewer::DisplayControl>(paths_.DataFolder, paths_.ProductTitle);

    AddToLog(paths_.ProductTitle + " started");
    started_ = true;
}

TformMain::~TformMain()
{
    // A window destroyed without being closed still writes back what it holds.
    FormClose();
}

// The marker channel says that a copy runs; the served channel takes commands from other
// processes. False when this copy must end.
bool TformMain::startChannels()
{
    pipes_ = std::make_unique<ipc::PipeList>(nullptr, environment_.channelFolder, &shutdownFlags_);
    if (ipc::CreateChannel(*pipes_, "nimbus_active")) {
        const ipc::PipeLine client("nimbusslavemode", true, environment_.channelFolder);
        if (ipc::ChannelExists(client))
            ipc::SendToChannel(client, nullptr, {"wakeup=now"});
        return false;
    }
    dispatcher_ = new CommandDispatcher(
        this, shutdownFlags_,
        [this](const std::string &message) {
            if (log_)
                AddToLog(message);
        },
        this);
    commandHandler_ = std::make_unique<ipc::CommandHandler>(*dispatcher_, shutdownFlags_);
    pipes_->onRefused = [this](const std::string &text) { dispatcher_->refused(text); };
    return !ipc::CreateServerChannel(
        *pipes_, "nimbusslavemode",
        [this](const std::vector<std::string> &batch) { (*commandHandler_)(batch); });
}

void TformMain::createComponents()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    reLog = new QPlainTextEdit(central);
    reLog->setObjectName("reLog");
    reLog->setReadOnly(true);
    reLog->setMaximumBlockCount(5000);
    layout->addWidget(reLog);

    auto *buttons = new QHBoxLayout;
    buttonMainLog = new QPushButton(tr("Log"), central);
    buttonMainLog->setObjectName("buttonMainLog");
    buttons->addWidget(buttonMainLog);
    buttons->addStretch();
    buttonClosel = new QPushButton(tr("Exit"), central);
    buttonClosel->setObjectName("buttonClosel");
    buttons->addWidget(buttonClosel);
    layout->addLayout(buttons);
    setCentralWidget(central);
    resize(900, 600);

    connect(buttonClosel, &QPushButton::clicked, this, &TformMain::buttonCloselClick);
    connect(buttonMainLog, &QPushButton::clicked, this, &TformMain::buttonMainLogClick);
}

void TformMain::createTimers()
{
    auto make = [this](const char *name, int interval, bool running) {
        auto *timer = new QTimer(this);
        timer->setObjectName(name);
        timer->setInterval(interval);
        if (running)
            timer->start();
        return timer;
    };
    timerStart = make("timerStart", 1000, false);
    timerSave = make("timerSave", 60000, false);
    timerCheckInbox = make("timerCheckInbox", 10000, false);
    timerTree = make("timerTree", 20, false);
    timerDeadline = make("timerDeadline", 10000, false);
    timerAddon = make("timerAddon", 5000, true);
    timerVersionReg = make("timerVersionReg", 1000, false);
    timerRichEdit = make("timerRichEdit", 100, false);

    connect(timerStart, &QTimer::timeout, this, &TformMain::timerStartTimer);
}

void TformMain::AddToLog(const std::string &message)
{
    log_->AddToLog(message);
}

void TformMain::AddErrorToLog(const std::string &message)
{
    log_->AddErrorToLog(message);
}

void TformMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TformMain::FormShow()
{
    if (!closing_ && !startStepDone_ && !timerStart->isActive())
        timerStart->start();
}

// The one-shot start step: the periodic timers run from here on.
void TformMain::timerStartTimer()
{
    startStepDone_ = true;
    for (QTimer *timer : {timerStart, timerSave, timerCheckInbox, timerTree, timerDeadline})
        timer->stop();
    for (QTimer *timer : {timerSave, timerCheckInbox, timerTree, timerDeadline})
        timer->start();
}

void TformMain::buttonCloselClick()
{
    close();
}

void TformMain::buttonMainLogClick()
{
    if (!displayControl_ || !fileio::fileExists(paths_.MainLogFile))
        return;
    viewer::TformTextDisplay *viewer = displayControl_->OpenViewer(
        paths_.MainLogFile, "Log file - " + dates::logDateTime(clock_.now()), "text");
    viewer->setVersionsEnabled(true);
    viewer->present();
}

void TformMain::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TformMain::FormClose()
{
    if (closed_)
        return;
    closed_ = true;
    closing_ = true;
    shutdownFlags_.setApplicationTerminating();
    // Each step runs even when an earlier one failed: nothing the user has is left unsaved
    // because of an unrelated problem.
    auto step = [this](const char *what, auto &&action) {
        try {
            action();
        } catch (const std::exception &e) {
            log_->AddToLog(std::string("*** Closing: ") + what + ": " + e.what());
        } catch (...) {
            log_->AddToLog(std::string("*** Closing: ") + what);
        }
    };
    step("timers", [this] {
        for (QTimer *timer : {timerStart, timerSave, timerCheckInbox, timerTree, timerDeadline,
                              timerAddon, timerVersionReg, timerRichEdit})
            timer->stop();
    });
    step("Destroy DisplayControl", [this] { displayControl_.reset(); });
    // The server thread ends here, before anything is saved: no command comes in meanwhile.
    step("channels", [this] { pipes_.reset(); });
    // A copy that ended during start-up has written nothing and writes nothing now.
    if (terminated_ || !log_)
        return;
    step("log", [this] { AddToLog(paths_.ProductTitle + " closed"); });
}

}  // namespace nimbus
