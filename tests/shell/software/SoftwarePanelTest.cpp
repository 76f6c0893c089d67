// The software panel under the offscreen platform: rows from a register, change notes and the
// update log in the viewer, "Check for updates" with its wait window, the close for an update,
// the closing of other executables over their channels, and the register at start-up.
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest>
#include <filesystem>
#include <map>
#include <mutex>

#include "fileio/AtomicFile.h"
#include "ipc/Channels.h"
#include "ipc/PipeList.h"
#include "ipc/ShutdownFlags.h"
#include "shell/PageArea.h"
#include "shell/TformMain.h"
#include "shell/software/ChannelExecutableCloser.h"
#include "shell/software/SoftwarePanel.h"
#include "shell/software/UpdateController.h"
#include "shell/software/WaitWindow.h"
#include "support/TempFolder.h"
#include "update/CryptoLog.h"
#include "viewer/DisplayControl.h"
#include "viewer/FakePrompts.h"
#include "viewer/TformTextDisplay.h"

using namespace nimbus;
using Lines = std::vector<std::string>;

namespace {

// A download site held in memory: address to body.
class FakeSite : public update::Downloader {
public:
    update::DownloadResult getToMemory(const std::string &url, const update::DownloadLimits &,
                                       std::string &body) override
    {
        requested.push_back(url);
        const auto it = files.find(url);
        if (it == files.end())
            return {update::DownloadResult::TransferFailed, "not found"};
        body = it->second;
        return {update::DownloadResult::Ok, {}};
    }
    update::DownloadResult getToFile(const std::string &url, const update::DownloadLimits &,
                                     const std::string &path, unsigned mode) override
    {
        std::string body;
        update::DownloadResult result = getToMemory(url, {}, body);
        if (!result.ok())
            return result;
        fileio::AtomicFile file(path);
        file.setMode(mode);
        if (!file.open() || !file.write(body) || !file.commit())
            result = {update::DownloadResult::StoreFailed, "not stored"};
        return result;
    }
    std::map<std::string, std::string> files;
    Lines requested;
};

class RecordingCloser : public update::ExecutableCloser {
public:
    bool closeExecutable(const std::string &pipe, const std::string &command) override
    {
        asked.push_back(pipe + " " + command);
        return false;
    }
    Lines asked;
};

class RecordingStarter : public update::ScriptStarter {
public:
    bool startScript(const std::string &path) override
    {
        started.push_back(path);
        return true;
    }
    Lines started;
};

// A controller over a register in a temporary data folder, with the site, the channels and
// the script starter recorded, and a wait window that only notes what it would show.
struct Fixture {
    test::TempFolder dir;
    std::string data = dir / "data/";
    std::string program = dir / "prog/";
    bool made =
        std::filesystem::create_directories(data) && std::filesystem::create_directories(program);
    FixedClock clock{DateTime::fromCivil(2026, 3, 10, 12, 0, 0)};
    ipc::ShutdownFlags flags;
    FakeSite *site = nullptr;
    RecordingCloser *closer = nullptr;
    RecordingStarter *starter = nullptr;
    QStringList waits; // "text milliseconds visible", and whether the channels stopped
    std::shared_ptr<test::FakePrompts> prompts = std::make_shared<test::FakePrompts>();
    viewer::DisplayControl viewers{data, "Nimbus Desk", prompts};
    std::unique_ptr<UpdateController> updates;

    explicit Fixture(int dateOrder = 0)
    {
        UpdateController::Services services;
        services.downloader = std::make_unique<FakeSite>();
        services.closer = std::make_unique<RecordingCloser>();
        services.starter = std::make_unique<RecordingStarter>();
        site = static_cast<FakeSite *>(services.downloader.get());
        closer = static_cast<RecordingCloser *>(services.closer.get());
        starter = static_cast<RecordingStarter *>(services.starter.get());
        services.wait = [this](int ms) {
            WaitWindow *window = updates->waitWindow();
            waits << QStringLiteral("%1 %2 %3%4")
                         .arg(window->text())
                         .arg(ms)
                         .arg(window->isVisible() ? "visible" : "hidden")
                         .arg(flags.shutdownForUpdate() ? " channels closed" : "");
        };
        update::UpdateSettings settings{
            program, program, "nimbus", "Nimbus Desk", "http://127.0.0.1:9", 20};
        updates = std::make_unique<UpdateController>(data, dateOrder, settings, clock, flags,
                                                     std::move(services), nullptr);
    }

    SoftwarePanel *panel(QWidget *parent = nullptr)
    {
        return new SoftwarePanel(
            *updates, [this] { return &viewers; }, parent);
    }

