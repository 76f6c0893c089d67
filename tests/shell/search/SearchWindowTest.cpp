// Search in the real main window under the offscreen platform: typing a query shows the hits,
// opening one selects its topic, shows the page that matched and marks the words there, F3
// steps through them, Escape clears the query; a saved page is found by its new words.
#include <QAccessible>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTextEdit>
#include <QtTest>

#include "WindowFixture.h"
#include "shell/MainTreeView.h"
#include "shell/PageArea.h"
#include "shell/TopicTreeModel.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/TopicPage.h"
#include "shell/search/ResultDelegate.h"
#include "shell/search/SearchController.h"
#include "shell/search/SearchResultsPage.h"
#include "shell/search/SnippetHtml.h"
#include "shell/summary/SummaryPage.h"
#include "store/ContentFiles.h"

using namespace nimbus;
using namespace nimbus::test;

namespace {

const DateTime kNow = DateTime::fromCivil(2026, 3, 10, 9, 30, 0);
const char *kGardenText = "Water the orchid on Sundays.\nRepot the orchid in spring.";

void writeStore(const std::string &folder)
{
    StoreWriter w(folder);
    w.add(0, "Topics").expanded();
    w.add(1, "Home").expanded();
    w.add(2, "Orchid care").type(kTopicIdea);   // 102: the word in its title
    w.add(2, "Garden").type(kTopicInformation); // 103: the word twice on its page
    w.add(2, "Car").status(kStatusNotStarted);  // 104: nothing about it
    w.add(1, "Work").expanded();                // 105: a branch away from every hit
    w.add(2, "Budget").status(kStatusNotStarted);
    w.add(0, "Local network information", kSectionNetwork);
    w.add(0, "Preferences", kSectionPreferences);
    w.add(0, "Product information", kSectionProduct);
    w.add(0, "Contacts", kSectionContacts);
    w.write();

    // A details page "Notes" for Garden, written as the program writes it.
    TNimbusStructure store;
    store.SetFileName(folder + "Structure.dat");
    store.LoadStructure();
    NullStoreLog log;
    const ContentFolders folders = ContentFolders::inDataFolder(folder);
    for (const std::string &sub : {folders.packs, folders.text, folders.checkList})
        std::filesystem::create_directories(sub);
    TNimbusNode &garden = *store.Find("103");
    TContent &content = garden.LoadContent(folders, log);
    THyperData &page = content.AddPage(kPageDetails, "Notes");
    QVERIFY(content::SaveDetails(page, folders, kGardenText, 0, true, log));
    const FixedClock clock(kNow);
    QVERIFY(content::SavePageDescription(page, folders, clock, log).ok); // the tab's name
    QVERIFY(content::WriteContent(content, log));
}

} // namespace

class SearchWindowTest : public QObject {
    Q_OBJECT

    struct Session {
        TempFolder dir;
        FixedClock clock{kNow};
        std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>();
        std::unique_ptr<TformMain> window;
        searchui::SearchController *search = nullptr;
        Session()
        {
            writeStore(dataFolder(dir));
            window = std::make_unique<TformMain>(clock, windowEnvironment(dir, prompts));
            search = window->searchController();
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            window->activateWindow();
        }
        QListWidget &list() { return *search->page()->listResults; }
        QString row(int i) { return list().item(i)->data(searchui::ResultDelegate::kHtmlRole).toString(); }
        QTextEdit &editor() { return *window->topicPage()->details->RichEdit1; }
    };

private slots:
    void snippetsAreEscapedAndMarksCountCharacters()
    {
        const std::string text = "Café <b> & orchid";
        const search::SearchQuery query = search::ParseQuery("orchid cafe");
        const search::Snippet snippet{text, search::FindMatches(text, query)};
        QCOMPARE(searchui::snippetHtml(snippet),
                 QStringLiteral("<b>Café</b> &lt;b&gt; &amp; <b>orchid</b>"));
        // "é" is two bytes but one character of the editor's text.
        const auto ranges = searchui::charRanges(text, snippet.marks);
        QCOMPARE(ranges.size(), std::size_t(2));
        QCOMPARE(ranges[0], std::make_pair(0, 4));
        QCOMPARE(ranges[1], std::make_pair(11, 17));
    }

