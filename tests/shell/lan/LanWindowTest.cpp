// LAN sharing and add-on packs in the real main window under the offscreen platform:
// connecting and disconnecting through the network page, a wrong password, sending a topic
// from the tree's menu into a colleague's inbox, the inbox and add-on ticks merging into the
// tree and the saved store, both ticks meeting the save and deadline timers, and the progress
// window of sends and merges with its Cancel and a close that waits for the operation.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QtTest>
#include <set>

#include "LanFakes.h"
#include "fileio/FolderOps.h"
#include "sharing/SharingTestSupport.h"
#include "shell/TreeActions.h"
#include "shell/dialogs/OperationProgressDialog.h"
#include "shell/lan/LanSharing.h"
#include "shell/lan/NetworkPage.h"
#include "shell/tree/WindowFixture.h"
#include "support/RecordingProgress.h"

using namespace nimbus;
using namespace nimbus::test;

namespace {

const DateTime kNow = DateTime::fromCivil(2026, 3, 10, 9, 30, 0);

// Alice's tree; the Topics section is marked for sending.
void writeAlicesStore(const std::string &folder, bool sounds)
{
    StoreWriter w(folder);
    w.add(0, "Topics").expanded().node->send = true;
    w.add(1, "Plan").expanded();
    w.add(2, "First step");
    w.add(1, "Shopping");
    w.add(0, "Local network information", kSectionNetwork);
    w.add(0, "Product information", kSectionProduct);
    w.write(sounds ? "sum=N\r\nlv=1-17\r\nsfx=Y\r\n" : "sum=N\r\nlv=1-17\r\n");
}

void writeNetDetails(const std::string &folder, const std::string &shared,
                     const std::string &password, bool reconnect)
{
    TNetDetails net;
    net.SetDataFolder(folder);
    net.net = shared;
    net.pw = password;
    net.user = "Alice";
    net.mem = reconnect;
    net.modified = true;
    net.Save();
}

TNetDetails savedNetDetails(const std::string &folder)
{
    TNetDetails net;
    net.SetDataFolder(folder);
    net.Load();
    return net;
}

// Runs action inside the running operation once its progress window shows text and has moved
// on from the start; window events reach a timer while the window is up.
class InsideTheOperation : public QObject {
public:
    InsideTheOperation(LanSharing &lan, const QString &text, std::function<void()> action)
        : lan_(lan), text_(text), action_(std::move(action))
    {
        timer_.setInterval(0);
        connect(&timer_, &QTimer::timeout, this, [this] {
            dialogs::OperationProgressDialog *dialog = lan_.progressDialog();
            if (!dialog || !dialog->isVisible() || !dialog->labelText().startsWith(text_) ||
                dialog->progressBar()->value() == 0)
                return;
            timer_.stop();
            ran = true;
            action_();
        });
        timer_.start();
    }
    bool ran = false;

private:
    LanSharing &lan_;
    QString text_;
    std::function<void()> action_;
    QTimer timer_;
};

int countOf(const std::string &outline, const std::string &text)
{
    int n = 0;
    for (std::size_t at = outline.find(":" + text); at != std::string::npos;
         at = outline.find(":" + text, at + 1))
        ++n;
    return n;
}

} // namespace

class LanWindowTest : public QObject {
    Q_OBJECT

    struct Session {
        TempFolder dir;
        FixedClock clock{kNow};
        std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>();
        std::shared_ptr<FakeLanPrompts> lan = std::make_shared<FakeLanPrompts>();
        std::shared_ptr<RecordingSoundPlayer> sounds = std::make_shared<RecordingSoundPlayer>();
        std::map<std::string, std::string> environment;
        std::unique_ptr<TformMain> window;

