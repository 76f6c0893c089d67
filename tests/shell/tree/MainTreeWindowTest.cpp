// The main window with its topic tree, driven under the offscreen platform: editing the tree
// through its menu, toolbar and dialogs, the grids beside it, the stored layout and a
// screenshot. After each change the saved Structure.dat holds what the tree shows.
#include <QAbstractItemModelTester>
#include <QDir>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QToolButton>
#include <QtTest>
#include <numeric>

#include "WindowFixture.h"
#include "fileio/LanguageChoice.h"
#include "shell/MainLayout.h"
#include "shell/PageArea.h"
#include "shell/TopicTreeModel.h"
#include "shell/TreeActions.h"
#include "shell/TreeToolbar.h"
#include "shell/UiTranslations.h"
#include "shell/summary/InfoGrids.h"
#include "shell/summary/SummaryPage.h"
#include "shell/summary/TopicGrid.h"
#include "store/SummaryLists.h"

using namespace nimbus;
using namespace nimbus::test;

namespace {

const DateTime kNow = DateTime::fromCivil(2026, 3, 10, 9, 30, 0);

// A tree as a user might keep it.
void writeSampleStore(const std::string &folder, const Clock &clock)
{
    StoreWriter w(folder);
    w.add(0, "Topics").expanded();
    w.add(1, "Work", 1).type(kTopicGeneral).expanded();
    w.add(2, "Quarterly report").status(kStatusInProgress, 60).due(clock, 5).priority(2);
    w.add(2, "Prepare budget review").status(kStatusNotStarted).due(clock, 12).urgent();
    w.add(2, "Team offsite").type(kTopicEvent).status(kStatusNotStarted).due(clock, 20);
    w.add(2, "Client meetings").status(kStatusNotStarted).expanded();
    w.add(3, "Call Hartmann and Co").status(kStatusCompleted, 100);
    w.add(3, "Proposal for Linden Ltd").status(kStatusWaiting).priority(3);
    w.add(3, "Contract renewal").status(kStatusNotStarted).due(clock, -3).priority(1);
    w.add(1, "Home").type(kTopicGeneral).expanded();
    w.add(2, "Renew car insurance").status(kStatusNotStarted).due(clock, 2).priority(1).favourite();
    w.add(2, "Dentist appointment").type(kTopicEvent).status(kStatusNotStarted).due(clock, 8);
    w.add(2, "Garden ideas").type(kTopicIdea);
    w.add(2, "Household budget").type(kTopicFinancial).favourite();
    w.add(1, "Reading list").type(kTopicInformation);
    w.add(1, "Holiday plans").type(kTopicGeneral);
    w.add(2, "Book the ferry").status(kStatusNotStarted).due(clock, 30);
    w.add(2, "Packing list").type(kTopicInformation);
    w.add(1, "Learning Spanish").status(kStatusOnHold, 30);
    w.add(0, "Local network information", kSectionNetwork);
    w.add(0, "Preferences", kSectionPreferences);
    w.add(0, "Product information", kSectionProduct);
    w.add(0, "Contacts", kSectionContacts);
    w.write();
}

tree::TreeItem *itemNamed(TreeController &tree, const std::string &text)
{
    for (tree::TreeItem *item : tree.tree().preOrder())
        if (item->node->text == text)
            return item;
    return nullptr;
}

} // namespace

class MainTreeWindowTest : public QObject {
    Q_OBJECT

