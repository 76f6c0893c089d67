// Calendar sync in the real main window (offscreen) against a real Radicale server on
// 127.0.0.1: the account set through the controller syncs on the worker, the server's entry
// appears in the tree under the chosen topic and the local one reaches the server, the status
// line says what happened, and a wrong password leaves the tree as it was and says so.
// Before Qt, whose signals keyword would clash with a field of GIO's.
#include <gio/gio.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <filesystem>
#include <map>
#include <set>

#include "WindowFixture.h"
#include "caldav/CalDavClient.h"
#include "caldav/RadicaleServer.h"
#include "caldav/SyncState.h"
#include "caldav/XandikosServer.h"
#include "shell/caldav/CalendarAccountDialog.h"
#include "shell/caldav/CalendarPreferencesBox.h"
#include "shell/caldav/CalendarSyncController.h"
#include "shell/caldav/PasswordKeeper.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/TopicPage.h"
#include "store/TopicCodes.h"
#include "support/ChildProcess.h"

using namespace nimbus;
using namespace nimbus::test;

namespace {

const char *kPhoneEntry = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Phone//EN\r\nBEGIN:VTODO\r\n"
                          "UID:phone-7@example.org\r\nDTSTAMP:20261201T080000Z\r\nSUMMARY:Pick up parcel\r\n"
                          "DUE;VALUE=DATE:20261211\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";

const char *const kKeyringDaemon = "/usr/bin/gnome-keyring-daemon";
const char *const kDbusDaemon = "/usr/bin/dbus-daemon";
const char *const kSessionConfig = "/usr/share/dbus-1/session.conf";

} // namespace

class CalendarSyncWindowTest : public QObject {
    Q_OBJECT

    struct Session {
        TempFolder dir;
        FixedClock clock{DateTime::fromCivil(2026, 12, 7, 9, 30, 0)};
        std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>();
        std::unique_ptr<TformMain> window;
        Session()
        {
            StoreWriter w(dataFolder(dir));
            w.add(0, "Topics").expanded();
            w.add(1, "Calendar").type(kTopicGeneral).expanded();
            w.add(2, "Write letters");
            w.add(1, "Private").type(kTopicGeneral);
            w.add(1, "Work").type(kTopicGeneral).expanded();
            w.add(2, "Prepare talk");
            w.write();
            window = std::make_unique<TformMain>(clock, windowEnvironment(dir, prompts));
        }
        TNimbusNode *find(const std::string &text)
        {
            for (int i = 0; i < window->store()->Count(); ++i)
                if (window->store()->Node(i)->text == text)
                    return window->store()->Node(i);
            return nullptr;
        }
        caldav::CalendarAccount account(const RadicaleServer &server, const std::string &calendar)
        {
            caldav::CalendarAccount a;
            a.server = server.root();
            a.user = RadicaleServer::kUser;
            a.calendars = {{calendar, "window", find("Calendar")->uni}};
            return a;
        }
    };

    RadicaleServer *server_ = nullptr;

private slots:
    void initTestCase()
    {
        server_ = new RadicaleServer();
        QVERIFY(server_->running());
    }
    void cleanupTestCase() { delete server_; }

    void anAccountSyncsBothWaysAndTheStatusLineSaysSo()
    {
        const std::string calendar = server_->makeCalendar("window");
        caldav::CurlTransport transport(server_->account());
        caldav::CalDavClient client(transport);
        QVERIFY(client.put(calendar + "phone.ics", kPhoneEntry, "").ok());

        Session s;
        caldavui::CalendarSyncController *sync = s.window->calendarSync();
        QVERIFY(sync != nullptr);
        QVERIFY(!sync->buttonSyncNow->isVisibleTo(s.window.get()));
        QSignalSpy finished(sync, &caldavui::CalendarSyncController::syncFinished);
        QVERIFY(sync->setAccount(s.account(*server_, calendar), RadicaleServer::kPassword));
        QVERIFY(sync->buttonSyncNow->isVisibleTo(s.window.get()));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        QCOMPARE(finished.at(0).at(0).toBool(), true);

        TNimbusNode *parcel = s.find("Pick up parcel");
        QVERIFY(parcel != nullptr);
        QCOMPARE(parcel->lev, 2);
        QCOMPARE(parcel->dlDate, std::string("20261211"));
        // Under "Calendar" in the tree, and saved.
        const std::string outline = treeOutline(*s.window->treeController());
        QVERIFY2(outline.find("2:Pick up parcel") != std::string::npos, outline.c_str());
        QVERIFY(!s.window->store()->modified);
        QVERIFY(readFile(dataFolder(s.dir) + "Structure.dat").find("Pick up parcel") != std::string::npos);
        QCOMPARE(client.listAll(calendar, true).items.size(), 2u);
        const QString status = sync->labelCalendarSync->text();
        QVERIFY2(status.contains("1 sent, 1 received"), qPrintable(status));
        // The account is on disk, the password is not.
        const std::string accountFile = readFile(dataFolder(s.dir) + caldav::CalendarAccount::kFileName);
        QVERIFY(accountFile.find(calendar) != std::string::npos);
        QVERIFY(accountFile.find(RadicaleServer::kPassword) == std::string::npos);

        // "Sync now" with nothing changed moves nothing.
        sync->buttonSyncNow->click();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 60000);
        QVERIFY2(sync->labelCalendarSync->text().contains("0 sent, 0 received"), qPrintable(sync->labelCalendarSync->text()));

