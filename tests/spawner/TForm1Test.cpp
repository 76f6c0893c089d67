// The Spawner's window driven through its real controls under the offscreen platform, and
// the stop messages during a pause and a wait.
#include <signal.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "ProcessHarness.h"
#include "SpawnerArguments.h"
#include "TForm1.h"

using namespace spawner;
using namespace spawnertest;

namespace {

// A command that records its process group and then runs until it is stopped.
std::string recordAndRun(const TempFolder &folder, const std::string &body)
{
    return "echo $$ > " + folder.file("pid") + "; " + body;
}

pid_t recordedGroup(const TempFolder &folder)
{
    const std::string text = readFile(folder.file("pid"));
    return text.empty() ? 0 : static_cast<pid_t>(std::stoi(text));
}

// The Spawner returns once the program it started has been collected; the program's own
// children, killed with it, may still be on their way out for a moment.
bool groupEnds(pid_t group)
{
    return pollUntil([group] {
        reapEndedChildren();
        return !processGroupAlive(group);
    });
}

} // namespace

class TForm1Test : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> makeForm(const std::vector<std::string> &arguments)
    {
        return std::make_unique<TForm1>(SpawnerArguments::parse(arguments),
                                        std::make_unique<NoWindowStates>(), reporter_);
    }
    template <typename Widget> static Widget *control(QWidget &form, const char *name)
    {
        auto *widget = form.findChild<Widget *>(QString::fromLatin1(name));
        if (widget == nullptr)
            qFatal("no control %s", name);
        return widget;
    }

    ProblemReporter reporter_;

