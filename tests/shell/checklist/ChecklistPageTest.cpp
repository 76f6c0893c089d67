// The checklist page driven through its real widgets under the offscreen platform: ticks and
// the topic's progress, the entry box, moves and removals, clipboard, links, dropped files,
// printing to PDF, saving as RTF, and what save() leaves on disk.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>
#include <QtTest>
#include <filesystem>

#include "shell/checklist/ChecklistActions.h"
#include "shell/checklist/ChecklistPage.h"
#include "shell/checklist/ChecklistView.h"
#include "shell/rtf/RtfReader.h"
#include "store/Clock.h"
#include "store/ContentFiles.h"
#include "store/TContent.h"
#include "store/TNimbusNode.h"
#include "support/TempFolder.h"

using namespace nimbus;
using namespace nimbus::checklist;

namespace {

// Answers the page's questions at once and records what it was asked to open.
class FakePrompts : public ChecklistPrompts {
public:
    std::optional<std::string> title;
    QString pdfFile;
    QString rtfFile;
    QStringList opened;
    QStringList notices;

    std::optional<std::string> askPageTitle(QWidget *, const std::string &) override
    {
        return title;
    }
    bool setUpPrinter(QWidget *, QPrinter &printer) override
    {
        if (pdfFile.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
        return true;
    }
    QString chooseRtfFile(QWidget *, const QString &) override { return rtfFile; }
    bool openDocument(const std::string &target) override
    {
        opened.push_back(QString::fromStdString(target));
        return true;
    }
    void tellUser(QWidget *, const QString &message) override { notices.push_back(message); }
};

// A task topic "57" with the two default pages, its files in a scratch data folder.
struct Topic {
    test::TempFolder folder;
    ContentFolders folders;
    TNimbusNode node{"57"};
    THyperData *page = nullptr;
    // 5 March 2024, 14:07:09: "today" for every finish date below.
    FixedClock clock{DateTime::fromCivil(2024, 3, 5, 14, 7, 9)};

    Topic()
    {
        folders = ContentFolders::inDataFolder(folder.path());
        for (const std::string &sub : {folders.packs, folders.text, folders.checkList})
            std::filesystem::create_directories(sub);
        node.type = kSectionTopics;
        node.ttype = kTopicTask;
        node.status = kStatusNotStarted;
        node.content = std::make_unique<TContent>();
        node.content->name = "57";
        node.content->kind = kSectionTopics;
        node.content->AddDefaultPages();
        page = node.content->pages[1].get();
    }

    // Writes the page's checklist file with these items, none ticked.
    void writeItems(std::initializer_list<const char *> texts)
    {
        std::vector<ChecklistItem> items;
        for (const char *text : texts)
            items.push_back(MakeItem(text));
        QVERIFY(content::SaveChecklist(*page, folders, items, NullStoreLog::instance()));
        node.content->modified = false;
    }

    std::string listFile() const { return folders.checkList + page->file; }
};

class ChecklistPageTest : public QObject {
    Q_OBJECT

private:
    FakePrompts *prompts_ = nullptr;

    std::unique_ptr<ChecklistPage> makePage(Topic &topic)
    {
        auto fake = std::make_unique<FakePrompts>();
        prompts_ = fake.get();
        auto page = std::make_unique<ChecklistPage>(std::move(fake));
        page->resize(500, 400);
        page->show();
        page->load(topic.node, *topic.page, topic.folders, topic.clock);
        return page;
    }

    static QPoint rowPoint(ChecklistPage &page, int row, int x)
    {
        const QRect rect =
            page.listviewCheck->visualRect(page.listviewCheck->model()->index(row, 0));
        return QPoint(x, rect.center().y());
    }

    static void clickTick(ChecklistPage &page, int row)
    {
        QTest::mouseClick(page.listviewCheck->viewport(), Qt::LeftButton, {},
                          rowPoint(page, row, 6));
    }

    static void clickText(ChecklistPage &page, int row)
    {
        QTest::mouseClick(page.listviewCheck->viewport(), Qt::LeftButton, {},
                          rowPoint(page, row, 60));
    }

    static QString cell(ChecklistPage &page, int row, int column)
    {
        return page.listviewCheck->model()->index(row, column).data().toString();
    }

