// The window's undo history under the offscreen platform: a removed subtree comes back with
// its pages and checklist, a dragged branch goes back, buttons and keys reach the same steps,
// a packet merged between a step and its undo keeps both the packet's topics and the undone
// state, typing in a details page is one step when the page is left, a step that can no
// longer be replayed stays in place until it is skipped, and a topic nimbus-cli adds is a
// step, as is a repeat rule it gives.
#include <QMenu>
#include <QToolButton>
#include <QUndoStack>
#include <QUndoView>
#include <QtTest>
#include <filesystem>
#include <map>

#include "support/ChildProcess.h"

#include "fileio/FolderOps.h"
#include "fileio/LanguageChoice.h"
#include "history/SessionTrash.h"
#include "recurrence/RecurrenceFile.h"
#include "recurrence/RuleText.h"
#include "recurrence/TopicRecurrence.h"
#include "sharing/SharingTestSupport.h"
#include "shell/HistoryButtons.h"
#include "shell/TopicTreeModel.h"
#include "shell/TreeActions.h"
#include "shell/TreeHistory.h"
#include "shell/TreeToolbar.h"
#include "shell/UiTranslations.h"
#include "shell/checklist/ChecklistPage.h"
#include "shell/lan/LanFakes.h"
#include "shell/lan/LanSharing.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/TopicPage.h"
#include "shell/tree/WindowFixture.h"
#include "store/ContentFiles.h"

using namespace nimbus;
using namespace nimbus::test;

namespace {

const DateTime kNow = DateTime::fromCivil(2026, 3, 10, 9, 30, 0);

// A details page and a checklist for a topic, written as the program writes them.
void writePages(const std::string &data, const std::string &uni, const std::string &words)
{
    const ContentFolders folders = ContentFolders::inDataFolder(data);
    for (const std::string &folder : {folders.packs, folders.text, folders.checkList})
        std::filesystem::create_directories(folder);
    TContent content;
    content.name = uni;
    content.file = folders.packs + uni + ".pkt";
    content.AddDefaultPages();
    NullStoreLog log;
    QVERIFY(content::SaveDetails(*content.pages[0], folders, "{\\rtf1 " + words + "\\par}", 0,
                                 true, log));
    QVERIFY(content::SaveChecklist(*content.pages[1], folders,
                                   {ChecklistItem{true, "Draft " + words, "20260301-100000", {}},
                                    ChecklistItem{false, "Send " + words, {}, {}}},
                                   log));
    QVERIFY(content::WriteContent(content, log));
}

// Every content file of the data folder with its bytes.
std::map<std::string, std::string> contentFiles(const std::string &data)
{
    std::map<std::string, std::string> files;
    for (const char *folder : {"Packs", "Text", "CheckList"})
        for (const auto &entry : std::filesystem::directory_iterator(data + folder)) {
            std::string bytes;
            fileio::readWholeFile(entry.path().string(), bytes);
            files.emplace(entry.path().filename().string(), std::move(bytes));
        }
    return files;
}

// The names of the files in which two snapshots differ, for a failure's message.
std::string differences(const std::map<std::string, std::string> &a,
                        const std::map<std::string, std::string> &b)
{
    std::string names;
    for (const auto &[name, bytes] : a)
        if (!b.count(name) || b.at(name) != bytes)
            names += name + " ";
    for (const auto &[name, bytes] : b)
        if (!a.count(name))
            names += name + "(new) ";
    return names;
}

} // namespace

class UndoWindowTest : public QObject {
    Q_OBJECT

    struct Session {
        TempFolder dir;
        FixedClock clock{kNow};
        std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>();
        std::shared_ptr<FakeLanPrompts> lan = std::make_shared<FakeLanPrompts>();
        std::shared_ptr<RecordingSoundPlayer> sounds = std::make_shared<RecordingSoundPlayer>();
        std::unique_ptr<TformMain> window;

