// A new user's first hour with the real main window: the keyboard reaches what the mouse
// does, the grids read aloud, deep captions stay readable, the first run opens on "Getting
// started", and the window says what it did.
#include <QAccessible>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QtTest>

#include "shell/MainLayout.h"
#include "shell/NimbusApplication.h"
#include "shell/PageArea.h"
#include "shell/TopicTreeModel.h"
#include "shell/TreeActions.h"
#include "shell/pages/TopicPage.h"
#include "shell/software/SoftwarePanel.h"
#include "shell/software/UpdateController.h"
#include "shell/summary/SummaryPage.h"
#include "shell/summary/InfoGrids.h"
#include "shell/tree/WindowFixture.h"

using namespace nimbus;
using namespace nimbus::test;

class FirstHourWindowTest : public QObject {
    Q_OBJECT

    struct Scene {
        TempFolder dir;
        FixedClock clock{DateTime::fromCivil(2026, 3, 10, 9, 30, 0)};
        std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>();
        std::unique_ptr<TformMain> window;
        explicit Scene(const std::function<void(StoreWriter &, const Clock &)> &fill)
        {
            StoreWriter w(dataFolder(dir));
            fill(w, clock);
            w.write();
            window = std::make_unique<TformMain>(clock, windowEnvironment(dir, prompts));
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        }
        TreeController &tree() { return *window->treeController(); }
        MainTreeView *view() { return tree().treeMain(); }
        void select(const std::string &text)
        {
            for (const tree::TreeItem *item : tree().tree().preOrder())
                if (item->node->text == text)
                    tree().selectNode(item->node);
        }
        std::string outline() { return treeOutline(tree()); }
    };

    static void threeTopics(StoreWriter &w, const Clock &clock)
    {
        w.add(0, "Topics").expanded();
        w.add(1, "Alpha").status(kStatusInProgress, 40).due(clock, 10).priority(2);
        w.add(1, "Beta").type(kTopicGeneral);
        w.add(2, "Urgent note").type(kTopicInformation).urgent();
        w.add(1, "Gamma").type(kTopicIdea);
        w.add(0, "Preferences", kSectionPreferences);
    }

private slots:
    void keysMoveAndRemoveTopicsLikeTheMouse()
    {
        Scene s(threeTopics);
        s.view()->setFocus();
        s.select("Gamma");
        QTest::keyClick(s.view(), Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s.outline(), std::string("0:Topics 1:Alpha 1:Gamma 1:Beta 2:Urgent note 0:Preferences"));
        QCOMPARE(s.tree().selectedNode()->text, std::string("Gamma"));
        s.select("Alpha");
        QTest::keyClick(s.view(), Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s.outline(), std::string("0:Topics 1:Gamma 1:Alpha 1:Beta 2:Urgent note 0:Preferences"));
        QCOMPARE(s.tree().selectedNode()->text, std::string("Alpha"));

        // Delete asks first (one key press, no menu to go through) and names what goes.
        s.select("Beta");
        s.prompts->agree = false;
        QTest::keyClick(s.view(), Qt::Key_Delete);
        QCOMPARE(s.prompts->asked.size(), std::size_t(1));
        QVERIFY2(s.prompts->asked[0].find("\"Beta\" and its 1 sub-topic") != std::string::npos,
                 s.prompts->asked[0].c_str());
        QVERIFY(s.outline().find("Beta") != std::string::npos);
        s.prompts->agree = true;
        QTest::keyClick(s.view(), Qt::Key_Delete);
        QCOMPARE(s.outline(), std::string("0:Topics 1:Gamma 1:Alpha 0:Preferences"));
        // The same safeguard as the menu: a system section is never removed.
        s.select("Preferences");
        QTest::keyClick(s.view(), Qt::Key_Delete);
        QCOMPARE(s.prompts->asked.size(), std::size_t(2));
        QVERIFY(s.outline().find("Preferences") != std::string::npos);
    }

    void keyboardExpansionIsSavedAndGridRowsOpenTheTreeMenu()
    {
        Scene s(threeTopics);
        s.select("Beta");
        s.window->store()->modified = false;
        s.view()->setFocus();
        QTest::keyClick(s.view(), Qt::Key_Right); // expands Beta
        QVERIFY(s.window->store()->modified);
        s.window->close();
        TNimbusStructure saved;
        saved.SetFileName(dataFolder(s.dir) + "Structure.dat");
        saved.LoadStructure();
        bool expanded = false;
        for (const auto &entry : saved.Entries())
            if (entry.node->text == "Beta")
                expanded = entry.node->exp;
        QVERIFY(expanded);
    }

