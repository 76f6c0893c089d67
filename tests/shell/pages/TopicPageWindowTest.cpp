// The topic page, the preferences page and the about page on the real main window under the
// offscreen platform, against a data folder of the test's own.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTextBlock>
#include <QTextList>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include "FakePagePrompts.h"
#include "PdfText.h"
#include "shell/PageArea.h"
#include "shell/checklist/ChecklistPage.h"
#include "shell/checklist/ChecklistView.h"
#include "shell/core/HighlightState.h"
#include "shell/dialogs/ColourPanel.h"
#include "shell/pages/AboutPage.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/DetailsFormatting.h"
#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/HighlightControl.h"
#include "shell/pages/PreferencesPage.h"
#include "shell/pages/TopicPage.h"
#include "shell/rtf/RtfReader.h"
#include "shell/tree/WindowFixture.h"
#include "store/SummaryLists.h"
#include "widgets/ElidedLabel.h"

using namespace nimbus;
using namespace nimbus::test;
using nimbus::pages::DetailsEditor;
using nimbus::pages::TopicPage;

namespace {

// The window's questions with the pages' own answered by the test too.
class PagesPrompts : public FakePrompts {
public:
    std::shared_ptr<pages::PagePrompts> pagePrompts() override { return pages; }
    std::shared_ptr<FakePagePrompts> pages = std::make_shared<FakePagePrompts>();
};

// A data folder with three topics (the last one locked), and a window over it.
struct PagesWorld {
    PagesWorld()
    {
        StoreWriter writer(dataFolder(dir));
        writer.add(0, "Topics");
        writer.add(1, "Roof repair");                                       // uni 101
        writer.add(1, "Garden");                                            // uni 102
        writer.add(1, "Will").node->lock = true;                            // uni 103
        writer.add(1, "Errand").type(kTopicTask).status(kStatusNotStarted); // uni 104
        writer.write();
    }
    std::unique_ptr<TformMain> open()
    {
        return std::make_unique<TformMain>(clock, windowEnvironment(dir, prompts));
    }
    std::string file(const std::string &name) const { return dataFolder(dir) + name; }

