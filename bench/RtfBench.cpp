// Opening and saving a 1 MB details page through the RTF reader and writer, beside the
// physical baseline of reading and writing the same bytes: one of about 200 pages of formatted
// text, and one of text with 50 pictures and 20 tables.
#include "shell/rtf/RtfReader.h"
#include "shell/rtf/RtfWriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <benchmark/benchmark.h>

#include "DetailsPageGenerator.h"

#include <cstdlib>

namespace {

using nimbus::rtf::RtfReader;
using nimbus::rtf::RtfWriter;

constexpr int Pages = 200;
constexpr int MixedPages = 85; // text beside the pictures and tables, for about 1 MB in all
constexpr int Pictures = 50;
constexpr int Tables = 20;

// The generated page, written once as RTF into a temporary folder. The page with pictures is
// saved as it was opened (its pictures then carry the bytes they were read with).
class DetailsPage {
public:
    explicit DetailsPage(bool withPictures)
    {
        if (!folder_.isValid())
            std::abort();
        RtfWriter writer;
        if (withPictures) {
            QTextDocument generated;
            nimbus::bench::fillPicturesAndTablesPage(generated, MixedPages, Pictures, Tables);
            RtfReader reader;
            if (!reader.read(writer.write(generated), &document_))
                std::abort();
        } else {
            nimbus::bench::fillDetailsPage(document_, Pages);
        }
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
    static DetailsPage page(false);
    return page;
}

DetailsPage &picturesPage()
{
    static DetailsPage page(true);
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

void openPage(benchmark::State &state, const DetailsPage &page)
{
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

void readBytes(benchmark::State &state, const DetailsPage &page)
{
    for (auto _ : state) {
        const QByteArray bytes = readFile(page.path());
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetBytesProcessed(state.iterations() * page.bytes().size());
}

void savePage(benchmark::State &state, const DetailsPage &page)
{
    const QString path = page.savePath();
    for (auto _ : state) {
        RtfWriter writer;
        writeFile(path, writer.write(page.document()));
    }
    state.counters["rtf_bytes"] = static_cast<double>(page.bytes().size());
    state.SetBytesProcessed(state.iterations() * page.bytes().size());
}

void writeBytes(benchmark::State &state, const DetailsPage &page)
{
    const QString path = page.savePath();
    for (auto _ : state)
        writeFile(path, page.bytes());
    state.SetBytesProcessed(state.iterations() * page.bytes().size());
}

void BM_OpenRtfPage(benchmark::State &state) { openPage(state, detailsPage()); }
void BM_BaselineReadBytes(benchmark::State &state) { readBytes(state, detailsPage()); }
void BM_SaveRtfPage(benchmark::State &state) { savePage(state, detailsPage()); }
void BM_BaselineWriteBytes(benchmark::State &state) { writeBytes(state, detailsPage()); }
// 50 pictures and 20 tables: opens in under 300 ms and saves in under 200 ms.
void BM_OpenPicturesTablesPage(benchmark::State &state) { openPage(state, picturesPage()); }
void BM_BaselineReadPicturesTablesBytes(benchmark::State &state)
{
    readBytes(state, picturesPage());
}
void BM_SavePicturesTablesPage(benchmark::State &state) { savePage(state, picturesPage()); }
void BM_BaselineWritePicturesTablesBytes(benchmark::State &state)
{
    writeBytes(state, picturesPage());
}

} // namespace

BENCHMARK(BM_OpenRtfPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineReadBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveRtfPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineWriteBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPicturesTablesPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineReadPicturesTablesBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePicturesTablesPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineWritePicturesTablesBytes)->Unit(benchmark::kMillisecond);

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