private slots:
    void initTestCase() { becomeSubreaper(); }
    void init() { reporter_ = ProblemReporter(); }

    void controlsShowTheCommandLineSettings()
    {
        auto form = makeForm({"/s=f", "/w=y", "/e='run me'"});
        QCOMPARE(form->windowTitle(), QStringLiteral("Spawner"));
        QCOMPARE(control<QLabel>(*form, "Label1")->text(),
                 QStringLiteral("Application name  and command line:"));
        QCOMPARE(control<QLineEdit>(*form, "editApplication")->text(), QStringLiteral("run me"));
        QVERIFY(control<QRadioButton>(*form, "radioWS3")->isChecked());
        QVERIFY(control<QRadioButton>(*form, "radioWaitYes")->isChecked());
        QVERIFY(!control<QRadioButton>(*form, "radioWaitNo")->isChecked());

        auto minimised = makeForm({"/s=m"});
        QVERIFY(control<QRadioButton>(*minimised, "radioWS2")->isChecked());
        QVERIFY(control<QRadioButton>(*minimised, "radioWaitNo")->isChecked());
        // Hidden has no place in the form's choice on start-up: the normal state stays selected.
        auto hidden = makeForm({"/s=h"});
        QVERIFY(control<QRadioButton>(*hidden, "radioWS1")->isChecked());
        QVERIFY(!control<QRadioButton>(*hidden, "radioWS4")->isChecked());
    }

    void windowIsMinimisedUnlessUsedByHandOrCarryingAnError()
    {
        QVERIFY(makeForm({})->windowState() & Qt::WindowMinimized);
        QVERIFY(!(makeForm({"/T"})->windowState() & Qt::WindowMinimized));
        QVERIFY(!(makeForm({"/w=x"})->windowState() & Qt::WindowMinimized));
    }

    void commandLineErrorIsShownWhenTheWindowIsShown()
    {
        auto form = makeForm({"/T", "/w=x", "/e=never"});
        QVERIFY(reporter_.reportedTexts().empty());
        form->start();
        QTRY_COMPARE(reporter_.reportedTexts().size(), std::size_t{1});
        QCOMPARE(reporter_.reportedTexts()[0], std::string("*** Wait parameter must be Y or N"));
        QVERIFY(form->isVisible());
        QVERIFY(!form->applicationEnding());
        // Shown once: the error is cleared after showing it.
        form->hide();
        form->show();
        QTest::qWait(50);
        QCOMPARE(reporter_.reportedTexts().size(), std::size_t{1});
    }

    void runWithoutCommandReportsIt()
    {
        auto form = makeForm({"/T"});
        form->start();
        control<QPushButton>(*form, "buttonRun")->click();
        QCOMPARE(reporter_.reportedTexts(),
                 std::vector<std::string>{"*** No application specified"});
        QVERIFY(!form->applicationEnding());
    }

    void escapePressesCancel()
    {
        auto form = makeForm({"/T"});
        form->start();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(form.get(), Qt::Key_Escape);
        QVERIFY(form->stopRequest());
        QVERIFY(form->applicationEnding());
    }

    void runStartsTheTypedCommandAndEnds()
    {
        TempFolder folder;
        auto form = makeForm({"/T"});
        QSignalSpy ended(form.get(), &TForm1::applicationEnded);
        form->start();
        control<QLineEdit>(*form, "editApplication")
            ->setText(QString::fromStdString("echo ok > '" + folder.file("marker") + "'"));
        control<QRadioButton>(*form, "radioWaitNo")->click();
        control<QPushButton>(*form, "buttonRun")->click();
        QCOMPARE(ended.count(), 1);
        QVERIFY(form->done());
        QVERIFY(reporter_.reportedTexts().empty());
        QTRY_VERIFY_WITH_TIMEOUT(readFile(folder.file("marker")) == "ok\n", 60000);
    }

    void runThatCannotStartReportsItAndStays()
    {
        auto form = makeForm({"/T", "/w=y", "/e=no-such-command-for-spawner-test"});
        form->start();
        auto *run = control<QPushButton>(*form, "buttonRun");
        run->click();
        QCOMPARE(reporter_.reportedTexts(),
                 std::vector<std::string>{"*** Unable to run the specified activity."});
        QVERIFY(!form->applicationEnding());
        QVERIFY(!form->done());
        QVERIFY(run->isEnabled());
    }

    void cancelDuringAWaitEndsTheSpawnerAndTheProgram()
    {
        TempFolder folder;
        auto form = makeForm({"/T", "/w=y", "/e=" + recordAndRun(folder, "exec sleep 300")});
        GroupKiller killer;
        form->start();
        auto *cancel = control<QPushButton>(*form, "buttonCancel");
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (recordedGroup(folder) != 0)
                cancel->click();
        });
        poll.start(20);
        control<QPushButton>(*form, "buttonRun")->click(); // returns once the wait is stopped
        poll.stop();
        const pid_t group = recordedGroup(folder);
        killer.watch(group);
        QVERIFY(form->stopRequest());
        QVERIFY(form->applicationEnding());
        QVERIFY(form->waiting());
        QVERIFY(processGroupAlive(group));
        form.reset(); // FormDestroy
        QVERIFY(groupEnds(group));
    }

    void privateStopMessageEndsTheWaitButNotTheSpawner()
    {
        TempFolder folder;
        // The program ignores SIGTERM, so only the final SIGKILL ends it.
        auto form = makeForm(
            {"/w=y", "/e=" + recordAndRun(folder, "trap '' TERM; while :; do sleep 0.2; done")});
        GroupKiller killer;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (recordedGroup(folder) != 0)
                form->ApplicationEvents1Message(SIGUSR1);
        });
        poll.start(20);
        form->start(); // the batch run returns once the wait is stopped
        poll.stop();
        const pid_t group = recordedGroup(folder);
        killer.watch(group);
        QVERIFY(form->waiting());
        QVERIFY(!form->done());
        QVERIFY(!form->applicationEnding());
        QVERIFY(!form->isVisible());
        QVERIFY(processGroupAlive(group));
        form.reset();
        QVERIFY(groupEnds(group));
    }

    void quitMessageDuringThePauseEndsWithoutStarting()
    {
        TempFolder folder;
        for (int signalNumber : {SIGTERM, SIGINT}) {
            auto form = makeForm({"/d=600", "/e=echo ok > " + folder.file("marker")});
            QTimer::singleShot(50, form.get(),
                               [&] { form->ApplicationEvents1Message(signalNumber); });
            form->start();
            QVERIFY(form->applicationEnding());
            QVERIFY(!fileExists(folder.file("marker")));
        }
    }

    void programThatEndsByItselfIsLeftAlone()
    {
        TempFolder folder;
        auto form = makeForm({"/w=y", "/e=echo ok > " + folder.file("marker")});
        QSignalSpy ended(form.get(), &TForm1::applicationEnded);
        form->start();
        QCOMPARE(ended.count(), 1);
        QVERIFY(form->done());
        QVERIFY(!form->waiting());
        QCOMPARE(readFile(folder.file("marker")), std::string("ok\n"));
    }
};

QTEST_MAIN(TForm1Test)
#include "TForm1Test.moc"