    void typingShowsTheHitsAndOpeningOneMarksTheWords()
    {
        Session s;
        QVERIFY(s.search->editSearch->parentWidget()->isAncestorOf(s.window->treeController()->treeMain()) ||
                s.search->editSearch->parentWidget() == s.window->treeController()->treeMain()->parentWidget());
        QTest::keyClicks(s.search->editSearch, "orchid");
        QTRY_COMPARE(s.list().count(), 2);
        QCOMPARE(s.window->pageArea()->currentPageName(), QStringLiteral("panelSearch"));
        QCOMPARE(s.window->pageArea()->accessibleName(), QStringLiteral("Search results"));
        // The title hit first, then the page with its snippet in bold.
        QVERIFY2(s.row(0).contains("Topics / Home / Orchid care") && s.row(0).contains("(title)"),
                 qPrintable(s.row(0)));
        QVERIFY2(s.row(1).contains("Garden") && s.row(1).contains("(page: ") &&
                     s.row(1).contains("<b>orchid</b>"),
                 qPrintable(s.row(1)));

        // Enter on the page hit opens the topic at its page with both matches marked; the
        // branches the user had open stay open.
        s.list().setFocus();
        s.list().setCurrentRow(1);
        QTest::keyClick(&s.list(), Qt::Key_Return);
        QCOMPARE(s.window->treeController()->selectedNode()->text, std::string("Garden"));
        TreeController &tree = *s.window->treeController();
        QVERIFY(tree.treeMain()->isExpanded(tree.model()->indexOf(
            static_cast<tree::TreeItem *>(s.window->store()->Find("105")->treeItem))));
        QCOMPARE(s.window->pageArea()->currentPageName(), QStringLiteral("panelToDoNew"));
        QCOMPARE(s.window->topicPage()->currentPage()->con, int(kPageDetails));
        QCOMPARE(s.editor().extraSelections().size(), 2);
        const QString text = s.editor().toPlainText();
        const int first = text.indexOf("orchid");
        const int second = text.indexOf("orchid", first + 1);
        QCOMPARE(s.editor().textCursor().selectedText(), QStringLiteral("orchid"));
        QCOMPARE(s.editor().textCursor().selectionStart(), first);

        // F3 goes to the next match, Shift+F3 back; past the last it starts again.
        QTest::keyClick(s.window.get(), Qt::Key_F3);
        QCOMPARE(s.editor().textCursor().selectionStart(), second);
        QTest::keyClick(s.window.get(), Qt::Key_F3);
        QCOMPARE(s.editor().textCursor().selectionStart(), first);
        QTest::keyClick(s.window.get(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(s.editor().textCursor().selectionStart(), second);

        // Another topic has no marks to step through.
        s.window->treeController()->selectNode(s.window->store()->Find("104"));
        QCOMPARE(s.search->pageMatches().size(), std::size_t(0));
        QTest::keyClick(s.window.get(), Qt::Key_F3);
        QCOMPARE(s.search->currentMatch(), -1);
    }

    // A screen reader hears each row as "title, path, where it matched: snippet"; the words
    // of one topic may lie in its title and its page.
    void screenReadersHearWhyARowMatched()
    {
        Session s;
        QTest::keyClicks(s.search->editSearch, "garden orchid");
        QTRY_COMPARE(s.list().count(), 1);
        QVERIFY2(s.row(0).contains("(title, page: Notes)"), qPrintable(s.row(0)));
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(&s.list());
        QVERIFY(list);
        QStringList heard;
        for (int i = 0; i < list->childCount(); ++i)
            if (QAccessibleInterface *child = list->child(i))
                heard << child->text(QAccessible::Name);
        const QString expected = QStringLiteral(
            "Garden, Topics / Home / Garden, title, page: Notes: Water the orchid on Sundays. "
            "Repot the orchid in spring.");
        QVERIFY2(heard.contains(expected), qPrintable(heard.join(QStringLiteral(" | "))));

        // Filters alone match no text: the row is heard without a place.
        s.search->editSearch->clear();
        QTest::keyClicks(s.search->editSearch, "type:idea");
        QTRY_COMPARE(s.list().count(), 1);
        QCOMPARE(s.list().item(0)->data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("Orchid care, Topics / Home / Orchid care"));
    }

    void escapeClearsAndCtrlFComesBack()
    {
        Session s;
        QTest::keyClick(s.window.get(), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(s.search->editSearch->hasFocus());
        QTest::keyClicks(s.search->editSearch, "car");
        QTRY_COMPARE(s.list().count(), 1);
        QTest::keyClick(s.search->editSearch, Qt::Key_Escape);
        QVERIFY(s.search->editSearch->text().isEmpty());
        QVERIFY(s.window->pageArea()->currentPageName() != QStringLiteral("panelSearch"));
        QCOMPARE(s.list().count(), 0);
        QTRY_VERIFY(s.window->treeController()->treeMain()->hasFocus());
    }

    void aSavedPageIsFoundByItsNewWords()
    {
        Session s;
        QTest::keyClicks(s.search->editSearch, "orchid");
        QTRY_COMPARE(s.list().count(), 2);
        s.list().setCurrentRow(1);
        QTest::keyClick(&s.list(), Qt::Key_Return);
        QTextCursor end(s.editor().document());
        end.movePosition(QTextCursor::End);
        s.editor().setTextCursor(end);
        QTest::keyClicks(&s.editor(), " Feed the zebrafish.");
        s.window->SaveAll();
        s.search->editSearch->clear();
        QTest::keyClicks(s.search->editSearch, "zebrafish");
        // The index worker writes through SQLite with fsync; while other suites fill the disk's
        // queue that can take longer than QTRY's usual five seconds.
        QTRY_COMPARE_WITH_TIMEOUT(s.list().count(), 1, 60000);
        QVERIFY2(s.row(0).contains("<b>zebrafish</b>"), qPrintable(s.row(0)));
    }
    void aWordJustTypedOnAPageIsFoundWithoutLeavingTheTopic()
    {
        Session s;
        QTest::keyClicks(s.search->editSearch, "orchid");
        QTRY_COMPARE(s.list().count(), 2);
        s.list().setCurrentRow(1);
        QTest::keyClick(&s.list(), Qt::Key_Return);
        QVERIFY(s.editor().toPlainText().contains("orchid"));
        QTextCursor end(s.editor().document());
        end.movePosition(QTextCursor::End);
        s.editor().setTextCursor(end);
        QTest::keyClicks(&s.editor(), " Feed the axolotl.");
        // Straight back to the search field, without leaving the topic or saving.
        s.search->editSearch->selectAll();
        QTest::keyClicks(s.search->editSearch, "axolotl");
        QTRY_COMPARE_WITH_TIMEOUT(s.list().count(), 1, 60000);
        QVERIFY2(s.row(0).contains("<b>axolotl</b>"), qPrintable(s.row(0)));
    }
    // A query saved under a name runs again from the field's menu and from the summary's
    // drop-down, names holding "&" or a TAB included, and goes when it is removed.
    void savedSearchesRunFromBothMenusAndCanBeRemoved()
    {
        Session s;
        QStringList asked;
        QString answer = QStringLiteral("Orchids & more\tto do");
        s.search->setNameAsker([&](const QString &query, QWidget *) -> std::optional<QString> {
            asked << query;
            return answer;
        });
        QMenu &menu = *s.search->menuSavedSearches;
        const auto openMenu = [&] {
            menu.close();
            s.search->actionSavedSearches->trigger();
            QVERIFY(menu.isVisible());
        };
        const auto entry = [](QMenu &in, const QString &name) -> QAction * {
            for (QAction *action : in.actions())
                if (action->data().toString() == name)
                    return action;
            return nullptr;
        };
        const auto action = [&](const QString &objectName) {
            for (QAction *a : menu.actions())
                if (a->objectName() == objectName)
                    return a;
            return static_cast<QAction *>(nullptr);
        };

        openMenu();
        QVERIFY2(!action(QStringLiteral("actionSaveSearch"))->isEnabled(), "nothing to save yet");
        QTest::keyClicks(s.search->editSearch, "orchid -repot");
        QTRY_COMPARE(s.list().count(), 1);
        openMenu();
        action(QStringLiteral("actionSaveSearch"))->trigger();
        QCOMPARE(asked, QStringList{QStringLiteral("orchid -repot")});
        answer = QStringLiteral("Ideas");
        s.search->editSearch->setText(QStringLiteral("type:idea"));
        QVERIFY(s.search->saveCurrentSearch());
        QCOMPARE(s.search->savedSearchNames(),
                 (QStringList{QStringLiteral("Orchids & more\tto do"), QStringLiteral("Ideas")}));
        QVERIFY(std::filesystem::exists(dataFolder(s.dir) + "SavedSearches.dat"));

        // Run from the field's menu: the query comes back and answers.
        s.search->editSearch->clear();
        openMenu();
        QAction *orchids = entry(menu, QStringLiteral("Orchids & more\tto do"));
        QVERIFY(orchids);
        QCOMPARE(orchids->text(), QStringLiteral("Orchids && more\tto do"));
        orchids->trigger();
        QCOMPARE(s.search->editSearch->text(), QStringLiteral("orchid -repot"));
        QTRY_COMPARE(s.list().count(), 1);
        QVERIFY2(s.row(0).contains("Orchid care"), qPrintable(s.row(0)));

        // Run from the summary's drop-down, which lists them below the groups.
        summarypage::SummaryPage &summary = *s.window->summaryPage();
        emit summary.popCategory->aboutToShow();
        QAction *ideas = entry(*summary.popCategory, QStringLiteral("Ideas"));
        QVERIFY(ideas);
        QVERIFY(entry(*summary.popCategory, QStringLiteral("Orchids & more\tto do")));
        ideas->trigger();
        QCOMPARE(s.search->editSearch->text(), QStringLiteral("type:idea"));
        QCOMPARE(s.window->pageArea()->currentPageName(), QStringLiteral("panelSearch"));
        QTRY_COMPARE(s.list().count(), 1);

        // Removing one from the field's menu takes it out of both menus and the file.
        openMenu();
        QMenu *remove = menu.findChild<QMenu *>(QStringLiteral("menuRemoveSavedSearch"));
        QVERIFY(remove);
        entry(*remove, QStringLiteral("Orchids & more\tto do"))->trigger();
        menu.close();
        QCOMPARE(s.search->savedSearchNames(), QStringList{QStringLiteral("Ideas")});
        emit summary.popCategory->aboutToShow();
        QVERIFY(!entry(*summary.popCategory, QStringLiteral("Orchids & more\tto do")));
        QVERIFY(entry(*summary.popCategory, QStringLiteral("Ideas")));
    }
};

QTEST_MAIN(SearchWindowTest)
#include "SearchWindowTest.moc"
