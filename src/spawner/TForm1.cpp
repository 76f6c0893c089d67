// The Spawner's window, its handlers and the start-up sequence.
#include "TForm1.h"

#include <signal.h>

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include "SignalNotifier.h"
#include "StartupMode.h"

namespace spawner {

namespace {

template <typename Widget, typename... Args> Widget *named(const char *name, Args &&...args)
{
    auto *widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TForm1::TForm1(RunSettings settings, std::unique_ptr<WindowStates> windowStates,
               ProblemReporter &reporter, SignalNotifier *applicationEvents, QWidget *parent)
    : QWidget(parent), settings_(std::move(settings)), windowStates_(std::move(windowStates)),
      launcher_(*windowStates_), reporter_(reporter)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Spawner"));
    buildControls();
    ApplicationEvents1 = applicationEvents;
    if (ApplicationEvents1 != nullptr)
        connect(ApplicationEvents1, &SignalNotifier::received, this,
                &TForm1::ApplicationEvents1Message);
    setWindowState(Qt::WindowMinimized);
    FormCreate();
}

TForm1::~TForm1()
{
    FormDestroy();
}

void TForm1::buildControls()
{
    Label1 = named<QLabel>("Label1", QStringLiteral("Application name  and command line:"));
    editApplication = named<QLineEdit>("editApplication");
    editApplication->setMinimumWidth(380);
    Label1->setBuddy(editApplication);
    Label2 = named<QLabel>("Label2", QStringLiteral("Choose window state:"));
    radioWS1 = named<QRadioButton>("radioWS1", QStringLiteral("Normal"));
    radioWS2 = named<QRadioButton>("radioWS2", QStringLiteral("Minimized"));
    radioWS3 = named<QRadioButton>("radioWS3", QStringLiteral("Maximized"));
    radioWS4 = named<QRadioButton>("radioWS4", QStringLiteral("Hidden"));
    Label3 = named<QLabel>("Label3", QStringLiteral("Wait for application to finish?"));
    radioWaitYes = named<QRadioButton>("radioWaitYes", QStringLiteral("Yes"));
    radioWaitNo = named<QRadioButton>("radioWaitNo", QStringLiteral("No"));
    Label4 = named<QLabel>("Label4", QStringLiteral("Specify the application to run"));
    buttonRun = named<QPushButton>("buttonRun", QStringLiteral("Run application"));
    buttonCancel = named<QPushButton>("buttonCancel", QStringLiteral("Cancel"));

    // Two separate choices, each exclusive within itself.
    auto *windowStateGroup = new QButtonGroup(this);
    for (QRadioButton *radio : {radioWS1, radioWS2, radioWS3, radioWS4})
        windowStateGroup->addButton(radio);
    auto *waitGroup = new QButtonGroup(this);
    waitGroup->addButton(radioWaitYes);
    waitGroup->addButton(radioWaitNo);
    radioWS1->setChecked(true);
    radioWaitYes->setChecked(true);

    auto *windowStateRow = new QHBoxLayout;
    for (QRadioButton *radio : {radioWS1, radioWS2, radioWS3, radioWS4})
        windowStateRow->addWidget(radio);
    windowStateRow->addStretch();
    auto *waitRow = new QHBoxLayout;
    waitRow->addWidget(radioWaitYes);
    waitRow->addWidget(radioWaitNo);
    waitRow->addStretch();
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(Label4);
    buttonRow->addStretch();
    buttonRow->addWidget(buttonRun);
    buttonRow->addWidget(buttonCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(editApplication);
    layout->addWidget(Label2);
    layout->addLayout(windowStateRow);
    layout->addWidget(Label3);
    layout->addLayout(waitRow);
    layout->addLayout(buttonRow);

    buttonRun->setDefault(true);
    connect(buttonRun, &QPushButton::clicked, this, &TForm1::buttonRunClick);
    connect(buttonCancel, &QPushButton::clicked, this, &TForm1::buttonCancelClick);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, buttonCancel, &QPushButton::click);

    // A fixed border: the window keeps the size its controls need.
    adjustSize();
    setFixedSize(sizeHint());
}

void TForm1::start()
{
    switch (startupModeFor(settings_)) {
    case StartupMode::Batch:
        moveOffScreen();
        runBatch();
        break;
    case StartupMode::EndAtOnce:
        moveOffScreen();
        done_ = true;
        endApplication();
        break;
    case StartupMode::ShowOffScreen:
        moveOffScreen();
        show();
        break;
    case StartupMode::ShowMinimised:
    case StartupMode::ShowNormal:
        centreOnScreen();
        show();
        break;
    }
}

void TForm1::runBatch()
{
    if (settings_.delaySeconds > 0) {
        // The pause keeps the event loop running so the quit signals still end the Spawner,
        // without starting the command.
        for (int second = 0; second < settings_.delaySeconds && !ending_; ++second)
            Launcher::pollUntil([this] { return ending_; }, 1000);
        if (ending_)
            return;
    }
    if (!settings_.command.empty()) {
        Run();
        if (ending_)
            return;
        if (settings_.error.empty())
            return; // a stopped wait: ending is left to the stopper
        // Nobody would otherwise learn that the command never ran.
        reporter_.report(nullptr, settings_.error);
        settings_.error.clear();
    }
    done_ = true;
    endApplication();
}

void TForm1::Run()
{
    const Launcher::Outcome outcome =
        launcher_.run(settings_.command, screenModeFromLetter(settings_.screenMode), settings_.wait,
                      [this] { return stopRequest_; });
    switch (outcome) {
    case Launcher::Outcome::StartFailed:
        settings_.error = kStartError;
        return;
    case Launcher::Outcome::Stopped:
        return; // the handles stay for FormDestroy
    case Launcher::Outcome::Finished:
        launcher_.release();
        done_ = true;
        endApplication();
        return;
    }
}

void TForm1::FormCreate()
{
    editApplication->setText(QString::fromLocal8Bit(settings_.command.c_str()));
    if (settings_.screenMode == 'F')
        radioWS3->setChecked(true);
    else if (settings_.screenMode == 'M')
        radioWS2->setChecked(true);
    else
        radioWS1->setChecked(true);
    (settings_.wait ? radioWaitYes : radioWaitNo)->setChecked(true);
    if ((windowState() & Qt::WindowMinimized) &&
        (!settings_.error.empty() || settings_.interactive))
        setWindowState(windowState() & ~Qt::WindowMinimized);
}

void TForm1::FormShow()
{
    if (settings_.error.empty())
        return;
    const std::string error = settings_.error;
    settings_.error.clear();
    reporter_.report(offScreen_ ? nullptr : this, error);
}

void TForm1::buttonRunClick()
{
    settings_.command = editApplication->text().toLocal8Bit().toStdString();
    settings_.screenMode = radioWS2->isChecked()   ? 'M'
                           : radioWS3->isChecked() ? 'F'
                           : radioWS4->isChecked() ? 'H'
                                                   : 'N';
    settings_.wait = radioWaitYes->isChecked();
    if (settings_.command.empty()) {
        reporter_.report(this, kNoApplication);
        return;
    }
    // One started program at a time: the window stays responsive while it is waited for.
    buttonRun->setEnabled(false);
    Run();
    buttonRun->setEnabled(true);
    if (!settings_.error.empty()) {
        const std::string error = settings_.error;
        settings_.error.clear();
        reporter_.report(this, error);
    }
}

void TForm1::buttonCancelClick()
{
    stopRequest_ = true;
    endApplication();
}

void TForm1::FormClose()
{
    endApplication();
    stopRequest_ = true;
}

bool TForm1::FormCloseQuery()
{
    stopRequest_ = true;
    return true;
}

void TForm1::FormDestroy()
{
    // A wait stopped before the program ended: the program goes with the Spawner.
    if (!done_ && launcher_.waiting())
        launcher_.closeStarted();
}

void TForm1::ApplicationEvents1Message(int signalNumber)
{
    stopRequest_ = true;
    // SIGUSR1 only ends a wait; the quit signals also end the Spawner, as a process
    // asked to terminate should.
    if (signalNumber == SIGTERM || signalNumber == SIGINT)
        endApplication();
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // After the window is up, so that the message box appears over it.
    QTimer::singleShot(0, this, &TForm1::FormShow);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TForm1::endApplication()
{
    if (ending_)
        return;
    ending_ = true;
    emit applicationEnded();
}

void TForm1::moveOffScreen()
{
    offScreen_ = true;
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect desktop = screen->geometry();
    move(desktop.width() + 20, desktop.height() + 20);
}

void TForm1::centreOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    move(screen->availableGeometry().center() - rect().center());
}

} // namespace spawner