    struct Session {
        TempFolder dir;
        FixedClock clock{kNow};
        std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>();
        std::unique_ptr<TformMain> window;
        Session() { writeSampleStore(dataFolder(dir), clock); }
        void start()
        {
            window = std::make_unique<TformMain>(clock, windowEnvironment(dir, prompts));
        }
        TreeController &tree() { return *window->treeController(); }
        void select(const std::string &text) { tree().selectNode(itemNamed(tree(), text)->node); }
        TNimbusNode &node(const std::string &text) { return *itemNamed(tree(), text)->node; }
        // Saves and compares the file with the tree.
        bool savedAsShown()
        {
            window->SaveAll();
            const std::string shown = treeOutline(tree());
            const std::string saved = savedOutline(dataFolder(dir));
            if (shown != saved)
                qWarning("tree:  %s\nsaved: %s", shown.c_str(), saved.c_str());
            return shown == saved;
        }
    };

private slots:
    void theModelPassesTheModelChecks()
    {
        Session s;
        s.start();
        QAbstractItemModelTester tester(s.tree().model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        s.select("Work");
        s.window->treeActions()->MVSortSub->trigger();
        s.select("Home");
        s.window->treeActions()->MVAddSubItem->trigger();
        s.window->treeActions()->MVRemoveItem->trigger();
    }

    void addRenameAndRemoveTopics()
    {
        Session s;
        s.start();
        TreeActions &actions = *s.window->treeActions();
        s.select("Garden ideas");
        actions.MVAddItem->trigger();
        TNimbusNode *made = s.tree().selectedNode();
        QCOMPARE(made->text, std::string("New topic"));
        QCOMPARE(made->ttype, int(kTopicIdea));
        QCOMPARE(itemNamed(s.tree(), "Garden ideas")->row,
                 static_cast<tree::TreeItem *>(made->treeItem)->row + 1);
        QCOMPARE(std::string(s.window->summaryLists()->RecentNew().Id(0)), made->uni);

        // In-place renaming: trailing blanks go, an empty caption keeps the old one.
        TopicTreeModel &model = *s.tree().model();
        const QModelIndex index = model.indexOf(static_cast<tree::TreeItem *>(made->treeItem));
        model.setData(index, QStringLiteral("Seed order  "));
        QCOMPARE(made->text, std::string("Seed order"));
        model.setData(index, QStringLiteral("   "));
        QCOMPARE(made->text, std::string("Seed order"));
        QCOMPARE(index.data().toString(), QStringLiteral("Seed order"));

        actions.MVAddSubItem->trigger();
        TNimbusNode *child = s.tree().selectedNode();
        QCOMPARE(static_cast<tree::TreeItem *>(child->treeItem)->parent->node, made);
        QVERIFY(s.savedAsShown());

        s.select("Client meetings");
        actions.MVRemoveItem->trigger();
        QVERIFY(!itemNamed(s.tree(), "Contract renewal"));
        QCOMPARE(s.window->store()->Find("108"), nullptr);
        QVERIFY(s.savedAsShown());

        // A new topic directly in "Topics" is a general topic.
        s.select("Topics");
        actions.MVAddSubItem->trigger();
        QCOMPARE(s.tree().selectedNode()->ttype, int(kTopicGeneral));
        QCOMPARE(s.tree().selectedItem()->row, 0);
        QVERIFY(s.savedAsShown());
    }

    void levelsAndDragging()
    {
        Session s;
        s.start();
        TreeActions &actions = *s.window->treeActions();
        s.select("Work");
        actions.ConfigureTreeMenu();
        QVERIFY(!actions.MVIncreaseLevel->isEnabled()); // the first topic of its section
        QVERIFY(!actions.MVReduceLevel->isEnabled());
        s.select("Reading list");
        actions.ConfigureTreeMenu();
        QVERIFY(actions.MVIncreaseLevel->isEnabled());
        actions.MVIncreaseLevel->trigger();
        QCOMPARE(s.tree().selectedNode()->text, std::string("Reading list"));
        QCOMPARE(s.tree().selectedItem()->parent->node->text, std::string("Home"));
        QCOMPARE(s.tree().selectedItem()->row, 4);
        QVERIFY(s.savedAsShown());

        s.select("Call Hartmann and Co");
        actions.ConfigureTreeMenu();
        actions.MVReduceLevel->trigger();
        QCOMPARE(s.tree().selectedItem()->parent->node->text, std::string("Work"));
        QCOMPARE(s.tree().selectedItem()->row, 4); // after "Client meetings"
        QVERIFY(s.savedAsShown());

        // Dragging: onto a sibling of the same depth and kind goes before it.
        tree::TreeItem *dragged = itemNamed(s.tree(), "Learning Spanish");
        QVERIFY(!s.tree().canDrop(dragged, itemNamed(s.tree(), "Garden ideas"))); // deeper
        QVERIFY(!s.tree().canDrop(dragged, itemNamed(s.tree(), "Contacts")));
        s.tree().dropOnto(dragged, itemNamed(s.tree(), "Garden ideas"));
        QCOMPARE(itemNamed(s.tree(), "Learning Spanish")->level(),
                 1); // the refused drop did nothing
        s.tree().dropOnto(dragged, itemNamed(s.tree(), "Home"));
        QCOMPARE(itemNamed(s.tree(), "Learning Spanish")->row, 1);
        QCOMPARE(s.tree().selectedNode()->text, std::string("Learning Spanish"));
        QVERIFY(s.savedAsShown());
    }

    void sortingAndExpanding()
    {
        Session s;
        s.start();
        TreeActions &actions = *s.window->treeActions();
        auto children = [&](const std::string &parent) {
            std::string out;
            for (const auto &child : itemNamed(s.tree(), parent)->children)
                out += child->node->text + "|";
            return out;
        };
        s.select("Work");
        actions.MVSortSub->trigger();
        QCOMPARE(
            children("Work"),
            std::string("Client meetings|Prepare budget review|Quarterly report|Team offsite|"));
        actions.MVSortPriority->trigger();
        QCOMPARE(
            children("Work"),
            std::string("Prepare budget review|Quarterly report|Client meetings|Team offsite|"));
        s.select("Client meetings");
        actions.MVSortDaysDue->trigger();
        QCOMPARE(children("Client meetings"),
                 std::string("Contract renewal|Proposal for Linden Ltd|Call Hartmann and Co|"));
        QVERIFY(s.savedAsShown());

        actions.MVContractAll->trigger();
        QVERIFY(!itemNamed(s.tree(), "Topics")->expanded);
        QCOMPARE(s.tree().selectedNode()->text, std::string("Topics"));
        actions.MVExpandUrgent->trigger();
        QVERIFY(itemNamed(s.tree(), "Work")->expanded);
        QVERIFY(!itemNamed(s.tree(), "Home")->expanded);
        QCOMPARE(s.tree().selectedNode()->text, std::string("Work")); // the first one found
        QVERIFY(s.tree().treeMain()->isExpanded(
            s.tree().model()->indexOf(itemNamed(s.tree(), "Work"))));
        actions.MVExpandProgress->trigger();
        QVERIFY(itemNamed(s.tree(), "Work")->expanded);
        QVERIFY(!itemNamed(s.tree(), "Client meetings")->expanded);
        actions.MVExpandDueSoon->trigger();
        QVERIFY(itemNamed(s.tree(), "Client meetings")->expanded); // overdue counts as due
        QVERIFY(!itemNamed(s.tree(), "Holiday plans")->expanded);
        actions.MVExpandDue6Weeks->trigger();
        QVERIFY(itemNamed(s.tree(), "Holiday plans")->expanded);
        actions.MVExpandAll->trigger();
        QVERIFY(itemNamed(s.tree(), "Holiday plans")->expanded &&
                itemNamed(s.tree(), "Client meetings")->expanded);
        QVERIFY(s.savedAsShown());
        // The expansion is kept with the store.
        TNimbusStructure saved;
        saved.SetFileName(dataFolder(s.dir) + "Structure.dat");
        saved.LoadStructure();
        QVERIFY(saved.Find(s.node("Holiday plans").uni)->exp);
    }

    void toolbarOnATaskAndANote()
    {
        Session s;
        s.start();
        TreeToolbar &bar = *s.window->treeToolbar();
        s.select("Quarterly report");
        QVERIFY(!bar.buttonTask->isEnabled());
        QVERIFY(!bar.buttonStatusInProgress->isEnabled());
        QVERIFY(bar.buttonStatusFinished->isEnabled());
        bar.buttonPriorityUp->click();
        QCOMPARE(s.node("Quarterly report").pri, 1);
        QVERIFY(!bar.buttonPriorityUp->isEnabled());
        bar.buttonUrgent->click();
        QVERIFY(s.node("Quarterly report").urgent);
        QCOMPARE(s.node("Work").urgentCount, 2);
        bar.buttonStatusFinished->click();
        TNimbusNode &task = s.node("Quarterly report");
        QCOMPARE(task.status, int(kStatusCompleted));
        QCOMPARE(task.percent, 100);
        QVERIFY(!task.urgent);
        QCOMPARE(s.node("Work").urgentCount, 1);
        QVERIFY(!bar.buttonStatusOnHold->isEnabled() && !bar.buttonUrgent->isEnabled());
        bar.buttonStatusNotStarted->click();
        QCOMPARE(task.status, int(kStatusNotStarted));
        bar.buttonStatusWaiting->click();
        QCOMPARE(task.status, int(kStatusWaiting));
        bar.buttonStatusOnHold->click();
        QCOMPARE(task.status, int(kStatusOnHold));
        bar.buttonStatusInProgress->click();
        QCOMPARE(task.percent, 50);
        bar.buttonPriorityUp->click();
        QCOMPARE(task.pri, 9); // no priority goes to the lowest one
        bar.buttonPriorityDown->click();
        QCOMPARE(task.pri, 0);
        bar.popPriority->actions().at(2)->trigger();
        QCOMPARE(task.pri, 3);

        // The group task follows its sub-tasks.
        s.select("Contract renewal");
        bar.buttonStatusFinished->click();
        s.select("Proposal for Linden Ltd");
        bar.buttonStatusFinished->click();
        QCOMPARE(s.node("Client meetings").status, int(kStatusCompleted));
        QCOMPARE(s.node("Client meetings").fdate, std::string("20260310"));

        s.select("Garden ideas");
        QVERIFY(!bar.buttonIdea->isEnabled());
        QVERIFY(!bar.buttonStatusFinished->isEnabled() && !bar.buttonPriorityUp->isEnabled());
        bar.buttonFinance->click();
        QCOMPARE(s.node("Garden ideas").ttype, int(kTopicFinancial));
        bar.buttonEvent->click();
        QCOMPARE(s.node("Garden ideas").dlDate, std::string("20260310"));
        bar.buttonTask->click();
        QCOMPARE(s.node("Garden ideas").ttype, int(kTopicTask));
        QVERIFY(s.savedAsShown());
        TNimbusStructure saved;
        saved.SetFileName(dataFolder(s.dir) + "Structure.dat");
        saved.LoadStructure();
        QCOMPARE(saved.Find(task.uni)->pri, 3);
        QCOMPARE(saved.Find(s.node("Garden ideas").uni)->ttype, int(kTopicTask));
    }

    void propertiesDialogAppliesItsValues()
    {
        Session s;
        s.start();
        s.prompts->edit = [](TopicOptions &values) {
            values.percent = 40;
            values.name = "Quarterly report v2";
        };
        s.window->editTopic(&s.node("Quarterly report"));
        TNimbusNode &task = s.node("Quarterly report v2");
        QCOMPARE(task.percent, 40);
        QCOMPARE(s.tree()
                     .model()
                     ->indexOf(static_cast<tree::TreeItem *>(task.treeItem))
                     .data()
                     .toString(),
                 QStringLiteral("Quarterly report v2"));
        s.prompts->edit = [](TopicOptions &values) { values.percent = 100; };
        s.window->editTopic(&task);
        QCOMPARE(task.status, int(kStatusCompleted));
        s.prompts->edit = [](TopicOptions &values) {
            values.recur = true;
            values.recurCount = 1;
            values.recurUnit = kUnitWeeks;
            values.nextDate = values.dueDate = "20260312";
            values.percent = 0;
        };
        s.window->editTopic(&s.node("Renew car insurance"));
        QVERIFY(s.node("Renew car insurance").recur);
        s.prompts->chosenType = kTopicInformation;
        s.window->changeTopicType(&s.node("Garden ideas"));
        QCOMPARE(s.node("Garden ideas").ttype, int(kTopicInformation));
        QVERIFY(s.savedAsShown());
    }

    // While the dialog is open, a sync (or a packet, or nimbus-cli) changes or removes the same
    // topic, the way the calendar sync applies its results.
    void propertiesDialogMeetsChangesMadeWhileItWasOpen()
    {
        Session s;
        s.start();
        const std::string uni = s.node("Quarterly report").uni;
        s.prompts->edit = [&](TopicOptions &values) {
            s.tree().SyncStoreFromTree();
            TNimbusNode *meanwhile = s.window->store()->Find(uni);
            meanwhile->text = "Quarterly report (from the phone)";
            meanwhile->percent = 70;
            s.tree().BuildTree();
            values.priority = 3;  // all the user changed
        };
        s.window->editTopic(&s.node("Quarterly report"));
        TNimbusNode &task = s.node("Quarterly report (from the phone)");
        QCOMPARE(task.pri, 3);
        QCOMPARE(task.percent, 70);

        // The title changed here and elsewhere: the user is asked, and "No" keeps the other.
        for (const bool mine : {false, true}) {
            s.prompts->agree = mine;
            s.prompts->edit = [&](TopicOptions &values) {
                s.tree().SyncStoreFromTree();
                s.window->store()->Find(uni)->text = mine ? "Theirs again" : "Theirs";
                s.tree().BuildTree();
                values.name = mine ? "Mine again" : "Mine";
                values.priority = mine ? 5 : 4;
            };
            const std::size_t asked = s.prompts->asked.size();
            s.window->editTopic(s.window->store()->Find(uni));
            QCOMPARE(s.prompts->asked.size(), asked + 1);
            QVERIFY2(s.prompts->asked.back().find("was also changed elsewhere") !=
                             std::string::npos &&
                         s.prompts->asked.back().find("in: title.") != std::string::npos,
                     s.prompts->asked.back().c_str());
            const TNimbusNode *now = s.window->store()->Find(uni);
            QCOMPARE(now->text, std::string(mine ? "Mine again" : "Theirs"));
            QCOMPARE(now->pri, mine ? 5 : 4);
        }
        s.prompts->agree = true;

        // On a German desktop the question and the names of the groups are German.
        {
            const UiTranslations german(*qApp, LanguageChoice([](const char *name) {
                return std::string(name) == "LANG" ? "de_DE.UTF-8" : nullptr;
            }));
            QCOMPARE(german.language(), QStringLiteral("de"));
            s.prompts->edit = [&](TopicOptions &values) {
                s.tree().SyncStoreFromTree();
                TNimbusNode *meanwhile = s.window->store()->Find(uni);
                meanwhile->text = "Theirs in German";
                meanwhile->pri = 1;
                s.tree().BuildTree();
                values.name = "Mine in German";
                values.priority = 2;
            };
            s.window->editTopic(s.window->store()->Find(uni));
            const QString asked = QString::fromLocal8Bit(s.prompts->asked.back().c_str());
            QVERIFY2(asked.contains(QStringLiteral("anderswo")) &&
                         asked.contains(QStringLiteral(": Titel, Priorität.")),
                     qPrintable(asked));
        }

        s.prompts->edit = [&](TopicOptions &values) {
            s.tree().SyncStoreFromTree();
            s.window->store()->Delete(s.window->store()->IndexOf(uni));
            s.tree().BuildTree();
            values.name = "Written into a topic that is gone";
        };
        s.window->editTopic(s.window->store()->Find(uni));
        QVERIFY(s.window->store()->Find(uni) == nullptr);
        QVERIFY(!s.prompts->told.empty());
        QVERIFY(s.prompts->told.back().find("removed while its options were open") != std::string::npos);
        QVERIFY(s.savedAsShown());
    }

    void gridsFollowTheVisibleRows()
    {
        Session s;
        s.start();
        s.window->resize(1200, 400);
        s.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        auto nodesOf = [&](const std::vector<summarypage::GridRow> &rows) {
            std::vector<TNimbusNode *> nodes;
            for (const auto &row : rows)
                nodes.push_back(row.node);
            return nodes;
        };
        auto treeNodes = [&] {
            std::vector<TNimbusNode *> nodes;
            MainTreeView *view = s.tree().treeMain();
            for (QModelIndex i = view->indexAt(QPoint(1, 1)); i.isValid();
                 i = view->indexBelow(i)) {
                if (view->visualRect(i).top() >= view->viewport()->height())
                    break;
                nodes.push_back(s.tree().model()->nodeOf(i));
            }
            return nodes;
        };
        s.tree().timerTreeTick();
        QVERIFY(!s.window->infoGrids()->gridInfo->Rows().empty());
        QCOMPARE(nodesOf(s.window->infoGrids()->gridInfo->Rows()), treeNodes());
        QCOMPARE(nodesOf(s.window->infoGrids()->gridDue->Rows()), treeNodes());
        // Each grid row stands level with its tree row on screen, below the tree's heading
        // and the search field: the point halfway down a tree row is that row in both grids.
        MainTreeView *view = s.tree().treeMain();
        for (QModelIndex i = view->indexAt(QPoint(1, 1)); i.isValid(); i = view->indexBelow(i)) {
            const QRect rect = view->visualRect(i);
            if (rect.bottom() >= view->viewport()->height())
                break;
            const QPoint middle = view->viewport()->mapToGlobal(rect.center());
            for (summarypage::TopicGrid *grid :
                 {static_cast<summarypage::TopicGrid *>(s.window->infoGrids()->gridInfo),
                  static_cast<summarypage::TopicGrid *>(s.window->infoGrids()->gridDue)}) {
                const int row = grid->RowAt(grid->mapFromGlobal(middle));
                QVERIFY(row >= 0);
                QCOMPARE(grid->Rows()[static_cast<std::size_t>(row)].node,
                         s.tree().model()->nodeOf(i));
            }
        }

        s.tree().treeMain()->verticalScrollBar()->setValue(3);
        s.tree().timerTreeTick();
        QCOMPARE(s.window->infoGrids()->gridInfo->Rows().front().node->text,
                 std::string("Prepare budget review"));
        QCOMPARE(nodesOf(s.window->infoGrids()->gridInfo->Rows()), treeNodes());

        s.tree().treeMain()->collapse(
            s.tree().model()->indexOf(itemNamed(s.tree(), "Client meetings")));
        s.tree().timerTreeTick();
        QCOMPARE(nodesOf(s.window->infoGrids()->gridDue->Rows()), treeNodes());
        QCOMPARE(s.node("Call Hartmann and Co").rowIndex, -1); // no longer on screen
        QCOMPARE(s.node("Prepare budget review").rowIndex, 0);
    }

    void aDepthJumpInTheFileIsShownAndKept()
    {
        TempFolder dir;
        FixedClock clock(kNow);
        StoreWriter w(dataFolder(dir));
        w.add(0, "Topics").expanded();
        w.add(1, "Parent");
        w.add(3, "Too deep");
        w.add(4, "Its child");
        w.add(0, "Contacts", kSectionContacts);
        w.write();
        auto prompts = std::make_shared<FakePrompts>();
        {
            TformMain window(clock, windowEnvironment(dir, prompts));
            QCOMPARE(treeOutline(*window.treeController()),
                     std::string("0:Topics 1:Parent 2:Too deep 3:Its child 0:Contacts"));
            QVERIFY(window.reLog->toPlainText().contains("\"Too deep\""));
        }
        QCOMPARE(savedOutline(dataFolder(dir)),
                 std::string("0:Topics 1:Parent 2:Too deep 3:Its child 0:Contacts"));
    }

    void damagedRecordsAreToldOnce()
    {
        TempFolder dir;
        FixedClock clock(kNow);
        StoreWriter(dataFolder(dir)).write();
        writeFile(dataFolder(dir) + "Structure.dat",
                  "uni=STD0001\r\ntext=Topics\r\nlev=0\r\ntype=1\r\n"
                  "uni=5\r\ntext=Broken\r\nlev=x1\r\n");
        auto prompts = std::make_shared<FakePrompts>();
        TformMain window(clock, windowEnvironment(dir, prompts));
        if (window.store()->LoadProblems().empty())
            QSKIP("the reader accepts this record");
        QCOMPARE(prompts->told.size(), std::size_t(1));
        QVERIFY(window.reLog->toPlainText().contains("***"));
    }

    // On a German desktop the reasons our own code gives are German in the message boxes, and
    // the log keeps them in English.
    void startupReasonsAreShownInTheUsersLanguage()
    {
        const UiTranslations german(*qApp, LanguageChoice([](const char *name) {
            return std::string(name) == "LANG" ? "de_DE.UTF-8" : nullptr;
        }));
        QCOMPARE(german.language(), QStringLiteral("de"));
        TempFolder dir;
        FixedClock clock(kNow);
        StoreWriter(dataFolder(dir)).write();
        writeFile(dataFolder(dir) + "Structure.dat",
                  "uni=STD0001\r\ntext=Topics\r\nlev=0\r\ntype=1\r\n"
                  "uni=5\r\ntext=Broken\r\nlev=x1\r\n");
        QVERIFY(QDir().mkdir(QString::fromStdString(dataFolder(dir) + "Running.lock")));
        auto prompts = std::make_shared<FakePrompts>();
        TformMain window(clock, windowEnvironment(dir, prompts));
        const QString told = QString::fromLocal8Bit(
            std::accumulate(prompts->told.begin(), prompts->told.end(), std::string()).c_str());
        QVERIFY2(told.contains(QStringLiteral("(es ist ein Ordner)")) &&
                     told.contains(QStringLiteral("hat die Ebene „x1“")) &&
                     !told.contains(QStringLiteral("which is not a level")),
                 qPrintable(told));
        const QString logged = window.reLog->toPlainText();
        QVERIFY2(logged.contains(QStringLiteral("has the level \"x1\", which is not a level")) &&
                     !logged.contains(QStringLiteral("Ebene")),
                 qPrintable(logged));
    }

    void layoutIsRestoredAndRecorded()
    {
        Session s;
        s.start();
        // Within the offscreen screen (800 x 600): a stored size beyond the screens is clamped.
        s.window->resize(780, 560);
        s.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        QList<int> sizes = s.window->mainLayout()->panelData->sizes();
        s.window->mainLayout()->panelData->setSizes({300, sizes[0] + sizes[1] - 300});
        s.window->close();
        TScreenSetup stored;
        stored.SetDataFolder(dataFolder(s.dir));
        QVERIFY(stored.Load());
        QCOMPARE(stored.width, 780);
        QCOMPARE(stored.height, 560);
        QCOMPARE(stored.tree, 300);

        s.window = std::make_unique<TformMain>(s.clock, windowEnvironment(s.dir, s.prompts));
        QCOMPARE(s.window->width(), 780);
        s.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        QTRY_COMPARE(s.window->mainLayout()->panelData->sizes().value(0), 300);
    }

    void screenshots()
    {
        Session s;
        s.start();
        s.window->resize(1200, 800);
        s.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        s.select("Quarterly report");
        s.tree().timerTreeTick();
        QDir().mkpath(NIMBUS_SCREENSHOT_DIR);
        QVERIFY(s.window->grab().save(NIMBUS_SCREENSHOT_DIR "/main-window.png"));

        s.window->summaryPage()->buttonSummaryClick();
        QVERIFY(s.window->mainLayout()->summaryShown());
        QVERIFY(s.window->grab().save(NIMBUS_SCREENSHOT_DIR "/main-window-summary.png"));

        // A badge's topic, chosen in the list, is selected in the tree and the page closes.
        s.prompts->chosenRow = 1;
        s.window->summaryPage()->ShowGroup(summary::Group::Overdue);
        QVERIFY(!s.window->mainLayout()->summaryShown());
        QCOMPARE(s.tree().selectedNode()->text, std::string("Contract renewal"));
    }

    void selectionShowsTheSectionsPage()
    {
        Session s;
        s.start();
        s.select("Preferences");
        QCOMPARE(s.window->pageArea()->currentPageName(), QStringLiteral("panelPreferences"));
        s.select("Garden ideas");
        QCOMPARE(s.window->pageArea()->currentPageName(), QStringLiteral("panelToDoNew"));
        // A page class takes the place of its placeholder.
        auto *page = new QWidget;
        page->setObjectName("panelToDoNew");
        s.window->pageArea()->setPage(page);
        QCOMPARE(s.window->pageArea()->currentWidget(), page);
    }
};

QTEST_MAIN(MainTreeWindowTest)
#include "MainTreeWindowTest.moc"
