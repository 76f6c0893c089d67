// The summary on generated stores of 1,000, 10,000 and 100,000 topics: one deadline tick
// (every task and event recomputed, the groups classified afresh) beside a walk over the same
// nodes, and one SyncInfoGrids pass (40 visible rows realigned and painted in both grids)
// beside painting the same two grids without rows. Targets: a tick under 30 ms, a grid pass
// under 2 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "StoreGenerator.h"
#include "shell/summary/InfoGrids.h"
#include "store/Clock.h"
#include "store/DeadlineTick.h"
#include "store/SummaryLists.h"

namespace {

using namespace nimbus;

const DateTime kNow = DateTime::fromCivil(2024, 3, 10, 12, 0, 0);
constexpr int kVisibleRows = 40;

struct Fixture {
    explicit Fixture(int topics) { bench::GenerateStore(store, topics, kNow); }
    TNimbusStructure store;
    SummaryLists lists;
};

Fixture &fixture(int topics)
{
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    auto &slot = fixtures[topics];
    if (!slot)
        slot = std::make_unique<Fixture>(topics);
    return *slot;
}

void TickBaseline(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::size_t sum = 0;
        for (const auto &entry : f.store.Entries())
            sum += entry.node->dlDate.size() + static_cast<std::size_t>(entry.node->status);
        benchmark::DoNotOptimize(sum);
    }
}

void DeadlineTick(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    const FixedClock clock(kNow);
    for (auto _ : state)
        benchmark::DoNotOptimize(RunDeadlineTick(f.store, clock, &f.lists).changed);
    state.counters["deadlines"] = f.lists.Count(summary::Group::Deadlines);
}

// The two halves of a tick, to see where its time goes.
void SchedulesOnly(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    const FixedClock clock(kNow);
    for (auto _ : state)
        benchmark::DoNotOptimize(RunDeadlineTick(f.store, clock, nullptr).changed);
}

void RegroupOnly(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        f.lists.Rebuild(f.store);
        benchmark::DoNotOptimize(f.lists.Count(summary::Group::Deadlines));
    }
}

// The two grids in a window, with the visible rows of a tree scrolled to the middle.
struct Grids {
    Grids()
    {
        grids = std::make_unique<summarypage::InfoGrids>(&host, &host);
        const int height = summarypage::TopicGrid::kHeaderHeight + 18 * kVisibleRows;
        grids->gridInfo->setGeometry(0, 0, 80, height);
        grids->gridDue->setGeometry(80, 0, 80, height);
        host.resize(160, height);
        host.show();
        Fixture &f = fixture(100000);
        const int first = f.store.Count() / 2;
        for (int i = 0; i < kVisibleRows; ++i) {
            TNimbusNode *node = f.store.Node(first + i);
            node->rowShade = i % 2;
            rows.push_back({node, i * 18, 18, i == 5, true});
        }
    }
    QWidget host;
    std::unique_ptr<summarypage::InfoGrids> grids;
    std::vector<summarypage::GridRow> rows;
};

Grids &grids()
{
    static Grids g;
    return g;
}

// Painting both grids into images of their size: what the next repaint of the window does.
void paintGrids(Grids &g)
{
    static QImage info(g.grids->gridInfo->size(), QImage::Format_ARGB32_Premultiplied);
    static QImage due(g.grids->gridDue->size(), QImage::Format_ARGB32_Premultiplied);
    g.grids->gridInfo->render(&info);
    g.grids->gridDue->render(&due);
}

void GridPassBaseline(benchmark::State &state)
{
    Grids &g = grids();
    g.grids->SyncInfoGrids({});
    for (auto _ : state)
        paintGrids(g);
}

void SyncInfoGridsPass(benchmark::State &state)
{
    Grids &g = grids();
    for (auto _ : state) {
        g.grids->SyncInfoGrids(g.rows);
        paintGrids(g);
    }
}

// Prints the runs as usual and then each figure beside its baseline and its target.
class BaselineReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (!run.error_occurred) {
                times_[run.benchmark_name()] =
                    run.real_accumulated_time / static_cast<double>(run.iterations);
                cpuTimes_[run.benchmark_name()] =
                    run.cpu_accumulated_time / static_cast<double>(run.iterations);
            }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        // Wall time is what a user waits for; CPU time is steadier on a busy machine.
        std::printf("\n%-18s %7s %12s %12s %7s %12s %12s %7s %7s\n", "figure", "topics", "wall",
                    "baseline", "ratio", "cpu", "baseline", "ratio", "target");
        for (const char *size : {"1000", "10000", "100000"})
            line("DeadlineTick", "TickBaseline", size, "30 ms");
        line("SyncInfoGridsPass", "GridPassBaseline", nullptr, "2 ms");
    }

private:
    void line(const std::string &figure, const std::string &baseline, const char *size,
              const char *target)
    {
        const std::string suffix = size ? std::string("/") + size : std::string();
        const double measured = find(times_, figure + suffix);
        const double base = find(times_, baseline + suffix);
        const double measuredCpu = find(cpuTimes_, figure + suffix);
        const double baseCpu = find(cpuTimes_, baseline + suffix);
        if (measured <= 0 || base <= 0 || measuredCpu <= 0 || baseCpu <= 0)
            return;
        std::printf("%-18s %7s %9.4f ms %9.4f ms %6.2fx %9.4f ms %9.4f ms %6.2fx %7s\n",
                    figure.c_str(), size ? size : "100000", measured * 1e3, base * 1e3,
                    measured / base, measuredCpu * 1e3, baseCpu * 1e3, measuredCpu / baseCpu,
                    target);
    }
    static double find(const std::map<std::string, double> &times, const std::string &name)
    {
        const auto found = times.find(name);
        return found == times.end() ? 0 : found->second;
    }
    std::map<std::string, double> cpuTimes_;
    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (int size : {1000, 10000, 100000}) {
        benchmark::RegisterBenchmark("TickBaseline", TickBaseline)
            ->Arg(size)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("DeadlineTick", DeadlineTick)
            ->Arg(size)
            ->Unit(benchmark::kMillisecond);
        for (auto [name, function] :
             {std::pair{"SchedulesOnly", &SchedulesOnly}, std::pair{"RegroupOnly", &RegroupOnly}})
            benchmark::RegisterBenchmark(name, function)->Arg(size)->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("GridPassBaseline", GridPassBaseline)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("SyncInfoGridsPass", SyncInfoGridsPass)
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    BaselineReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