        Session()
        {
            StoreWriter w(data());
            w.add(0, "Topics").expanded().node->send = true;
            w.add(1, "Work", 1).type(kTopicGeneral).expanded();
            w.add(2, "Quarterly report").status(kStatusInProgress, 60).due(clock, 5);
            w.add(2, "Client meetings").status(kStatusNotStarted).expanded();
            w.add(3, "Call Hartmann and Co").status(kStatusCompleted, 100);
            w.add(3, "Proposal for Linden Ltd").status(kStatusWaiting).expanded();
            w.add(4, "Price list").type(kTopicInformation);
            w.add(1, "Home").type(kTopicGeneral).expanded();
            w.add(2, "Garden ideas").type(kTopicIdea);
            w.add(1, "Shopping").status(kStatusNotStarted);
            w.add(0, "Local network information", kSectionNetwork);
            w.add(0, "Product information", kSectionProduct);
            w.write();
            // Ids are 100 + position: "Client meetings" 103, "Proposal for Linden Ltd" 105.
            writePages(data(), "103", "meeting notes");
            writePages(data(), "105", "proposal");
            writePages(data(), "108", "roses");
            std::filesystem::create_directories(shared());
        }
        std::string data() const { return dataFolder(dir); }
        std::string shared() const { return dir / "shared/"; }
        std::string channels() const { return dir / "channels/"; }
        void start()
        {
            TformMain::Environment env = windowEnvironment(dir, prompts);
            env.lanPrompts = lan;
            env.sounds = sounds;
            env.channelFolder = channels(); // where nimbus-cli finds the window
            std::filesystem::create_directories(channels());
            window = std::make_unique<TformMain>(clock, env);
        }
        // The window as "Alice" on the shared folder, with the colleague connected too.
        void startSharingWith(LanUser &colleague)
        {
            AnsweredQuestions yes(true);
            QVERIFY(colleague.connection.Connect(yes, 0).connected);
            TNetDetails net;
            net.SetDataFolder(data());
            net.net = shared();
            net.pw = "secret";
            net.user = "Alice";
            net.mem = true;
            net.modified = true;
            net.Save();
            start();
            colleague.connection.GetNetworkUsers();
        }
        TreeController &tree() { return *window->treeController(); }
        TreeActions &actions() { return *window->treeActions(); }
        QUndoStack &steps() { return *tree().history()->stack(); }
        tree::TreeItem *item(const std::string &text)
        {
            for (tree::TreeItem *at : tree().tree().preOrder())
                if (at->node->text == text)
                    return at;
            return nullptr;
        }
        void select(const std::string &text) { tree().selectNode(item(text)->node); }
        std::string selected() { return tree().selectedNode() ? tree().selectedNode()->text : ""; }
        std::string saved()
        {
            window->SaveAll();
            return savedOutline(data());
        }
        std::string log() const { return readFile(data() + "MainLog.txt"); }
        // Keys reach the window's shortcuts only in the active window.
        void activate()
        {
            window->show();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
        }
        // The real nimbus-cli with this session's home and channels; the window answers it
        // on the test's event loop while it waits. Its exit status (-1: it did not end).
        int cli(const std::vector<std::string> &words)
        {
            const std::string home = dir / "home";
            test::ChildProcess run(NIMBUS_CLI_EXECUTABLE, words,
                                   {"HOME=" + home, "HOMEDRIVE=" + home,
                                    "NIMBUS_CHANNEL_DIR=" + channels(),
                                    "QT_QPA_PLATFORM=offscreen"});
            const auto ended = [&run] { return run.waitForExit(std::chrono::milliseconds(0)); };
            if (!run.started() || !QTest::qWaitFor(ended, 30000))
                return -1;
            return run.exitCode();
        }
        void keysInTree(Qt::KeyboardModifiers modifiers)
        {
            tree().treeMain()->setFocus();
            QTest::keyClick(tree().treeMain(), Qt::Key_Z, modifiers);
        }
    };

private slots:
    // The step names are whole sentences in the user's language where they are shown, and
    // English in the log.
    void stepNamesAreShownInTheUsersLanguageAndLoggedInEnglish()
    {
        const UiTranslations german(*qApp, LanguageChoice([](const char *name) {
            return std::string(name) == "LANG" ? "de_DE.UTF-8" : nullptr;
        }));
        QCOMPARE(german.language(), QStringLiteral("de"));
        Session s;
        s.start();
        s.select("Shopping");
        s.actions().MVMoveUp->trigger();
        QCOMPARE(s.actions().MVUndo->text(),
                 QStringLiteral("Rückgängig: 'Shopping' nach oben verschieben"));
        QCOMPARE(s.window->historyButtons()->buttonUndo->accessibleName(),
                 QStringLiteral("Rückgängig: 'Shopping' nach oben verschieben"));
        s.select("Client meetings");
        s.actions().MVRemoveItem->trigger();
        QCOMPARE(s.steps().undoText(),
                 QStringLiteral("'Client meetings' und 3 Unterthemen entfernen"));
        s.actions().MVUndo->trigger();
        QCOMPARE(s.actions().MVRedo->text(),
                 QStringLiteral("Wiederherstellen: 'Client meetings' und 3 Unterthemen entfernen"));

        // A step that refuses says so in German in the window and in English in the log.
        TNimbusNode *report = s.item("Quarterly report")->node;
        s.tree().beginEdit(report);
        report->urgent = true;
        s.tree().nodeEdited(report);
        report->urgent = false; // changed back elsewhere
        s.actions().MVUndo->trigger();
        QCOMPARE(s.actions().MVSkipStep->text(),
                 QStringLiteral("Überspringen: 'Quarterly report' als dringend markieren"));
        QVERIFY(s.log().find("The undo history keeps \"Mark 'Quarterly report' as urgent\"") !=
                std::string::npos);
    }

