// Calendar files in the real main window (offscreen): the tree menu's export read back by the
// calendar reader, import with its preview, re-import updating instead of duplicating, an .ics
// dropped on the tree, and a topic dragged out as an .ics file.
#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>
#include <QtTest>

#include "WindowFixture.h"
#include "calendar/IcsReader.h"
#include "calendar/IcsWriter.h"
#include "shell/TopicTreeModel.h"
#include "shell/calendar/CalendarActions.h"
#include "shell/calendar/CalendarImportSummary.h"
#include "shell/calendar/CalendarPreviewDialog.h"
#include "shell/calendar/RichDetailsConverter.h"
#include "shell/calendar/RichPageWriter.h"
#include "store/TopicCodes.h"

using namespace nimbus;
using namespace nimbus::test;

namespace {

// Answers the file chooser and the preview; keeps what the preview showed.
class CalendarPrompts : public FakePrompts {
public:
    std::string chooseCalendarFile(QWidget *, bool, const std::string &folder) override
    {
        startFolders.push_back(folder);
        return file;
    }
    bool confirmCalendarImport(QWidget *, const CalendarImportSummary &summary) override
    {
        previews.push_back(summary);
        return accept;
    }
    std::string file;
    bool accept = true;
    std::vector<std::string> startFolders;
    std::vector<CalendarImportSummary> previews;
};

const char *kOtherCalendar = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\n"
                             "BEGIN:VEVENT\r\nUID:meet-1@example.org\r\nDTSTAMP:20260301T100000Z\r\n"
                             "DTSTART:20260320T140000\r\nDURATION:PT1H\r\nSUMMARY:Board meeting\r\n"
                             "DESCRIPTION:Room 4\r\nEND:VEVENT\r\n"
                             "BEGIN:VTODO\r\nUID:todo-1@example.org\r\nDTSTAMP:20260301T100000Z\r\n"
                             "SUMMARY:Order paper\r\nEND:VTODO\r\n"
                             "BEGIN:VEVENT\r\nUID:bad-1@example.org\r\nDTSTART:20261340T250000\r\n"
                             "SUMMARY:Broken date\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

int countTitled(const TNimbusStructure &store, const std::string &title)
{
    int n = 0;
    for (int i = 0; i < store.Count(); ++i)
        n += store.Node(i)->text == title;
    return n;
}

} // namespace

class CalendarWindowTest : public QObject {
    Q_OBJECT

    struct Session {
        TempFolder dir;
        FixedClock clock{DateTime::fromCivil(2026, 3, 10, 9, 30, 0)};
        std::shared_ptr<CalendarPrompts> prompts = std::make_shared<CalendarPrompts>();
        std::unique_ptr<TformMain> window;
        Session()
        {
            StoreWriter w(dataFolder(dir));
            w.add(0, "Topics").expanded();
            w.add(1, "Work").type(kTopicGeneral).expanded();
            w.add(2, "Quarterly report").status(kStatusInProgress, 60).due(clock, 5);
            w.add(2, "Team offsite").type(kTopicEvent).due(clock, 20);
            w.add(1, "Home").type(kTopicGeneral);
            w.add(2, "Dentist").type(kTopicEvent).due(clock, 8);
            w.add(0, "Contacts", kSectionContacts);
            w.write();
            window = std::make_unique<TformMain>(clock, windowEnvironment(dir, prompts));
        }
        TreeController &tree() { return *window->treeController(); }
        TNimbusNode *find(const std::string &text)
        {
            for (int i = 0; i < window->store()->Count(); ++i)
                if (window->store()->Node(i)->text == text)
                    return window->store()->Node(i);
            return nullptr;
        }
        std::string writeFile(const std::string &name, const std::string &bytes)
        {
            const std::string path = dir / name;
            nimbus::test::writeFile(path, bytes);
            return path;
        }
    };

private slots:
    void exportingATopicWritesItWithItsSubTopics()
    {
        Session s;
        QVERIFY(s.window->started());
        s.tree().selectNode(s.find("Work"));
        s.prompts->file = s.dir / "out/work"; // the extension is added
        std::filesystem::create_directories(s.dir / "out");
        s.window->calendarActions()->MVExportCalendar->trigger();
        QCOMPARE(s.prompts->startFolders.size(), 1u);
        QCOMPARE(s.prompts->startFolders[0], s.dir / "home");
        const calendar::ReadResult read = calendar::readCalendarFile(s.dir / "out/work.ics");
        QVERIFY2(read.ok, read.error.c_str());
        std::vector<std::string> titles;
        for (const auto &topic : read.topics)
            titles.push_back(topic.node.text);
        QCOMPARE(titles, (std::vector<std::string>{"Work", "Quarterly report", "Team offsite"}));
        QCOMPARE(read.topics[1].parentUid, read.topics[0].uid);
        QCOMPARE(read.topics[2].node.ttype, kTopicEvent);
        const std::string bytes = readFile(s.dir / "out/work.ics");
        QVERIFY(calendar::validateCalendar(bytes).empty());
    }

