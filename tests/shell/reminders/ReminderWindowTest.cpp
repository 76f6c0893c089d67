// Reminders in the window layer, offscreen and without a session bus: the program's own window
// takes over (and the log says why, once), its buttons snooze, complete and open, "Close"
// dismisses; the tray entry's icon, tooltip and menu. On a bus of the test's own, a
// notification server that never answers freezes nothing and the window shows the reminder.
// In the main window, "Mark completed" completes the occurrence it names, as an undo step.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QCheckBox>
#include <QComboBox>
#include <QSystemTrayIcon>
#include <QTimeEdit>
#include <QtTest>

#include <QTimer>
#include <QUndoStack>

#include "RecordingLog.h"
#include "SessionBus.h"
#include "reminders/ReminderTrigger.h"
#include "shell/TreeHistory.h"
#include "shell/dialogs/TformProgress.h"
#include "shell/reminders/DesktopNotifications.h"
#include "shell/reminders/ReminderController.h"
#include "shell/reminders/ReminderPreferencesBox.h"
#include "shell/reminders/ReminderTray.h"
#include "shell/reminders/ReminderWindow.h"
#include "shell/reminders/WindowReminders.h"
#include "shell/tree/WindowFixture.h"
#include "store/Clock.h"
#include "store/DeadlineTick.h"
#include "store/TNimbusStructure.h"
#include "support/TempFolder.h"

using namespace nimbus;
using namespace nimbus::reminderui;

namespace {

DateTime at(int hour, int minute, int second = 0)
{
    return DateTime::fromCivil(2026, 3, 2, hour, minute, second);
}

TNimbusNode &addTopic(TNimbusStructure &store, const std::string &uni, const std::string &text,
                      int ttype, const std::string &time)
{
    auto node = std::make_unique<TNimbusNode>(uni);
    node->lev = 1;
    node->type = kSectionTopics;
    node->text = text;
    node->ttype = ttype;
    node->status = kStatusNotStarted;
    node->dl = true;
    node->dlDate = "20260302";
    node->dlTime = time;
    node->durno = 2;
    node->durtype = kUnitDays;
    TNimbusNode &made = *node;
    store.Append(std::move(node));
    return made;
}

QPushButton *button(QWidget *entry, const char *key)
{
    return entry ? entry->findChild<QPushButton *>(QString::fromLatin1(key)) : nullptr;
}

} // namespace

