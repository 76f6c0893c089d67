// The summary page and the grids beside the tree, driven as a user would under the offscreen
// platform: counts on the badges, a badge opening its group, hover, closing on the sky, the
// category menu, the deadline tick, and grid rows that follow the tree's visible rows.
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "SummaryFixture.h"
#include "shell/dialogs/TformSelection.h"
#include "shell/summary/InfoGrids.h"
#include "shell/summary/SummaryPage.h"
#include "store/SummaryLists.h"

using namespace nimbus;
using namespace nimbus::summarypage;
using summary::Group;

namespace {

// Answers the selection dialog at once with a chosen row, and remembers what it was shown.
struct ChooserRecord {
    int answer = -1;
    int calls = 0;
    QString title;
    QStringList unis;

    SummaryPage::GroupChooser chooser()
    {
        return [this](const TNimbusStructure &topics, const QString &shownTitle, QWidget *) {
            ++calls;
            title = shownTitle;
            unis.clear();
            for (const auto &entry : topics.Entries())
                unis << QString::fromStdString(entry.node->uni);
            return answer;
        };
    }
};

// A window of 1200 x 800 holding the page over a store with topics in every group.
struct Scene {
    // answerAtOnce: the selection is answered by the record instead of the real dialog.
    explicit Scene(bool answerAtOnce = true)
    {
        f.Due("late", kTopicTask, -10);
        f.Due("today", kTopicTask, 0);
        f.Due("soon", kTopicTask, 3);
        f.Due("launch", kTopicEvent, 5);
        f.Topic("blocked", kTopicTask, kStatusWaiting);
        f.Topic("busy", kTopicTask, kStatusInProgress).fav = true;
        TNimbusNode &alarm = f.Topic("alarm", kTopicIdea, kStatusNone);
        alarm.urgent = true;
        alarm.UpdateSortKey();
        lists.NoteNewTopic(*f.store.Find("soon"));
        lists.NoteNewTopic(*f.store.Find("launch"));
        lists.NoteChangedTopic(*f.store.Find("busy"));
        window.resize(1200, 800);
        page = new SummaryPage(f.store, lists, &window);
        if (answerAtOnce)
            page->setGroupChooser(record.chooser());
        page->hide();
        window.show();
    }
    QLabel *label(Group group) { return page->Label(group); }

