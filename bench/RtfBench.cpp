// Opening and saving a 1 MB details page (about 200 pages of formatted text) through the RTF
// reader and writer, beside the physical baseline of reading and writing the same bytes.
#include "shell/rtf/RtfReader.h"
#include "shell/rtf/RtfWriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using nimbus::rtf::RtfReader;
using nimbus::rtf::RtfWriter;

constexpr int Pages = 200;

// Each page: a heading, body paragraphs with bold, italic, underlined, coloured and
// highlighted runs, non-ASCII text and a link, a bullet list and a numbered list.
void fillPage(QTextCursor &cursor, int page)
{
    QTextCharFormat plain;
    QTextCharFormat heading;
    heading.setFontWeight(QFont::Bold);
    heading.setFontPointSize(16);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    QTextCharFormat underline;
    underline.setFontUnderline(true);
    QTextCharFormat red;
    red.setForeground(QColor(200, 0, 0));
    QTextCharFormat highlight;
    highlight.setBackground(QColor(255, 255, 0));
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(QStringLiteral("https://example.com/page/%1").arg(page));
    link.setFontUnderline(true);
    link.setForeground(QColor(0, 0, 255));

    QTextBlockFormat body;
    QTextBlockFormat indented;
    indented.setLeftMargin(48);
    cursor.insertBlock(body, heading);
    cursor.insertText(QStringLiteral("Page %1: notes on the project").arg(page + 1), heading);
    for (int p = 0; p < 4; ++p) {
        cursor.insertBlock(p % 3 == 2 ? indented : body, plain);
        cursor.insertText(QStringLiteral("The meeting on day %1 agreed that the plan goes ahead; ")
                              .arg(page * 4 + p),
                          plain);
        cursor.insertText(QStringLiteral("every open question"), bold);
        cursor.insertText(QStringLiteral(" is listed below, "), plain);
        cursor.insertText(QStringLiteral("with its owner"), italic);
        cursor.insertText(QStringLiteral(" and "), plain);
        cursor.insertText(QStringLiteral("a due date"), underline);
        cursor.insertText(QString::fromUtf8(". Café prices rose by 5 € — Grüße an alle, "
                                            "Ελληνικά σημειώσεις. "),
                          plain);
        cursor.insertText(QStringLiteral("Late items are red"), red);
        cursor.insertText(QStringLiteral(", reviewed ones are "), plain);
        cursor.insertText(QStringLiteral("highlighted"), highlight);
        cursor.insertText(QStringLiteral("; see "), plain);
        cursor.insertText(QStringLiteral("the tracker"), link);
        cursor.insertText(QStringLiteral(" for details.\tDone."), plain);
    }
    cursor.insertBlock(body, plain);
    cursor.createList(QTextListFormat::ListDisc);
    for (int item = 0; item < 4; ++item) {
        if (item > 0)
            cursor.insertBlock();
        cursor.insertText(QStringLiteral("Bullet item %1 with a few words of text").arg(item + 1),
                          plain);
    }
    cursor.insertBlock(body, plain);
    cursor.createList(QTextListFormat::ListDecimal);
    for (int item = 0; item < 4; ++item) {
        if (item > 0)
            cursor.insertBlock();
        cursor.insertText(QStringLiteral("Numbered step %1 of the checklist").arg(item + 1), plain);
    }
}

// The generated page, written once as RTF into a temporary folder.
class DetailsPage {
public:
    DetailsPage()
    {
        if (!folder_.isValid())
            std::abort();
        QTextCursor cursor(&document_);
        for (int page = 0; page < Pages; ++page)
            fillPage(cursor, page);
        RtfWriter writer;
        bytes_ = writer.write(document_);
        path_ = folder_.filePath(QStringLiteral("1-1.txt"));
        QFile file(path_);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes_) != bytes_.size())
            std::abort();
    }
    const QTextDocument &document() const { return document_; }
    const QByteArray &bytes() const { return bytes_; }
    const QString &path() const { return path_; }
    QString savePath() const { return folder_.filePath(QStringLiteral("saved.txt")); }

private:
    QTemporaryDir folder_;
    QTextDocument document_;
    QByteArray bytes_;
    QString path_;
};

DetailsPage &detailsPage()
{
    static DetailsPage page;
    return page;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
}

void BM_OpenRtfPage(benchmark::State &state)
{
    const DetailsPage &page = detailsPage();
    for (auto _ : state) {
        QTextDocument document;
        RtfReader reader;
        if (!reader.read(readFile(page.path()), &document))
            state.SkipWithError("page not read completely");
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.counters["rtf_bytes"] = static_cast<double>(page.bytes().size());
    state.SetBytesProcessed(state.iterations() * page.bytes().size());
}

void BM_BaselineReadBytes(benchmark::State &state)
{
    const DetailsPage &page = detailsPage();
    for (auto _ : state) {
        const QByteArray bytes = readFile(page.path());
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetBytesProcessed(state.iterations() * page.bytes().size());
}

void BM_SaveRtfPage(benchmark::State &state)
{
    const DetailsPage &page = detailsPage();
    const QString path = page.savePath();
    for (auto _ : state) {
        RtfWriter writer;
        writeFile(path, writer.write(page.document()));
    }
    state.counters["rtf_bytes"] = static_cast<double>(page.bytes().size());
    state.SetBytesProcessed(state.iterations() * page.bytes().size());
}

void BM_BaselineWriteBytes(benchmark::State &state)
{
    const DetailsPage &page = detailsPage();
    const QString path = page.savePath();
    for (auto _ : state)
        writeFile(path, page.bytes());
    state.SetBytesProcessed(state.iterations() * page.bytes().size());
}

} // namespace

BENCHMARK(BM_OpenRtfPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineReadBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveRtfPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineWriteBytes)->Unit(benchmark::kMillisecond);

// QTextDocument needs a QGuiApplication; the offscreen platform needs no display.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