class ReminderWindowTest : public QObject {
    Q_OBJECT

private slots:
    void withoutABusTheProgramsOwnWindowShowsRemindersAndActsOnThem()
    {
        test::TempFolder folder;
        test::RecordingLog log;
        FixedClock clock(at(9, 0));
        TNimbusStructure store;
        addTopic(store, "1", "Dentist", kTopicEvent, "10:15:00");
        addTopic(store, "2", "Tax return", kTopicTask, "10:15:00");
        addTopic(store, "3", "Call bank", kTopicTask, "11:00:00");

        ReminderController reminders(folder.path(), clock, log);
        auto *presenter = qobject_cast<WindowPresenter *>(reminders.presenter());
        QVERIFY2(presenter, "no session bus: the program's own window");
        QSignalSpy opened(&reminders, &ReminderController::openTopic);
        QSignalSpy completed(&reminders, &ReminderController::completeTopic);
        reminders.tick(store, 0); // a first run begins
        QVERIFY(log.lines.empty());

        // Two reminders at 10:15 come as one entry, without "Mark completed".
        clock.set(at(10, 15, 5));
        reminders.tick(store, 0);
        ReminderWindow *window = presenter->window();
        QCOMPARE(window->count(), 1);
        QVERIFY(window->isVisible());
        QCOMPARE(log.lines.size(), std::size_t(1));
        QVERIFY(log.mentions("window of the program's own: there is no session bus"));
        QWidget *both = window->entry(1);
        QVERIFY(both->findChild<QLabel *>()->text() == "2 reminders");
        QVERIFY(button(both, "snooze-1h"));
        QVERIFY(!button(both, "complete"));
        button(both, "snooze-1h")->click();
        QCOMPARE(window->count(), 0);
        int snoozed = 0;
        for (const auto &next : reminders.engine().upcoming(store, clock.now(), 5))
            snoozed += next.snoozed && next.at == at(11, 15, 5);
        QCOMPARE(snoozed, 2);
        // The snooze is on disk at once.
        QVERIFY(test::readFile(folder / "Reminders.dat").find("snoozed=20260302-111505|") !=
                std::string::npos);

        // One task alone offers "Mark completed"; the window hands it to the main window.
        clock.set(at(11, 0, 5));
        reminders.tick(store, 0);
        QWidget *task = window->entry(2);
        QVERIFY(task);
        button(task, "complete")->click();
        QCOMPARE(completed.size(), 1);
        QCOMPARE(completed.at(0).at(0).toByteArray(), QByteArray("3"));

        // The snoozed pair comes back; "Open" names the first topic, "Close" dismisses.
        clock.set(at(11, 15, 10));
        reminders.tick(store, 0);
        QCOMPARE(window->count(), 1);
        button(window->entry(3), "open")->click();
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.at(0).at(0).toByteArray(), QByteArray("1"));
        clock.set(at(12, 0));
        addTopic(store, "4", "Lunch", kTopicEvent, "12:00:00");
        reminders.tick(store, 0);
        QCOMPARE(window->count(), 1);
        window->buttonClose->click();
        QVERIFY(!window->isVisible());
        reminders.save();
        QVERIFY(test::readFile(folder / "Reminders.dat").find("dismissed=S20260302-120000|4") !=
                std::string::npos);
        QCOMPARE(log.lines.size(), std::size_t(1)); // the reason was said once
    }

    void aNotificationServiceThatNeverAnswersFreezesNothing()
    {
        if (!test::SessionBus::available())
            QSKIP(
                "needs dbus-daemon and python3-dbusmock (Debian packages dbus, python3-dbusmock)");
        test::TempFolder folder;
        test::SessionBus bus(folder);
        QVERIFY2(bus.ready(), "the test's own bus or notification server did not start");
        // The server keeps its name and answers nothing, as a hung daemon does.
        bus.freezeServer();
        const QString name = QStringLiteral("reminders");
        QDBusConnection connection =
            QDBusConnection::connectToBus(QString::fromStdString(bus.address()), name);
        QVERIFY(connection.isConnected());
        {
            test::RecordingLog log;
            FixedClock clock(at(9, 0));
            TNimbusStructure store;
            addTopic(store, "1", "Dentist", kTopicEvent, "10:15:00");
            ReminderController reminders(folder.path(), clock, log,
                                         std::make_unique<DesktopNotifications>(connection, 2000));
            reminders.tick(store, 0);
            clock.set(at(10, 15, 5));
            reminders.tick(store, 0);
            // The window's events go on while the server says nothing.
            bool handled = false;
            QTimer::singleShot(0, [&handled] { handled = true; });
            QTRY_VERIFY(handled);

            // When the server's time is up, the program's own window shows the reminder.
            QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<WindowPresenter *>(reminders.presenter()), 60000);
            ReminderWindow *window =
                qobject_cast<WindowPresenter *>(reminders.presenter())->window();
            QCOMPARE(window->count(), 1);
            QVERIFY(window->isVisible());
            QCOMPARE(window->entry(1)->findChild<QLabel *>()->text(), QStringLiteral("Dentist"));
            QVERIFY(
                log.mentions("window of the program's own: the notification service did not take"));
            // The next reminder goes to the window at once.
            addTopic(store, "2", "Lunch", kTopicEvent, "12:00:00");
            clock.set(at(12, 0, 5));
            reminders.tick(store, 0);
            QCOMPARE(window->count(), 2);
        }
        QDBusConnection::disconnectFromBus(name);
    }

    void markCompletedActsOnTheNamedOccurrenceAsAnUndoStep()
    {
        test::TempFolder dir;
        FixedClock clock(at(10, 0));
        test::StoreWriter writer(test::dataFolder(dir));
        writer.add(0, "Topics");
        TNimbusNode *written =
            writer.add(1, "Pills").type(kTopicTask).status(kStatusNotStarted).node;
        written->recur = true;
        written->rno = 1;
        written->rtype = kUnitDays;
        written->dlDate = written->rsDate = "20260302";
        written->dlTime = written->rsTime = "09:00:00";
        const QByteArray uni = QByteArray::fromStdString(written->uni);
        writer.write();
        TformMain window(clock,
                         test::windowEnvironment(dir, std::make_shared<test::FakePrompts>()));
        QVERIFY(window.started());
        TNimbusNode *pills = window.store()->Find(uni.toStdString());
        QVERIFY(pills);
        QUndoStack *steps = window.treeController()->history()->stack();
        const int before = steps->count();

        // A notification about yesterday's occurrence leaves today's alone.
        window.reminders()->completeTopic(uni, at(9, 0).addDays(-1).msecs(), true);
        QCOMPARE(pills->dlDate, std::string("20260302"));
        QCOMPARE(steps->count(), before);
        // Today's is completed (the series moves on) as one step, which undo takes back.
        window.reminders()->completeTopic(uni, at(9, 0).msecs(), true);
        QCOMPARE(pills->dlDate, std::string("20260303"));
        QCOMPARE(steps->count(), before + 1);
        window.treeController()->history()->undo();
        pills = window.store()->Find(uni.toStdString());
        QCOMPARE(pills->dlDate, std::string("20260302"));
        QCOMPARE(pills->status, int(kStatusNotStarted));
    }

    void theTrayShowsCountsTooltipAndTheNextReminders()
    {
        FixedClock clock(at(12, 0));
        TNimbusStructure store;
        addTopic(store, "1", "Late report", kTopicTask, "09:00:00");
        addTopic(store, "2", "Urgent call", kTopicEvent, "15:00:00").urgent = true;
        RunDeadlineTick(store, clock, nullptr);
        ReminderTray tray;
        // Three counts, "Show Nimbus Desk", "No reminders to come", "Exit" and three separators.
        QCOMPARE(tray.menu()->actions().size(), 9);
        const QImage plain = tray.trayIcon()->icon().pixmap(32).toImage();

        reminders::UpcomingReminder next{"2", "Urgent call", reminders::ReminderKind::Starts, at(15, 0), false};
        tray.update(reminders::countForTray(store), {next}, clock.now(), 0);
        QCOMPARE(tray.trayIcon()->toolTip(),
                 QStringLiteral("Nimbus Desk: 1 overdue, 1 urgent, 0 due today\nLate report (-3 hours)\n"
                                "Urgent call (3 hours)"));
        QStringList texts;
        for (QAction *action : tray.menu()->actions())
            texts << action->text();
        QCOMPARE(texts, (QStringList{"Overdue: 1", "Urgent: 1", "Due today: 0", "", "Show Nimbus Desk",
                                     "", "15:00  Urgent call (starts)", "", "Exit"}));
        // The count is drawn on the icon.
        QVERIFY(tray.trayIcon()->icon().pixmap(32).toImage() != plain);

        QSignalSpy opened(&tray, &ReminderTray::openTopic);
        QSignalSpy exit(&tray, &ReminderTray::exitRequested);
        tray.menu()->actions().at(6)->trigger();
        tray.actionExit->trigger();
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.at(0).at(0).toByteArray(), QByteArray("2"));
        QCOMPARE(exit.size(), 1);
    }

    void thePreferencesAndTheTopicOptionsSetTheirChoices()
    {
        test::TempFolder folder;
        test::RecordingLog log;
        FixedClock clock(at(9, 0));
        ReminderController reminders(folder.path(), clock, log);
        ReminderPreferencesBox box(reminders.preferences());
        QSignalSpy changed(&box, &ReminderPreferencesBox::changed);
        connect(&box, &ReminderPreferencesBox::changed, &reminders, &ReminderController::preferencesChanged);
        QVERIFY(!box.checkKeepInTray->isChecked()); // closing the window ends the program
        QVERIFY(!box.timeQuietFrom->isEnabled());
        box.checkQuietHours->click();
        QVERIFY(box.timeQuietFrom->isEnabled());
        box.timeQuietTo->setTime(QTime(6, 30));
        box.checkKeepInTray->click();
        QCOMPARE(changed.size(), 3);
        box.showPreferences(); // showing the values again changes nothing
        QCOMPARE(changed.size(), 3);
        box.checkReminders->click();
        QVERIFY(!box.checkReminderSound->isEnabled());
        QCOMPARE(test::readFile(folder / "ReminderPrefs.txt"),
                 std::string("on=N\r\nsound=Y\r\nquiet=Y\r\nquietFrom=22:00\r\nquietTo=06:30\r\n"
                             "morning=08:00\r\ntray=Y\r\n"));

        // The topic options dialog shows the topic's lead time and hands back the chosen one.
        TopicOptions values;
        values.taskOrEvent = true;
        values.topicType = kTopicEvent;
        values.reminderLead = 15;
        dialogs::TformProgress dialog(values, clock);
        QCOMPARE(dialog.comboReminder->currentText(), QStringLiteral("15 minutes before"));
        QCOMPARE(dialog.comboReminder->count(), 6);
        dialog.comboReminder->setCurrentIndex(dialog.comboReminder->findText("1 day before"));
        dialog.buttonOK->click();
        QCOMPARE(dialog.values().reminderLead, 1440);
        reminders.setLead("77", dialog.values().reminderLead);
        QCOMPARE(test::readFile(folder / "ReminderLeads.txt"), std::string("lead=1440|77\r\n"));
    }
};

QTEST_MAIN(ReminderWindowTest)
#include "ReminderWindowTest.moc"