    void exportingAllTakesEverySection()
    {
        Session s;
        s.prompts->file = s.dir / "all.ics";
        s.window->calendarActions()->MVExportAllCalendar->trigger();
        const calendar::ReadResult read = calendar::readCalendarFile(s.dir / "all.ics");
        QVERIFY2(read.ok, read.error.c_str());
        int dentist = 0;
        for (const auto &topic : read.topics)
            dentist += topic.node.text == "Dentist";
        QCOMPARE(dentist, 1);
    }

    void importShowsThePreviewAndAddsThenUpdates()
    {
        Session s;
        const std::string file = s.writeFile("other.ics", kOtherCalendar);
        s.tree().selectNode(s.find("Home"));
        s.prompts->file = file;
        s.window->calendarActions()->MVImportCalendar->trigger();
        QCOMPARE(s.prompts->previews.size(), 1u);
        const CalendarImportSummary &first = s.prompts->previews[0];
        QCOMPARE(first.added, (std::vector<std::string>{"Board meeting", "Order paper"}));
        QVERIFY(first.updated.empty());
        QCOMPARE(first.skipped.size(), 1u);
        QVERIFY(QString::fromStdString(first.skipped[0]).contains("Broken date"));

        TNimbusNode *meeting = s.find("Board meeting");
        QVERIFY(meeting);
        QCOMPARE(meeting->ttype, kTopicEvent);
        QCOMPARE(s.tree().selectedNode(), meeting);
        QVERIFY(treeOutline(s.tree()).find("2:Board meeting") != std::string::npos);
        QVERIFY(savedOutline(dataFolder(s.dir)).find("2:Board meeting") != std::string::npos);

        // Again: the same topics are updated, none added twice.
        s.window->calendarActions()->MVImportCalendar->trigger();
        QCOMPARE(s.prompts->previews.size(), 2u);
        QVERIFY(s.prompts->previews[1].added.empty());
        QCOMPARE(s.prompts->previews[1].updated,
                 (std::vector<std::string>{"Board meeting", "Order paper"}));
        QCOMPARE(countTitled(*s.window->store(), "Board meeting"), 1);
        QCOMPARE(countTitled(*s.window->store(), "Order paper"), 1);
    }

    void aCancelledPreviewChangesNothing()
    {
        Session s;
        const std::string before = treeOutline(s.tree());
        s.prompts->file = s.writeFile("other.ics", kOtherCalendar);
        s.prompts->accept = false;
        s.tree().selectNode(s.find("Home"));
        s.window->calendarActions()->MVImportCalendar->trigger();
        QCOMPARE(treeOutline(s.tree()), before);
        QVERIFY(!s.find("Board meeting"));
    }

    void aRefusedFileIsLoggedAndTold()
    {
        Session s;
        s.prompts->file = s.writeFile("broken.ics", std::string("BEGIN:VCALENDAR\r\n\0\0", 19));
        s.tree().selectNode(s.find("Home"));
        s.window->calendarActions()->MVImportCalendar->trigger();
        QVERIFY(s.prompts->previews.empty());
        QCOMPARE(s.prompts->told.size(), 1u);
        QVERIFY(s.window->reLog->toPlainText().contains("could not be imported"));
    }