    TempFolder dir;
    FixedClock clock{DateTime::fromCivil(2026, 3, 5, 14, 7, 9)};
    std::shared_ptr<PagesPrompts> prompts = std::make_shared<PagesPrompts>();
    std::shared_ptr<FakePagePrompts> pagePrompts = prompts->pages;
};

TopicPage *select(TformMain &window, const char *uni)
{
    window.treeController()->selectNode(window.store()->Find(uni));
    return window.topicPage();
}

// The first position of a text in the editor's document.
int find(DetailsEditor *details, const QString &text)
{
    return details->RichEdit1->document()->find(text).selectionStart();
}

void selectText(DetailsEditor *details, const QString &text)
{
    details->RichEdit1->setTextCursor(details->RichEdit1->document()->find(text));
}

QTextCharFormat formatAt(DetailsEditor *details, int position)
{
    QTextCursor cursor(details->RichEdit1->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

} // namespace

class TopicPageWindowTest : public QObject {
    Q_OBJECT

private slots:
    void typedPageIsWrittenOnSwitchingAndReadBackFormatted()
    {
        PagesWorld world;
        world.pagePrompts->highlight = {true, pages::colourValue(255, 0, 0), -1};
        {
            auto window = world.open();
            TopicPage *page = select(*window, "101");
            QCOMPARE(page->labelTopicName->text(), QStringLiteral("Roof repair"));
            QCOMPARE(page->tabsData->count(), 2);
            QCOMPARE(page->tabsData->tabText(0), QStringLiteral("Details"));
            QCOMPARE(page->tabsData->tabText(1), QStringLiteral("Checklist"));
            QVERIFY(page->labelDateChanged->text().isEmpty());
            QCOMPARE(window->pageArea()->currentPageName(), QStringLiteral("panelToDoNew"));

            DetailsEditor *details = page->details;
            pages::DetailsFormatting *format = details->formatting;
            QTest::keyClicks(details->RichEdit1, "Plain start ");
            format->RichEditBold->trigger();
            QTest::keyClicks(details->RichEdit1, "bold words");
            format->RichEditBold->trigger();
            QTest::keyClicks(details->RichEdit1, " then red");
            QTest::keyClick(details->RichEdit1, Qt::Key_Return);
            format->RichEditBullets->trigger();
            QTest::keyClicks(details->RichEdit1, "a bullet");
            QTest::keyClick(details->RichEdit1, Qt::Key_Return);
            format->RichEditBullets->trigger();
            QTest::keyClicks(details->RichEdit1, "see www.example.org today");
            selectText(details, "red");
            details->highlighter->TextColour->trigger();
            QCOMPARE(world.pagePrompts->previewText, QStringLiteral("red"));
            QVERIFY(details->highlighter->buttonColour->isChecked());
            QVERIFY(details->modified());

            select(*window, "102");
            const std::string text = readFile(world.file("Text/101-1.txt"));
            QVERIFY2(text.rfind("{\\rtf1", 0) == 0, text.c_str());
            QVERIFY(readFile(world.file("Packs/101.pkt")).find("file=101-1.txt\r\n") !=
                    std::string::npos);
            QCOMPARE(window->summaryLists()->RecentChanges().Node(0)->uni, std::string("101"));
            QCOMPARE(window->store()->Find("101")->dac, 1);
            QVERIFY(window->store()->modified);
        }
        QVERIFY(readFile(world.file("strchanges.dat")).find("101") != std::string::npos);

        auto window = world.open();
        DetailsEditor *details = select(*window, "101")->details;
        QCOMPARE(window->store()->Find("101")->dac, 1);
        QVERIFY(!details->modified());
        QVERIFY(formatAt(details, find(details, "bold words")).fontWeight() >= QFont::Bold);
        QVERIFY(formatAt(details, find(details, "Plain")).fontWeight() < QFont::Bold);
        QCOMPARE(formatAt(details, find(details, "red")).foreground().color(), QColor(255, 0, 0));
        const QTextBlock bullet =
            details->RichEdit1->document()->findBlock(find(details, "a bullet"));
        QVERIFY(bullet.textList());
        QCOMPARE(bullet.textList()->format().style(), QTextListFormat::ListDisc);
        QVERIFY(!bullet.next().textList());
        QCOMPARE(window->topicPage()->labelDateChanged->text(),
                 QStringLiteral("Page last changed: 05/03/2026 14:07"));

        // The address is found again and a double-click opens it, the caret left in place.
        const int at = find(details, "example");
        QCOMPARE(details->RichEdit1->addressAt(at), QStringLiteral("http://www.example.org"));
        QVERIFY(details->RichEdit1->addressAt(find(details, "today")).isEmpty());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        details->RichEdit1->moveCursor(QTextCursor::Start);
        QTextCursor inside(details->RichEdit1->document());
        inside.setPosition(at + 2);
        const QRect spot = details->RichEdit1->cursorRect(inside);
        QTest::mouseDClick(details->RichEdit1->viewport(), Qt::LeftButton, {}, spot.center());
        QCOMPARE(world.pagePrompts->opened, std::vector<std::string>{"http://www.example.org"});
        QVERIFY(!details->RichEdit1->textCursor().hasSelection());
    }

    void emptiedPageRemovesItsFileAndItsCount()
    {
        PagesWorld world;
        auto window = world.open();
        DetailsEditor *details = select(*window, "101")->details;
        QTest::keyClicks(details->RichEdit1, "short lived");
        select(*window, "102");
        QVERIFY(QFile::exists(QString::fromStdString(world.file("Text/101-1.txt"))));

        details = select(*window, "101")->details;
        details->RichEdit1->selectAll();
        QTest::keyClick(details->RichEdit1, Qt::Key_Delete);
        window->SaveAll();
        QVERIFY(!QFile::exists(QString::fromStdString(world.file("Text/101-1.txt"))));
        QCOMPARE(window->store()->Find("101")->dac, 0);
        // The store was written with the new counts.
        QVERIFY(!window->store()->modified);
    }

    void closingSavesTheOpenPageAndItsRecentChange()
    {
        PagesWorld world;
        {
            auto window = world.open();
            QTest::keyClicks(select(*window, "102")->details->RichEdit1, "left open");
            window->close();
        }
        QVERIFY(QFile::exists(QString::fromStdString(world.file("Text/102-1.txt"))));
        QVERIFY(readFile(world.file("strchanges.dat")).find("102") != std::string::npos);
        QVERIFY(readFile(world.file("Structure.dat")).find("dac=1") != std::string::npos);
    }

    void lockedTopicCannotBeEdited()
    {
        PagesWorld world;
        auto window = world.open();
        TopicPage *page = select(*window, "103");
        QVERIFY(!page->imageLock->isHidden());
        QVERIFY(page->details->RichEdit1->isReadOnly());
        QVERIFY(!page->details->formatting->RichEditBold->isEnabled());
        QVERIFY(!page->details->highlighter->panels()->isEnabled());
        QTest::keyClicks(page->details->RichEdit1, "not allowed");
        QVERIFY(page->details->RichEdit1->document()->isEmpty());
        select(*window, "101");
        QVERIFY(page->imageLock->isHidden());
        QVERIFY(!page->details->RichEdit1->isReadOnly());
        QVERIFY(!QFile::exists(QString::fromStdString(world.file("Packs/103.pkt"))));
    }

    void tabsSwitchPagesAndTheTitleCanChange()
    {
        PagesWorld world;
        world.pagePrompts->title = "Costs";
        {
            auto window = world.open();
            TopicPage *page = select(*window, "101");
            page->tabsData->setCurrentIndex(1);
            QCOMPARE(page->panelPages->currentWidget(),
                     static_cast<QWidget *>(page->panelToDoCheckList));
            page->tabsData->setCurrentIndex(0);
            page->details->CLChangeTitle->trigger();
            QCOMPARE(page->tabsData->tabText(0), QStringLiteral("Costs"));
        }
        auto window = world.open();
        TopicPage *page = select(*window, "101");
        QCOMPARE(page->tabsData->tabText(0), QStringLiteral("Costs"));
        QCOMPARE(page->tabsData->currentIndex(), 0);
    }

    void formattingActionsAndTheirKeys()
    {
        PagesWorld world;
        auto window = world.open();
        DetailsEditor *details = select(*window, "101")->details;
        pages::DetailsFormatting *format = details->formatting;
        QCOMPARE(format->RichEditBold->shortcut(), QKeySequence("Ctrl+B"));
        QCOMPARE(format->RichEditStrikeOut1->shortcut(), QKeySequence("Ctrl+K"));
        QCOMPARE(format->RichEditIndent->shortcut(), QKeySequence("Ctrl+M"));
        QCOMPARE(format->RichEditOutDent->shortcut(), QKeySequence("Ctrl+N"));
        QCOMPARE(details->highlighter->TextColour->shortcut(), QKeySequence("Ctrl+H"));
        QCOMPARE(details->RichEditPrint->shortcut(), QKeySequence("Ctrl+P"));
        QCOMPARE(details->RichEditSaveAs->shortcut(), QKeySequence("Ctrl+O"));

        QTest::keyClicks(details->RichEdit1, "indented");
        format->RichEditIndent->trigger();
        format->RichEditIndent->trigger();
        format->RichEditOutDent->trigger();
        QCOMPARE(details->RichEdit1->textCursor().blockFormat().leftMargin(), 96.0);
        QVERIFY(details->pageBytes().contains("\\li1440"));
        format->RichEditOutDent->trigger();
        format->RichEditOutDent->trigger();
        QCOMPARE(details->RichEdit1->textCursor().blockFormat().leftMargin(), 0.0);

        format->RichEditNumber->trigger();
        QCOMPARE(details->RichEdit1->textCursor().currentList()->format().style(),
                 QTextListFormat::ListDecimal);
        format->RichEditBullets->trigger(); // numbers become bullets
        QCOMPARE(details->RichEdit1->textCursor().currentList()->format().style(),
                 QTextListFormat::ListDisc);
        format->RichEditBullets->trigger();
        QVERIFY(!details->RichEdit1->textCursor().currentList());

        // The font dialog starts from the selection and its choice is applied to it.
        details->RichEdit1->selectAll();
        pages::FontChoice chosen;
        chosen.font = QFont("Serif", 20);
        chosen.colour = QColor(0, 128, 0);
        world.pagePrompts->font = chosen;
        format->RichEditFont->trigger();
        QCOMPARE(formatAt(details, 0).fontPointSize(), 20.0);
        QCOMPARE(formatAt(details, 0).foreground().color(), QColor(0, 128, 0));

        // Highlighting painted, then removed again.
        world.pagePrompts->highlight = {true, -1, pages::colourValue(255, 255, 0)};
        details->highlighter->buttonColour->click();
        QCOMPARE(formatAt(details, 0).background().color(), QColor(255, 255, 0));
        details->highlighter->RemoveHighlighting->trigger();
        QVERIFY(!details->highlighter->buttonColour->isChecked());
        QCOMPARE(formatAt(details, 0).background().color(), QColor(Qt::white));
        QCOMPARE(window->screenSetup().hib, pages::colourValue(255, 255, 0));
        QCOMPARE(window->screenSetup().hit, -1);
    }

    void cancelledColourChooserLeavesHighlightingOff()
    {
        PagesWorld world;
        auto window = world.open();
        DetailsEditor *details = select(*window, "101")->details;
        world.pagePrompts->highlight = {false, pages::colourValue(255, 0, 0), -1};
        emit details->highlighter->panelFore->clicked();
        QCOMPARE(world.pagePrompts->highlightAsked, 1);
        QCOMPARE(world.pagePrompts->previewText, QString());
        QVERIFY(!details->highlighter->buttonColour->isChecked());
        QCOMPARE(window->screenSetup().hit, -1);
        QCOMPARE(window->screenSetup().hib, -1);
    }

    void checklistTicksDriveTheTaskAndAreSavedWithThePage()
    {
        PagesWorld world;
        auto window = world.open();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        TopicPage *page = select(*window, "104");
        page->tabsData->setCurrentIndex(1);
        checklist::ChecklistPage *list = page->panelToDoCheckList;
        QCOMPARE(page->panelPages->currentWidget(), static_cast<QWidget *>(list));
        for (const char *item : {"Buy stamps", "Post letter", "Call bank"}) {
            QTest::keyClicks(list->editCheckList, item);
            QTest::mouseClick(list->buttonChecklistAdd, Qt::LeftButton);
        }
        auto tick = [list](int row) {
            const QRect rect =
                list->listviewCheck->visualRect(list->listviewCheck->model()->index(row, 0));
            QTest::mouseClick(list->listviewCheck->viewport(), Qt::LeftButton, {},
                              QPoint(6, rect.center().y()));
        };
        TNimbusNode *task = window->store()->Find("104");
        tick(0);
        tick(1);
        QCOMPARE(task->percent, 66);
        QCOMPARE(task->status, int(kStatusInProgress));
        tick(2);
        QCOMPARE(task->percent, 100);
        QCOMPARE(task->status, int(kStatusCompleted));
        QCOMPARE(task->fdate, std::string("20260305"));
        QVERIFY(window->store()->modified);
        for (int row : {0, 1, 2})
            tick(row);
        QCOMPARE(task->percent, 0);
        QCOMPARE(task->status, int(kStatusNotStarted));

        select(*window, "101");
        const std::string items = readFile(world.file("CheckList/104-2.lst"));
        QVERIFY2(items.find("txt=Post letter\r\n") != std::string::npos, items.c_str());
        QVERIFY(readFile(world.file("CheckList/104-2.~lst")).find("data=1") != std::string::npos);
        QVERIFY(readFile(world.file("Packs/104.pkt")).find("file=104-2.lst") != std::string::npos);
        QCOMPARE(task->dam, 2);
        QCOMPARE(window->summaryLists()->RecentChanges().Node(0), task);

        // Shown again, the list and its tab come back as they were left.
        page = select(*window, "104");
        QCOMPARE(page->tabsData->currentIndex(), 1);
        QCOMPARE(list->items().size(), std::size_t(3));
    }

    // A title of thousands of characters (from a calendar, a server or nimbus-cli) is cut to
    // the space it has: the window keeps its width, the tree shows a thousand characters.
    void aLongTitleNeverWidensTheWindow()
    {
        PagesWorld world;
        auto window = world.open();
        window->resize(900, 600);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const int width = window->width();
        const std::string title = "Imported " + std::string(2'000'000, 'w');
        window->store()->Find("102")->text = title;
        TopicPage *page = select(*window, "102");
        QCoreApplication::processEvents();
        QCOMPARE(window->width(), width);
        QVERIFY(window->minimumSizeHint().width() < 900);
        QVERIFY(page->labelTopicName->width() < 900);
        QVERIFY(page->labelTopicName->text().endsWith(QChar(0x2026)));
        QCOMPARE(page->labelTopicName->fullText().size(), 1001);
        const QModelIndex shown = window->treeController()->treeMain()->currentIndex();
        QCOMPARE(shown.data(Qt::DisplayRole).toString().size(), 1001);
        QCOMPARE(shown.data(Qt::EditRole).toString().size(), static_cast<qsizetype>(title.size()));
    }

    void pagePrintsToPdfAndSavesAsWord()
    {
        PagesWorld world;
        auto window = world.open();
        DetailsEditor *details = select(*window, "101")->details;
        QTest::keyClicks(details->RichEdit1, "Printable roof notes");
        const QString pdf = QString::fromStdString(world.dir / "page.pdf");
        world.pagePrompts->pdfFile = pdf;
        details->RichEditPrint->trigger();
        QFile printed(pdf);
        QVERIFY(printed.open(QIODevice::ReadOnly));
        const QByteArray bytes = printed.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY2(pdfText(bytes).contains("Printable roof notes"), qPrintable(pdfText(bytes)));
        // The heading is the job's title (the document's title, in UTF-16).
        QByteArray title("/Title (\xfe\xff");
        for (QChar c : QStringLiteral("Roof repair"))
            title.append('\0').append(c.toLatin1());
        QVERIFY(bytes.contains(title));

        const QString word = QString::fromStdString(world.dir / "page.rtf");
        world.pagePrompts->wordFile = word;
        details->RichEditSaveAs->trigger();
        QCOMPARE(world.pagePrompts->proposedName, QStringLiteral("Details.rtf"));
        QFile saved(word);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QTextDocument back;
        QVERIFY(rtf::RtfReader().read(saved.readAll(), &back));
        QCOMPARE(back.toPlainText(), QStringLiteral("Printable roof notes"));
        // Saving elsewhere is not saving the page.
        QVERIFY(details->modified());
    }

    void preferencesAreWrittenOnlyWhenChanged()
    {
        PagesWorld world;
        auto window = world.open();
        pages::PreferencesPage *page = window->preferencesPage();
        QVERIFY(page->radioDDMMYY->isChecked());
        QVERIFY(!page->checkSummary->isChecked());
        const std::string before = readFile(world.file("pref.txt"));
        page->radioDDMMYY->click();
        QCOMPARE(readFile(world.file("pref.txt")), before);

        page->radioYYMMDD->click();
        QVERIFY(readFile(world.file("pref.txt")).find("date=2\r\n") != std::string::npos);
        window->AddToLog("after");
        QVERIFY(window->reLog->toPlainText().contains("2026/03/05 14:07:09  after"));

        // The normal font goes to the editor and into the preferences. A font dialog without
        // colours leaves the stored colour alone, whatever colour the caret stands on.
        DetailsEditor *details = select(*window, "101")->details;
        details->RichEdit1->setTextColor(QColor(255, 0, 0));
        QTest::keyClicks(details->RichEdit1, "red text");
        pages::FontChoice chosen;
        chosen.font = QFont("Monospace", 14);
        chosen.colour = QColor(255, 0, 0); // what the dialog was preset with
        world.pagePrompts->font = chosen;
        page->buttonNormalFont->click();
        std::string saved = readFile(world.file("pref.txt"));
        QVERIFY2(saved.find("font=Monospace\r\nfsize=14\r\n") != std::string::npos, saved.c_str());
        QVERIFY2(saved.find("col=255\r\n") == std::string::npos, saved.c_str());
        QCOMPARE(details->RichEdit1->document()->defaultFont().pointSize(), 14);

        chosen.colour = QColor(0, 0, 128);
        chosen.colourChosen = true;
        world.pagePrompts->font = chosen;
        page->buttonNormalFont->click();
        saved = readFile(world.file("pref.txt"));
        QVERIFY2(saved.find("font=Monospace\r\nfsize=14\r\ncol=8388608\r\n") != std::string::npos,
                 saved.c_str());
    }

    void helpOpensTheHelpFileOnlyWhenItExistsAndAboutShowsTheSystem()
    {
        PagesWorld world;
        auto window = world.open();
        window->buttonHelp->click();
        QVERIFY(world.pagePrompts->opened.empty());
        QVERIFY(world.prompts->told.empty());
        std::filesystem::create_directories(world.dir / "prog");
        writeFile(window->paths().HelpFile, "<html></html>");
        window->buttonHelp->click();
        QCOMPARE(world.pagePrompts->opened, std::vector<std::string>{window->paths().HelpFile});

        pages::AboutPage *about = window->aboutPage();
        about->fill();
        QCOMPARE(about->labelProduct->text(), QStringLiteral("Nimbus Desk"));
        QCOMPARE(about->labelVersion->text(), QStringLiteral("Version 1-17"));
        QVERIFY(about->labelNotice->text().contains("2026"));
        QCOMPARE(about->labOSVersion->text(), QString::fromStdString(window->paths().OsVersion));
        about->labWebSiteClick();
        QCOMPARE(world.pagePrompts->opened.back(), std::string(pages::AboutPage::kWebSite));
    }
};

QTEST_MAIN(TopicPageWindowTest)
#include "TopicPageWindowTest.moc"
