// What a new user's first hour does to their data, on the real main window: the topic options
// dialog confirmed unchanged, a task repeating by the minute marked done, a weekly series
// from a web calendar, and undo right after a removal. Each reads what the user sees.
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "shell/MainTreeView.h"
#include "shell/TreeActions.h"
#include "shell/TreeToolbar.h"
#include "shell/calendar/CalendarActions.h"
#include "shell/calendar/CalendarImportSummary.h"
#include "shell/dialogs/TformProgress.h"
#include "shell/summary/InfoGrids.h"
#include "shell/tree/WindowFixture.h"
#include "store/SummaryLists.h"
#include "store/SummaryRules.h"

using namespace nimbus;
using namespace nimbus::test;

namespace {

// The real "Topic options" dialog, answered with OK as soon as it is up; the calendar file
// chooser and import preview answered at once.
class UserPrompts : public FakePrompts {
public:
    bool editTopicOptions(QWidget *parent, TopicOptions &values, const Clock &clock) override
    {
        QTimer answer;
        answer.setInterval(10);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto *dialog =
                qobject_cast<dialogs::TformProgress *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            answer.stop();
            shownType = dialog->labelTopicType->text();
            shownPercent = dialog->comboPercent->currentText();
            QTest::mouseClick(dialog->buttonOK, Qt::LeftButton);
        });
        answer.start();
        return real->editTopicOptions(parent, values, clock);
    }
    // The real question, answered "Yes" with a click as soon as it is up.
    bool confirm(QWidget *parent, const std::string &caption, const std::string &question) override
    {
        QTimer answer;
        answer.setInterval(10);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            answer.stop();
            QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
        });
        answer.start();
        return real->confirm(parent, caption, question);
    }
    std::string chooseCalendarFile(QWidget *, bool, const std::string &) override { return file; }
    bool confirmCalendarImport(QWidget *, const CalendarImportSummary &) override { return true; }

    std::unique_ptr<ShellPrompts> real = makeDialogPrompts();
    QString shownType;
    QString shownPercent;
    std::string file;
};

// What a screen reader reads for each row of a grid beside the tree.
QStringList rowsOf(QWidget *grid)
{
    QStringList rows;
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(grid);
    for (int i = 0; list && i < list->childCount(); ++i)
        rows << list->child(i)->text(QAccessible::Name);
    return rows;
}

} // namespace

class UserDataWindowTest : public QObject {
    Q_OBJECT

    struct Scene {
        TempFolder dir;
        FixedClock clock;
        std::shared_ptr<UserPrompts> prompts = std::make_shared<UserPrompts>();
        std::unique_ptr<TformMain> window;
        Scene(DateTime now, const std::function<void(StoreWriter &, const Clock &)> &fill)
            : clock(now)
        {
            StoreWriter w(dataFolder(dir));
            fill(w, clock);
            w.write();
            window = std::make_unique<TformMain>(clock, windowEnvironment(dir, prompts));
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        }
        TreeController &tree() { return *window->treeController(); }
        TNimbusNode *find(const std::string &text)
        {
            for (int i = 0; i < window->store()->Count(); ++i)
                if (window->store()->Node(i) && window->store()->Node(i)->text == text)
                    return window->store()->Node(i);
            return nullptr;
        }
        // The grids as the user sees them after the tree's timer has redrawn them.
        QStringList dueRows()
        {
            tree().timerTreeTick();
            return rowsOf(window->infoGrids()->gridInfo);
        }
        QStringList statusRows()
        {
            tree().timerTreeTick();
            return rowsOf(window->infoGrids()->gridDue);
        }
    };

private slots:
    void okOnTheOptionsOfAWaitingOrHeldTaskKeepsItsStatus()
    {
        Scene s(DateTime::fromCivil(2026, 3, 10, 9, 30, 0), [](StoreWriter &w, const Clock &c) {
            w.add(0, "Topics").expanded();
            w.add(1, "Call supplier").status(kStatusWaiting).due(c, 5);
            w.add(1, "Budget review").status(kStatusOnHold, 50).due(c, 8);
        });
        QVERIFY(s.statusRows().contains("Call supplier: waiting"));
        QVERIFY(s.statusRows().contains("Budget review: on hold"));

        s.tree().selectNode(s.find("Call supplier"));
        s.window->treeActions()->MVEdit->trigger();
        QCOMPARE(s.prompts->shownType, QStringLiteral("Task waiting"));
        QCOMPARE(s.prompts->shownPercent, QStringLiteral("0"));
        s.tree().selectNode(s.find("Budget review"));
        s.window->treeActions()->MVEdit->trigger();
        QCOMPARE(s.prompts->shownType, QStringLiteral("Task on hold"));

        const QStringList rows = s.statusRows();
        QVERIFY2(rows.contains("Call supplier: waiting"), qPrintable(rows.join(" | ")));
        QVERIFY2(rows.contains("Budget review: on hold"), qPrintable(rows.join(" | ")));
        QCOMPARE(s.find("Budget review")->percent, 50);
        // Nothing changed, so undo has nothing of these to take back.
        QVERIFY(!s.window->treeActions()->MVUndo->isEnabled());
    }

