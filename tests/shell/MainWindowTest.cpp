// The main window under the offscreen platform: start-up, the start step and closing.
#include <QPlainTextEdit>
#include <filesystem>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "shell/TformMain.h"
#include "shell/tree/WindowFixture.h"
#include "support/TempFolder.h"
#include "viewer/DisplayControl.h"
#include "viewer/TformTextDisplay.h"

using namespace nimbus;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    static TformMain::Environment environmentFor(const test::TempFolder &dir)
    {
        const std::string home = dir / "home";
        std::filesystem::create_directories(home);  // a home folder exists; the data folder not yet
        return {[home](const std::string &name) { return name == "HOMEDRIVE" ? home : ""; },
                dir / "prog/nimbus", dir / "channels", {}};
    }

private slots:
    // A channel folder that is not the user's own (here a link planted in its place) is not
    // taken for a running copy: the user is told what is wrong, and no data folder is made.
    void aChannelFolderThatIsNotTheUsersOwnIsReported()
    {
        test::TempFolder dir;
        FixedClock clock;
        std::filesystem::create_directories(dir / "elsewhere");
        std::filesystem::create_directory_symlink(dir / "elsewhere", dir / "channels");
        TformMain::Environment env = environmentFor(dir);
        auto prompts = std::make_shared<test::FakePrompts>();
        env.prompts = prompts;
        TformMain window(clock, env);
        QVERIFY(window.terminated());
        QCOMPARE(prompts->told.size(), std::size_t(1));
        QVERIFY2(prompts->told[0].find("cannot be used: it is a symbolic link") !=
                     std::string::npos,
                 prompts->told[0].c_str());
        QVERIFY(!std::filesystem::exists(dir / "home/$Nimbus"));
    }

    void startUpShowsTheLogAndCaption()
    {
        test::TempFolder dir;
        FixedClock clock(DateTime::fromCivil(2026, 12, 5, 14, 3, 9));
        TformMain window(clock, environmentFor(dir));
        QCOMPARE(window.windowTitle(), QStringLiteral("Nimbus Desk Information Assistant"));
        QVERIFY(window.started());
        QCOMPARE(window.paths().DataFolder, dir / "home/$Nimbus/");
        QVERIFY(window.reLog->toPlainText().contains("05/12/2026 14:03:09  Nimbus Desk started"));
        QVERIFY(!window.timerSave->isActive());
        QVERIFY(window.timerAddon->isActive());
    }

    void showingRunsTheStartStepOnce()
    {
        test::TempFolder dir;
        FixedClock clock;
        TformMain window(clock, environmentFor(dir));
        window.timerStart->setInterval(0);
        window.show();
        QVERIFY(window.timerStart->isActive());
        QTRY_VERIFY(window.timerSave->isActive());
        QVERIFY(!window.timerStart->isActive());
        QVERIFY(window.timerCheckInbox->isActive());
        QVERIFY(window.timerTree->isActive());
        QVERIFY(window.timerDeadline->isActive());
        QCOMPARE(window.timerSave->interval(), 60000);
        QCOMPARE(window.timerCheckInbox->interval(), 10000);
        QCOMPARE(window.timerTree->interval(), 20);
        QCOMPARE(window.timerDeadline->interval(), 10000);
    }

    void exitButtonClosesAndStopsEveryTimer()
    {
        test::TempFolder dir;
        FixedClock clock;
        TformMain window(clock, environmentFor(dir));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(window.buttonClosel, Qt::LeftButton);
        QVERIFY(window.closing());
        QVERIFY(!window.isVisible());
        for (QTimer *timer : window.findChildren<QTimer *>())
            QVERIFY2(!timer->isActive(), qPrintable(timer->objectName()));
        const std::string log = test::readFile(window.paths().MainLogFile);
        QVERIFY2(log.find("closed\r\n") != std::string::npos, log.c_str());
    }

    void logButtonShowsTheMainLogInOneViewerUntilClosing()
    {
        test::TempFolder dir;
        FixedClock clock(DateTime::fromCivil(2026, 12, 5, 14, 3, 9));
        TformMain window(clock, environmentFor(dir));
        window.show();
        QTest::mouseClick(window.buttonMainLog, Qt::LeftButton);
        QCOMPARE(window.displayControl()->count(), 1);
        QPointer<viewer::TformTextDisplay> viewer =
            window.displayControl()->find(window.paths().MainLogFile);
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Log file - 05/12/2026 14:03:09"));
        QVERIFY(viewer->displayedLines().join('\n').contains("Nimbus Desk started"));

        clock.advanceSeconds(60);
        QTest::mouseClick(window.buttonMainLog, Qt::LeftButton);
        QCOMPARE(window.displayControl()->count(), 1);
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Log file - 05/12/2026 14:04:09"));

        window.close();
        QVERIFY(viewer.isNull());
        QVERIFY(window.displayControl() == nullptr);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