        explicit Session(bool withSounds = true)
        {
            writeAlicesStore(dataFolder(dir), withSounds);
            std::filesystem::create_directories(shared());
        }
        std::string data() const { return dataFolder(dir); }
        std::string shared() const { return dir / "shared/"; }
        void start()
        {
            TformMain::Environment env = windowEnvironment(dir, prompts);
            const std::string home = dir / "home";
            env.env = [home, this](const std::string &name) {
                if (name == "HOMEDRIVE")
                    return home;
                const auto found = environment.find(name);
                return found == environment.end() ? std::string() : found->second;
            };
            env.lanPrompts = lan;
            env.sounds = sounds;
            window = std::make_unique<TformMain>(clock, env);
        }
        NetworkPage &page() { return *window->lanSharing()->page(); }
        TreeController &tree() { return *window->treeController(); }
        void select(const std::string &text)
        {
            for (tree::TreeItem *item : tree().tree().preOrder())
                if (item->node->text == text)
                    tree().selectNode(item->node);
        }
        QStringList sendMenu() const
        {
            QStringList captions;
            for (QAction *action : window->treeActions()->menuSendto->actions())
                captions << action->text();
            return captions;
        }
        QAction *sendItem(const QString &caption) const
        {
            for (QAction *action : window->treeActions()->menuSendto->actions())
                if (action->text() == caption)
                    return action;
            return nullptr;
        }
        std::string log() const { return readFile(window->paths().MainLogFile); }
        // The saved store holds what the tree shows, every id once.
        bool savedConsistently()
        {
            window->SaveAll();
            const std::string shown = treeOutline(tree());
            const std::string saved = savedOutline(data());
            TNimbusStructure onDisk;
            onDisk.SetFileName(data() + "Structure.dat");
            onDisk.LoadStructure();
            std::set<std::string> ids;
            for (const auto &entry : onDisk.Entries())
                if (!ids.insert(entry.node->uni).second)
                    qWarning("id saved twice: %s", entry.node->uni.c_str());
            if (shown != saved)
                qWarning("tree:  %s\nsaved: %s", shown.c_str(), saved.c_str());
            return shown == saved && static_cast<int>(ids.size()) == onDisk.Count();
        }
    };

    // Bob, a colleague with a data folder of his own, working through the sharing library.
    struct Colleague {
        explicit Colleague(Session &s) : user(s.dir / "bob/", s.shared(), "Bob", "secret", s.clock)
        {
        }
        void connect()
        {
            AnsweredQuestions yes(true);
            QVERIFY(user.connection.Connect(yes, 0).connected);
            user.connection.GetNetworkUsers();
        }
        // Bob's own topic sent to Alice.
        void sendToAlice(const std::string &title)
        {
            const int topics = user.store.IndexOf("STD0001");
            if (!user.store.Find("900"))
                addNode(user.store, "900", 1, title, 1, topics + 1);
            user.store.Find("900")->text = title;
            AnsweredQuestions noLock(false);
            user.connection.GetNetworkUsers();
            const SendOutcome sent = user.sender.Send(user.store, user.store.IndexOf("900"),
                                                      user.tagOf("Alice"), noLock);
            QVERIFY2(sent.ok, sent.errorDetail.c_str());
        }
        LanUser user;
    };