    void aTaskRepeatingByTheMinuteMarkedDoneIsDueNext()
    {
        // Added at 07:27 without a time: its minutes count from midnight.
        Scene s(DateTime::fromCivil(2026, 3, 10, 7, 27, 30), [](StoreWriter &w, const Clock &c) {
            w.add(0, "Topics").expanded();
            TNimbusNode *stretch = w.add(1, "Stretch").status(kStatusNotStarted).due(c, 0).node;
            stretch->recur = true;
            stretch->rsDate = stretch->dlDate;
            stretch->rno = 1;
            stretch->rtype = kUnitMinutes;
        });
        QVERIFY2(s.dueRows().contains("Stretch: -7 hours "), qPrintable(s.dueRows().join(" | ")));
        s.tree().selectNode(s.find("Stretch"));
        QTest::mouseClick(s.window->treeToolbar()->buttonStatusFinished, Qt::LeftButton);
        const QStringList rows = s.dueRows();
        QVERIFY2(rows.contains("Stretch: 30 secs"), qPrintable(rows.join(" | ")));
        QCOMPARE(s.find("Stretch")->dlTime, std::string("07:28:00"));
    }

    void aWeeklySeriesFromAWebCalendarShowsItsNextDateAtOnce()
    {
        // Tuesday; the series started yesterday, a Monday, and meets on Mondays.
        Scene s(DateTime::fromCivil(2026, 3, 10, 9, 30, 0), [](StoreWriter &w, const Clock &) {
            w.add(0, "Topics").expanded();
            w.add(1, "Work").type(kTopicGeneral).expanded();
        });
        s.prompts->file = s.dir / "team.ics";
        writeFile(s.prompts->file,
                  "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Web Calendar//EN\r\n"
                  "BEGIN:VEVENT\r\nUID:team-sync@example.com\r\nDTSTAMP:20260301T100000Z\r\n"
                  "DTSTART:20260309T150000\r\nDTEND:20260309T163000\r\n"
                  "RRULE:FREQ=WEEKLY;BYDAY=MO\r\nSUMMARY:Team sync\r\n"
                  "END:VEVENT\r\nEND:VCALENDAR\r\n");
        s.tree().selectNode(s.find("Work"));
        s.window->calendarActions()->MVImportCalendar->trigger();
        TNimbusNode *sync = s.find("Team sync");
        QVERIFY(sync);
        QCOMPARE(sync->dlDate, std::string("20260316"));
        const QStringList due = s.dueRows();
        QVERIFY2(due.contains("Team sync: 6 days"), qPrintable(due.join(" | ")));
        const QStringList status = s.statusRows();
        QVERIFY2(
            !status.filter(QRegularExpression("^Team sync: future event, recurring")).isEmpty(),
            qPrintable(status.join(" | ")));
        QCOMPARE(s.window->summaryLists()->Count(summary::Group::Events), 1);
        QCOMPARE(s.window->summaryLists()->Count(summary::Group::Waiting), 0);
    }

    void ctrlZRightAfterDeleteBringsTheTopicBack()
    {
        Scene s(DateTime::fromCivil(2026, 3, 10, 9, 30, 0), [](StoreWriter &w, const Clock &) {
            w.add(0, "Topics").expanded();
            w.add(1, "Alpha").type(kTopicGeneral);
            w.add(1, "Beta").type(kTopicGeneral);
            w.add(1, "Gamma").type(kTopicGeneral);
        });
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        MainTreeView *view = s.tree().treeMain();
        view->setFocus();
        s.tree().selectNode(s.find("Beta"));
        QTest::keyClick(view, Qt::Key_Delete);
        QVERIFY(!s.find("Beta"));
        // The row shown highlighted is the row the keys work on, and the tree has the keys.
        const QModelIndexList highlighted = view->selectionModel()->selectedRows();
        QCOMPARE(highlighted.size(), 1);
        QCOMPARE(view->currentIndex(), highlighted[0]);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(view));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(s.find("Beta"));
        QCOMPARE(treeOutline(s.tree()), std::string("0:Topics 1:Alpha 1:Beta 1:Gamma"));
    }
};

QTEST_MAIN(UserDataWindowTest)
#include "UserDataWindowTest.moc"