    void aRemovedSubtreeComesBackWithItsPagesAndIsSelected()
    {
        Session s;
        const auto filesBefore = contentFiles(s.data());
        s.start();
        const std::string outline = treeOutline(s.tree());
        const std::string savedBefore = s.saved();
        QVERIFY(!s.actions().MVUndo->isEnabled());

        s.select("Client meetings");
        s.actions().MVRemoveItem->trigger();
        QVERIFY(!s.item("Client meetings"));
        QVERIFY(!s.item("Price list"));
        QCOMPARE(s.actions().MVUndo->text(),
                 QStringLiteral("Undo Remove 'Client meetings' and 3 sub-topics"));
        // The pages of the topic and of its sub-topic wait aside; the rest stay.
        std::size_t ofRemoved = 0;
        for (const auto &[name, bytes] : filesBefore)
            ofRemoved += name.rfind("103", 0) == 0 || name.rfind("105", 0) == 0;
        QCOMPARE(ofRemoved, std::size_t(6)); // page list, details, checklist of each
        const auto filesRemoved = contentFiles(s.data());
        QCOMPARE(filesRemoved.size(), filesBefore.size() - ofRemoved);
        QVERIFY(filesRemoved.count("108.pkt"));
        QVERIFY(!filesRemoved.count("103-2.lst"));
        QCOMPARE(s.saved(), std::string("0:Topics 1:Work 2:Quarterly report 1:Home "
                                        "2:Garden ideas 1:Shopping 0:Local network information "
                                        "0:Product information"));

        s.actions().MVUndo->trigger();
        QCOMPARE(treeOutline(s.tree()), outline);
        QCOMPARE(s.selected(), std::string("Client meetings"));
        QVERIFY(contentFiles(s.data()) == filesBefore);
        QCOMPARE(s.saved(), savedBefore);
        // The checklist is the page's again: shown with its two items.
        TNimbusNode *meetings = s.item("Client meetings")->node;
        TContent &content = meetings->LoadContent(ContentFolders::inDataFolder(s.data()),
                                                  NullStoreLog::instance());
        std::vector<ChecklistItem> items;
        QVERIFY(content::LoadChecklist(*content.pages[1], ContentFolders::inDataFolder(s.data()),
                                       items, NullStoreLog::instance()));
        QCOMPARE(items.size(), std::size_t(2));
        QCOMPARE(items[0].text, std::string("Draft meeting notes"));

        // Redo with the keys takes it out again; the parent is selected.
        QCOMPARE(s.actions().MVRedo->text(),
                 QStringLiteral("Redo Remove 'Client meetings' and 3 sub-topics"));
        s.actions().MVRedo->trigger();
        QVERIFY(!s.item("Client meetings"));
        QCOMPARE(s.selected(), std::string("Work"));
        QCOMPARE(contentFiles(s.data()).size(), filesBefore.size() - ofRemoved);

        // The folder of kept pages goes with the session.
        const std::string kept = s.data() + history::SessionTrash::kFolderName + "/";
        QVERIFY(fileio::folderExists(kept));
        s.window->close();
        s.window.reset();
        QVERIFY(!fileio::folderExists(kept));

        // What a session that did not close left aside goes when the next one starts, but the
        // pages of a topic whose removal it never saved come back with the topic.
        std::filesystem::create_directories(kept + "99999-1/");
        writeFile(kept + "1-103.pkt", "left over");
        std::filesystem::rename(s.data() + "Packs/108.pkt", kept + "99999-1/1-108.pkt");
        writeFile(kept + "99999-1/2-103.pkt", "removed and saved");
        writeFile(kept + "99999-1/" + history::SessionTrash::kListName,
                  "1-108.pkt\t108\tPacks/108.pkt\n2-103.pkt\t103\tPacks/103.pkt\n");
        const auto filesLeft = contentFiles(s.data());
        s.start();
        QVERIFY(!fileio::fileExists(kept + "1-103.pkt"));
        QVERIFY(!fileio::folderExists(kept + "99999-1/"));
        QCOMPARE(contentFiles(s.data()).size(), filesLeft.size() + 1);
        QVERIFY(fileio::fileExists(s.data() + "Packs/108.pkt"));
        QVERIFY(!fileio::fileExists(s.data() + "Packs/103.pkt"));
    }

