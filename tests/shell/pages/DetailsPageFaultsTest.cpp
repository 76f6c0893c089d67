// Details pages that must not lose anything: pictures and tables kept through an edit, pages
// that cannot be read or kept whole shown read-only and left alone, failed saves kept and
// reported, 8-bit plain pages decoded as they were written. Real window, offscreen.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextFrame>
#include <QTextTable>
#include <QtTest>

#include <filesystem>

#include "FakePagePrompts.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/DetailsFormatting.h"
#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/LongWords.h"
#include "shell/pages/TopicPage.h"
#include "shell/rtf/RtfReader.h"
#include "shell/tree/WindowFixture.h"

using namespace nimbus;
using namespace nimbus::test;
using nimbus::pages::DetailsEditor;
using nimbus::pages::TopicPage;

namespace {

class PagesPrompts : public FakePrompts {
public:
    std::shared_ptr<pages::PagePrompts> pagePrompts() override { return pages; }
    std::shared_ptr<FakePagePrompts> pages = std::make_shared<FakePagePrompts>();
};

// Two topics; topic 101's details page is a file the test writes.
struct FaultsWorld {
    FaultsWorld()
    {
        StoreWriter writer(dataFolder(dir));
        writer.add(0, "Topics");
        writer.add(1, "Plans");  // uni 101
        writer.add(1, "Notes");  // uni 102
        writer.write();
    }
    // Topic 101's details page as a file, rich text or plain.
    void pageFile(const std::string &bytes, bool rich = true)
    {
        for (const char *folder : {"Packs", "CheckList", "Text"})
            std::filesystem::create_directories(file(folder));
        writeFile(file("Packs/101.pkt"), "con=0\r\nuni=1\r\nfile=101-1.txt\r\ncon=1\r\nuni=2\r\n");
        writeFile(file("CheckList/101-1.~txt"), std::string("cre=20260101-090000\r\n"
                                                            "ame=20260101-090000\r\ndata=1\r\n") +
                                                    (rich ? "rtf=1\r\n" : "rtf=0\r\n"));
        writeFile(file("Text/101-1.txt"), bytes);
    }
    std::unique_ptr<TformMain> open()
    {
        return std::make_unique<TformMain>(clock, windowEnvironment(dir, prompts));
    }
    std::string file(const std::string &name) const { return dataFolder(dir) + name; }

    TempFolder dir;
    FixedClock clock{DateTime::fromCivil(2026, 3, 5, 14, 7, 9)};
    std::shared_ptr<PagesPrompts> prompts = std::make_shared<PagesPrompts>();
};

TopicPage *select(TformMain &window, const char *uni)
{
    window.treeController()->selectNode(window.store()->Find(uni));
    return window.topicPage();
}

std::string fixture(const char *name)
{
    return readFile(std::string(NIMBUS_RTF_DATA_DIR) + "/" + name);
}

int pictureCount(const QTextDocument &document)
{
    int count = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                count += it.fragment().length();
    return count;
}

int tableCount(const QTextDocument &document)
{
    int count = 0;
    for (QTextFrame *frame : document.rootFrame()->childFrames())
        count += qobject_cast<QTextTable *>(frame) != nullptr;
    return count;
}

// A read-only page: typing changes nothing and no save touches its file.
void expectLeftAlone(FaultsWorld &world, TformMain &window, const std::string &before)
{
    DetailsEditor *details = window.topicPage()->details;
    QVERIFY(details->RichEdit1->isReadOnly());
    QVERIFY(!details->labelPageNotice->isHidden());
    QVERIFY(!details->formatting->RichEditBold->isEnabled());
    QTest::keyClicks(details->RichEdit1, "typed");
    QVERIFY(!details->modified());
    select(window, "102");
    window.SaveAll();
    QCOMPARE(readFile(world.file("Text/101-1.txt")), before);
}

} // namespace