    static void dropFinancePack(Session &s)
    {
        const std::string folder = s.dir / "prog/addon-finance-2/";
        std::filesystem::create_directories(folder);
        writeFile(folder + "structure.dat",
                  records({"uni=FIN1", "text=Finance", "lev=0", "type=7", "uni=FIN2", "text=Budget",
                           "lev=1", "type=7", "parent=FIN1"}));
    }

private slots:
    void connectAndDisconnectThroughThePage()
    {
        Session s;
        s.environment["USER"] = "alice-login";
        writeFile(s.shared() + "Bob.usr", "01/03/2026 10:00:00\r\n");
        writeFile(s.shared() + "Carol.usr", "01/03/2026 10:00:00\r\n");
        s.start();
        NetworkPage &page = s.page();
        QCOMPARE(page.labConnectStatus->text(), QStringLiteral("Not connected"));
        QCOMPARE(page.editUserName->text(), QStringLiteral("alice-login"));
        QVERIFY(!page.buttonNetConnect->isEnabled());
        QVERIFY(page.buttonBrowse->isEnabled());

        // The folder comes from the chooser, suggested as "LANNimbus".
        s.lan->chosenFolder = QString::fromStdString(s.shared());
        QTest::mouseClick(page.buttonBrowse, Qt::LeftButton);
        QCOMPARE(s.lan->chooserSuggestion, QStringLiteral("LANNimbus"));
        QCOMPARE(page.editNetworkFolder->text(), QString::fromStdString(s.shared()));
        page.editUserName->setText("Alice");
        QTest::keyClicks(page.editPassword, "secret");
        QTest::keyClicks(page.editPasswordRepeat, "secre");
        QVERIFY2(!page.buttonNetConnect->isEnabled(), "the passwords differ");
        QTest::keyClicks(page.editPasswordRepeat, "t");
        QVERIFY(page.buttonNetConnect->isEnabled());

        // No: nothing is created and nothing changes.
        s.lan->answer = false;
        QTest::mouseClick(page.buttonNetConnect, Qt::LeftButton);
        QCOMPARE(s.lan->asked, std::vector<std::string>{kCreateConnectionQuestion});
        QVERIFY(!fileio::fileExists(s.shared() + "Nimbus.dat"));
        QVERIFY(!s.window->lanSharing()->connection().connected());
        QCOMPARE(page.buttonNetConnect->text(), QStringLiteral("Connect"));

        s.lan->answer = true;
        QTest::mouseClick(page.buttonNetConnect, Qt::LeftButton);
        QCOMPARE(page.labConnectStatus->text(), QStringLiteral("Connected OK"));
        QVERIFY(page.labConnectStatus->styleSheet().contains("rgb(0, 128, 0)"));
        QCOMPARE(page.buttonNetConnect->text(), QStringLiteral("Disconnect"));
        QVERIFY(page.buttonNetConnect->isEnabled());
        for (QWidget *w : std::initializer_list<QWidget *>{
                 page.editNetworkFolder, page.editPassword, page.editPasswordRepeat,
                 page.editUserName, page.buttonBrowse})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QCOMPARE(readFile(s.shared() + "Alice.usr"), std::string("10/03/2026 09:30:00\r\n"));
        QCOMPARE(page.listUsers->count(), 2);
        QCOMPARE(page.listUsers->item(0)->text(), QStringLiteral("  Bob"));
        QCOMPARE(s.sendMenu(), (QStringList{"Bob", "Carol", "All"}));
        const TNetDetails saved = savedNetDetails(s.data());
        QVERIFY(saved.mem);
        QCOMPARE(saved.user, std::string("Alice"));
        s.select("Plan");
        QVERIFY(s.window->treeActions()->ConfigureTreeMenu().sendTo.enabled);

        QTest::mouseClick(page.buttonNetConnect, Qt::LeftButton);
        QCOMPARE(page.labConnectStatus->text(), QStringLiteral("Not connected"));
        QVERIFY(page.labConnectStatus->styleSheet().contains("rgb(0, 0, 0)"));
        QCOMPARE(page.buttonNetConnect->text(), QStringLiteral("Connect"));
        QVERIFY(page.editNetworkFolder->isEnabled() && page.buttonBrowse->isEnabled());
        QCOMPARE(page.listUsers->count(), 0);
        QVERIFY(s.sendMenu().isEmpty());
        QVERIFY(!s.window->treeActions()->ConfigureTreeMenu().sendTo.enabled);
        QVERIFY(!savedNetDetails(s.data()).mem);
    }

    void wrongPasswordDoesNothingElseAndTheRightOneReconnects()
    {
        Session s;
        Colleague bob(s);
        bob.connect();
        writeNetDetails(s.data(), s.shared(), "guess", true);
        s.start();
        NetworkPage &page = s.page();
        QCOMPARE(page.labConnectStatus->text(),
                 QStringLiteral("*** LAN Nimbus password incorrect"));
        QVERIFY(page.labConnectStatus->styleSheet().contains("rgb(255, 0, 0)"));
        QVERIFY(!s.window->lanSharing()->connection().connected());
        QVERIFY(s.lan->asked.empty());
        QVERIFY(!fileio::fileExists(s.shared() + "Alice.usr"));
        QCOMPARE(page.buttonNetConnect->text(), QStringLiteral("Connect"));
        QVERIFY(page.editPassword->isEnabled());
        QVERIFY(s.sendMenu().isEmpty());

        page.editPassword->setText("secret");
        page.editPasswordRepeat->setText("secret");
        QTest::mouseClick(page.buttonNetConnect, Qt::LeftButton);
        QCOMPARE(page.labConnectStatus->text(), QStringLiteral("Connected OK"));
        QCOMPARE(s.sendMenu(), QStringList{"Bob"});
        s.window->close();
        QCOMPARE(savedNetDetails(s.data()).pw, std::string("secret"));
    }