    // One register entry, written the way the register file holds it.
    static std::string entry(const std::string &product, const std::string &version,
                             const std::string &status, const std::string &more = {})
    {
        return "supplier=Maker\r\nproduct=" + product + "\r\napplication=" + product +
               "\r\nversion=" + version + "\r\nstatus=" + status + "\r\n" + more;
    }
    void writeRegister(const std::string &text) { test::writeFile(data + "VersionReg.lst", text); }
};

QStringList rowTexts(const QTreeWidget *list, int row)
{
    QStringList texts;
    for (int column = 0; column < list->columnCount(); ++column)
        texts << list->topLevelItem(row)->text(column);
    return texts;
}

void doubleClickRow(QTreeWidget *list, int row)
{
    const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
    // The first click of a double click, then the second one.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class SoftwarePanelTest : public QObject {
    Q_OBJECT

private slots:
    void rowsShowTheRegisterInTheUsersDateOrder()
    {
        Fixture f(2);
        f.writeRegister(
            Fixture::entry("Nimbus Desk", "2.0.9", "A",
                           "dateinstalled=20260105\r\ndatelastchecked=20260301\r\n"
                           "errorcodes=Up to date\r\n") +
            Fixture::entry("Nimbus Desk", "1.5", "S", "errorcodes=*** Unable to connect\r\n") +
            Fixture::entry("Unlisted", "1.0", "") + Fixture::entry("Gone", "3.1", "D") +
            Fixture::entry("Odd", "0.1", "R"));
        f.updates->start();
        std::unique_ptr<SoftwarePanel> panel(f.panel());
        QTreeWidget *list = panel->listSoftware;

        QCOMPARE(list->headerItem()->text(0), QStringLiteral("Software"));
        QCOMPARE(list->headerItem()->text(4), QStringLiteral("Last checked"));
        QCOMPARE(list->topLevelItemCount(), 4);
        QCOMPARE(rowTexts(list, 0), (QStringList{"Nimbus Desk", "2.0.9", "Active", "2026/01/05",
                                                 "2026/03/01", "Up to date"}));
        // A superseded version shows as old, and its message is gone.
        QCOMPARE(rowTexts(list, 1), (QStringList{"Nimbus Desk", "1.5", "Old", "", "", ""}));
        QCOMPARE(rowTexts(list, 2).mid(0, 3), (QStringList{"Gone", "3.1", "Removed"}));
        QCOMPARE(rowTexts(list, 3).mid(0, 3), (QStringList{"Odd", "0.1", ""}));
        QCOMPARE(panel->buttonUpdateLog->text(), QStringLiteral("Display update log"));
        QCOMPARE(panel->buttonCheckVersion->text(), QStringLiteral("Check for updates"));
        QCOMPARE(panel->labelUpdates->text(), QStringLiteral("Updates:"));
    }

    void startCreatesAMissingRegisterEmpty()
    {
        Fixture f;
        f.updates->start();
        QVERIFY(std::filesystem::exists(f.data + "VersionReg.lst"));
        QCOMPARE(std::filesystem::file_size(f.data + "VersionReg.lst"), std::uintmax_t{0});
        std::unique_ptr<SoftwarePanel> panel(f.panel());
        // Nothing registered: the list still shows the running program itself.
        QCOMPARE(panel->listSoftware->topLevelItemCount(), 1);
        QCOMPARE(rowTexts(panel->listSoftware, 0).mid(1, 2), (QStringList{"1-17", "Running"}));
    }

    void doubleClickShowsTheVersionsChangeNotesOnce()
    {
        Fixture f;
        f.writeRegister(Fixture::entry("Nimbus Desk", "2.0.9", "A") +
                        Fixture::entry("Tool", "7.1", "A") + Fixture::entry("Sly", "../x", "A"));
        test::writeFile(f.data + "2.0..vsn", "Faster start\r\nNew summary badges\r\n");
        test::writeFile(f.dir / "x.vsn", "outside the data folder\r\n");
        f.updates->start();
        QWidget window;
        auto *column = new QVBoxLayout(&window);
        SoftwarePanel *panel = f.panel(&window);
        column->addWidget(panel);
        window.resize(700, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // No notes for 7.1, and a version that would name a file elsewhere opens nothing.
        doubleClickRow(panel->listSoftware, 1);
        doubleClickRow(panel->listSoftware, 2);
        QCOMPARE(f.viewers.count(), 0);

        doubleClickRow(panel->listSoftware, 0);
        QCOMPARE(f.viewers.count(), 1);
        QPointer<viewer::TformTextDisplay> notes = f.viewers.find(f.data + "2.0..vsn");
        QVERIFY(notes);
        QVERIFY(notes->isVisible());
        QCOMPARE(notes->windowTitle(), QStringLiteral("Changes in version: 2.0."));
        QVERIFY(notes->displayedLines().join('\n').contains("New summary badges"));
        doubleClickRow(panel->listSoftware, 0);
        QCOMPARE(f.viewers.count(), 1);
    }

    void logButtonShowsTheUpdateLogWhenThereIsOne()
    {
        Fixture f;
        f.updates->start();
        std::unique_ptr<SoftwarePanel> panel(f.panel());
        QTest::mouseClick(panel->buttonUpdateLog, Qt::LeftButton);
        QCOMPARE(f.viewers.count(), 0);

        f.updates->reg().Log("New file found - " + f.data + "tool.pre");
        QTest::mouseClick(panel->buttonUpdateLog, Qt::LeftButton);
        QCOMPARE(f.viewers.count(), 1);
        viewer::TformTextDisplay *log = f.viewers.find(f.data + "VersionReg.log");
        QVERIFY(log);
        QCOMPARE(log->windowTitle(), QStringLiteral("Software monitor Log - 10/03/2026 12:00:00"));
        QVERIFY(log->displayedLines().join('\n').contains("New file found - "));

        // A later click brings the same window back, titled afresh.
        f.clock.advanceSeconds(90);
        QTest::mouseClick(panel->buttonUpdateLog, Qt::LeftButton);
        QCOMPARE(f.viewers.count(), 1);
        QCOMPARE(log->windowTitle(), QStringLiteral("Software monitor Log - 10/03/2026 12:01:30"));
    }

    void checkForUpdatesChecksEveryAutoUpgradeEntryNow()
    {
        Fixture f;
        // Checked today, so not due by its period; only the button makes it due.
        f.writeRegister(
            Fixture::entry("Tool", "1.0", "A",
                           "installfolder=" + f.program +
                               "\r\nautoupgrade=Y\r\ndatelastchecked=20260310\r\n") +
            Fixture::entry("Manual", "1.0", "A", "installfolder=" + f.program + "\r\n"));
        f.updates->start();
        std::unique_ptr<SoftwarePanel> panel(f.panel());

        f.updates->RunMonitorPass();
        QVERIFY(f.site->requested.empty());
        QVERIFY(f.waits.isEmpty());

        QTest::mouseClick(panel->buttonCheckVersion, Qt::LeftButton);
        QCOMPARE(f.site->requested, (Lines{"http://127.0.0.1:9/downloads/Tool/updatelist.txt"}));
        QCOMPARE(f.waits, QStringList{"No updates found 1000 visible"});
        QVERIFY(!f.updates->waitWindow());
        QCOMPARE(panel->listSoftware->topLevelItemCount(), 3); // the running program first
        QCOMPARE(rowTexts(panel->listSoftware, 1).mid(4),
                 (QStringList{"10/03/2026", "*** Unable to connect"}));
        QCOMPARE(rowTexts(panel->listSoftware, 2).mid(4), (QStringList{"", ""}));
        // The button says what it did, product by product.
        QVERIFY2(panel->labelCheckResult->text().contains("not checked - *** Unable to connect"),
                 qPrintable(panel->labelCheckResult->text()));
        QVERIFY(!f.updates->monitor().forceCheck);
    }

    void replacingTheRunningProgramAsksTheWindowToClose()
    {
        Fixture f;
        const std::string site = "http://127.0.0.1:9";
        f.site->files[site + "/downloads/Nimbus/updatelist.txt"] =
            "application=Nimbus\r\nversion=2.1.0\r\nurl=" + site + "/files/setup\r\n";
        f.site->files[site + "/files/setup"] = "#!/bin/sh\n";
        f.writeRegister(
            Fixture::entry("Nimbus", "2.0.9", "A",
                           "installfolder=" + f.program +
                               "\r\nautoupgrade=Y\r\nexec=tool\r\npipe=toolpipe\r\n"
                               "command=close\r\nexec=Nimbus\r\npipe=nimbusslavemode\r\n"
                               "command=close\r\n") +
            Fixture::entry("Later", "1.0", "A",
                           "installfolder=" + f.program + "\r\nautoupgrade=Y\r\n"));
        f.updates->start();
        QSignalSpy closing(f.updates.get(), &UpdateController::shutDownForUpdate);

        f.updates->RunMonitorPass();
        QCOMPARE(closing.count(), 1);
        QVERIFY(f.flags.shutdownForUpdate());
        QCOMPARE(f.starter->started, Lines{f.data + "Download/install.sh"});
        QCOMPARE(f.closer->asked, Lines{"toolpipe close"});
        QCOMPARE(f.waits, QStringList{"Update found.  Nimbus Desk will now close down and "
                                      "restart shortly. 5000 visible channels closed"});
        QVERIFY(!f.updates->waitWindow());
        // Nothing more happens once the program is on its way out.
        f.updates->CheckVersionNow();
        QCOMPARE(closing.count(), 1);
        QCOMPARE(f.site->requested.size(), std::size_t{2});
    }

    void aTerminatingApplicationEndsThePassAtOnce()
    {
        Fixture f;
        f.writeRegister(Fixture::entry("Tool", "1.0", "A",
                                       "installfolder=" + f.program + "\r\nautoupgrade=Y\r\n"));
        f.updates->start();
        f.flags.setApplicationTerminating();
        f.updates->CheckVersionNow();
        QVERIFY(f.site->requested.empty());
        QVERIFY(!f.updates->waitWindow());
        QCOMPARE(f.updates->reg().entries.front()->datelastchecked, std::string());
    }

    void closingOtherExecutablesUsesOnlyTheirOwnChannels()
    {
        test::TempFolder dir;
        const std::string channels = dir / "channels/";
        std::mutex mutex;
        Lines received;
        ipc::PipeList pipes(nullptr, channels);
        QVERIFY(!ipc::CreateServerChannel(pipes, "toolpipe", [&](const Lines &batch) {
            std::lock_guard<std::mutex> lock(mutex);
            received.insert(received.end(), batch.begin(), batch.end());
        }));
        ChannelExecutableCloser closer(channels);
        QVERIFY(!closer.closeExecutable("otherpipe", "close"));
        QVERIFY(!closer.closeExecutable("../channels/toolpipe", "close"));
        QVERIFY(!closer.closeExecutable(channels + "toolpipe", "close"));
        QVERIFY(closer.closeExecutable("toolpipe", "quit now"));
        QTRY_VERIFY([&] {
            std::lock_guard<std::mutex> lock(mutex);
            return received == Lines{"quit now"};
        }());
    }

    void mainWindowKeepsTheRegisterAndShowsItOnTheAboutPage()
    {
        test::TempFolder dir;
        const std::string home = dir / "home";
        std::filesystem::create_directories(dir / "prog");
        std::filesystem::create_directories(home + "/$Nimbus");
        test::writeFile(home + "/$Nimbus/VersionReg.lst",
                        Fixture::entry("Nimbus Desk", "2.0.9", "A"));
        // An installer has just run: its record lies next to the program.
        test::writeFile(dir / "prog/Install.pre", "product=Nimbus Desk\r\n");
        FixedClock clock(DateTime::fromCivil(2026, 3, 10, 12, 0, 0));
        TformMain window(clock, {[home](const std::string &name) {
                                     return name == "HOMEDRIVE" ? home : std::string();
                                 },
                                 dir / "prog/nimbus",
                                 dir / "channels",
                                 {}});
        QVERIFY(window.updateController());
        QVERIFY(window.updateController()->monitor().skipUpdateThisRun);
        QVERIFY(window.cryptoLog());
        QVERIFY(!window.cryptoLog()->loaded);
        SoftwarePanel *panel = window.softwarePanel();
        QVERIFY(panel);
        QVERIFY(window.pageArea()->page("panelAbout")->isAncestorOf(panel));
        QCOMPARE(panel->listSoftware->topLevelItemCount(), 1);
        QCOMPARE(panel->listSoftware->topLevelItem(0)->text(0), QStringLiteral("Nimbus Desk"));

        window.close();
        // The panel's buttons do nothing harmful once the viewers are gone.
        test::writeFile(home + "/$Nimbus/VersionReg.log", "a line\r\n");
        panel->buttonUpdateLogClick();
        QVERIFY(!window.displayControl());
    }

    void aFreshDataFolderGetsAnEmptyRegisterAndNoSkip()
    {
        test::TempFolder dir;
        const std::string home = dir / "home";
        std::filesystem::create_directories(home);
        FixedClock clock;
        TformMain window(clock, {[home](const std::string &name) {
                                     return name == "HOMEDRIVE" ? home : std::string();
                                 },
                                 dir / "prog/nimbus",
                                 dir / "channels",
                                 {}});
        QVERIFY(std::filesystem::exists(home + "/$Nimbus/VersionReg.lst"));
        QVERIFY(!window.updateController()->monitor().skipUpdateThisRun);
    }
};

QTEST_MAIN(SoftwarePanelTest)
#include "SoftwarePanelTest.moc"