    void droppingAnIcsFileOnTheTreeImportsIt()
    {
        Session s;
        s.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        const std::string file = s.writeFile("drop.ics", kOtherCalendar);
        MainTreeView *view = s.tree().treeMain();
        const QRect home = view->visualRect(
            s.tree().model()->indexOf(static_cast<tree::TreeItem *>(s.find("Home")->treeItem)));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
        QDragEnterEvent enter(home.center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(home.center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &drop);
        QCOMPARE(s.prompts->previews.size(), 1u);
        TNimbusNode *meeting = s.find("Board meeting");
        QVERIFY(meeting);
        // Under the topic it was dropped on.
        const int at = s.window->store()->IndexOf(meeting->uni);
        int parent = at - 1;
        while (s.window->store()->Node(parent)->lev >= meeting->lev)
            --parent;
        QCOMPARE(s.window->store()->Node(parent)->text, std::string("Home"));
    }

    void aDropOfOtherFilesIsRefused()
    {
        Session s;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(s.dir / "notes.txt"))});
        MainTreeView *view = s.tree().treeMain();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &enter);
        QVERIFY(!enter.isAccepted());
    }

    void aTopicDraggedOutIsAnIcsFile()
    {
        Session s;
        TopicTreeModel *model = s.tree().model();
        const QModelIndex work =
            model->indexOf(static_cast<tree::TreeItem *>(s.find("Work")->treeItem));
        std::unique_ptr<QMimeData> data(model->mimeData({work}));
        QVERIFY(data);
        QVERIFY(data->hasFormat(TopicTreeModel::kMimeType)); // still movable inside the tree
        const QByteArray ics = data->data("text/calendar");
        const calendar::ReadResult read =
            calendar::readCalendar(std::string_view(ics.constData(), ics.size()));
        QVERIFY2(read.ok, read.error.c_str());
        QCOMPARE(read.topics.size(), 3u);
        QCOMPARE(data->urls().size(), 1);
        const QString path = data->urls()[0].toLocalFile();
        QVERIFY(path.endsWith("Work.ics"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), ics);
    }

    // A program that changed only the plain note leaves its older HTML behind: the page then
    // says the plain note. HTML that says the same words keeps its formatting.
    void anHtmlNoteOlderThanItsPlainTextGivesWayToIt()
    {
        calendar::RichPageWriter writer;
        calendar::RichDetailsConverter converter;
        const auto pageOf = [&](const std::string &text, const std::string &html,
                                std::string &rtf) {
            calendar::CalendarTopic topic;
            topic.detailsText = text;
            topic.detailsHtml = html;
            bool rich = false;
            rtf = writer.render(topic, rich);
            std::string plain, asHtml;
            converter.convert(rtf, plain, asHtml);
            return plain;
        };
        std::string rtf;
        QCOMPARE(pageOf("Ring the bell three times", "<p>Ring the <b>bell</b> twice</p>", rtf),
                 std::string("Ring the bell three times"));
        QCOMPARE(pageOf("", "<p>A note the phone has since removed</p>", rtf), std::string());
        QCOMPARE(pageOf("Ring the bell\r\n twice", "<p>Ring the <b>bell</b></p><p>twice</p>", rtf),
                 std::string("Ring the bell\ntwice"));
        QVERIFY2(rtf.find("\\b") != std::string::npos, rtf.c_str());
    }

    void thePreviewDialogListsAddsUpdatesAndSkips()
    {
        CalendarImportSummary summary{{"New one"}, {"Old one"}, {"VEVENT \"X\": bad date"}};
        CalendarPreviewDialog dialog(summary);
        QCOMPARE(dialog.list()->count(), 3);
        QCOMPARE(dialog.list()->item(0)->text(), QString("Add: New one"));
        QCOMPARE(dialog.list()->item(1)->text(), QString("Update: Old one"));
        QVERIFY(dialog.list()->item(2)->text().startsWith("Skip: "));
    }
};

QTEST_MAIN(CalendarWindowTest)
#include "CalendarWindowTest.moc"
