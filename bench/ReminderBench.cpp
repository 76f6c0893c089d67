// Reminders on generated stores of 1,000, 10,000 and 100,000 topics (with a lead time on one
// topic in ten): the next five reminders (the tray's menu, after every deadline tick) and one
// reminder pass that finds nothing new (the usual pass), and a pass that catches up 24 hours of
// missed triggers (the program closed for a day: every event, task and occurrence of a series
// of that day, from each topic's occurrence history), and a pass with the tray's counts and
// next reminders as three walks and as one, each beside a walk over the same nodes that reads
// every due date and time. Target: the next reminders under 5 ms at 100,000.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "StoreGenerator.h"
#include "reminders/ReminderEngine.h"
#include "reminders/ReminderLeads.h"
#include "reminders/ReminderPreferences.h"
#include "reminders/ReminderState.h"
#include "reminders/TrayCounts.h"
#include "store/Clock.h"
#include "store/DeadlineTick.h"
#include "store/TNimbusStructure.h"

namespace {

using namespace nimbus;
using namespace nimbus::reminders;

const DateTime kNow = DateTime::fromCivil(2024, 3, 10, 12, 0, 0);

struct Fixture {
    Fixture(int topics, bool closedForADay) : engine(state, preferences, leads)
    {
        bench::GenerateStore(store, topics, kNow);
        for (int i = 0; i < store.Count(); i += 10)
            leads.setLead(std::string(store.Id(i)),
                          leadChoices()[static_cast<std::size_t>(i / 10 % 6)]);
        // The passes up to now have been made.
        state.watermark = kNow;
        if (closedForADay) {
            // The store as the program left it a day ago: schedules up to date then (series
            // of days and longer catch up one period a pass).
            const FixedClock then(kNow.addDays(-1));
            for (int pass = 0; pass < 400 && RunDeadlineTick(store, then, nullptr).storeChanged;
                 ++pass) {
            }
        }
    }
    TNimbusStructure store;
    ReminderPreferences preferences;
    ReminderLeads leads;
    ReminderState state;
    ReminderEngine engine;
};

Fixture &fixture(int topics, bool closedForADay = false)
{
    static std::map<std::pair<int, bool>, std::unique_ptr<Fixture>> fixtures;
    auto &slot = fixtures[{topics, closedForADay}];
    if (!slot)
        slot = std::make_unique<Fixture>(topics, closedForADay);
    return *slot;
}

void WalkBaseline(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::size_t sum = 0;
        for (const auto &entry : f.store.Entries())
            sum += static_cast<std::size_t>(entry.node->dlDate.size() ? entry.node->dlDate[7] : 0) +
                   entry.node->dlTime.size() + static_cast<std::size_t>(entry.node->status);
        benchmark::DoNotOptimize(sum);
    }
}

void NextReminders(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(f.engine.upcoming(f.store, kNow, 5).size());
}

void ReminderPass(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        // The same ten seconds again: every trigger is checked, nothing is new.
        f.state.watermark = kNow.addSeconds(-10);
        benchmark::DoNotOptimize(f.engine.poll(f.store, kNow).size());
    }
}

// What the window's start step and each tick without a schedule pass between want: the pass,
// the tray's counts and the next five reminders, as three walks and as one.
void PassThenTray(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        f.state.watermark = kNow.addSeconds(-10);
        benchmark::DoNotOptimize(f.engine.poll(f.store, kNow).size());
        benchmark::DoNotOptimize(countForTray(f.store).overdue);
        benchmark::DoNotOptimize(f.engine.upcoming(f.store, kNow, 5).size());
    }
}

void PassWithTray(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        f.state.watermark = kNow.addSeconds(-10);
        TrayLook tray;
        benchmark::DoNotOptimize(f.engine.poll(f.store, kNow, tray, 5).size());
        benchmark::DoNotOptimize(tray.upcoming.size());
    }
}

void CatchUpPass(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)), true);
    std::size_t reminded = 0;
    for (auto _ : state) {
        // The first pass after a day away: nothing of that day handled yet.
        state.PauseTiming();
        f.state.records.clear();
        f.state.watermark = kNow.addDays(-1);
        f.state.remindFrom = kNow.addDays(-1);
        ReminderEngine engine(f.state, f.preferences, f.leads);
        state.ResumeTiming();
        reminded = 0;
        for (const ReminderGroup &group : engine.poll(f.store, kNow))
            reminded += group.items.size();
        benchmark::DoNotOptimize(reminded);
    }
    state.counters["reminded"] = static_cast<double>(reminded);
}

// Prints the runs as usual and then each figure beside its baseline and its target.
class BaselineReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (!run.error_occurred) {
                times_[run.benchmark_name()] = run.real_accumulated_time / static_cast<double>(run.iterations);
                cpuTimes_[run.benchmark_name()] = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-14s %7s %12s %12s %7s %12s %12s %7s %7s\n", "figure", "topics", "wall",
                    "baseline", "ratio", "cpu", "baseline", "ratio", "target");
        for (const char *size : {"1000", "10000", "100000"}) {
            line("NextReminders", size, "5 ms");
            line("ReminderPass", size, "-");
            line("CatchUpPass", size, "-");
            line("PassThenTray", size, "-");
            line("PassWithTray", size, "-");
        }
    }

private:
    void line(const std::string &figure, const char *size, const char *target)
    {
        const std::string suffix = std::string("/") + size;
        const double measured = times_[figure + suffix];
        const double base = times_["WalkBaseline" + suffix];
        const double measuredCpu = cpuTimes_[figure + suffix];
        const double baseCpu = cpuTimes_["WalkBaseline" + suffix];
        if (measured <= 0 || base <= 0 || measuredCpu <= 0 || baseCpu <= 0)
            return;
        std::printf("%-14s %7s %9.4f ms %9.4f ms %6.2fx %9.4f ms %9.4f ms %6.2fx %7s\n",
                    figure.c_str(), size, measured * 1e3, base * 1e3, measured / base,
                    measuredCpu * 1e3, baseCpu * 1e3, measuredCpu / baseCpu, target);
    }
    std::map<std::string, double> cpuTimes_;
    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char **argv)
{
    for (int size : {1000, 10000, 100000})
        for (auto [name, function] :
             {std::pair{"WalkBaseline", &WalkBaseline}, std::pair{"NextReminders", &NextReminders},
              std::pair{"ReminderPass", &ReminderPass}, std::pair{"CatchUpPass", &CatchUpPass},
              std::pair{"PassThenTray", &PassThenTray}, std::pair{"PassWithTray", &PassWithTray}})
            benchmark::RegisterBenchmark(name, function)->Arg(size)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    BaselineReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