    // Drags the data over the list and lets go, as the window system delivers it; true when
    // the list took the drop.
    static bool dropOn(ChecklistPage &page, QMimeData &mime)
    {
        QWidget *target = page.listviewCheck->viewport();
        QDragEnterEvent enter(QPoint(40, 40), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(40, 40), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
        return enter.isAccepted() && drop.isAccepted();
    }

    static void typeEntry(ChecklistPage &page, const QString &text)
    {
        page.editCheckList->selectAll();
        QTest::keyClicks(page.editCheckList, text);
    }

private slots:
    void ticksDriveTaskProgressStatusAndFinishDate()
    {
        Topic topic;
        topic.writeItems({"Draft", "Review", "Send"});
        auto page = makePage(topic);
        QAbstractItemModelTester tester(page->listviewCheck->model());
        QSignalSpy progress(page.get(), &ChecklistPage::nodeProgressChanged);
        QCOMPARE(page->listviewCheck->model()->headerData(0, Qt::Horizontal).toString(), "Item");
        QCOMPARE(page->listviewCheck->model()->headerData(1, Qt::Horizontal).toString(),
                 "Finished");

        clickTick(*page, 0);
        QCOMPARE(topic.node.percent, 33);
        QCOMPARE(topic.node.status, int(kStatusInProgress));
        QCOMPARE(topic.node.sta, std::string("20240305-140709"));
        QCOMPARE(cell(*page, 0, 1), QString("05/03/2024 14:07"));
        clickTick(*page, 1);
        QCOMPARE(topic.node.percent, 66);
        QCOMPARE(topic.node.status, int(kStatusInProgress));
        QVERIFY(topic.node.fdate.empty());

        clickTick(*page, 2);
        QCOMPARE(topic.node.percent, 100);
        QCOMPARE(topic.node.status, int(kStatusCompleted));
        QCOMPARE(topic.node.fdate, std::string("20240305"));
        QCOMPARE(topic.node.fTime, std::string("00:00:00"));
        QCOMPARE(progress.count(), 3);
        QVERIFY(progress.last().at(1).toBool());

        // Unticking keeps each item's finish date; the task goes back to the start.
        for (int row = 0; row < 3; ++row)
            clickTick(*page, row);
        QCOMPARE(topic.node.percent, 0);
        QCOMPARE(topic.node.status, int(kStatusNotStarted));
        QCOMPARE(cell(*page, 2, 1), QString("05/03/2024 14:07"));

        // Ticks, finish stamps and order land in the file.
        clickTick(*page, 1);
        const ChecklistSaveResult saved = page->save();
        QVERIFY(saved.written && saved.result && saved.nodeChanged && saved.descriptionChanged);
        QVERIFY(!saved.contentModified);
        QVERIFY(!page->isModified());
        QCOMPARE(topic.page->ame, std::string("20240305-140709"));
        QCOMPARE(test::readFile(topic.listFile()),
                 std::string("chk=0\r\ntxt=Draft\r\nfin=20240305-140709\r\n"
                             "chk=1\r\ntxt=Review\r\nfin=20240305-140709\r\n"
                             "chk=0\r\ntxt=Send\r\nfin=20240305-140709\r\n"));

        // Remove all dates empties the column; remove all ticks resets the task.
        page->CLRemoveAllDatesExecute();
        QCOMPARE(cell(*page, 1, 1), QString());
        page->CLRemoveAllTicksExecute();
        QCOMPARE(topic.node.status, int(kStatusNotStarted));
    }

    void emptiedListKeepsProgressAndDropsItsFile()
    {
        Topic topic;
        topic.writeItems({"Only"});
        auto page = makePage(topic);
        clickTick(*page, 0);
        QCOMPARE(topic.node.status, int(kStatusCompleted));
        const std::string path = topic.listFile();

        page->CLRemoveAllExecute();
        QCOMPARE(topic.node.status, int(kStatusCompleted));
        QCOMPARE(topic.node.percent, 100);
        const ChecklistSaveResult saved = page->save();
        QVERIFY(saved.written && saved.contentModified && saved.descriptionChanged);
        QVERIFY(!topic.page->data);
        QVERIFY(topic.page->file.empty());
        QVERIFY(!std::filesystem::exists(path));
        // The last contents were kept as an old version.
        int versions = 0;
        for (const auto &entry : std::filesystem::directory_iterator(topic.folders.checkList))
            versions += entry.path().filename().string().rfind("57-2(", 0) == 0 ? 1 : 0;
        QCOMPARE(versions, 1);

        // An unchanged page writes nothing.
        QVERIFY(!page->save().written);
    }

    void entryBoxAddsChangesAndFirstSaveNamesTheFile()
    {
        Topic topic;
        auto page = makePage(topic);
        QCOMPARE(page->buttonChecklistAdd->text(), QString("Add"));
        QVERIFY(!page->buttonChecklistAdd->isEnabled());
        typeEntry(*page, "Book room");
        QVERIFY(page->buttonChecklistAdd->isEnabled());
        QTest::mouseClick(page->buttonChecklistAdd, Qt::LeftButton);
        typeEntry(*page, "Order food");
        QTest::keyClick(page->editCheckList, Qt::Key_Return);
        QCOMPARE(page->items().size(), std::size_t(2));
        QVERIFY(page->editCheckList->text().isEmpty());
        QVERIFY(!page->buttonChecklistAdd->isEnabled());
        QCOMPARE(topic.node.status, int(kStatusNotStarted));

        // Pressing an item puts it in the box; the item follows the typing.
        clickText(*page, 0);
        QCOMPARE(page->entryMode(), EntryMode::Change);
        QCOMPARE(page->editCheckList->text(), QString("Book room"));
        QVERIFY(page->buttonChecklistAdd->isEnabled());
        typeEntry(*page, "Book hall");
        QCOMPARE(cell(*page, 0, 0), QString("Book hall"));
        QTest::mouseClick(page->buttonChecklistAdd, Qt::LeftButton);
        QCOMPARE(page->entryMode(), EntryMode::Add);
        QCOMPARE(page->buttonChecklistAdd->text(), QString("Add"));
        QCOMPARE(page->items()[0].text, std::string("Book hall"));

        // A press on empty space starts a new item.
        clickText(*page, 1);
        QCOMPARE(page->entryMode(), EntryMode::Change);
        QTest::mouseClick(page->listviewCheck->viewport(), Qt::LeftButton, {},
                          QPoint(60, page->listviewCheck->viewport()->height() - 4));
        QCOMPARE(page->entryMode(), EntryMode::Add);
        QVERIFY(page->editCheckList->text().isEmpty());

        const ChecklistSaveResult saved = page->save();
        QVERIFY(saved.result && saved.contentModified);
        QCOMPARE(topic.page->file, std::string("57-2.lst"));
        QVERIFY(topic.node.content->modified);
        QCOMPARE(test::readFile(topic.listFile()),
                 std::string("chk=0\r\ntxt=Book hall\r\nchk=0\r\ntxt=Order food\r\n"));
    }

    void tickingLeavesTheEntryBoxAsItWas()
    {
        Topic topic;
        auto page = makePage(topic);
        typeEntry(*page, "Draft summary");
        QTest::keyClick(page->editCheckList, Qt::Key_Return);
        clickTick(*page, 0);
        QVERIFY(page->items()[0].checked);
        // Still a new item: what the user types next becomes an item of its own.
        QCOMPARE(page->labelCheckList->text(), QString("New item:"));
        QVERIFY(page->editCheckList->text().isEmpty());
        QVERIFY(page->listviewCheck->selectionModel()->selectedRows().isEmpty());
        QTest::mouseClick(page->editCheckList, Qt::LeftButton);
        QTest::keyClicks(page->editCheckList, "Email the CFO");
        QTest::keyClick(page->editCheckList, Qt::Key_Return);
        QCOMPARE(page->items().size(), std::size_t(2));
        QCOMPARE(page->items()[0].text, std::string("Draft summary"));
        QCOMPARE(page->items()[1].text, std::string("Email the CFO"));
        QVERIFY(!page->items()[1].checked);

        // While an item is being changed, ticking another keeps that change going.
        clickText(*page, 1);
        QCOMPARE(page->labelCheckList->text(), QString("Change selected item:"));
        clickTick(*page, 0);
        QVERIFY(!page->items()[0].checked);
        QCOMPARE(page->entryMode(), EntryMode::Change);
        QCOMPARE(page->editCheckList->text(), QString("Email the CFO"));
        QCOMPARE(page->listviewCheck->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(page->listviewCheck->selectionModel()->selectedRows()[0].row(), 1);
        // A drag that starts on a tick box selects nothing either.
        QTest::mousePress(page->listviewCheck->viewport(), Qt::LeftButton, {},
                          rowPoint(*page, 0, 6));
        QMouseEvent move(QEvent::MouseMove, rowPoint(*page, 1, 60),
                         page->listviewCheck->viewport()->mapToGlobal(rowPoint(*page, 1, 60)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(page->listviewCheck->viewport(), &move);
        QTest::mouseRelease(page->listviewCheck->viewport(), Qt::LeftButton, {},
                            rowPoint(*page, 1, 60));
        QCOMPARE(page->listviewCheck->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(page->listviewCheck->selectionModel()->selectedRows()[0].row(), 1);
        QVERIFY(page->items()[0].checked);
    }

    void movesKeepTheItemSelectedAndRemoveTakesTheSelection()
    {
        Topic topic;
        topic.writeItems({"a", "b", "c", "d"});
        auto page = makePage(topic);
        QAbstractItemModelTester tester(page->listviewCheck->model());
        clickText(*page, 0);
        page->CLUpExecute(); // already at the top
        QCOMPARE(page->items()[0].text, std::string("a"));
        QVERIFY(!page->isModified());
        page->CLDownExecute();
        page->CLDownExecute();
        QCOMPARE(page->items()[2].text, std::string("a"));
        QCOMPARE(page->listviewCheck->currentIndex().row(), 2);
        page->CLUpExecute();
        QCOMPARE(page->items()[1].text, std::string("a"));
        QVERIFY(page->isModified());

        // The shortcut as the menu shows it and the action's own.
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
        page->listviewCheck->setFocus();
        QTest::keyClick(page->listviewCheck, Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(page->items()[0].text, std::string("a"));
        QTest::keyClick(page->listviewCheck, Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(page->items()[1].text, std::string("a"));

        page->listviewCheck->selectionModel()->select(page->listviewCheck->model()->index(3, 0),
                                                      QItemSelectionModel::Select |
                                                          QItemSelectionModel::Rows);
        page->CLRemoveExecute();
        QCOMPARE(page->items().size(), std::size_t(2));
        QCOMPARE(page->items()[0].text, std::string("b"));
        QCOMPARE(page->items()[1].text, std::string("c"));
    }

    void copyAndPasteGoThroughTheClipboard()
    {
        Topic topic;
        topic.writeItems({"one", "two", "three"});
        auto page = makePage(topic);
        page->optCheckSelectAllExecute();
        page->listviewCheck->selectionModel()->select(page->listviewCheck->model()->index(1, 0),
                                                      QItemSelectionModel::Deselect |
                                                          QItemSelectionModel::Rows);
        page->optCheckCopyExecute();
        QCOMPARE(QApplication::clipboard()->text(), QString("one\nthree"));
        QVERIFY(page->memoChecks->isHidden());
        QCOMPARE(page->memoChecks->width(), 2000);

        QApplication::clipboard()->setText(
            QStringLiteral("four\r\n\r\nfive, with www.example.org\n"));
        QVERIFY(page->actions()->optCheckPaste->isEnabled());
        page->optCheckPasteExecute();
        QCOMPARE(page->items().size(), std::size_t(5));
        QCOMPARE(page->items()[3].text, std::string("four"));
        QVERIFY(page->items()[4].link.found);
        QVERIFY(page->listviewCheck->selectionModel()->selectedRows().isEmpty());
        QCOMPARE(page->entryMode(), EntryMode::Add);
        QVERIFY(page->isModified());
    }

    void droppedFilesBecomeItemsThatOpen()
    {
        Topic topic;
        auto page = makePage(topic);
        const std::string first = topic.folder / "plan.txt";
        test::writeFile(first, "x");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(first)),
                      QUrl(QStringLiteral("https://example.org/not-a-file"))});
        QVERIFY(dropOn(*page, mime));
        QCOMPARE(page->items().size(), std::size_t(1));
        QCOMPARE(page->items()[0].text, first);

        clickText(*page, 0);
        page->optCheckLinkExecute();
        page->optCheckFolderExecute();
        QCOMPARE(prompts_->opened, QStringList({QString::fromStdString(first),
                                                QString::fromStdString(topic.folder.path())}));
        QTest::mouseDClick(page->listviewCheck->viewport(), Qt::LeftButton, {},
                           rowPoint(*page, 0, 60));
        QCOMPARE(prompts_->opened.size(), 3);
        QVERIFY(prompts_->notices.isEmpty());
    }

    void printsToPdfAndSavesAsRtf()
    {
        Topic topic;
        topic.writeItems({"Pack tent", "Buy maps"});
        auto page = makePage(topic);
        clickTick(*page, 1);

        prompts_->pdfFile = QString::fromStdString(topic.folder / "list.pdf");
        page->CLPrintExecute();
        const std::string pdf = test::readFile(prompts_->pdfFile.toStdString());
        QVERIFY(pdf.rfind("%PDF-", 0) == 0);
        QVERIFY(pdf.find("/Type /Page") != std::string::npos);
        const QString printed = page->RichEdit2->toPlainText();
        QVERIFY(printed.startsWith("Checklist\n"));
        QVERIFY(printed.contains("Pack tent"));
        QVERIFY(printed.contains(QStringLiteral("Buy maps\t05/03/2024 14:07")));

        prompts_->rtfFile = QString::fromStdString(topic.folder / "list.rtf");
        page->CLSaveExecute();
        const std::string rtf = test::readFile(prompts_->rtfFile.toStdString());
        QVERIFY(rtf.rfind("{\\rtf1", 0) == 0);
        QTextDocument readBack;
        QVERIFY(rtf::RtfReader().read(QByteArray::fromStdString(rtf), &readBack));
        QCOMPARE(readBack.toPlainText(), printed);

        // A file that cannot be written is reported, not passed over.
        prompts_->rtfFile = QString::fromStdString(topic.folder / "missing/list.rtf");
        page->CLSaveExecute();
        QCOMPARE(prompts_->notices.size(), 1);
    }

    void titleChangeRenamesThePage()
    {
        Topic topic;
        auto page = makePage(topic);
        QSignalSpy renamed(page.get(), &ChecklistPage::pageTitleChanged);
        prompts_->title = "Packing";
        page->CLChangeTitleExecute();
        QCOMPARE(renamed.count(), 1);
        QCOMPARE(renamed.first().at(0).toString(), QString("Packing"));
        QCOMPARE(topic.page->dis, std::string("Packing"));
        const ChecklistSaveResult saved = page->save();
        QVERIFY(!saved.written);
        QVERIFY(saved.descriptionChanged && saved.contentModified);

        prompts_->title.reset(); // cancelled
        page->CLChangeTitleExecute();
        QCOMPARE(renamed.count(), 1);
    }

    void lockedTopicCannotBeChanged()
    {
        Topic topic;
        topic.writeItems({"Fixed"});
        auto page = makePage(topic);
        page->readOnly(true);
        QVERIFY(!page->listviewCheck->isEnabled());
        QVERIFY(!page->editCheckList->isEnabled());
        QVERIFY(!page->actions()->CLAdd->isEnabled());
        QVERIFY(!page->actions()->CLRemoveAll->isEnabled());
        page->CLRemoveAllExecute();
        page->CLChangeTitleExecute();
        QApplication::clipboard()->setText(QStringLiteral("sneaked in"));
        page->optCheckPasteExecute();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(topic.folder / "x.txt"))});
        QVERIFY(!dropOn(*page, mime));
        QCOMPARE(page->items().size(), std::size_t(1));
        QCOMPARE(topic.node.status, int(kStatusNotStarted));
        QVERIFY(!page->isModified());

        page->readOnly(false);
        clickTick(*page, 0);
        QCOMPARE(topic.node.status, int(kStatusCompleted));
    }
};

} // namespace

QTEST_MAIN(ChecklistPageTest)
#include "ChecklistPageTest.moc"
