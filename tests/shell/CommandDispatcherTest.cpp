// Commands from other processes reach the main window on the user-interface thread, however
// they arrive; a second main window of the same user ends at once and wakes the first.
#include <QPlainTextEdit>
#include <QThread>
#include <QtTest>
#include <thread>

#include "ipc/Channels.h"
#include "ipc/CommandHandler.h"
#include "shell/CommandDispatcher.h"
#include "shell/TformMain.h"
#include "support/TempFolder.h"

using namespace nimbus;

class CommandDispatcherTest : public QObject {
    Q_OBJECT

private:
    struct Record {
        QStringList log;
        bool offThread = false;
    };

    static CommandDispatcher::LogSink sinkInto(Record &record)
    {
        return [&record](const std::string &message) {
            record.offThread |= QThread::currentThread() != qApp->thread();
            record.log << QString::fromStdString(message);
        };
    }

    static TformMain::Environment environmentFor(const test::TempFolder &dir)
    {
        const std::string home = dir / "home";
        QDir().mkpath(QString::fromStdString(home));
        return {[home](const std::string &name) { return name == "HOMEDRIVE" ? home : ""; },
                dir / "prog/nimbus", dir / "channels", {}};
    }

private slots:
    void channelThreadActionsRunOnTheWindowThread()
    {
        QWidget window;
        window.showMinimized();
        ipc::ShutdownFlags flags;
        Record record;
        CommandDispatcher dispatcher(&window, flags, sinkInto(record));
        std::vector<std::string> started;
        bool startedOffThread = false;
        dispatcher.setStarter([&](const ipc::ProcessObj &process) {
            startedOffThread |= QThread::currentThread() != qApp->thread();
            started.push_back(process.commandLine);
            return true;
        });
        const ipc::CommandHandler handler(dispatcher, flags);

        std::thread([&] {
            handler({"WAKEUP=NOW", "run=/bin/x,y", "run=/bin/z,,,controlled"});
        }).join();
        QVERIFY2(window.isMinimized(), "nothing happens on the channel thread itself");
        QTRY_VERIFY(!window.isMinimized());
        QTRY_COMPARE(started.size(), std::size_t(1));
        QCOMPARE(started[0], std::string("\"/bin/x\" \"y\""));
        QVERIFY(!startedOffThread);
        QVERIFY(!record.offThread);
        QVERIFY(record.log.contains("Brought to the front at the request of another program"));

        // A maximised window stays maximised.
        window.showMaximized();
        std::thread([&] { handler({"wakeup"}); }).join();
        QTRY_COMPARE(record.log.count("Brought to the front at the request of another program"), 2);
        QVERIFY(window.isMaximized());
    }

    void closeClosesAndNothingLaterIsActedUpon()
    {
        QWidget window;
        window.show();
        ipc::ShutdownFlags flags;
        Record record;
        CommandDispatcher dispatcher(&window, flags, sinkInto(record));
        int starts = 0;
        dispatcher.setStarter([&](const ipc::ProcessObj &) { return ++starts > 0; });
        const ipc::CommandHandler handler(dispatcher, flags);

        std::thread([&] { handler({"close", "run=/bin/x"}); }).join();
        std::thread([&] { handler({"run=/bin/y", "wakeup"}); }).join();
        QTRY_VERIFY(!window.isVisible());
        QCoreApplication::processEvents();
        QCOMPARE(starts, 0);
        QCOMPARE(record.log, QStringList{"Closing at the request of another program"});
    }

    void secondWindowHandsOverAndEnds()
    {
        test::TempFolder dir;
        FixedClock clock;
        TformMain first(clock, environmentFor(dir));
        QVERIFY(first.started());
        QVERIFY(!first.terminated());

        test::TempFolder otherHome;
        auto environment = environmentFor(otherHome);
        environment.channelFolder = dir / "channels";
        TformMain second(clock, environment);
        QVERIFY(second.terminated());
        QVERIFY(!second.started());
        QVERIFY(!QFileInfo::exists(QString::fromStdString(otherHome / "home/$Nimbus")));
        QTRY_VERIFY(first.reLog->toPlainText().contains(
            "Brought to the front at the request of another program"));
    }

    void closingEndsTheServerAndFreesTheChannels()
    {
        test::TempFolder dir;
        FixedClock clock;
        {
            TformMain window(clock, environmentFor(dir));
            window.show();
            window.close();
            QVERIFY(window.shutdownFlags().applicationTerminating());
            QVERIFY(!ipc::ChannelExists(ipc::PipeLine("nimbusslavemode", true, dir / "channels")));
        }
        TformMain again(clock, environmentFor(dir));
        QVERIFY(!again.terminated());
    }
};

QTEST_MAIN(CommandDispatcherTest)
#include "CommandDispatcherTest.moc"