    test::SummaryFixture f;
    SummaryLists lists;
    ChooserRecord record;
    QWidget window;
    SummaryPage *page = nullptr;
};

// The pointer moving over a widget, as the window system reports it to the widget.
void pointAt(QWidget *widget, QPoint position)
{
    QMouseEvent move(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

class SummaryPageTest : public QObject {
    Q_OBJECT

private slots:
    void showingTheSummaryCountsEveryGroup()
    {
        Scene s;
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        QSignalSpy shown(s.page, &SummaryPage::SummaryShown);
        s.page->CreateSummaryButton(&s.window)->click();
        QVERIFY(s.page->isVisible());
        QCOMPARE(shown.count(), 1);
        QCOMPARE(s.page->geometry(), s.window.rect());
        const std::pair<Group, const char *> expected[] = {{Group::Deadlines, "Deadlines: 3"},
                                                           {Group::Urgent, "Urgent: 1"},
                                                           {Group::Overdue, "Overdue: 1"},
                                                           {Group::Events, "Events: 1"},
                                                           {Group::InProgress, "In progress: 1"},
                                                           {Group::Waiting, "Waiting: 1"},
                                                           {Group::New, "New: 2"},
                                                           {Group::Changes, "Changes: 1"},
                                                           {Group::Favourites, "Favourites: 1"}};
        for (const auto &[group, text] : expected)
            QCOMPARE(s.label(group)->text(), QString::fromLatin1(text));
        QCOMPARE(s.window.findChild<QLabel *>("labWaiting"), s.label(Group::Waiting));
        // The middle badge of a 1200 x 800 page, its label below it.
        QCOMPARE(s.page->Picture(Group::Waiting, false)->pos(), QPoint(500, 300));
        QCOMPARE(s.label(Group::Waiting)->pos(), QPoint(518, 404));
    }

    void aBadgeListsItsGroupAndTheChosenTopicIsShown()
    {
        Scene s;
        s.page->buttonSummaryClick();
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        QSignalSpy go(s.page, &SummaryPage::GoToTopic);

        // A group of one: choosing its topic closes the page and goes to the topic.
        s.record.answer = 1;
        QTest::mouseClick(s.page->Picture(Group::Overdue, false), Qt::LeftButton);
        QCOMPARE(s.record.title, QStringLiteral("Tasks overdue"));
        QCOMPARE(s.record.unis, QStringList{"late"});
        QCOMPARE(go.count(), 1);
        QCOMPARE(go.at(0).at(0).toByteArray(), QByteArray("late"));
        QVERIFY(!s.page->isVisible());

        // A group of many, by its label: offered most overdue first; cancelling stays put.
        s.page->buttonSummaryClick();
        s.record.answer = -1;
        QTest::mouseClick(s.label(Group::Deadlines), Qt::LeftButton);
        QCOMPARE(s.record.title, QStringLiteral("Task deadlines in the next six weeks"));
        QCOMPARE(s.record.unis, (QStringList{"late", "today", "soon"}));
        QCOMPARE(go.count(), 1);
        QVERIFY(s.page->isVisible());
        s.record.answer = 2;
        QTest::mouseDClick(s.page->Picture(Group::Deadlines, false), Qt::LeftButton);
        QCOMPARE(go.count(), 1 + 1);
        QCOMPARE(go.at(1).at(0).toByteArray(), QByteArray("today"));

        // A row outside the list chooses nothing.
        s.page->buttonSummaryClick();
        s.record.answer = 7;
        s.page->ShowGroup(Group::Waiting);
        QCOMPARE(go.count(), 2);
    }

    // Without a test's chooser the badge opens the real selection dialog; it is answered
    // here as soon as it is up, so the test never waits on a person.
    void aBadgeOpensTheTopicSelectionDialog()
    {
        Scene s(false);
        s.page->buttonSummaryClick();
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        QSignalSpy go(s.page, &SummaryPage::GoToTopic);
        QString shownTitle;
        int shownRows = -1;
        QTimer answer;
        answer.setInterval(10);
        connect(&answer, &QTimer::timeout, [&] {
            auto *dialog =
                qobject_cast<dialogs::TformSelection *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            answer.stop();
            shownTitle = dialog->labTitle->text();
            shownRows = dialog->StringGrid1->rowCount();
            dialog->StringGrid1->selectRow(1);
            dialog->buttonSelect->click();
        });
        answer.start();
        QTest::mouseClick(s.page->Picture(Group::Deadlines, false), Qt::LeftButton);
        QCOMPARE(shownTitle, QStringLiteral("Task deadlines in the next six weeks"));
        QCOMPARE(shownRows, 3);
        QCOMPARE(go.count(), 1);
        QCOMPARE(go.at(0).at(0).toByteArray(), QByteArray("today"));
    }

    void hoverHighlightsOneBadgeAtATime()
    {
        Scene s;
        s.page->buttonSummaryClick();
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        QLabel *urgent = s.page->Picture(Group::Urgent, false);
        const QPoint labelAt = s.label(Group::Urgent)->pos();
        pointAt(urgent, QPoint(50, 50));
        QCOMPARE(s.page->HoveredBadge(), static_cast<int>(Group::Urgent));
        QVERIFY(s.page->Picture(Group::Urgent, true)->isVisible());
        QCOMPARE(s.label(Group::Urgent)->pos(), labelAt - QPoint(2, 2));

        pointAt(s.page->Picture(Group::Events, false), QPoint(40, 40));
        QCOMPARE(s.page->HoveredBadge(), static_cast<int>(Group::Events));
        QVERIFY(!s.page->Picture(Group::Urgent, true)->isVisible());
        QCOMPARE(s.label(Group::Urgent)->pos(), labelAt);

        // The label is part of the badge: the highlight stays; the sky ends it.
        pointAt(s.label(Group::Events), QPoint(3, 3));
        QCOMPARE(s.page->HoveredBadge(), static_cast<int>(Group::Events));
        pointAt(s.page, QPoint(5, 790));
        QCOMPARE(s.page->HoveredBadge(), 0);
        QVERIFY(!s.page->Picture(Group::Events, true)->isVisible());
    }

    void clickingTheSkyClosesThePage()
    {
        Scene s;
        s.page->buttonSummaryClick();
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        QSignalSpy hidden(s.page, &SummaryPage::SummaryHidden);
        QTest::mouseClick(s.page, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!s.page->isVisible());
        QCOMPARE(hidden.count(), 1);
        QCOMPARE(s.record.calls, 0);
    }

    void theCategoryMenuRefreshesAndOpensEachGroup()
    {
        Scene s;
        const QStringList captions = {"Deadlines next 2 weeks",
                                      "Urgent",
                                      "Overdue",
                                      "In progress",
                                      "Tasks waiting",
                                      "Events next 2 weeks",
                                      "New topics",
                                      "Changed topics",
                                      "Favourites"};
        QStringList shown;
        for (QAction *item : s.page->popCategory->actions())
            shown << item->text();
        QCOMPARE(shown, captions);

        // A topic made since: opening the menu counts it.
        s.f.Topic("later", kTopicTask, kStatusWaiting);
        emit s.page->popCategory->aboutToShow();
        QCOMPARE(s.label(Group::Waiting)->text(), QStringLiteral("Waiting: 2"));

        s.page->popCategory->actions().at(6)->trigger();
        QCOMPARE(s.record.title, QStringLiteral("Recent new topics - latest first"));
        QCOMPARE(s.record.unis, (QStringList{"launch", "soon"}));
        s.page->popCategory->actions().at(4)->trigger();
        QCOMPARE(s.record.title, QStringLiteral("Tasks waiting"));
        QCOMPARE(s.record.unis, (QStringList{"blocked", "later"}));
    }

    void theDeadlineTickUpdatesTheCounts()
    {
        Scene s;
        s.page->buttonSummaryClick();
        s.f.clock.advanceSeconds(4 * 86400); // "today" and "soon" are now overdue too
        const DeadlineResult result = s.page->timerDeadlineTimer(s.f.clock);
        QVERIFY(result.changed);
        QCOMPARE(s.label(Group::Overdue)->text(), QStringLiteral("Overdue: 3"));
        // The event five days out is one day away now.
        QCOMPARE(s.f.store.Find("launch")->statusText, std::string("1 day"));
    }

    void gridsShowExactlyTheVisibleTreeRows()
    {
        test::SummaryFixture f;
        TNimbusNode &today = f.Due("today", kTopicTask, 0);
        TNimbusNode &note = f.Topic("note", kTopicInformation, kStatusNone);
        TNimbusNode &late = f.Due("late", kTopicTask, -2);
        QWidget host;
        InfoGrids grids(&host, &host);
        grids.gridInfo->setGeometry(0, 0, 80, 200);
        grids.gridDue->setGeometry(90, 0, 80, 200);
        host.resize(180, 200);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QSignalSpy clicked(&grids, &InfoGrids::RowClicked);
        QSignalSpy doubled(&grids, &InfoGrids::RowDoubleClicked);

        grids.SyncInfoGrids({{&today, 0, 18, false, true}, {&note, 18, 18, true, true}});
        for (TopicGrid *grid :
             {static_cast<TopicGrid *>(grids.gridInfo), static_cast<TopicGrid *>(grids.gridDue)}) {
            QCOMPARE(grid->Rows().size(), std::size_t(2));
            QCOMPARE(grid->Rows()[1].node, &note);
        }
        QTest::mouseClick(grids.gridDue, Qt::LeftButton, {}, QPoint(30, 18 + 18 + 5));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).value<TNimbusNode *>(), &note);
        QTest::mouseClick(grids.gridInfo, Qt::LeftButton, {}, QPoint(30, 18 + 40 + 5)); // no row
        QCOMPARE(clicked.count(), 1);

        // What a user sees: "Today" on yellow in "Due", the selected row grey in "Status".
        QImage info = grids.gridInfo->grab().toImage();
        const qreal ratio = info.devicePixelRatio();
        QCOMPARE(info.pixelColor(QPoint(3, 18 + 4) * ratio), QColor(248, 248, 0));
        QImage due = grids.gridDue->grab().toImage();
        QCOMPARE(due.pixelColor(QPoint(70, 18 + 18 + 9) * ratio), QColor(229, 229, 229));

        // After scrolling the tree shows other rows; nothing of the old ones stays.
        grids.SyncInfoGrids({{&late, 0, 18, false, true}});
        QCOMPARE(grids.gridInfo->Rows().size(), std::size_t(1));
        QCOMPARE(grids.gridDue->Rows()[0].node, &late);
        info = grids.gridInfo->grab().toImage();
        QCOMPARE(info.pixelColor(QPoint(3, 18 + 4) * ratio), QColor(240, 192, 192));
        QTest::mouseDClick(grids.gridInfo, Qt::LeftButton, {}, QPoint(30, 18 + 5));
        QCOMPARE(doubled.count(), 1);
        QCOMPARE(doubled.at(0).at(0).value<TNimbusNode *>(), &late);
    }

    // Leaves build/screenshots/summary.png (and the grids beside it) for a look by eye.
    void screenshotOfAPopulatedSummary()
    {
        Scene s;
        const char *titles[] = {"Quarterly report", "Renew insurance", "Dentist",
                                "Tax return",       "Team offsite",    "Garden shed",
                                "Book flights",     "Budget review"};
        int n = 0;
        for (const char *title : titles) {
            TNimbusNode &node =
                s.f.Due("extra" + std::to_string(n), n % 3 == 1 ? kTopicEvent : kTopicTask,
                        n * 4 - 6, n % 4 == 2 ? kStatusInProgress : kStatusNotStarted);
            node.text = title;
            node.fav = n % 3 == 0;
            ++n;
        }
        s.page->buttonSummaryClick();
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        pointAt(s.page->Picture(Group::Deadlines, false), QPoint(50, 50));
        QCOMPARE(s.page->HoveredBadge(), static_cast<int>(Group::Deadlines));
        std::filesystem::create_directories(NIMBUS_SCREENSHOT_DIR);
        const QString folder = QStringLiteral(NIMBUS_SCREENSHOT_DIR);
        const QPixmap page = s.window.grab();
        QCOMPARE(page.deviceIndependentSize().toSize(), QSize(1200, 800));
        QVERIFY(page.save(folder + "/summary.png"));

        QWidget host;
        InfoGrids grids(&host, &host);
        grids.gridInfo->setGeometry(0, 0, 76, 18 + 18 * 12);
        grids.gridDue->setGeometry(76, 0, 76, 18 + 18 * 12);
        host.resize(152, 18 + 18 * 12);
        std::vector<GridRow> rows;
        int row = 0;
        for (const auto &entry : s.f.store.Entries()) {
            entry.node->rowShade = row % 2 == 0 ? 1 : 0;
            entry.node->pri = row % 5;
            entry.node->dac = row % 3;
            entry.node->dam = 1;
            rows.push_back({entry.node, row * 18, 18, row == 3, true});
            if (++row == 12)
                break;
        }
        grids.SyncInfoGrids(rows);
        QVERIFY(host.grab().save(folder + "/summary-grids.png"));
    }
};

QTEST_MAIN(SummaryPageTest)
#include "SummaryPageTest.moc"
