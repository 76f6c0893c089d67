// Every window used without a mouse and read by a screen reader, on a screen of pixel ratio 2:
// the main window with each of its pages, the topic and viewer dialogs and the viewer window.
// Each check walks all the controls, so a control added later without a name, a buddy, a Tab
// stop or a sharp picture fails here.
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <algorithm>

#include "shell/MainLayout.h"
#include "shell/MainTreeView.h"
#include "shell/PageArea.h"
#include "shell/TopicIcons.h"
#include "shell/TreeActions.h"
#include "shell/TreeToolbar.h"
#include "shell/dialogs/ColourPanel.h"
#include "shell/dialogs/ColourValue.h"
#include "shell/dialogs/RecurrenceEditor.h"
#include "shell/dialogs/TformHilite.h"
#include "shell/dialogs/TformProgress.h"
#include "shell/dialogs/TformSelection.h"
#include "shell/dialogs/TformTitle.h"
#include "shell/dialogs/TformTopicSelect.h"
#include "shell/lan/TSelectFolder.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/TopicPage.h"
#include "shell/summary/SummaryPage.h"
#include "shell/tree/WindowFixture.h"
#include "support/KeyboardWalk.h"
#include "viewer/QtViewerPrompts.h"
#include "viewer/TFileDisplayColumnForm.h"
#include "viewer/TFormSelectVersion.h"
#include "viewer/TextLinesView.h"
#include "viewer/TformFileDisplayOptions.h"
#include "viewer/TformTextDisplay.h"

using namespace nimbus;
using namespace nimbus::test;

