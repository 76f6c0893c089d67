// The viewer on large files: a 100,000-line, 10-column table opened, shown and re-sorted, and
// a 50 MB log opened as text, each beside the physical baseline of reading the same bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "viewer/DisplayLines.h"
#include "viewer/TableContent.h"
#include "viewer/TformTextDisplay.h"
#include "viewer/ViewerPrompts.h"
#include "viewer/ViewerTableModel.h"

namespace {

using namespace nimbus::viewer;

constexpr int kTableLines = 100000;
constexpr std::size_t kLogBytes = 50u << 20;

// Nothing is asked in a benchmark.
class SilentPrompts : public ViewerPrompts {
public:
    QString chooseSaveFile(QWidget *, const QString &) override { return {}; }
    bool confirmOverwrite(QWidget *) override { return false; }
    void reportWriteError(QWidget *) override {}
    QString chooseVersion(QWidget *, const QStringList &) override { return {}; }
    bool editOptions(QWidget *, FileDisplayOptions &, int, bool) override { return false; }
    bool setUpPrinter(QWidget *, QPrinter &) override { return false; }
};

void writeBytes(const std::string &path, const std::string &bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        std::abort();
    ::close(fd);
}

// The generated files, in a temporary folder removed when the program ends.
class Files {
public:
    Files()
    {
        char folder[] = "/tmp/nimbus-bench-XXXXXX";
        if (::mkdtemp(folder) == nullptr)
            std::abort();
        folder_ = std::string(folder) + "/";
        std::filesystem::create_directory(dataFolder());

        std::string table = "Name,Amount,Date,Code,City,Quantity,Price,Status,Owner,Note\r\n";
        table.reserve(10u << 20);
        for (int i = 0; i < kTableLines; ++i) {
            const int k = (i * 7919) % kTableLines; // rows out of order for every column
            table += "Item" + std::to_string(k) + "," + std::to_string((k * 37) % 100000) + "." +
                     std::to_string(k % 100) + "," + std::to_string(10 + k % 18) + "/" +
                     std::to_string(10 + k % 3) + "/" + std::to_string(1990 + k % 35) + ",C" +
                     std::to_string(k % 977) + ",\"City, " + std::to_string(k % 50) + "\"," +
                     std::to_string(k % 1000) + "," + std::to_string(k % 89) + ".99,open,user" +
                     std::to_string(k % 12) + ",note " + std::to_string(i) + "\r\n";
        }
        tableBytes_ = table.size();
        writeBytes(tablePath(), table);
        writeBytes(dataFolder() + "table.~csv",
                   "InfoType=table\r\nColumns=Y\r\nHeadings=Y\r\nCT1=number\r\nCT2=date1\r\n");

        std::string log;
        log.reserve(kLogBytes + 200);
        for (int i = 0; log.size() < kLogBytes; ++i)
            log += "05/12/2026 14:" + std::to_string(10 + i % 50) + ":" +
                   std::to_string(10 + i % 50) + "  Topic " + std::to_string(i) +
                   " saved; the store holds 10000 topics and 1200 pages\r\n";
        logBytes_ = log.size();
        writeBytes(logPath(), log);
    }
    ~Files()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string dataFolder() const { return folder_ + "data/"; }
    std::string tablePath() const { return folder_ + "table.csv"; }
    std::string logPath() const { return folder_ + "MainLog.txt"; }
    std::int64_t tableBytes() const { return static_cast<std::int64_t>(tableBytes_); }
    std::int64_t logBytes() const { return static_cast<std::int64_t>(logBytes_); }

private:
    std::string folder_;
    std::size_t tableBytes_ = 0;
    std::size_t logBytes_ = 0;
};

Files &files()
{
    static Files generated;
    return generated;
}

std::unique_ptr<TformTextDisplay> openViewer(const std::string &path)
{
    return std::make_unique<TformTextDisplay>(path, files().dataFolder(), "text",
                                              std::make_shared<SilentPrompts>());
}

// The physical baseline: reading the bytes of a file with read(2).
void readAll(benchmark::State &state, const std::string &path, std::int64_t size)
{
    std::string buffer(static_cast<std::size_t>(size), '\0');
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        std::size_t got = 0;
        ssize_t n;
        while ((n = ::read(fd, buffer.data() + got, buffer.size() - got)) > 0)
            got += static_cast<std::size_t>(n);
        ::close(fd);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(state.iterations() * size);
}

void BM_Baseline_ReadTableBytes(benchmark::State &state)
{
    readAll(state, files().tablePath(), files().tableBytes());
}

// The core part of opening a table: lines through the line-file object, split into cells.
void BM_Table_ReadAndSplit(benchmark::State &state)
{
    std::vector<std::string> lines;
    for (auto _ : state) {
        readDisplayLines(files().tablePath(), lines);
        const TableContent content = TableContent::fromTableLines(lines, true);
        benchmark::DoNotOptimize(content.rowCount());
    }
    state.SetBytesProcessed(state.iterations() * files().tableBytes());
}

// Opening the table in a viewer window and showing it (one paint included).
void BM_Table_OpenAndShow(benchmark::State &state)
{
    for (auto _ : state) {
        auto window = openViewer(files().tablePath());
        window->show();
        QApplication::processEvents();
        if (window->model()->rowCount() != kTableLines)
            state.SkipWithError("wrong row count");
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * files().tableBytes());
}

// A header click on the shown table: column 0 text, 1 number, 2 date1.
void BM_Table_Resort(benchmark::State &state)
{
    auto window = openViewer(files().tablePath());
    window->show();
    QApplication::processEvents();
    const int column = static_cast<int>(state.range(0));
    for (auto _ : state) {
        window->ListView1ColumnClick(column); // alternately ascending and descending
        QApplication::processEvents();
    }
}

void BM_Baseline_ReadLogBytes(benchmark::State &state)
{
    readAll(state, files().logPath(), files().logBytes());
}

// Opening the 50 MB log in a viewer window as text and showing it (one paint included).
void BM_Log_OpenAndShow(benchmark::State &state)
{
    for (auto _ : state) {
        auto window = openViewer(files().logPath());
        window->show();
        QApplication::processEvents();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * files().logBytes());
}

} // namespace

BENCHMARK(BM_Baseline_ReadTableBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Table_ReadAndSplit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Table_OpenAndShow)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Table_Resort)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(6);
BENCHMARK(BM_Baseline_ReadLogBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Log_OpenAndShow)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    // Windows are shown without a display.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    files();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