    void sendingFromTheTreeReachesTheColleaguesInbox()
    {
        Session s;
        Colleague bob(s);
        bob.connect();
        writeNetDetails(s.data(), s.shared(), "secret", true);
        s.start();
        QCOMPARE(s.sendMenu(), QStringList{"Bob"});
        s.select("Plan");
        s.lan->answers[kLockTopicQuestion] = false;
        s.sendItem("Bob")->trigger();

        std::vector<std::string> inbox;
        fileio::listFiles(s.shared() + "bob-Inbox/*.str", inbox);
        QCOMPARE(inbox, std::vector<std::string>{"alice-20260310-093000.str"});
        TNimbusStructure packet;
        packet.SetFileName(s.shared() + "bob-Inbox/" + inbox[0]);
        packet.LoadStructure();
        QCOMPARE(packet.Count(), 3);
        QCOMPARE(packet.Node(1)->text, std::string("Plan"));
        QCOMPARE(packet.Node(2)->text, std::string("First step"));
        std::vector<std::string> outbox;
        fileio::listFiles(s.window->paths().OutboxFolder, outbox);
        QVERIFY(outbox.empty());
        QVERIFY(s.log().find("Sending topic Plan to Bob") != std::string::npos);
        QCOMPARE(s.sounds->played,
                 std::vector<std::string>{s.window->paths().SoundsFolder + "cork_pop.wav"});

        // Bob's tick takes it in: the packet is whole.
        QCOMPARE(bob.user.tick().packetsMerged, 1);

        // An inbox that cannot be made: the failure sound, and the outbox is empty again.
        writeFile(s.shared() + "Carol.usr", "x\r\n");
        writeFile(s.shared() + "carol-Inbox", "a file where the folder would go");
        s.page().GetNetworkUsers();
        s.sendItem("Carol")->trigger();
        QCOMPARE(s.sounds->played.back(), s.window->paths().SoundsFolder + "metal_clang.wav");
        QVERIFY(s.log().find("*** Unable to create inbox for user: Carol") != std::string::npos);
        QVERIFY(s.log().find("Activity unsuccessful") != std::string::npos);
        fileio::listFiles(s.window->paths().OutboxFolder, outbox);
        QVERIFY(outbox.empty());

        // With sound effects off nothing is played; the log is written all the same.
        s.window->preferences().sfx = false;
        const std::size_t played = s.sounds->played.size();
        s.sendItem("Bob")->trigger();
        QCOMPARE(s.sounds->played.size(), played);
    }

    void inboxTickMergesAPacketIntoTheTreeAndTheSavedStore()
    {
        Session s;
        Colleague bob(s);
        bob.connect();
        writeNetDetails(s.data(), s.shared(), "secret", true);
        s.start();
        bob.sendToAlice("Recipe");
        s.select("Shopping");

        s.window->lanSharing()->timerCheckInboxTimer();
        const std::string outline = treeOutline(s.tree());
        QVERIFY2(outline.find("1:From: Bob - 20260310-093000 2:Recipe") != std::string::npos,
                 outline.c_str());
        QVERIFY(s.savedConsistently());
        std::vector<std::string> inbox;
        fileio::listFiles(s.shared() + "alice-Inbox/", inbox);
        QVERIFY(inbox.empty());
        QCOMPARE(s.sounds->played,
                 std::vector<std::string>{s.window->paths().SoundsFolder + "claves.wav"});
        QCOMPARE(s.tree().selectedNode()->text, std::string("Shopping"));

        // The same topic again, changed: updated in place, never doubled.
        bob.sendToAlice("Recipe for soup");
        s.window->lanSharing()->timerCheckInboxTimer();
        const std::string again = treeOutline(s.tree());
        QCOMPARE(countOf(again, "Recipe"), 1);
        QVERIFY(again.find("2:Recipe for soup") != std::string::npos);
        QVERIFY(s.savedConsistently());

        // The shared folder gone: the page says so and nothing can be sent.
        std::filesystem::remove_all(s.shared());
        s.window->lanSharing()->timerCheckInboxTimer();
        QCOMPARE(s.page().labConnectStatus->text(), QStringLiteral("*** LAN Nimbus not found"));
        QCOMPARE(s.page().buttonNetConnect->text(), QStringLiteral("Connect"));
        QVERIFY(s.sendMenu().isEmpty());
    }