    void gridRowsReadAloudAndActLikeTheTree()
    {
        Scene s(threeTopics);
        s.tree().timerTreeTick();
        summarypage::InfoGrids &grids = *s.window->infoGrids();
        QAccessibleInterface *due = QAccessible::queryAccessibleInterface(grids.gridInfo);
        QAccessibleInterface *status = QAccessible::queryAccessibleInterface(grids.gridDue);
        QVERIFY(due && status);
        QVERIFY(due->childCount() >= 5);
        QStringList dueRows, statusRows;
        for (int i = 0; i < due->childCount(); ++i)
            dueRows << due->child(i)->text(QAccessible::Name);
        for (int i = 0; i < status->childCount(); ++i)
            statusRows << status->child(i)->text(QAccessible::Name);
        QVERIFY2(dueRows.contains("Alpha: 10 days"), qPrintable(dueRows.join(" | ")));
        QVERIFY2(statusRows.contains("Alpha: in progress 40 %, priority 2"),
                 qPrintable(statusRows.join(" | ")));

        // The urgent note hides in a collapsed general topic: its row says so.
        s.select("Beta");
        s.view()->collapse(s.tree().model()->indexOf(
            static_cast<tree::TreeItem *>(s.tree().selectedNode()->treeItem)));
        s.tree().timerTreeTick();
        statusRows.clear();
        for (int i = 0; i < status->childCount(); ++i)
            statusRows << status->child(i)->text(QAccessible::Name);
        QVERIFY2(statusRows.contains("Beta: urgent sub-topics"), qPrintable(statusRows.join(" | ")));

        // A double-click on a section's row opens nothing; on a topic's row the properties.
        int opened = 0;
        s.prompts->edit = [&opened](TopicOptions &) { ++opened; };
        const auto &rows = grids.gridInfo->Rows();
        for (const auto &row : rows)
            if (row.node->lev == 0)
                emit grids.gridInfo->RowDoubleClicked(row.node);
        QCOMPARE(opened, 0);
        emit grids.gridInfo->RowDoubleClicked(rows[1].node);
        QCOMPARE(opened, 1);

        // A right-click on a row selects its topic and opens the tree's menu.
        const int alphaTop = summarypage::TopicGrid::kHeaderHeight + rows[1].top + 2;
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, alphaTop),
                                grids.gridDue->mapToGlobal(QPoint(5, alphaTop)));
        QApplication::sendEvent(grids.gridDue, &click);
        QTRY_VERIFY(s.window->treeActions()->popMainView->isVisible());
        QCOMPARE(s.tree().selectedNode()->text, std::string("Alpha"));
        s.window->treeActions()->popMainView->close();
    }

    void aRenameRenamesThePageForAScreenReader()
    {
        Scene s(threeTopics);
        s.select("Gamma");
        QCOMPARE(s.window->pageArea()->accessibleName(), QStringLiteral("Gamma"));
        QModelIndex index = s.view()->currentIndex();
        s.tree().model()->setData(index, QStringLiteral("Gamma rays"), Qt::EditRole);
        QCOMPARE(s.window->topicPage()->accessibleName(), QStringLiteral("Gamma rays"));
        QCOMPARE(s.window->pageArea()->accessibleName(), QStringLiteral("Gamma rays"));
    }

    void aDeepCaptionIsReadableByTooltipAndByScrolling()
    {
        const std::string deep = "Caption of a topic eight levels down the tree";
        Scene s([&deep](StoreWriter &w, const Clock &) {
            w.add(0, "Topics").expanded();
            for (int level = 1; level < 8; ++level)
                w.add(level, "Level " + std::to_string(level)).type(kTopicGeneral).expanded();
            w.add(8, deep).type(kTopicInformation);
        });
        s.select(deep);
        const QModelIndex index = s.view()->currentIndex();
        QCOMPARE(index.data(Qt::ToolTipRole).toString(), QString::fromStdString(deep));
        // The column is as wide as the caption: what the pane cannot show scrolls into view.
        const int captionRight = s.view()->visualRect(index).left() +
                                 s.view()->fontMetrics().horizontalAdvance(QString::fromStdString(deep));
        QVERIFY(s.view()->header()->sectionSize(0) >= captionRight - s.view()->horizontalScrollBar()->value());
        if (captionRight > s.view()->viewport()->width())
            QVERIFY(s.view()->horizontalScrollBar()->maximum() > 0);
    }

    void firstRunOpensOnGettingStarted()
    {
        TempFolder dir;
        FixedClock clock(DateTime::fromCivil(2026, 3, 10, 9, 30, 0));
        // A program folder with the shipped template and no data folder yet.
        std::filesystem::create_directories(dir / "prog");
        std::filesystem::copy_file(NIMBUS_TEMPLATE_STORE, dir / "prog/Structure.dat");
        auto prompts = std::make_shared<FakePrompts>();
        {
            TformMain window(clock, windowEnvironment(dir, prompts));
            QVERIFY(!window.summaryPage()->isVisibleTo(&window));
            QCOMPARE(window.treeController()->selectedNode()->text, std::string("Getting started"));
            QCOMPARE(window.pageArea()->currentPageName(), QStringLiteral("panelToDoNew"));
        }
        // Later starts follow the preference (shown by default).
        TformMain again(clock, windowEnvironment(dir, prompts));
        QVERIFY(again.summaryPage()->isVisibleTo(&again));
    }

    void checkForUpdatesSaysWhatItDidAndTheProgramIsListed()
    {
        Scene s(threeTopics);
        SoftwarePanel *panel = s.window->softwarePanel();
        QVERIFY(panel->listSoftware->topLevelItemCount() >= 1);
        QCOMPARE(panel->listSoftware->topLevelItem(0)->text(0), QStringLiteral("Nimbus Desk"));
        panel->buttonCheckVersion->click();
        QVERIFY(panel->labelCheckResult->isVisibleTo(panel));
        QVERIFY2(panel->labelCheckResult->text().contains("Nothing was checked"),
                 qPrintable(panel->labelCheckResult->text()));
        QCOMPARE(panel->listSoftware->topLevelItem(0)->text(0), QStringLiteral("Nimbus Desk"));
    }
};

QTEST_MAIN(FirstHourWindowTest)
#include "FirstHourWindowTest.moc"
