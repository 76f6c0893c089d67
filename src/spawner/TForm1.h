// The Spawner's window ("Spawner"): a command line, a window state and a wait choice to start
// a program by hand, and the start-up that runs without ever showing it in batch use.
#pragma once

#include <QWidget>
#include <memory>

#include "Launcher.h"
#include "ProblemReporter.h"
#include "RunSettings.h"
#include "WindowStates.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace spawner {

class SignalNotifier;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    // applicationEvents delivers the stop signals; it may be null where none are wanted.
    TForm1(RunSettings settings, std::unique_ptr<WindowStates> windowStates,
           ProblemReporter &reporter, SignalNotifier *applicationEvents = nullptr,
           QWidget *parent = nullptr);
    ~TForm1() override;

    // Start-up after construction: a batch run without showing the window, or showing it.
    void start();

    bool applicationEnding() const { return ending_; }
    bool stopRequest() const { return stopRequest_; }
    bool done() const { return done_; }
    bool waiting() const { return launcher_.waiting(); }

    static constexpr const char *kStartError = "*** Unable to run the specified activity.";
    static constexpr const char *kNoApplication = "*** No application specified";

public slots:
    // The stop signals: SIGUSR1 ends a wait; SIGTERM and SIGINT also end the Spawner.
    void ApplicationEvents1Message(int signalNumber);

signals:
    // The Spawner is to end; the program's event loop quits on it.
    void applicationEnded();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void FormCreate();
    void FormShow();
    void buttonRunClick();
    void buttonCancelClick();
    void FormClose();
    bool FormCloseQuery();
    void FormDestroy();

    void Run();
    void runBatch();
    void endApplication();
    void moveOffScreen();
    void centreOnScreen();

    QLabel *Label1 = nullptr;
    QLineEdit *editApplication = nullptr;
    QLabel *Label2 = nullptr;
    QRadioButton *radioWS1 = nullptr;
    QRadioButton *radioWS2 = nullptr;
    QRadioButton *radioWS3 = nullptr;
    QRadioButton *radioWS4 = nullptr;
    QLabel *Label3 = nullptr;
    QRadioButton *radioWaitYes = nullptr;
    QRadioButton *radioWaitNo = nullptr;
    QLabel *Label4 = nullptr;
    QPushButton *buttonRun = nullptr;
    QPushButton *buttonCancel = nullptr;
    SignalNotifier *ApplicationEvents1 = nullptr;

    RunSettings settings_;
    std::unique_ptr<WindowStates> windowStates_;
    Launcher launcher_;
    ProblemReporter &reporter_;
    bool stopRequest_ = false;
    bool done_ = false;
    bool ending_ = false;
    bool offScreen_ = false;
};

} // namespace spawner
