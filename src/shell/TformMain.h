// The main window. Its construction is the program's start-up; closing it writes back what
// the user changed. It owns the program-wide objects and the timers and composes the pages.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "ipc/CommandHandler.h"
#include "ipc/PipeList.h"
#include "ipc/ShutdownFlags.h"
#include "shell/core/MainLog.h"
#include "shell/core/TAppPaths.h"
#include "store/Clock.h"

class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace nimbus {

namespace viewer {
class DisplayControl;
}
class CommandDispatcher;

class TformMain : public QMainWindow {
    Q_OBJECT
public:
    // Where start-up looks for the world outside the program; tests give their own.
    struct Environment {
        EnvironmentReader env = readProcessEnvironment;
        std::string executablePath = currentExecutablePath();
        // The folder of the channels between copies of the program and other processes.
        std::string channelFolder = ipc::channelFolderFromEnvironment();
    };

    TformMain(const Clock &clock, Environment environment, QWidget *parent = nullptr);
    explicit TformMain(const Clock &clock) : TformMain(clock, Environment{}) {}
    ~TformMain() override;

    // Set when start-up decided that this copy must end at once.
    bool terminated() const { return terminated_; }
    bool closing() const { return closing_; }
    bool started() const { return started_; }

    const TAppPaths &paths() const { return paths_; }
    MainLog &mainLog() { return *log_; }
    const Clock &clock() const { return clock_; }
    // The registry of open viewer windows; none once the window has closed.
    viewer::DisplayControl *displayControl() const { return displayControl_.get(); }
    // Set once when the program closes (or closes for an update); the channel thread reads them.
    ipc::ShutdownFlags &shutdownFlags() { return shutdownFlags_; }
    CommandDispatcher *commandDispatcher() const { return dispatcher_; }

    void AddToLog(const std::string &message);
    void AddErrorToLog(const std::string &message);

    // Components other parts of the window reach.
    QPlainTextEdit *reLog = nullptr;
    QPushButton *buttonClosel = nullptr;
    QPushButton *buttonMainLog = nullptr;
    QTimer *timerStart = nullptr;
    QTimer *timerSave = nullptr;
    QTimer *timerCheckInbox = nullptr;
    QTimer *timerTree = nullptr;
    QTimer *timerDeadline = nullptr;
    QTimer *timerAddon = nullptr;
    QTimer *timerVersionReg = nullptr;
    QTimer *timerRichEdit = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createComponents();
    void createTimers();
    bool startChannels();
    void FormShow();
    void FormClose();
    void timerStartTimer();
    void buttonCloselClick();
    void buttonMainLogClick();

    const Clock &clock_;
    Environment environment_;
    TAppPaths paths_;
    std::unique_ptr<MainLog> log_;
    std::unique_ptr<viewer::DisplayControl> displayControl_;
    ipc::ShutdownFlags shutdownFlags_;
    CommandDispatcher *dispatcher_ = nullptr;
    std::unique_ptr<ipc::CommandHandler> commandHandler_;
    // Declared last: its server thread uses the handler and dispatcher above.
    std::unique_ptr<ipc::PipeList> pipes_;
    bool terminated_ = false;
    bool started_ = false;
    bool startStepDone_ = false;
    bool closing_ = false;
    bool closed_ = false;
};

}  // namespace nimbus