class DetailsPageFaultsTest : public QObject {
    Q_OBJECT

private slots:
    void picturesAndTablesSurviveAnEdit()
    {
        FaultsWorld world;
        world.pageFile(fixture("libreoffice-tables-pictures.rtf"));
        auto window = world.open();
        DetailsEditor *details = select(*window, "101")->details;
        QVERIFY(!details->RichEdit1->isReadOnly());
        QVERIFY(details->labelPageNotice->isHidden());
        QCOMPARE(pictureCount(*details->RichEdit1->document()), 2);
        QCOMPARE(tableCount(*details->RichEdit1->document()), 1);
        details->RichEdit1->moveCursor(QTextCursor::Start);
        QTest::keyClicks(details->RichEdit1, "Edited. ");
        select(*window, "102");

        const std::string saved = readFile(world.file("Text/101-1.txt"));
        QTextDocument reread;
        rtf::RtfReader reader;
        QVERIFY(reader.read(QByteArray::fromStdString(saved), &reread));
        QVERIFY(!reread.find("Edited. ").isNull());
        QVERIFY(!reread.find("Before the pictures").isNull());
        QCOMPARE(pictureCount(reread), 2);
        QCOMPARE(tableCount(reread), 1);
        QVERIFY(!reread.find("Merged across two").isNull());
        // Old versions keep what was there before.
        QVERIFY(QFile::exists(QString::fromStdString(world.file("Text/101-1(1).txt"))));
    }

    void pagesThatCannotBeKeptWholeOpenReadOnly()
    {
        // Content the editor cannot keep.
        {
            FaultsWorld world;
            const std::string page = "{\\rtf1\\ansi{\\header Letterhead\\par}Body text\\par}";
            world.pageFile(page);
            auto window = world.open();
            DetailsEditor *details = select(*window, "101")->details;
            QVERIFY(details->labelPageNotice->text().contains("headers or footers"));
            QVERIFY(details->RichEdit1->toPlainText().contains("Body text"));
            expectLeftAlone(world, *window, page);
        }
        // A page cut short, and one of 20 MB.
        {
            FaultsWorld world;
            const std::string whole = fixture("libreoffice-tables-pictures.rtf");
            const std::string truncated = whole.substr(0, whole.size() / 2);
            world.pageFile(truncated);
            auto window = world.open();
            DetailsEditor *details = select(*window, "101")->details;
            QVERIFY(details->labelPageNotice->text().contains("could not be read completely"));
            expectLeftAlone(world, *window, truncated);
            QVERIFY(window->reLog->toPlainText().contains("could not be read completely"));

            const std::string huge = "{\\rtf1\\ansi " + std::string(20 * 1024 * 1024, 'x') + "}";
            writeFile(world.file("Text/101-1.txt"), huge);
            details = select(*window, "101")->details;
            QVERIFY(details->labelPageNotice->text().contains("larger than 16 MB"));
            QVERIFY(details->RichEdit1->document()->isEmpty());
            QTest::keyClicks(details->RichEdit1, "typed");
            select(*window, "102");
            window->SaveAll();
            QCOMPARE(QFileInfo(QString::fromStdString(world.file("Text/101-1.txt"))).size(),
                     qint64(huge.size()));
        }
        // A page file that cannot be read at all.
        {
            FaultsWorld world;
            world.pageFile("");
            QFile::remove(QString::fromStdString(world.file("Text/101-1.txt")));
            QVERIFY(QDir().mkpath(QString::fromStdString(world.file("Text/101-1.txt"))));
            auto window = world.open();
            DetailsEditor *details = select(*window, "101")->details;
            QVERIFY(details->labelPageNotice->text().contains("could not be read ("));
            QVERIFY(details->RichEdit1->isReadOnly());
            QVERIFY(window->reLog->toPlainText().contains("could not be read"));
            // An editable page again once another page is shown.
            details = select(*window, "102")->details;
            QVERIFY(!details->RichEdit1->isReadOnly());
            QVERIFY(details->labelPageNotice->isHidden());
        }
    }

