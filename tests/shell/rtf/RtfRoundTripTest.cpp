// Pages with pictures and tables as a word processor and a converter wrote them
// (tests/data/rtf, see its README.txt): open, edit one word, save, reopen, and everything is
// still there; the word processor itself reads our saved page back when it is installed.
#include "RtfTestSupport.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

using namespace nimbus::rtf;
using namespace nimbus::rtf::testing;

namespace {

const QString DataFolder = QStringLiteral(NIMBUS_RTF_DATA_DIR);

QList<QImage> shownPictures(const QTextDocument &document)
{
    QList<QImage> found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (const QTextCharFormat format = it.fragment().charFormat(); format.isImageFormat())
                found << document
                             .resource(QTextDocument::ImageResource,
                                       QUrl(format.toImageFormat().name()))
                             .value<QImage>()
                             .convertToFormat(QImage::Format_RGB32);
    return found;
}

QStringList cellTexts(const QTextDocument &document)
{
    QStringList texts;
    for (QTextFrame *frame : document.rootFrame()->childFrames()) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table)
            continue;
        for (int row = 0; row < table->rows(); ++row)
            for (int column = 0; column < table->columns(); ++column) {
                const QTextTableCell cell = table->cellAt(row, column);
                if (cell.row() != row || cell.column() != column)
                    continue;
                QTextCursor cursor = cell.firstCursorPosition();
                cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                texts << cursor.selectedText();
            }
    }
    return texts;
}

const QStringList Cells = {"Name", "Amount", "Note", QString::fromUtf8("Café"), "12",
                           QString::fromUtf8("paid in €"), "Merged across two", "last cell"};

// Edits one word the way a user does, saves, and reads the saved page again.
std::unique_ptr<QTextDocument> editSaveReopen(QTextDocument &document, QByteArray *saved)
{
    QTextCursor word = document.find("Before");
    EXPECT_FALSE(word.isNull());
    word.insertText("Ahead");
    *saved = RtfWriter().write(document);
    return readRtf(*saved);
}

void expectEverythingKept(const QTextDocument &original, const QTextDocument &reopened)
{
    EXPECT_FALSE(reopened.find("Ahead the pictures").isNull());
    EXPECT_EQ(formatOf(reopened, "bold words").fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatOf(reopened, "italic words").fontItalic());
    const QList<QImage> pictures = shownPictures(reopened);
    ASSERT_EQ(pictures.size(), 2);
    EXPECT_EQ(pictures, shownPictures(original)); // same pixels
    EXPECT_EQ(pictures[0], QImage(DataFolder + "/picture.png").convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(pictures[1].size(), QSize(32, 24));
    EXPECT_EQ(cellTexts(reopened), Cells);
    EXPECT_EQ(formatOf(reopened, "12").fontWeight(), QFont::Bold);
    const QTextCharFormat link = formatOf(reopened, "the table page");
    EXPECT_EQ(link.anchorHref(), "https://example.com/table");
    EXPECT_NE(blockOf(reopened, "Bullet after the table").textList(), nullptr);
}

} // namespace

TEST(RtfRoundTrip, WordProcessorPageWithPicturesAndTable)
{
    const auto doc = readRtf(fileBytes(DataFolder + "/libreoffice-tables-pictures.rtf"));
    EXPECT_EQ(cellTexts(*doc), Cells);
    QByteArray saved;
    const auto reopened = editSaveReopen(*doc, &saved);
    expectEverythingKept(*doc, *reopened);
    // The merged cell spans the first two columns, as it did in the word processor.
    for (QTextFrame *frame : reopened->rootFrame()->childFrames())
        if (auto *table = qobject_cast<QTextTable *>(frame)) {
            EXPECT_EQ(table->cellAt(2, 0).columnSpan(), 2);
        }
}

TEST(RtfRoundTrip, ConverterPageWithPicturesAndTable)
{
    const auto doc = readRtf(fileBytes(DataFolder + "/pandoc-tables-pictures.rtf"));
    EXPECT_EQ(cellTexts(*doc).mid(0, 6), Cells.mid(0, 6));
    QByteArray saved;
    const auto reopened = editSaveReopen(*doc, &saved);
    EXPECT_EQ(shownPictures(*reopened), shownPictures(*doc));
    EXPECT_EQ(cellTexts(*reopened), cellTexts(*doc));
    EXPECT_FALSE(reopened->find("Ahead the pictures").isNull());
}

// The word processor converts our saved page to text with the same content. Skipped where
// LibreOffice is not installed (the fixture above was made by it).
TEST(RtfRoundTrip, WordProcessorReadsOurPageBack)
{
    const QString office = QStandardPaths::findExecutable("soffice");
    if (office.isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto doc = readRtf(fileBytes(DataFolder + "/libreoffice-tables-pictures.rtf"));
    QByteArray saved;
    editSaveReopen(*doc, &saved);
    QFile page(folder.filePath("page.rtf"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(saved);
    page.close();

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", folder.path());
    process.setProcessEnvironment(environment);
    process.start(office, {"-env:UserInstallation=" + QUrl::fromLocalFile(folder.filePath("profile")).toString(),
                           "--headless", "--convert-to", "txt:Text (encoded):UTF8", "--outdir",
                           folder.path(), page.fileName()});
    ASSERT_TRUE(process.waitForFinished(120000));
    QFile text(folder.filePath("page.txt"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly)) << process.readAllStandardError().toStdString();
    const QString content = QString::fromUtf8(text.readAll());
    EXPECT_TRUE(content.contains("Ahead the pictures, bold words and italic words."));
    for (const QString &cell : Cells)
        EXPECT_TRUE(content.contains(cell)) << cell.toStdString();
    EXPECT_TRUE(content.contains("Bullet after the table"));
    EXPECT_TRUE(content.contains("A link to the table page at the end."));
}

// The converter makes the page from the HTML source here and now, and reads our saved page
// back to text. Skipped where pandoc is not installed.
TEST(RtfRoundTrip, ConverterMakesAndReadsBackAPage)
{
    const QString pandoc = QStandardPaths::findExecutable("pandoc");
    if (pandoc.isEmpty())
        GTEST_SKIP() << "pandoc is not installed";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    auto run = [&](const QStringList &arguments) {
        QProcess process;
        process.setWorkingDirectory(DataFolder); // the HTML names its pictures relative to it
        process.start(pandoc, arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    };
    const QByteArray made = run({"-s", "-f", "html", "-t", "rtf", "tables-pictures.html"});
    const auto doc = readRtf(made);
    EXPECT_EQ(shownPictures(*doc).size(), 2);
    QByteArray saved;
    const auto reopened = editSaveReopen(*doc, &saved);
    EXPECT_EQ(shownPictures(*reopened), shownPictures(*doc));
    EXPECT_EQ(cellTexts(*reopened), cellTexts(*doc));

    QFile page(folder.filePath("page.rtf"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(saved);
    page.close();
    const QString text = QString::fromUtf8(run({"-f", "rtf", "-t", "plain", page.fileName()}));
    EXPECT_TRUE(text.contains("Ahead the pictures")) << text.toStdString();
    for (const QString &cell : Cells.mid(0, 6))
        EXPECT_TRUE(text.contains(cell)) << cell.toStdString();
}
