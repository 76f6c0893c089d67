// Opening and saving a 1 MB details page through the topic page of the main window (content
// file, page description, RTF reader into the real editor with its address marks; RTF writer
// and the page's file with its old versions), beside reading and writing the same bytes.
#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QTextDocument>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "DetailsPageGenerator.h"
#include "shell/pages/DetailsEditor.h"
#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/PagePrompts.h"
#include "shell/pages/TopicPage.h"
#include "shell/rtf/RtfWriter.h"
#include "store/Clock.h"
#include "store/StoreLog.h"
#include "store/SummaryLists.h"
#include "store/TNimbusNode.h"
#include "store/TPreferences.h"
#include "store/TScreenSetup.h"

namespace {

using namespace nimbus;

// No dialog ever opens in a benchmark.
class SilentPrompts : public pages::PagePrompts {
public:
    bool chooseFont(QWidget *, pages::FontChoice &) override { return false; }
    pages::HiliteChoice chooseHighlight(QWidget *, const QTextDocumentFragment &, int, int) override
    {
        return {};
    }
    bool setupPrinter(QWidget *, QPrinter &) override { return false; }
    QString wordFileName(QWidget *, const QString &) override { return {}; }
    std::optional<std::string> pageTitle(QWidget *, const std::string &) override { return {}; }
    bool openDocument(const std::string &) override { return false; }
    void tellUser(QWidget *, const QString &) override {}
};

// A data folder holding topic 1 whose details page is the generated 1 MB page, and a topic
// page over it.
class PageWorld {
public:
    PageWorld()
    {
        char pattern[] = "/tmp/nimbus-bench-XXXXXX";
        if (!::mkdtemp(pattern))
            std::abort();
        folder_ = std::string(pattern) + "/";
        folders_ = ContentFolders::inDataFolder(folder_);
        for (const std::string &f : {folders_.packs, folders_.text, folders_.checkList})
            std::filesystem::create_directories(f);
        QTextDocument document;
        bench::fillDetailsPage(document);
        bytes_ = rtf::RtfWriter().write(document);
        write(folders_.packs + "1.pkt", "con=0\r\nuni=1\r\nfile=1-1.txt\r\n");
        write(folders_.checkList + "1-1.~txt", "cre=20260101-100000\r\name=20260101-100000\r\n"
                                               "data=1\r\nrtf=1\r\n");
        write(folders_.text + "1-1.txt", bytes_.toStdString());
        node_.lev = 1;
        node_.type = kSectionTopics;
        node_.text = "Big page";
        page_ = std::make_unique<pages::TopicPage>(
            pages::TopicPageContext{folders_, &clock_, &NullStoreLog::instance(), &lists_,
                                    &preferences_, [] {}},
            prompts_, setup_, QCursor());
        page_->resize(900, 700);
    }
    ~PageWorld()
    {
        page_.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    static void write(const std::string &path, const std::string &bytes)
    {
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
                static_cast<qint64>(bytes.size()))
            std::abort();
    }
    std::string pagePath() const { return folders_.text + "1-1.txt"; }
    std::string copyPath() const { return folder_ + "copy.txt"; }

    FixedClock clock_{DateTime::fromCivil(2026, 3, 5, 14, 7, 9)};
    std::string folder_;
    ContentFolders folders_;
    QByteArray bytes_;
    TNimbusNode node_{"1"};
    SummaryLists lists_;
    TPreferences preferences_;
    TScreenSetup setup_;
    SilentPrompts prompts_;
    std::unique_ptr<pages::TopicPage> page_;
};

// Made once the application exists, and gone before it ends.
std::unique_ptr<PageWorld> made;

PageWorld &world()
{
    if (!made)
        made = std::make_unique<PageWorld>();
    return *made;
}

void BM_OpenDetailsPage(benchmark::State &state)
{
    PageWorld &w = world();
    for (auto _ : state) {
        // Each time as the first showing of the topic: its page list is read again.
        w.node_.content.reset();
        w.node_.contentLoaded = false;
        w.page_->ShowTopicPage(nullptr);
        w.page_->ShowTopicPage(&w.node_);
        // The address marks are made once the page is shown: they count as opening it.
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(w.page_->details->RichEdit1->document()->characterCount());
    }
    state.counters["rtf_bytes"] = static_cast<double>(w.bytes_.size());
    state.SetBytesProcessed(state.iterations() * w.bytes_.size());
}

void BM_BaselineReadBytes(benchmark::State &state)
{
    PageWorld &w = world();
    for (auto _ : state) {
        QFile file(QString::fromStdString(w.pagePath()));
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        benchmark::DoNotOptimize(file.readAll().size());
    }
    state.SetBytesProcessed(state.iterations() * w.bytes_.size());
}

void BM_SaveDetailsPage(benchmark::State &state)
{
    PageWorld &w = world();
    if (w.page_->node() != &w.node_)
        w.page_->ShowTopicPage(&w.node_);
    for (auto _ : state) {
        w.page_->details->setModified(true);
        w.page_->SaveCurrentPage();
    }
    state.counters["rtf_bytes"] = static_cast<double>(w.bytes_.size());
    state.SetBytesProcessed(state.iterations() * w.bytes_.size());
}

void BM_BaselineWriteBytes(benchmark::State &state)
{
    PageWorld &w = world();
    const std::string bytes = w.bytes_.toStdString();
    for (auto _ : state)
        PageWorld::write(w.copyPath(), bytes);
    state.SetBytesProcessed(state.iterations() * w.bytes_.size());
}

} // namespace

BENCHMARK(BM_OpenDetailsPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineReadBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDetailsPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineWriteBytes)->Unit(benchmark::kMillisecond);

// The editor is a widget: a QApplication on the offscreen platform, no display needed.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    made.reset();
    return 0;
}