namespace {

constexpr qreal kRatio = 2.0;

// The grids beside the tree follow its rows; the tree is their keyboard route.
const QStringList kMouseOnly = {QStringLiteral("gridInfo"), QStringLiteral("gridDue")};

QString listed(const QStringList &problems)
{
    return problems.join(QStringLiteral("\n  "));
}

// What a window offers a user without a mouse and what a screen reader says of it.
QStringList namesBuddiesAndPictures(QWidget *window)
{
    QStringList problems;
    for (const QString &p : unnamedButtons(window))
        problems << "no accessible name: " + p;
    for (const QString &p : captionsWithoutBuddy(window))
        problems << "no buddy: " + p;
    for (const QString &p : coarsePictures(window, kRatio))
        problems << "no 2x picture: " + p;
    for (const QString &p : clippedTexts(window))
        problems << "text cut: " + p;
    return problems;
}

bool focusIs(const QWidget *widget)
{
    return QApplication::focusWidget() == widget;
}

QString focusedName()
{
    const QWidget *focused = QApplication::focusWidget();
    return QStringLiteral("focus on ") + (focused ? describe(focused) : QStringLiteral("nothing"));
}

bool activate(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Shows the dialog, checks where the keys land first, walks its Tab chain, checks its controls
// and closes it with Escape.
void checkDialog(QDialog &dialog, const QWidget *first)
{
    QVERIFY(activate(&dialog));
    QVERIFY2(focusIs(first), qPrintable(focusedName()));
    const QList<QWidget *> visited = tabWalk();
    const QStringList missing = unreached(&dialog, visited);
    QVERIFY2(missing.isEmpty(), qPrintable("Tab does not reach:\n  " + listed(missing)));
    const QStringList problems = namesBuddiesAndPictures(&dialog);
    QVERIFY2(problems.isEmpty(), qPrintable(listed(problems)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
}

TNimbusNode recurringTask()
{
    TNimbusNode node("42");
    node.lev = 1;
    node.type = kSectionTopics;
    node.text = "Water the plants";
    node.status = kStatusInProgress;
    node.recur = true;
    node.rno = 1;
    node.rtype = 2;
    return node;
}

// The main window over a small tree: a topic with its details page, a locked topic, and the
// other sections.
struct MainWindowScene {
    TempFolder dir;
    FixedClock clock{DateTime::fromCivil(2026, 3, 10, 9, 30, 0)};
    std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>();
    std::unique_ptr<TformMain> window;

    MainWindowScene()
    {
        StoreWriter w(dataFolder(dir));
        w.add(0, "Topics").expanded();
        w.add(1, "Quarterly report").status(kStatusInProgress, 60).due(clock, 5);
        w.add(1, "Signed contract").node->lock = true;
        w.add(0, "Local network information", kSectionNetwork);
        w.add(0, "Preferences", kSectionPreferences);
        w.add(0, "Product information", kSectionProduct);
        w.write();
        window = std::make_unique<TformMain>(clock, windowEnvironment(dir, prompts));
    }

    TreeController &tree() { return *window->treeController(); }
    void select(const std::string &text)
    {
        for (const tree::TreeItem *item : tree().tree().preOrder())
            if (item->node->text == text)
                tree().selectNode(item->node);
    }
};

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void mainWindowOpensOnTheTreeAndTabVisitsItTopToBottom()
    {
        MainWindowScene scene;
        TformMain &window = *scene.window;
        QVERIFY(activate(&window));
        MainTreeView *tree = scene.tree().treeMain();
        QVERIFY2(focusIs(tree), qPrintable(focusedName()));

        scene.select("Quarterly report");
        QCOMPARE(window.pageArea()->currentPageName(), QStringLiteral("panelToDoNew"));
        QVERIFY(window.topicPage()->details->isVisible());
        tree->setFocus();
        const QList<QWidget *> visited = tabWalk();
        const QStringList missing = unreached(&window, visited, kMouseOnly);
        QVERIFY2(missing.isEmpty(), qPrintable("Tab does not reach:\n  " + listed(missing)));

        // Round the window from the top: the toolbar row, the tree, the page, the log, and
        // from the log back to the toolbar.
        QList<QWidget *> round = visited;
        while (!window.treeToolbar()->isAncestorOf(round.front()))
            round.push_back(round.takeFirst());
        QList<qsizetype> places;
        for (const QWidget *w : std::initializer_list<const QWidget *>{
                 window.treeToolbar()->buttonPriorityMenu, window.summaryPage()->buttonSummary,
                 window.buttonHelp, window.buttonClosel, tree, window.topicPage()->tabsData,
                 window.topicPage()->details->RichEdit1, window.buttonMainLog, window.reLog})
            places << round.indexOf(const_cast<QWidget *>(w));
        QStringList shown;
        for (qsizetype place : places)
            shown << QString::number(place);
        QVERIFY2(std::is_sorted(places.begin(), places.end()) && places.front() > 0,
                 qPrintable(shown.join(' ')));
    }

    void menuKeyOpensTheTreeMenuForTheSelectedTopic()
    {
        MainWindowScene scene;
        TformMain &window = *scene.window;
        QVERIFY(activate(&window));
        scene.select("Signed contract");
        MainTreeView *tree = scene.tree().treeMain();
        // What the window does with the Menu key: a keyboard context menu event at the focused
        // control's cursor rectangle, which for a tree is its current row.
        const QPoint at = tree->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, at, tree->mapToGlobal(at));
        QApplication::sendEvent(tree, &menuKey);
        QTRY_VERIFY(window.treeActions()->popMainView->isVisible());
        QCOMPARE(scene.tree().selectedNode()->text, std::string("Signed contract"));
        window.treeActions()->popMainView->close();
    }

    void everyPageOfTheMainWindowIsNamedAndSharp()
    {
        MainWindowScene scene;
        TformMain &window = *scene.window;
        QVERIFY(activate(&window));
        QVERIFY(!scene.tree().treeMain()->accessibleName().isEmpty());
        QVERIFY(!window.reLog->accessibleName().isEmpty());
        // The locked topic shows its padlock, which must be drawn for the screen too.
        scene.select("Signed contract");
        QVERIFY(window.topicPage()->imageLock->isVisible());
        QCOMPARE(window.pageArea()->accessibleName(), QStringLiteral("Signed contract"));
        for (const QString page :
             {"panelToDoNew", "panelNetwork", "panelPreferences", "panelAbout"}) {
            QVERIFY(window.pageArea()->showPage(page));
            QVERIFY2(!window.pageArea()->accessibleName().isEmpty(), qPrintable(page));
            const QStringList problems = namesBuddiesAndPictures(&window);
            QVERIFY2(problems.isEmpty(), qPrintable(page + ":\n  " + listed(problems)));
        }
    }

    void summaryPageIsWorkedWithKeys()
    {
        MainWindowScene scene;
        TformMain &window = *scene.window;
        QVERIFY(activate(&window));
        summarypage::SummaryPage *summary = window.summaryPage();
        QToolButton *button = summary->buttonSummary;
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
        QVERIFY(summary->isVisible());
        QVERIFY2(focusIs(summary), qPrintable(focusedName()));
        // Tab goes round the nine badges, the arrows move as the badges are laid out
        // (1 2 3 / 5 9 4 / 6 7 8), and neither goes under the page.
        QTest::keyClick(summary, Qt::Key_Right);
        QCOMPARE(summary->HoveredBadge(), 1);
        QTest::keyClick(summary, Qt::Key_Tab);
        QCOMPARE(summary->HoveredBadge(), 2);
        QTest::keyClick(summary, Qt::Key_Down);
        QCOMPARE(summary->HoveredBadge(), 9); // the badge below Urgent: Waiting
        QTest::keyClick(summary, Qt::Key_Down);
        QCOMPARE(summary->HoveredBadge(), 7);
        QTest::keyClick(summary, Qt::Key_Down);
        QCOMPARE(summary->HoveredBadge(), 2); // round to the top row
        QTest::keyClick(summary, Qt::Key_Left);
        QCOMPARE(summary->HoveredBadge(), 1);
        QTest::keyClick(summary, Qt::Key_Left);
        QCOMPARE(summary->HoveredBadge(), 3); // round to the row's end
        QTest::keyClick(summary, Qt::Key_Up);
        QCOMPARE(summary->HoveredBadge(), 8);
        QVERIFY2(focusIs(summary), qPrintable(focusedName()));
        // Enter opens the badge's group; the chooser answers "nothing chosen".
        scene.prompts->chosenRow = -1;
        QTest::keyClick(summary, Qt::Key_Return);
        QVERIFY(summary->isVisible());
        QTest::keyClick(summary, Qt::Key_Escape);
        QVERIFY(!summary->isVisible());
        QVERIFY2(focusIs(button), qPrintable(focusedName()));
    }

    void topicDialogsAreWorkedWithKeys()
    {
        const FixedClock clock(DateTime::fromCivil(2026, 3, 10, 9, 30, 0));
        auto images = [](const TopicImage &image) {
            return image.list == TopicImage::List::TopicTypes ? icons::topicType(image.index)
                                                              : icons::urgent(true);
        };
        TNimbusNode task = recurringTask();
        {
            dialogs::TformProgress dialog(topicOptionsFromNode(task, 0, false), clock, nullptr,
                                          images);
            QVERIFY(dialog.panelRecur->isVisibleTo(&dialog));
            checkDialog(dialog, dialog.editTopicName);
        }
        // The recurrence editor unfolded: its weekday boxes, its end, and a rule from elsewhere.
        for (const char *rule : {"START=20260310;FREQ=WEEKLY;BYDAY=TU,TH;COUNT=4",
                                 "START=20260310;FREQ=MONTHLY;BYDAY=2TU",
                                 "START=20260310;FREQ=MONTHLY;BYMONTHDAY=1,15"}) {
            TopicOptions values = topicOptionsFromNode(task, 0, false);
            values.richRule = rule;
            dialogs::TformProgress dialog(values, clock);
            QVERIFY(dialog.recurrenceEditor->customChosen());
            checkDialog(dialog, dialog.editTopicName);
        }
        {
            // OK and Cancel come after the task's controls, as they are shown.
            dialogs::TformProgress dialog(topicOptionsFromNode(task, 0, false), clock);
            QVERIFY(activate(&dialog));
            const QList<QWidget *> visited = tabWalk();
            const auto percent = visited.indexOf(static_cast<QWidget *>(dialog.comboPercent));
            const auto ok = visited.indexOf(static_cast<QWidget *>(dialog.buttonOK));
            const auto cancel = visited.indexOf(static_cast<QWidget *>(dialog.buttonCancel));
            QVERIFY(percent >= 0);
            QVERIFY(percent < ok && ok < cancel);
        }
        {
            dialogs::TformTopicSelect dialog(kTopicIdea, nullptr, images);
            checkDialog(dialog, dialog.buttonThings);
        }
        {
            dialogs::TformTitle dialog("Notes");
            checkDialog(dialog, dialog.editTitle);
        }
        {
            TNimbusNode node = recurringTask();
            dialogs::TformSelection dialog("Urgent topics", {&node});
            checkDialog(dialog, dialog.StringGrid1);
        }
        {
            TempFolder dir;
            QString chosen;
            TSelectFolder dialog(chosen, QStringLiteral("LANNimbus"),
                                 QString::fromStdString(dir.path()));
            checkDialog(dialog, dialog.DriveComboBox1);
        }
    }

    void colourPanelsAreOneTabStopWorkedWithArrowsAndSpace()
    {
        dialogs::TformHilite dialog(QTextDocumentFragment(), -1, -1);
        checkDialog(dialog, dialog.RichEdit1);

        QVERIFY(activate(&dialog));
        dialog.RichEdit1->setFocus();
        QTest::keyClick(dialog.RichEdit1, Qt::Key_Tab);
        QVERIFY2(focusIs(dialog.panels[0]), qPrintable(focusedName()));
        QTest::keyClick(dialog.panels[0], Qt::Key_Down);
        QTest::keyClick(dialog.panels[1], Qt::Key_Right);
        dialogs::ColourPanel *picked = dialog.panels[9];
        QVERIFY2(focusIs(picked), qPrintable(focusedName()));
        QTest::keyClick(picked, Qt::Key_Space);
        QCOMPARE(dialog.chosenText(), dialogs::valueFromColour(picked->colour()));
        QVERIFY(picked->framed());
        // Shift+Tab leaves the panels from the one picked, and Tab comes back to it.
        QTest::keyClick(picked, Qt::Key_Backtab);
        QVERIFY2(focusIs(dialog.RichEdit1), qPrintable(focusedName()));
        QTest::keyClick(dialog.RichEdit1, Qt::Key_Tab);
        QVERIFY2(focusIs(picked), qPrintable(focusedName()));
        // Nothing opens a chooser from these panels: Enter is the dialog's OK.
        QTest::keyClick(picked, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        // Where a double-click opens a chooser (the details editor's panels), Enter does.
        dialogs::ColourPanel panel(Qt::yellow);
        int opened = 0;
        connect(&panel, &dialogs::ColourPanel::doubleClicked, [&opened] { ++opened; });
        QTest::keyClick(&panel, Qt::Key_Enter);
        QCOMPARE(opened, 1);
    }

    void viewerWindowAndDialogsAreWorkedWithKeys()
    {
        TempFolder dir;
        const std::string file = dir / "table.txt";
        writeFile(file, "Name\tAmount\r\nRent\t700\r\nFood\t250\r\n");
        {
            viewer::TformTextDisplay window(
                file, dir.path(), "text", std::make_shared<viewer::QtViewerPrompts>("Nimbus Desk"));
            QVERIFY(activate(&window));
            QVERIFY2(focusIs(window.Memo1), qPrintable(focusedName()));
            const QStringList missing = unreached(&window, tabWalk());
            QVERIFY2(missing.isEmpty(), qPrintable(listed(missing)));
            const QStringList problems = namesBuddiesAndPictures(&window);
            QVERIFY2(problems.isEmpty(), qPrintable(listed(problems)));
        }
        viewer::FileDisplayOptions options;
        options.columns = true;
        options.infoType = "table";
        options.columnHeadings = {"Name", "Amount"};
        options.columnTypes = {"text", "number"};
        options.columnDisplay = {"visible", "visible"};
        {
            viewer::TformFileDisplayOptions dialog(options, -1, true);
            checkDialog(dialog, dialog.checkOptionEnd);
        }
        {
            // Enter on a column row edits it, as a double-click does, and leaves the dialog
            // open.
            viewer::TformFileDisplayOptions dialog(options, -1, true);
            int edited = 0;
            dialog.editColumn = [&edited](viewer::ColumnDetails &) { return ++edited > 0; };
            QVERIFY(activate(&dialog));
            dialog.ListView1->setFocus();
            dialog.ListView1->setCurrentItem(dialog.ListView1->topLevelItem(1));
            QTest::keyClick(dialog.ListView1, Qt::Key_Return);
            QCOMPARE(edited, 1);
            QVERIFY(dialog.isVisible());
        }
        {
            viewer::TFileDisplayColumnForm dialog({"Amount", viewer::ColumnType::Number, true});
            checkDialog(dialog, dialog.editHeadingText);
        }
        {
            // Enter chooses a version as a click does.
            viewer::TFormSelectVersion dialog(
                {QString::fromStdString(file), QString::fromStdString(dir / "table(1).txt")});
            QVERIFY(activate(&dialog));
            QVERIFY2(focusIs(dialog.listFiles), qPrintable(focusedName()));
            QTest::keyClick(dialog.listFiles, Qt::Key_Down);
            QTest::keyClick(dialog.listFiles, Qt::Key_Return);
            QVERIFY(dialog.buttonOpen->isVisible());
            checkDialog(dialog, dialog.listFiles);
        }
    }
};

// Every window of this suite is shown on a screen of pixel ratio 2.
int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    AccessibilityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AccessibilityTest.moc"