    void aKeptPagesFolderThatIsALinkIsLeftAloneAndNoPageIsLost()
    {
        // Someone's folder elsewhere, with one sub-folder named like an ended session's.
        TempFolder outside;
        std::filesystem::create_directories(outside / "99999-1/deeper");
        writeFile(outside / "notes.txt", "someone's notes");
        writeFile(outside / "99999-1/1-108.pkt", "someone's page");
        writeFile(outside / "99999-1/deeper/more.txt", "more");
        const auto outsideFiles = [&outside] {
            std::map<std::string, std::string> files;
            for (const auto &entry : std::filesystem::recursive_directory_iterator(outside.path()))
                files[entry.path().string()] =
                    entry.is_regular_file() ? readFile(entry.path().string()) : "folder";
            return files;
        };
        const auto outsideBefore = outsideFiles();
        Session s;
        const std::string kept = s.data() + history::SessionTrash::kFolderName;
        std::filesystem::create_directory_symlink(outside.path(), kept);
        const auto filesBefore = contentFiles(s.data());
        s.start();
        QVERIFY(outsideFiles() == outsideBefore);
        QVERIFY(s.log().find("*** The folder for removed topics' pages is a symbolic link") !=
                std::string::npos);

        // A removal still undoes; its pages never left their folders.
        s.select("Client meetings");
        s.actions().MVRemoveItem->trigger();
        QVERIFY(!s.item("Client meetings"));
        QVERIFY(contentFiles(s.data()) == filesBefore);
        s.actions().MVUndo->trigger();
        QVERIFY(s.item("Client meetings"));
        s.window->close();
        s.window.reset();

        QVERIFY(outsideFiles() == outsideBefore);
        QVERIFY(std::filesystem::is_symlink(kept));
        QVERIFY(contentFiles(s.data()) == filesBefore);
    }