    void addonTickMergesAPackNextToTheProgram()
    {
        Session s;
        dropFinancePack(s);
        s.start();
        QCOMPARE(s.window->timerAddon->interval(), 5000);
        s.window->lanSharing()->timerAddonTimer();
        const std::string outline = treeOutline(s.tree());
        QVERIFY2(outline.find("0:Finance 1:Budget") != std::string::npos, outline.c_str());
        QVERIFY(s.savedConsistently());
        QVERIFY(!fileio::folderExists(s.dir / "prog/addon-finance-2"));
        QVERIFY(readFile(s.data() + "Addons.dat").find("name=finance") != std::string::npos);
        QCOMPARE(s.window->timerAddon->interval(), 3600000);

        // The add-on lines are navy in the log view, the others are not.
        QTextDocument *log = s.window->reLog->document();
        bool sawAddon = false;
        for (QTextBlock block = log->begin(); block.isValid(); block = block.next()) {
            const QColor colour = block.begin().fragment().charFormat().foreground().color();
            if (block.text().contains("  Addon - ")) {
                sawAddon = true;
                QCOMPARE(colour, QColor(0, 0, 128));
            } else {
                QVERIFY(colour != QColor(0, 0, 128));
            }
        }
        QVERIFY(sawAddon);
    }

    // An inbox merge whose sound lets window events through: the add-on and inbox timers
    // fire inside it and wait their turn, the save and deadline timers are held off, and
    // once everything has run every topic is there once and the saved store matches.
    void mergesSavesAndTheDeadlineTimerMeetWithoutLoss()
    {
        Session s;
        Colleague bob(s);
        bob.connect();
        writeNetDetails(s.data(), s.shared(), "secret", true);
        dropFinancePack(s);
        s.start();
        bob.sendToAlice("Recipe");
        s.select("Plan");
        for (QTimer *timer : {s.window->timerSave, s.window->timerDeadline, s.window->timerTree,
                              s.window->timerCheckInbox, s.window->timerAddon}) {
            timer->setInterval(1);
            timer->start();
        }
        const LanSharing &lan = *s.window->lanSharing();
        bool heldOff = false;
        bool packStayed = false;
        bool played = false;
        s.sounds->whilePlaying = [&] {
            if (played)
                return;
            played = true;
            heldOff = !s.window->timerSave->isActive() && !s.window->timerDeadline->isActive() &&
                      !s.window->timerTree->isActive() && lan.gate().busy();
            // The add-on and inbox timers keep running and fire in here.
            QTest::qWait(50);
            packStayed = fileio::folderExists(s.dir / "prog/addon-finance-2");
        };
        s.window->lanSharing()->timerCheckInboxTimer();
        QVERIFY(heldOff);
        QVERIFY2(packStayed, "no add-on merge runs inside the inbox merge");
        QVERIFY(s.window->timerSave->isActive() && s.window->timerDeadline->isActive());

        // The timers run on: the pack goes in, the save timer writes the store.
        QTRY_VERIFY(!fileio::folderExists(s.dir / "prog/addon-finance-2"));
        QTRY_COMPARE(savedOutline(s.data()), treeOutline(s.tree()));
        const std::string outline = treeOutline(s.tree());
        QCOMPARE(countOf(outline, "Recipe"), 1);
        QCOMPARE(countOf(outline, "Budget"), 1);
        QCOMPARE(countOf(outline, "Finance"), 1);
        QCOMPARE(countOf(outline, "First step"), 1);
        QCOMPARE(savedOutline(s.data()), outline);
        QVERIFY(s.savedConsistently());
        QCOMPARE(s.sounds->played.size(), std::size_t(1));
    }