    void wordsTooLongToLayOutAreShownCutAndLeftAlone()
    {
        // One unbroken word of 300 KB, and a plain page that is a single line of 2 MB.
        const std::string word = "Start " + std::string(300 * 1024, 'w') + " end";
        std::string line;
        while (line.size() < 2 * 1024 * 1024)
            line += "lorem ipsum ";
        for (const std::string &page : {word, line}) {
            FaultsWorld world;
            world.pageFile(page, false);
            auto window = world.open();
            DetailsEditor *details = select(*window, "101")->details;
            QVERIFY(details->labelPageNotice->text().contains("shown cut short"));
            QVERIFY(details->RichEdit1->toPlainText().startsWith(QString::fromStdString(page.substr(0, 20))));
            QVERIFY(details->RichEdit1->toPlainText().size() < 1100000);
            expectLeftAlone(world, *window, page);
        }
        // Cutting keeps what is around the long words.
        QTextDocument document;
        document.setPlainText(QString("a %1 b\n%2 c").arg(QString(12, 'x'), QString(15, 'y')));
        QCOMPARE(pages::CutLongWords(document, 5, 100), 15);
        QCOMPARE(document.toPlainText(), QString("a xxxxx b\nyyyyy c"));
        QCOMPARE(pages::CutLongWords(document, 5, 100), 0);
    }

    void failedSaveKeepsTheEditsAndSaysSo()
    {
        FaultsWorld world;
        auto window = world.open();
        const QString text = QString::fromStdString(world.file("Text"));
        // The pages folder is in the way: writing a page there fails.
        QVERIFY(QDir(text).removeRecursively());
        writeFile(world.file("Text"), "not a folder");

        TopicPage *page = select(*window, "102");
        QTest::keyClicks(page->details->RichEdit1, "precious words");
        select(*window, "101");
        QVERIFY(!page->labelSaveProblem->isHidden());
        QVERIFY(page->labelSaveProblem->text().contains("could not be saved"));
        QVERIFY(page->labelSaveProblem->text().contains("\"Details\" of \"Notes\""));

        // Shown again, the page holds the edits and still counts as changed.
        select(*window, "102");
        QCOMPARE(page->details->RichEdit1->toPlainText(), QStringLiteral("precious words"));
        QVERIFY(page->details->modified());
        select(*window, "101");

        // Once the folder is back, the next save writes them, from whichever page is shown.
        QFile::remove(text);
        QVERIFY(QDir().mkpath(text));
        window->SaveAll();
        QVERIFY(page->labelSaveProblem->isHidden());
        QVERIFY(readFile(world.file("Text/102-1.txt")).find("precious words") !=
                std::string::npos);
        QCOMPARE(window->store()->Find("102")->dac, 1);
        QCOMPARE(page->node()->uni, std::string("101")); // the shown page stayed
    }

    void eightBitPlainPagesKeepTheirAccents()
    {
        FaultsWorld world;
        world.pageFile("Caf\xE9 cr\xE8me \x80 5\r\nna\xEFve", false);
        auto window = world.open();
        DetailsEditor *details = select(*window, "101")->details;
        QCOMPARE(details->RichEdit1->toPlainText(),
                 QString::fromUtf8("Café crème € 5\nnaïve"));
        QVERIFY(!details->RichEdit1->isReadOnly());
        details->RichEdit1->moveCursor(QTextCursor::End);
        QTest::keyClicks(details->RichEdit1, "!");
        select(*window, "102");
        details = select(*window, "101")->details;
        QCOMPARE(details->RichEdit1->toPlainText(),
                 QString::fromUtf8("Café crème € 5\nnaïve!"));
        // UTF-8 plain pages stay UTF-8.
        FaultsWorld utf8;
        utf8.pageFile("Gr\xC3\xBC\xC3\x9F" "e", false);
        auto second = utf8.open();
        QCOMPARE(select(*second, "101")->details->RichEdit1->toPlainText(),
                 QString::fromUtf8("Grüße"));
    }

    void bulletsIndentAsWordProcessorsExpect()
    {
        FaultsWorld world;
        auto window = world.open();
        DetailsEditor *details = select(*window, "102")->details;
        details->formatting->RichEditBullets->trigger();
        QTest::keyClicks(details->RichEdit1, "a bullet");
        QCOMPARE(details->RichEdit1->document()->indentWidth(),
                 pages::DetailsFormatting::kIndentStep);
        select(*window, "101");
        const std::string saved = readFile(world.file("Text/102-1.txt"));
        QVERIFY2(saved.find("\\ls1\\ilvl0\\li1440\\fi-360") != std::string::npos, saved.c_str());
    }
};

QTEST_MAIN(DetailsPageFaultsTest)
#include "DetailsPageFaultsTest.moc"