    void aDraggedBranchGoesBackWithTheKeys()
    {
        Session s;
        s.start();
        const std::string outline = treeOutline(s.tree());
        s.tree().dropOnto(s.item("Home"), s.item("Work"));
        const std::string moved = treeOutline(s.tree());
        QVERIFY(moved.rfind("0:Topics 1:Home 2:Garden ideas 1:Work", 0) == 0);
        QCOMPARE(s.actions().MVUndo->text(), QStringLiteral("Undo Move 'Home'"));

        // The keys work anywhere in the window, so the window must be the active one.
        s.window->show();
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        s.tree().treeMain()->setFocus();
        QTest::keyClick(s.tree().treeMain(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(treeOutline(s.tree()), outline);
        QCOMPARE(s.selected(), std::string("Home"));
        QTest::keyClick(s.tree().treeMain(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(treeOutline(s.tree()), moved);
        QTest::keyClick(s.tree().treeMain(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(treeOutline(s.tree()), moved); // nothing left to redo
        QTest::keyClick(s.tree().treeMain(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(treeOutline(s.tree()), outline);

        // A level down and a move up, undone in turn from the buttons beside the tree.
        s.select("Shopping");
        s.actions().MVIncreaseLevel->trigger();
        QCOMPARE(s.item("Shopping")->parent->node->text, std::string("Home"));
        s.actions().MVMoveUp->trigger();
        QCOMPARE(s.item("Shopping")->row, 0);
        QCOMPARE(s.steps().undoText(), QStringLiteral("Move 'Shopping' up"));
        HistoryButtons &buttons = *s.window->historyButtons();
        QCOMPARE(buttons.buttonUndo->accessibleName(), QStringLiteral("Undo Move 'Shopping' up"));
        buttons.buttonUndo->click();
        buttons.buttonUndo->click();
        QCOMPARE(treeOutline(s.tree()), outline);
        QCOMPARE(s.saved(), outline);

        // The list of steps jumps back and forth.
        buttons.buttonUndoHistory->click();
        auto *list = s.window->findChild<QUndoView *>("listUndoHistory");
        QVERIFY(list && list->isVisible());
        QCOMPARE(s.steps().count(), 2); // the undone drag was dropped by the next step
        s.steps().setIndex(2);
        QCOMPARE(s.item("Shopping")->row, 0);
        s.steps().setIndex(0);
        QCOMPARE(treeOutline(s.tree()), outline);
    }

    void valueChangesAreStepsWithNames()
    {
        Session s;
        s.start();
        TNimbusNode &task = *s.item("Quarterly report")->node;
        s.select("Quarterly report");
        s.window->treeToolbar()->buttonStatusFinished->click();
        QCOMPARE(task.status, int(kStatusCompleted));
        QCOMPARE(s.steps().undoText(), QStringLiteral("Set status of 'Quarterly report' to completed"));
        s.select("Garden ideas");
        s.window->treeToolbar()->buttonUrgent->click();
        QCOMPARE(s.steps().undoText(), QStringLiteral("Mark 'Garden ideas' as urgent"));
        QVERIFY(s.item("Home")->node->urgentCount > 0);
        s.actions().MVFavourites->trigger();
        QCOMPARE(s.steps().undoText(), QStringLiteral("Add 'Garden ideas' to favourites"));

        // Renaming in place, then the options dialog.
        TopicTreeModel &model = *s.tree().model();
        model.setData(model.indexOf(s.item("Garden ideas")), QStringLiteral("Roses"));
        QCOMPARE(s.steps().undoText(), QStringLiteral("Rename 'Garden ideas' to 'Roses'"));
        s.prompts->edit = [](TopicOptions &values) { values.priority = 4; };
        s.select("Shopping");
        s.actions().MVEdit->trigger();
        QCOMPARE(s.item("Shopping")->node->pri, 4);
        QCOMPARE(s.steps().undoText(), QStringLiteral("Change the options of 'Shopping'"));

        while (s.steps().canUndo())
            s.steps().undo();
        QCOMPARE(task.status, int(kStatusInProgress));
        QCOMPARE(task.percent, 60);
        QVERIFY(s.item("Garden ideas"));
        QCOMPARE(s.item("Garden ideas")->node->urgent, false);
        QCOMPARE(s.item("Garden ideas")->node->fav, false);
        QCOMPARE(s.item("Home")->node->urgentCount, 0);
        QCOMPARE(s.item("Shopping")->node->pri, 0);
        while (s.steps().canRedo())
            s.steps().redo();
        QVERIFY(s.item("Roses")->node->fav);
        QCOMPARE(task.status, int(kStatusCompleted));
    }

    void checklistChangesAreStepsOnAndOffTheScreen()
    {
        Session s;
        s.start();
        s.select("Client meetings");
        pages::TopicPage &topic = *s.window->topicPage();
        topic.ShowPage(1);
        checklist::ChecklistPage &list = *topic.panelToDoCheckList;
        QCOMPARE(list.items().size(), std::size_t(2));
        QVERIFY(list.items()[0].checked);
        list.CLRemoveAllTicksExecute();
        QVERIFY(!list.items()[0].checked);
        QCOMPARE(s.steps().undoText(),
                 QStringLiteral("Untick 'Draft meeting notes' in 'Client meetings'"));
        s.actions().MVUndo->trigger();
        QVERIFY(list.items()[0].checked);
        QVERIFY(list.isModified());

        // Redone while another topic is shown: the file takes it, and the page shows it.
        s.select("Work");
        s.actions().MVRedo->trigger();
        QCOMPARE(s.selected(), std::string("Client meetings"));
        topic.ShowPage(1);
        QCOMPARE(list.items().size(), std::size_t(2));
        QVERIFY(!list.items()[0].checked);
    }

    void aPacketMergedBetweenAStepAndItsUndoKeepsBoth()
    {
        Session s;
        LanUser bob(s.dir / "bob/", s.shared(), "Bob", "secret", s.clock);
        s.startSharingWith(bob);

        s.select("Client meetings");
        s.actions().MVRemoveItem->trigger();
        s.select("Shopping");
        s.actions().MVIncreaseLevel->trigger();
        QCOMPARE(s.item("Shopping")->parent->node->text, std::string("Home"));

        const int topics = bob.store.IndexOf("STD0001");
        addNode(bob.store, "900", 1, "Recipe", 1, topics + 1);
        AnsweredQuestions noLock(false);
        QVERIFY(bob.sender.Send(bob.store, bob.store.IndexOf("900"), bob.tagOf("Alice"), noLock).ok);
        s.window->lanSharing()->timerCheckInboxTimer();
        QVERIFY(treeOutline(s.tree()).find("2:Recipe") != std::string::npos);
        QCOMPARE(s.steps().count(), 2); // the merge is not a step

        s.actions().MVUndo->trigger();
        s.actions().MVUndo->trigger();
        const std::string outline = treeOutline(s.tree());
        QVERIFY2(outline.find("1:Work 2:Quarterly report 2:Client meetings 3:Call Hartmann and Co "
                              "3:Proposal for Linden Ltd 4:Price list 1:Home 2:Garden ideas "
                              "1:Shopping") != std::string::npos,
                 outline.c_str());
        QVERIFY2(outline.find("2:Recipe") != std::string::npos, outline.c_str());
        QCOMPARE(s.saved(), outline);
        s.actions().MVRedo->trigger();
        QVERIFY(!s.item("Client meetings"));
        QVERIFY(s.item("Recipe"));
    }

    // The options dialog is modal, and while it is open the real nimbus-cli and a colleague's
    // packet change the same topic (their changes arrive on the dialog's event loop): what the
    // user changed and what they changed both stay, and a removal is told, never written to.
    void changesFromNimbusCliAndAPacketMeetTheOpenOptionsDialog()
    {
        Session s;
        LanUser bob(s.dir / "bob/", s.shared(), "Bob", "secret", s.clock);
        s.startSharingWith(bob);
        const std::string uni = s.item("Shopping")->node->uni;

        const int topics = bob.store.IndexOf("STD0001");
        addNode(bob.store, "900", 1, "Recipe from Bob", 1, topics + 1);
        AnsweredQuestions noLock(false);
        QVERIFY(
            bob.sender.Send(bob.store, bob.store.IndexOf("900"), bob.tagOf("Alice"), noLock).ok);
        s.prompts->edit = [&](TopicOptions &values) {
            QCOMPARE(s.cli({"set", uni, "priority=2", "urgent=yes"}), 0);
            s.window->lanSharing()->timerCheckInboxTimer(); // the packet arrives now
            values.name = "Shopping for the party"; // all the user changed
        };
        s.select("Shopping"); // as when the user opens its options
        s.window->editTopic(s.item("Shopping")->node);
        const TNimbusNode *shopping = s.window->store()->Find(uni);
        QVERIFY(shopping != nullptr);
        QCOMPARE(shopping->text, std::string("Shopping for the party"));
        QCOMPARE(shopping->pri, 2);
        QVERIFY(shopping->urgent);
        QVERIFY(s.item("Recipe from Bob"));
        QVERIFY(s.saved().find("Shopping for the party") != std::string::npos);

        s.prompts->edit = [&](TopicOptions &values) {
            QCOMPARE(s.cli({"remove", uni}), 0);
            values.name = "Written into a topic that is gone";
        };
        s.window->editTopic(s.item("Shopping for the party")->node);
        QVERIFY(s.window->store()->Find(uni) == nullptr);
        QVERIFY(!s.prompts->told.empty());
        QVERIFY(s.prompts->told.back().find("removed while its options were open") !=
                std::string::npos);
        QVERIFY(s.saved().find("Written into") == std::string::npos);
    }

    void typingInADetailsPageIsOneStepWhenThePageIsLeft()
    {
        Session s;
        s.start();
        s.activate();
        pages::TopicPage &topic = *s.window->topicPage();
        pages::DetailsTextEdit &editor = *topic.details->RichEdit1;
        s.select("Client meetings");
        QCOMPARE(editor.toPlainText(), QStringLiteral("meeting notes"));

        // Looking only, and typing undone in the editor itself: no step.
        s.select("Work");
        QCOMPARE(s.steps().count(), 0);
        s.select("Client meetings");
        editor.setFocus();
        editor.moveCursor(QTextCursor::End);
        QTest::keyClicks(&editor, " typo");
        QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor.toPlainText(), QStringLiteral("meeting notes"));
        QCOMPARE(s.steps().count(), 0);

        // Two bursts of typing with a save between them (the window's timer saves too) and
        // a move to another topic: one step.
        const auto filesBefore = contentFiles(s.data());
        QTest::keyClicks(&editor, " with Anna");
        s.window->SaveAll();
        QTest::keyClicks(&editor, " and Ben");
        s.select("Garden ideas");
        QCOMPARE(s.steps().count(), 1);
        QCOMPARE(s.steps().undoText(),
                 QStringLiteral("Edit the details page of 'Client meetings'"));
        const auto filesTyped = contentFiles(s.data());
        QVERIFY(filesTyped != filesBefore);

        // Ctrl+Z in the tree gives back every file the saves touched, byte for byte; the
        // topic is selected and its page shows the old text.
        s.keysInTree(Qt::ControlModifier);
        QVERIFY2(contentFiles(s.data()) == filesBefore,
                 differences(contentFiles(s.data()), filesBefore).c_str());
        QCOMPARE(s.selected(), std::string("Client meetings"));
        QCOMPARE(editor.toPlainText(), QStringLiteral("meeting notes"));
        // Redone while the page is shown: the page shows the typed text again.
        s.keysInTree(Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY2(contentFiles(s.data()) == filesTyped,
                 differences(contentFiles(s.data()), filesTyped).c_str());
        QCOMPARE(editor.toPlainText(), QStringLiteral("meeting notes with Anna and Ben"));
        QVERIFY(!topic.details->modified());

        // Typing, then the undo button without leaving the page: the typing becomes its
        // step first and is what the button takes back.
        editor.moveCursor(QTextCursor::End);
        QTest::keyClicks(&editor, "!");
        s.window->historyButtons()->buttonUndo->click();
        QCOMPARE(editor.toPlainText(), QStringLiteral("meeting notes with Anna and Ben"));
        QVERIFY(contentFiles(s.data()) == filesTyped);
        QCOMPARE(s.steps().redoText(),
                 QStringLiteral("Edit the details page of 'Client meetings'"));
        QCOMPARE(s.steps().count(), 2);
    }

    void aRefusedStepStaysInPlaceUntilItIsSkipped()
    {
        Session s;
        s.start();
        QCOMPARE(s.steps().undoLimit(), 1000);
        // The urgent flag turned over, as a dialog changes a topic.
        const auto mark = [&s](const std::string &text) {
            TNimbusNode *node = s.item(text)->node;
            s.tree().beginEdit(node);
            node->urgent = !node->urgent;
            s.tree().nodeEdited(node);
        };
        // Another program's change (a packet, calendar sync) takes a topic out.
        const auto takenOutElsewhere = [&s](const std::string &text) {
            s.tree().SyncStoreFromTree();
            TNimbusStructure &store = s.tree().store();
            TNimbusNode *gone = s.item(text)->node;
            emit s.tree().topicsRemoving({gone});
            store.Delete(store.IndexOf(gone->uni));
            s.tree().BuildTree();
        };
        mark("Garden ideas");
        mark("Quarterly report");
        mark("Shopping");
        s.actions().MVUndo->trigger();
        QVERIFY(!s.actions().MVSkipStep->isEnabled());
        // Calendar sync sets the same flag back meanwhile: the step refuses and stays.
        s.item("Quarterly report")->node->urgent = false;
        for (int attempt = 0; attempt < 2; ++attempt) {
            s.actions().MVUndo->trigger();
            QCOMPARE(s.steps().count(), 3);
            QCOMPARE(s.steps().index(), 2);
            QCOMPARE(s.actions().MVUndo->text(),
                     QStringLiteral("Undo Mark 'Quarterly report' as urgent"));
            QCOMPARE(s.actions().MVSkipStep->text(),
                     QStringLiteral("Skip Mark 'Quarterly report' as urgent"));
            QVERIFY(s.actions().MVSkipStep->isEnabled());
        }
        QVERIFY(s.log().find("the field urgent of topic 102 'Quarterly report' was changed by "
                             "someone else since") != std::string::npos);
        QVERIFY(s.log().find("The undo history keeps \"Mark 'Quarterly report' as urgent\": it "
                             "could not be undone") != std::string::npos);
        QVERIFY2(s.item("Garden ideas")->node->urgent, "an older step is not replayed");
        // The newer step redoes and undoes as before.
        s.actions().MVRedo->trigger();
        QVERIFY(s.item("Shopping")->node->urgent);
        QVERIFY(!s.actions().MVSkipStep->isEnabled());
        s.actions().MVUndo->trigger();
        QVERIFY(!s.item("Shopping")->node->urgent);

        // Skipped, it is forgotten; its change stays, and the older step undoes.
        s.actions().MVUndo->trigger();
        s.actions().MVSkipStep->trigger();
        QCOMPARE(s.steps().count(), 2);
        QCOMPARE(s.steps().index(), 1);
        QVERIFY(!s.actions().MVSkipStep->isEnabled());
        QVERIFY(!s.item("Quarterly report")->node->urgent);
        s.actions().MVUndo->trigger();
        QVERIFY(!s.item("Garden ideas")->node->urgent);
        s.actions().MVRedo->trigger();
        s.actions().MVRedo->trigger();
        QVERIFY(s.item("Garden ideas")->node->urgent);
        QVERIFY(s.item("Shopping")->node->urgent);

        // A jump in the list of steps stops at a refusing step; the steps beyond it were not
        // replayed and stay where they stood.
        mark("Price list");
        takenOutElsewhere("Price list");
        s.steps().setIndex(0);
        QTRY_VERIFY2(s.log().find("keeps \"Mark 'Price list' as urgent\"") != std::string::npos,
                     s.log().c_str());
        QCOMPARE(s.steps().count(), 3);
        QCOMPARE(s.steps().index(), 3);
        QVERIFY2(s.item("Shopping")->node->urgent && s.item("Garden ideas")->node->urgent,
                 "steps older than the refused one are not replayed");
    }

    void aTopicNimbusCliAddsIsUndoneByCtrlZ()
    {
        Session s;
        s.start();
        s.activate();
        QCOMPARE(s.cli({"add", "From the terminal", "--under", "101"}), 0);
        QVERIFY(s.item("From the terminal"));
        QCOMPARE(s.item("From the terminal")->parent->node->text, std::string("Work"));
        QCOMPARE(s.actions().MVUndo->text(), QStringLiteral("Undo Add 'From the terminal'"));

        s.keysInTree(Qt::ControlModifier);
        QVERIFY(!s.item("From the terminal"));
        QVERIFY(s.saved().find("From the terminal") == std::string::npos);
        s.keysInTree(Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(s.item("From the terminal"));

        // Its done is a step named as the window's own.
        QCOMPARE(s.cli({"done", s.item("From the terminal")->node->uni}), 0);
        QCOMPARE(s.steps().undoText(),
                 QStringLiteral("Set status of 'From the terminal' to completed"));
    }

    // A rule typed in words reaches the window's series and Recurrence.dat in one step with the
    // topic's fields; undo takes both back, redo brings both again, and a plain repeat after it
    // takes the series off.
    void aRepeatRuleFromNimbusCliIsOneStepWithItsSeries()
    {
        Session s;
        s.start();
        const std::string uni = s.item("Quarterly report")->node->uni; // due Sunday 15 March
        const TNimbusNode &node = *s.window->store()->Find(uni);
        recurrence::RecurrenceFile &file = *s.window->recurrenceFile();
        QCOMPARE(s.cli({"set", uni, "recur=mon,wed,fri x6"}), 0);
        QVERIFY(file.Find(uni) != nullptr);
        QCOMPARE(recurrence::formatSeries(*file.Find(uni)),
                 std::string("START=20260316;FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=6"));
        QVERIFY(recurrence::seriesOf(node) && *recurrence::seriesOf(node) == *file.Find(uni));
        QCOMPARE(node.dlDate, std::string("20260316")); // the first Monday from the due date
        QVERIFY(node.recur);
        QCOMPARE(node.rno, 1);
        QCOMPARE(node.rtype, int(kUnitWeeks));
        s.window->SaveAll();
        QVERIFY(readFile(s.data() + "Recurrence.dat").find(uni + "\tSTART=20260316;") !=
                std::string::npos);

        QCOMPARE(s.steps().count(), 1);
        s.steps().undo();
        QVERIFY(file.Find(uni) == nullptr);
        QVERIFY(!node.richRule);
        QVERIFY(!node.recur);
        QCOMPARE(node.dlDate, std::string("20260315"));
        s.steps().redo();
        QVERIFY(file.Find(uni) != nullptr);
        QVERIFY(recurrence::seriesOf(node) != nullptr);
        QCOMPARE(node.dlDate, std::string("20260316"));

        QCOMPARE(s.cli({"set", uni, "recur=2 weeks"}), 0);
        QVERIFY(file.Find(uni) == nullptr);
        QVERIFY(!node.richRule);
        QCOMPARE(node.rno, 2);
        s.steps().undo();
        QVERIFY(recurrence::seriesOf(node) != nullptr);
        QVERIFY(file.Find(uni) != nullptr);

        // A topic added with a rule: undone, it leaves no rule behind; redone, both come back.
        QCOMPARE(s.cli({"add", "Board meeting", "--due", "2026-03-10", "--recur", "2nd", "tue"}),
                 0);
        const std::string board = s.item("Board meeting")->node->uni;
        QVERIFY(file.Find(board) != nullptr);
        s.steps().undo();
        QVERIFY(!s.item("Board meeting"));
        QVERIFY(file.Find(board) == nullptr);
        s.steps().redo();
        QVERIFY(s.item("Board meeting"));
        QVERIFY(file.Find(board) != nullptr);
        QVERIFY(recurrence::seriesOf(*s.item("Board meeting")->node) != nullptr);
        QCOMPARE(s.item("Board meeting")->node->dlDate, std::string("20260310"));
    }
};

QTEST_MAIN(UndoWindowTest)
#include "UndoWindowTest.moc"