    // Cancel pressed once the first file is with Bob: nothing of the packet stays in his inbox,
    // no sound, the log says so, and the held timers run again.
    void sendCancelledInItsProgressWindowLeavesNothingWithTheColleague()
    {
        Session s;
        Colleague bob(s);
        bob.connect();
        writeNetDetails(s.data(), s.shared(), "secret", true);
        // "Plan" has a details page: its page list and page file go before the packet's store.
        std::filesystem::create_directories(s.data() + "Packs");
        std::filesystem::create_directories(s.data() + "Text");
        writeFile(s.data() + "Packs/101.pkt",
                  "con=0\r\nuni=1\r\ndis=Details\r\nfile=101-1.txt\r\n");
        writeFile(s.data() + "Text/101-1.txt", "{\\rtf1 plan}");
        s.start();
        LanSharing &lan = *s.window->lanSharing();
        lan.setProgressTiming({std::chrono::milliseconds(0), std::chrono::milliseconds(0)});
        s.select("Plan");
        s.lan->answers[kLockTopicQuestion] = false;
        s.window->timerSave->start();
        s.window->timerCheckInbox->start();
        bool timersHeld = false;
        InsideTheOperation press(lan, "Sending to Bob", [&] {
            timersHeld = !s.window->timerSave->isActive() && !s.window->timerCheckInbox->isActive();
            QVERIFY(lan.progressDialog()->cancelButton()->isEnabled());
            QTest::mouseClick(lan.progressDialog()->cancelButton(), Qt::LeftButton);
        });
        s.sendItem("Bob")->trigger();

        QVERIFY(press.ran);
        QVERIFY(timersHeld);
        QVERIFY(s.log().find("Sending topic Plan to Bob") != std::string::npos);
        QVERIFY(fileio::folderExists(s.shared() + "bob-Inbox"));
        QVERIFY(allFilesIn(s.shared() + "bob-Inbox").empty());
        QVERIFY(allFilesIn(s.window->paths().OutboxFolder).empty());
        QVERIFY(s.log().find("Sending cancelled, nothing was delivered") != std::string::npos);
        QVERIFY(s.sounds->played.empty());
        QVERIFY(!lan.progressDialog());
        QVERIFY(!lan.gate().busy());
        QVERIFY(s.window->timerSave->isActive() && s.window->timerCheckInbox->isActive());
        QCOMPARE(bob.user.tick().packetsFound, 0);
    }

    // The lock question lets window events through; an inbox tick that fires meanwhile waits,
    // so the topic sent is still the one selected (a merge would move it in the store's list).
    void noMergeRunsWhileASendAsksItsQuestion()
    {
        Session s;
        Colleague bob(s);
        bob.connect();
        writeNetDetails(s.data(), s.shared(), "secret", true);
        s.start();
        bob.sendToAlice("Recipe");
        s.select("Shopping");
        int nestedTicks = 0;
        s.lan->whileAsking = [&] {
            ++nestedTicks;
            s.window->lanSharing()->timerCheckInboxTimer();
        };
        s.lan->answers[kLockTopicQuestion] = false;
        s.sendItem("Bob")->trigger();
        QCOMPARE(nestedTicks, 1);

        std::vector<std::string> inbox;
        fileio::listFiles(s.shared() + "alice-Inbox/*.str", inbox);
        QCOMPARE(inbox.size(), std::size_t(1)); // Bob's packet waits for the next tick
        QCOMPARE(bob.user.tick().packetsMerged, 1);
        bool sawShopping = false;
        for (const auto &entry : bob.user.store.Entries())
            sawShopping = sawShopping || entry.node->text == "Shopping";
        QVERIFY2(sawShopping, "the selected topic is the one sent");

        s.lan->whileAsking = nullptr;
        s.window->lanSharing()->timerCheckInboxTimer();
        QCOMPARE(countOf(treeOutline(s.tree()), "Recipe"), 1);
        QVERIFY(s.savedConsistently());
    }

    // A close that arrives while a merge runs waits for it: the merge stops before its next
    // packet, the window closes afterwards, and the packets not reached stay in the inbox.
    void closeDuringAMergeWaitsForItToEnd()
    {
        Session s;
        Colleague bob(s);
        bob.connect();
        writeNetDetails(s.data(), s.shared(), "secret", true);
        s.start();
        bob.sendToAlice("Recipe");
        s.clock.advanceSeconds(60);
        bob.sendToAlice("Recipe for soup");
        s.select("Shopping");
        LanSharing &lan = *s.window->lanSharing();
        lan.setProgressTiming({std::chrono::milliseconds(0), std::chrono::milliseconds(0)});
        bool stillOpen = false;
        InsideTheOperation closeNow(lan, "Merging", [&] {
            s.window->close();
            stillOpen = !s.window->closing();
        });
        lan.timerCheckInboxTimer();

        QVERIFY(closeNow.ran);
        QVERIFY2(stillOpen, "the close waits for the merge");
        QVERIFY(s.log().find("Receiving cancelled, 1 packet(s) stay in the inbox for later") !=
                std::string::npos);
        QTRY_VERIFY(s.window->closing());
        std::vector<std::string> inbox;
        fileio::listFiles(s.shared() + "alice-Inbox/*.str", inbox);
        QCOMPARE(inbox.size(), std::size_t(1));
        const std::string saved = savedOutline(s.data());
        QCOMPARE(countOf(saved, "Recipe"), 1);
        QVERIFY(saved.find("Recipe for soup") == std::string::npos);
    }
};

QTEST_MAIN(LanWindowTest)
#include "LanWindowTest.moc"