        // Removed on the phone: the topic's pages go with it, as a removal here takes them,
        // and the log says who removed it.
        const std::string pages =
            dataFolder(s.dir) + "Packs/" + s.find("Pick up parcel")->uni + ".pkt";
        std::filesystem::create_directories(dataFolder(s.dir) + "Packs");
        writeFile(pages, "");
        for (const auto &[path, etag] : client.listAll(calendar, false).items)
            if (path.find("phone") != std::string::npos)
                QVERIFY(client.remove(server_->root() + path.substr(1), etag).ok());
        sync->buttonSyncNow->click();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 3, 60000);
        QVERIFY(s.find("Pick up parcel") == nullptr);
        QVERIFY(!std::filesystem::exists(pages));
        QVERIFY(s.window->reLog->toPlainText().contains(
            "\"Pick up parcel\" was removed from the calendar on the server"));
        s.window.reset();
        for (const auto &entry : std::filesystem::recursive_directory_iterator(dataFolder(s.dir)))
            QVERIFY2(entry.path().filename() != std::filesystem::path(pages).filename(),
                     entry.path().c_str());
    }

    // The window keeps the states of its last sync while "CalendarSync.dat" is the file it
    // wrote; one rewritten by another program meanwhile (the engine run on the folder
    // elsewhere) is read again, so what that program learnt is kept, not written over.
    void aStateFileRewrittenBetweenSyncsIsReadAgain()
    {
        const std::string calendar = server_->makeCalendar("rewritten");
        Session s;
        caldavui::CalendarSyncController *sync = s.window->calendarSync();
        QSignalSpy finished(sync, &caldavui::CalendarSyncController::syncFinished);
        QVERIFY(sync->setAccount(s.account(*server_, calendar), RadicaleServer::kPassword));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        sync->buttonSyncNow->click();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 60000);
        QVERIFY2(sync->lastResult().find("0 sent, 0 received") != std::string::npos,
                 sync->lastResult().c_str());

        // Learnt elsewhere, for good: this server's date does not follow its ctag.
        caldav::SyncState other;
        other.Load(dataFolder(s.dir), calendar);
        QCOMPARE(other.entries.size(), 1u);
        QVERIFY(other.lastModifiedFollows != "no");
        other.lastModifiedFollows = "no";
        QVERIFY(other.Save());
        sync->buttonSyncNow->click();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 3, 60000);
        QVERIFY2(sync->lastResult().find("0 sent, 0 received") != std::string::npos,
                 sync->lastResult().c_str());
        caldav::SyncState after;
        after.Load(dataFolder(s.dir), calendar);
        QCOMPARE(after.lastModifiedFollows, std::string("no"));
        QCOMPARE(after.entries.size(), 1u);
    }

    // A sync runs while the user has a synced topic's options open (its results are applied
    // inside the dialog's own event loop): a date moved on the phone and the priority the user
    // set both survive, here and on the server; a topic removed on the phone meanwhile is
    // said to be gone and the dialog writes nothing, here or there.
    void aSyncThatLandsWhileTheOptionsAreOpenKeepsBothSidesOrSaysTheTopicIsGone()
    {
        const std::string calendar = server_->makeCalendar("options-open");
        caldav::CurlTransport transport(server_->account());
        caldav::CalDavClient client(transport);
        QVERIFY(client.put(calendar + "phone.ics", kPhoneEntry, "").ok());
        Session s;
        caldavui::CalendarSyncController *sync = s.window->calendarSync();
        QSignalSpy finished(sync, &caldavui::CalendarSyncController::syncFinished);
        QVERIFY(sync->setAccount(s.account(*server_, calendar), RadicaleServer::kPassword));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        QVERIFY(s.find("Pick up parcel") != nullptr);
        const std::string uni = s.find("Pick up parcel")->uni;
        const auto phoneEntry = [&] {
            for (const auto &[path, etag] : client.listAll(calendar, false).items)
                if (path.find("phone") != std::string::npos)
                    return std::make_pair(server_->root() + path.substr(1), etag);
            return std::make_pair(std::string(), std::string());
        };

        std::string moved = kPhoneEntry;
        moved.replace(moved.find("20261211"), 8, "20261218");
        s.prompts->edit = [&](TopicOptions &values) {
            const auto [url, etag] = phoneEntry();
            QVERIFY(client.replace(url, moved, etag).ok());
            sync->buttonSyncNow->click();
            QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 60000);
            values.priority = 2; // all the user changed
        };
        s.window->editTopic(s.window->store()->Find(uni));
        const TNimbusNode *parcel = s.window->store()->Find(uni);
        QVERIFY(parcel != nullptr);
        QCOMPARE(parcel->dlDate, std::string("20261218"));
        QCOMPARE(parcel->pri, 2);
        sync->buttonSyncNow->click();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 3, 60000);
        int status = 0;
        std::string error;
        const std::string onServer = client.get(phoneEntry().first, status, error).data;
        QVERIFY2(onServer.find("20261218") != std::string::npos, onServer.c_str());
        QVERIFY2(onServer.find("PRIORITY:") != std::string::npos, onServer.c_str());

        s.prompts->edit = [&](TopicOptions &values) {
            const auto [url, etag] = phoneEntry();
            QVERIFY(client.remove(url, etag).ok());
            sync->buttonSyncNow->click();
            QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 4, 60000);
            values.name = "Written into a topic that is gone";
        };
        s.window->editTopic(s.window->store()->Find(uni));
        QVERIFY(s.window->store()->Find(uni) == nullptr);
        QVERIFY(!s.prompts->told.empty());
        QVERIFY2(s.prompts->told.back().find("removed while its options were open") !=
                     std::string::npos,
                 s.prompts->told.back().c_str());
        sync->buttonSyncNow->click();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 5, 60000);
        QVERIFY(readFile(dataFolder(s.dir) + "Structure.dat").find("Written into") ==
                std::string::npos);
        QCOMPARE(phoneEntry().first, std::string());
        for (const auto &[path, etag] : client.listAll(calendar, false).items) {
            const std::string entry =
                client.get(server_->root() + path.substr(1), status, error).data;
            QVERIFY2(entry.find("Written into") == std::string::npos, entry.c_str());
        }
    }

    // The password is nowhere (the desktop's keyring prompt was cancelled): a sync the
    // program starts by itself waits without a password box; "Sync now" asks, once.
    void aMissingPasswordIsAskedForOnlyByTheUsersOwnSync()
    {
        const std::string calendar = server_->makeCalendar("keyring");
        Session s;
        caldavui::CalendarSyncController *sync = s.window->calendarSync();
        QSignalSpy finished(sync, &caldavui::CalendarSyncController::syncFinished);
        QVERIFY(s.account(*server_, calendar).Save(dataFolder(s.dir)));
        sync->start(); // as at every start of the program
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        QCOMPARE(finished.at(0).at(0).toBool(), false);
        QVERIFY(s.prompts->passwordQuestions.empty());
        QVERIFY2(sync->labelCalendarSync->text().contains("Sync now"),
                 qPrintable(sync->labelCalendarSync->text()));

        s.prompts->password = RadicaleServer::kPassword;
        sync->buttonSyncNow->click();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 60000);
        QCOMPARE(s.prompts->passwordQuestions.size(), std::size_t(1));
        QCOMPARE(finished.at(1).at(0).toBool(), true);
    }

    // A server that needs no password is synced without one, and nobody is asked for one.
    void aServerWithoutPasswordsIsNeverAskedOne()
    {
        XandikosServer open;
        QVERIFY(open.running());
        const std::string calendar = open.makeCalendar("open");
        QVERIFY(!calendar.empty());
        caldav::CurlTransport transport(open.account());
        caldav::CalDavClient client(transport);
        QVERIFY(client.put(calendar + "phone.ics", kPhoneEntry, "").ok());
        Session s;
        caldavui::CalendarSyncController *sync = s.window->calendarSync();
        QSignalSpy finished(sync, &caldavui::CalendarSyncController::syncFinished);
        caldav::CalendarAccount account;
        account.server = open.root();
        account.user = RadicaleServer::kUser;
        account.calendars = {{calendar, "open", s.find("Calendar")->uni}};
        QVERIFY(sync->setAccount(account, ""));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        QVERIFY2(finished.at(0).at(0).toBool(), qPrintable(sync->labelCalendarSync->text()));
        QVERIFY(s.find("Pick up parcel") != nullptr);
        sync->buttonSyncNow->click();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 60000);
        QVERIFY(s.prompts->passwordQuestions.empty());
    }

    // Notes travel in the window: a note written on the phone appears on the topic's page, a
    // page typed here reaches the server, and the page open in the editor is neither lost nor
    // written over (an unchanged open page shows what arrived; one typed in keeps the typing,
    // the phone's note goes beside it as the conflict copy's page).
    void notesTravelBothWaysAndThePageInTheEditorIsKept()
    {
        const std::string calendar = server_->makeCalendar("notes");
        caldav::CurlTransport transport(server_->account());
        caldav::CalDavClient client(transport);
        const auto withNote = [](const std::string &note) {
            std::string entry = kPhoneEntry;
            entry.insert(entry.find("END:VTODO"), "DESCRIPTION:" + note + "\r\n");
            return entry;
        };
        QVERIFY(client.put(calendar + "phone.ics", withNote("Ring the bell twice"), "").ok());
        const auto onServer = [&](const std::string &summary) {
            std::vector<std::string> paths;
            for (const auto &[path, etag] : client.listAll(calendar, false).items)
                paths.push_back(path);
            std::map<std::string, caldav::FetchedItem> items;
            std::string error;
            client.fetch(calendar, paths, items, error);
            for (const auto &[path, item] : items)
                if (item.data.find("SUMMARY:" + summary + "\r\n") != std::string::npos)
                    return std::make_pair(server_->root() + path.substr(1), item);
            return std::make_pair(std::string(), caldav::FetchedItem{});
        };

        Session s;
        caldavui::CalendarSyncController *sync = s.window->calendarSync();
        QSignalSpy finished(sync, &caldavui::CalendarSyncController::syncFinished);
        QVERIFY(sync->setAccount(s.account(*server_, calendar), RadicaleServer::kPassword));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        pages::DetailsEditor *details = s.window->topicPage()->details;
        const auto shownText = [&] { return details->RichEdit1->toPlainText(); };
        s.window->treeController()->selectNode(s.find("Pick up parcel"));
        QVERIFY2(shownText().contains("Ring the bell twice"), qPrintable(shownText()));

        // Typed here, sent with the next sync.
        s.window->treeController()->selectNode(s.find("Write letters"));
        QTest::keyClicks(details->RichEdit1, "Use the blue paper");
        sync->syncNow();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 60000);
        QVERIFY2(onServer("Write letters").second.data.find("DESCRIPTION:Use the blue paper") !=
                     std::string::npos,
                 onServer("Write letters").second.data.c_str());

        // Changed on the phone while the page is open here, unchanged: the editor shows the
        // new note, and leaving the page saves nothing older over it.
        s.window->treeController()->selectNode(s.find("Pick up parcel"));
        auto [url, item] = onServer("Pick up parcel");
        QVERIFY(client.replace(url, withNote("Ring the bell three times"), item.etag).ok());
        sync->syncNow();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 3, 60000);
        QVERIFY2(shownText().contains("three times"), qPrintable(shownText()));
        QVERIFY(!details->modified());
        s.window->treeController()->selectNode(s.find("Write letters"));
        s.window->treeController()->selectNode(s.find("Pick up parcel"));
        QVERIFY2(shownText().contains("three times"), qPrintable(shownText()));
        sync->syncNow();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 4, 60000);
        QVERIFY(onServer("Pick up parcel").second.data.find("three times") != std::string::npos);

        // Typed here and changed on the phone before the sync: the typing stays on the page
        // and goes to the server, the phone's note is the conflict copy's page.
        details->RichEdit1->moveCursor(QTextCursor::End);
        QTest::keyClicks(details->RichEdit1, " at the back door");
        std::tie(url, item) = onServer("Pick up parcel");
        QVERIFY(client.replace(url, withNote("Leave it with the neighbours"), item.etag).ok());
        sync->syncNow();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 5, 60000);
        QVERIFY2(shownText().contains("three times at the back door"), qPrintable(shownText()));
        QVERIFY(s.find("Conflict: Pick up parcel") != nullptr);
        s.window->treeController()->selectNode(s.find("Conflict: Pick up parcel"));
        QVERIFY2(shownText().contains("Leave it with the neighbours"), qPrintable(shownText()));
        QVERIFY2(onServer("Pick up parcel").second.data.find("at the back door") !=
                     std::string::npos,
                 onServer("Pick up parcel").second.data.c_str());
    }

    void manyTopicsGoneFromTheServerAtOnceAreAskedAboutFirst()
    {
        const std::string calendar = server_->makeCalendar("emptied");
        caldav::CurlTransport transport(server_->account());
        caldav::CalDavClient client(transport);
        for (int i = 1; i <= 12; ++i) {
            std::string entry = kPhoneEntry;
            entry.replace(entry.find("phone-7"), 7, "phone-" + std::to_string(100 + i));
            entry.replace(entry.find("Pick up parcel"), 14, "Parcel " + std::to_string(100 + i));
            QVERIFY(client.put(calendar + "p" + std::to_string(i) + ".ics", entry, "").ok());
        }
        Session s;
        caldavui::CalendarSyncController *sync = s.window->calendarSync();
        QSignalSpy finished(sync, &caldavui::CalendarSyncController::syncFinished);
        QVERIFY(sync->setAccount(s.account(*server_, calendar), RadicaleServer::kPassword));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        QVERIFY(s.find("Parcel 112") != nullptr);

        // Another program empties the calendar: the user is asked, says no, and keeps them all.
        for (const auto &[path, etag] : client.listAll(calendar, false).items)
            QVERIFY(client.remove(server_->root() + path.substr(1), etag).ok());
        s.prompts->agree = false;
        sync->buttonSyncNow->click();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 60000);
        QCOMPARE(s.prompts->asked.size(), std::size_t(1));
        QVERIFY2(s.prompts->asked.front().find("13 of the 13") != std::string::npos, s.prompts->asked.front().c_str());
        QVERIFY(s.find("Parcel 101") != nullptr && s.find("Write letters") != nullptr);
        // ... and they go back to the calendar.
        sync->buttonSyncNow->click();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 3, 60000);
        QCOMPARE(client.listAll(calendar, false).items.size(), 13u);
    }

    void closingTheWindowEndsASyncThatWaitsForTheServer()
    {
        // A server that takes the connection and never answers.
        const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        QVERIFY(::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
        QVERIFY(::listen(listener, 8) == 0);
        QVERIFY(::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length) == 0);
        const std::string silent = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/alice/silent/";

        auto s = std::make_unique<Session>();
        caldavui::CalendarSyncController *sync = s->window->calendarSync();
        caldav::CalendarAccount account = s->account(*server_, silent);
        account.server = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/";
        QVERIFY(sync->setAccount(account, RadicaleServer::kPassword));
        QTRY_VERIFY_WITH_TIMEOUT(sync->running(), 10000);
        QTest::qWait(300);  // the request is under way
        QElapsedTimer closing;
        closing.start();
        s.reset();
        // Well within the transport's own limits (30 s without a byte, 120 s in all).
        QVERIFY2(closing.elapsed() < 10000, qPrintable(QString::number(closing.elapsed())));
        ::close(listener);
    }

    void aWrongPasswordChangesNothingAndSaysWhy()
    {
        const std::string calendar = server_->makeCalendar("refused");
        Session s;
        const std::string before = treeOutline(*s.window->treeController());
        caldavui::CalendarSyncController *sync = s.window->calendarSync();
        QSignalSpy finished(sync, &caldavui::CalendarSyncController::syncFinished);
        QVERIFY(sync->setAccount(s.account(*server_, calendar), "not the password"));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        QCOMPARE(finished.at(0).at(0).toBool(), false);
        QVERIFY2(sync->labelCalendarSync->text().contains("user name or password"), qPrintable(sync->labelCalendarSync->text()));
        QCOMPARE(treeOutline(*s.window->treeController()), before);
        // Tried again later, sooner than the interval.
        QVERIFY(sync->timer()->isActive());
        QVERIFY(sync->timer()->interval() < 5 * 60 * 1000);
    }

    void theAccountDialogFindsTheCalendarsAndNamesTheTopic()
    {
        const std::string calendar = server_->makeCalendar("dialog");
        Session s;
        caldavui::CalendarAccountDialog dialog({}, *s.window->store(), s.window.get());
        QVERIFY(!dialog.buttonOk->isEnabled());
        dialog.editServer->setText(QString::fromStdString(server_->root()));
        dialog.editUser->setText(RadicaleServer::kUser);
        dialog.editPassword->setText(RadicaleServer::kPassword);
        QVERIFY(dialog.findCalendars());
        const int row = dialog.rowOf(calendar);
        QVERIFY(row >= 0);
        QVERIFY(!dialog.buttonOk->isEnabled());  // no calendar is synced yet
        dialog.chooseSubtree(row, s.find("Private")->uni);
        QVERIFY(dialog.buttonOk->isEnabled());
        const caldav::CalendarAccount a = dialog.account();
        QCOMPARE(a.calendars.size(), 1u);
        QCOMPARE(a.calendars[0].calendarUrl, calendar);
        QCOMPARE(a.calendars[0].calendarName, std::string("dialog"));
        QCOMPARE(a.calendars[0].subtree, s.find("Private")->uni);
        // A second calendar on a topic inside the first one's would share its topics.
        const std::string other = server_->makeCalendar("dialog-other");
        QVERIFY(dialog.findCalendars());
        QCOMPARE(dialog.subtreeBox(dialog.rowOf(calendar))->currentData().toString().toStdString(), s.find("Private")->uni);
        dialog.chooseSubtree(dialog.rowOf(other), s.find("Topics")->uni);
        QVERIFY(!dialog.buttonOk->isEnabled());
        QVERIFY(!dialog.labelProblem->text().isEmpty());
        dialog.chooseSubtree(dialog.rowOf(other), s.find("Work")->uni);
        QVERIFY(dialog.buttonOk->isEnabled());
        // An address that would carry the password in the clear cannot be accepted.
        dialog.editServer->setText("http://calendar.example.org/");
        QVERIFY(!dialog.buttonOk->isEnabled());
    }

    // From the preferences page: the dialog finds two calendars, each is given a section of
    // the topics, and each section's topics land in their own calendar (and the server's
    // entries in their section).
    void twoCalendarsFromThePreferencesPageEachKeepTheirOwnSection()
    {
        const std::string home = server_->makeCalendar("two-home");
        const std::string office = server_->makeCalendar("two-office");
        caldav::CurlTransport transport(server_->account());
        caldav::CalDavClient client(transport);
        QVERIFY(client.put(office + "phone.ics", kPhoneEntry, "").ok());

        Session s;
        caldavui::CalendarSyncController *sync = s.window->calendarSync();
        auto *box = s.window->findChild<caldavui::CalendarPreferencesBox *>();
        QVERIFY(box != nullptr);
        QVERIFY(box->labelCalendars->text().isEmpty());
        QSignalSpy finished(sync, &caldavui::CalendarSyncController::syncFinished);
        const std::string calendarTopic = s.find("Calendar")->uni, work = s.find("Work")->uni;
        bool found = false, acceptable = false;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<caldavui::CalendarAccountDialog *>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            dialog->editServer->setText(QString::fromStdString(server_->root()));
            dialog->editUser->setText(RadicaleServer::kUser);
            dialog->editPassword->setText(RadicaleServer::kPassword);
            found = dialog->findCalendars() && dialog->rowOf(home) >= 0 && dialog->rowOf(office) >= 0;
            if (found) {
                dialog->chooseSubtree(dialog->rowOf(home), calendarTopic);
                dialog->chooseSubtree(dialog->rowOf(office), work);
            }
            acceptable = dialog->buttonOk->isEnabled();
            if (acceptable)
                dialog->accept();
            else
                dialog->reject();
        });
        box->buttonCalendarSync->click();
        QVERIFY(found);
        QVERIFY(acceptable);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        QVERIFY2(finished.at(0).at(0).toBool(), qPrintable(sync->labelCalendarSync->text()));

        // Each calendar holds its own section's topics.
        const auto summaries = [&](const std::string &calendar) {
            const caldav::Listing listing = client.listAll(calendar, true);
            std::vector<std::string> paths;
            for (const auto &[path, etag] : listing.items)
                paths.push_back(path);
            std::map<std::string, caldav::FetchedItem> items;
            std::string error;
            client.fetch(calendar, paths, items, error);
            std::set<std::string> titles;
            for (const auto &[path, item] : items) {
                const std::size_t at = item.data.find("SUMMARY:");
                titles.insert(item.data.substr(at + 8, item.data.find("\r\n", at) - at - 8));
            }
            return titles;
        };
        QCOMPARE(summaries(home), (std::set<std::string>{"Write letters"}));
        QCOMPARE(summaries(office), (std::set<std::string>{"Prepare talk", "Pick up parcel"}));
        TNimbusNode *parcel = s.find("Pick up parcel");
        QVERIFY(parcel != nullptr);
        const int at = s.window->store()->IndexOf(parcel->uni);
        QCOMPARE(parcel->lev, 2);
        QVERIFY(s.window->store()->IndexOf(work) < at);

        // The page shows both; both are on disk, each with a state of its own.
        QVERIFY2(box->labelCalendars->text().contains("two-home: Calendar"), qPrintable(box->labelCalendars->text()));
        QVERIFY2(box->labelCalendars->text().contains("two-office: Work"), qPrintable(box->labelCalendars->text()));
        caldav::CalendarAccount saved;
        saved.Load(dataFolder(s.dir));
        QCOMPARE(saved.calendars.size(), 2u);
        for (const std::string &calendar : {home, office}) {
            caldav::SyncState state;
            state.Load(dataFolder(s.dir), calendar);
            QCOMPARE(state.entries.size(), calendar == home ? 1u : 2u);
        }

        // A quiet second round moves nothing in either calendar.
        sync->syncNow();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 60000);
        QVERIFY2(sync->labelCalendarSync->text().contains("0 sent, 0 received"), qPrintable(sync->labelCalendarSync->text()));
    }

    // Last, since it points this process's session bus at a bus of its own: a real secret
    // service (gnome-keyring-daemon, its keyring unlocked with a password on its input, its
    // home and runtime folders temporary) keeps the password after the first sync, and the
    // next session syncs with it without asking.
    // The results of a sync that ran with the account as it was are not applied by the
    // calendars' places in the new one: here the same two calendars, listed the other way round.
    void anAccountChangedDuringASyncGetsNoneOfTheOldOnesResults()
    {
        const std::string home = server_->makeCalendar("reorder-home");
        const std::string office = server_->makeCalendar("reorder-office");
        caldav::CurlTransport transport(server_->account());
        QVERIFY(caldav::CalDavClient(transport).put(office + "phone.ics", kPhoneEntry, "").ok());

        Session s;
        caldavui::CalendarSyncController *sync = s.window->calendarSync();
        QSignalSpy finished(sync, &caldavui::CalendarSyncController::syncFinished);
        caldav::CalendarAccount first;
        first.server = server_->root();
        first.user = RadicaleServer::kUser;
        first.calendars = {{home, "home", s.find("Calendar")->uni}, {office, "office", s.find("Work")->uni}};
        caldav::CalendarAccount reordered = first;
        std::swap(reordered.calendars[0], reordered.calendars[1]);
        QVERIFY(sync->setAccount(first, RadicaleServer::kPassword));
        QVERIFY(sync->running());
        QVERIFY(sync->setAccount(reordered, RadicaleServer::kPassword));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        QVERIFY2(finished.at(0).at(0).toBool(), qPrintable(sync->labelCalendarSync->text()));

        // The office calendar's new entry is under the topic the office calendar syncs with.
        TNimbusStructure &store = *s.window->store();
        int parcels = 0;
        std::string section;
        for (int i = 0; i < store.Count(); ++i) {
            if (store.Node(i)->lev == 1)
                section = store.Node(i)->text;
            if (store.Node(i)->text == "Pick up parcel") {
                ++parcels;
                QCOMPARE(section, std::string("Work"));
            }
        }
        QCOMPARE(parcels, 1);
    }

    void thePasswordIsKeptInTheSecretServiceForTheNextSession()
    {
        if (!std::filesystem::exists(kKeyringDaemon) || !std::filesystem::exists(kDbusDaemon) ||
            !std::filesystem::exists(kSessionConfig))
            QSKIP("gnome-keyring-daemon or dbus-daemon is not installed: the secret service is not tried");
        TempFolder keyring;
        std::filesystem::create_directories(keyring / "home");
        std::filesystem::create_directories(keyring / "run");
        std::filesystem::permissions(keyring / "run", std::filesystem::perms::owner_all);
        writeFile(keyring / "unlock", "keyring password");
        const std::string address = "unix:path=" + keyring.path() + "bus";
        const std::vector<std::string> env{"HOME=" + keyring.path() + "home", "XDG_RUNTIME_DIR=" + keyring.path() + "run",
                                           "DBUS_SESSION_BUS_ADDRESS=" + address};
        ChildProcess bus(kDbusDaemon, {std::string("--config-file=") + kSessionConfig, "--address=" + address, "--nofork",
                                       "--nopidfile"}, env);
        QVERIFY(waitFor([&] { return std::filesystem::exists(keyring.path() + "bus"); }, std::chrono::seconds(20)));
        ChildProcess daemon("/bin/sh",
                            {"-c", std::string("exec ") + kKeyringDaemon + " --unlock --foreground --components=secrets < '" +
                                       keyring.path() + "unlock'"},
                            env);
        const QByteArray previous = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray::fromStdString(address));
        // The bus is asked only once the keyring owns its name, so that nothing starts another
        // keyring daemon; and this process must outlive the bus when the test stops it.
        GDBusConnection *connection = nullptr;
        const bool named = waitFor([&] {
            if (connection == nullptr) {
                connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
                if (connection == nullptr)
                    return false;
                g_dbus_connection_set_exit_on_close(connection, FALSE);
            }
            GVariant *owned = g_dbus_connection_call_sync(connection, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                          "org.freedesktop.DBus", "NameHasOwner",
                                                          g_variant_new("(s)", "org.freedesktop.secrets"),
                                                          G_VARIANT_TYPE("(b)"), G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
            gboolean has = FALSE;
            if (owned != nullptr) {
                g_variant_get(owned, "(b)", &has);
                g_variant_unref(owned);
            }
            return has == TRUE;
        }, std::chrono::seconds(30));
        const auto restore = qScopeGuard([&] {
            if (connection != nullptr)
                g_object_unref(connection);
            if (previous.isNull())
                qunsetenv("DBUS_SESSION_BUS_ADDRESS");
            else
                qputenv("DBUS_SESSION_BUS_ADDRESS", previous);
        });
        QVERIFY2(named, "the keyring daemon did not come up on the test's bus");
        caldavui::SecretServicePasswords passwords;
        QVERIFY(passwords.available());

        const std::string calendar = server_->makeCalendar("keyring");
        Session s;
        caldavui::CalendarSyncController *sync = s.window->calendarSync();
        QSignalSpy finished(sync, &caldavui::CalendarSyncController::syncFinished);
        QVERIFY(sync->setAccount(s.account(*server_, calendar), RadicaleServer::kPassword));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        QVERIFY(finished.at(0).at(0).toBool());
        QCOMPARE(passwords.lookup(server_->root(), RadicaleServer::kUser), std::optional<std::string>(RadicaleServer::kPassword));
        QCOMPARE(passwords.lookup(server_->root(), "bob"), std::optional<std::string>());
        QVERIFY(readFile(dataFolder(s.dir) + caldav::CalendarAccount::kFileName).find(RadicaleServer::kPassword) ==
                std::string::npos);

        // The next session: nothing typed, nothing asked (a question would be closed unanswered
        // and the sync would wait for the password).
        s.window.reset();
        s.window = std::make_unique<TformMain>(s.clock, windowEnvironment(s.dir, s.prompts));
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [] {
            if (QWidget *question = QApplication::activeModalWidget())
                question->close();
        });
        closer.start(100);
        sync = s.window->calendarSync();
        QSignalSpy again(sync, &caldavui::CalendarSyncController::syncFinished);
        sync->start();
        QTRY_COMPARE_WITH_TIMEOUT(again.count(), 1, 60000);
        QVERIFY2(again.at(0).at(0).toBool(), qPrintable(sync->labelCalendarSync->text()));
        QVERIFY2(sync->labelCalendarSync->text().contains("0 sent, 0 received"), qPrintable(sync->labelCalendarSync->text()));
        s.window.reset();
    }
};

QTEST_MAIN(CalendarSyncWindowTest)
#include "CalendarSyncWindowTest.moc"
