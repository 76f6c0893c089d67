// The deadline pass over generated stores of 10,000 and 100,000 topics in which one topic in
// ten is a repeating task that completes itself and is due: once with plain rules ("every
// week") and once with rich rules (weekdays of a week, the nth weekday of a month, a day of the
// month with a count, skipped dates), so every pass rolls those topics to their next
// occurrence. A pass when nothing is due is measured for both too, and a walk reading the same
// due dates is the baseline.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "StoreGenerator.h"
#include "recurrence/RuleText.h"
#include "recurrence/TopicRecurrence.h"
#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/DeadlineTick.h"
#include "store/TNimbusNode.h"
#include "store/TNimbusStructure.h"

namespace {

using namespace nimbus;

const DateTime kNow = DateTime::fromCivil(2026, 3, 10, 12, 0, 0);
const char *const kRules[] = {
    "START=20250106;FREQ=WEEKLY;BYDAY=MO,WE,FR",
    "START=20250114;FREQ=MONTHLY;BYDAY=2TU",
    "START=20250115;FREQ=MONTHLY;BYMONTHDAY=15;COUNT=60;EXDATE=20250615",
    "START=20250106;FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR",
    "START=20250131;FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1",
};

struct Fixture {
    Fixture(int topics, bool rich)
    {
        bench::GenerateStore(store, topics, kNow);
        // One topic in ten of the whole store, all of them where the deadline pass looks.
        std::vector<TNimbusNode *> candidates;
        std::size_t all = 0;
        for (const auto &entry : store.Entries()) {
            if (!entry.node || entry.node->lev <= 0)
                continue;
            ++all;
            if (entry.node->type == kSectionTopics)
                candidates.push_back(entry.node);
        }
        const std::size_t step =
            std::max<std::size_t>(1, candidates.size() / std::max<std::size_t>(1, all / 10));
        for (std::size_t i = 0; i < candidates.size() && repeating.size() < all / 10; i += step) {
            TNimbusNode *node = candidates[i];
            node->ttype = kTopicTask;
            node->recur = true;
            node->dl = false;
            node->autoComplete = true;
            node->rno = 1;
            node->rtype = kUnitWeeks;
            node->dlTime.clear();
            if (rich) {
                recurrence::Series series;
                std::string error;
                recurrence::parseSeries(kRules[repeating.size() % std::size(kRules)], series,
                                        error);
                const recurrence::PlainRule plain = recurrence::nearestPlainRule(series.rule);
                node->rno = plain.rno;
                node->rtype = plain.rtype;
                node->richRule = std::make_shared<recurrence::SeriesRule>(series);
            }
            repeating.push_back(node);
        }
        due = dates::dateKey(kNow.addDays(-1));
    }
    // Every repeating topic due yesterday and open again, as before the pass.
    void makeDue()
    {
        for (TNimbusNode *node : repeating) {
            node->dlDate = due;
            node->status = kStatusNotStarted;
            node->daysLeft = -1;
        }
    }
    TNimbusStructure store;
    std::vector<TNimbusNode *> repeating;
    std::string due;
};

Fixture &fixture(int topics, bool rich)
{
    static std::map<std::pair<int, bool>, std::unique_ptr<Fixture>> fixtures;
    auto &slot = fixtures[{topics, rich}];
    if (!slot)
        slot = std::make_unique<Fixture>(topics, rich);
    return *slot;
}

void WalkBaseline(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)), false);
    for (auto _ : state) {
        std::size_t sum = 0;
        for (const auto &entry : f.store.Entries())
            sum += static_cast<std::size_t>(entry.node->dlDate.size() ? entry.node->dlDate[7] : 0) +
                   entry.node->dlTime.size() + static_cast<std::size_t>(entry.node->status);
        benchmark::DoNotOptimize(sum);
    }
}

void RollingPass(benchmark::State &state, bool rich)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)), rich);
    const FixedClock clock(kNow);
    for (auto _ : state) {
        state.PauseTiming();
        f.makeDue();
        state.ResumeTiming();
        benchmark::DoNotOptimize(RunDeadlineTick(f.store, clock, nullptr).restyled.size());
    }
    state.counters["rolled"] = static_cast<double>(f.repeating.size());
}

void QuietPass(benchmark::State &state, bool rich)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)), rich);
    const FixedClock clock(kNow);
    RunDeadlineTick(f.store, clock, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(RunDeadlineTick(f.store, clock, nullptr).changed);
}

void PlainRollingPass(benchmark::State &state)
{
    RollingPass(state, false);
}
void RichRollingPass(benchmark::State &state)
{
    RollingPass(state, true);
}
void PlainQuietPass(benchmark::State &state)
{
    QuietPass(state, false);
}
void RichQuietPass(benchmark::State &state)
{
    QuietPass(state, true);
}

// Prints the runs as usual and then each rich figure beside its plain one and the walk.
class BaselineReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (!run.error_occurred)
                times_[run.benchmark_name()] =
                    run.real_accumulated_time / static_cast<double>(run.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-12s %7s %12s %12s %7s %12s\n", "pass", "topics", "rich", "plain", "ratio",
                    "walk");
        for (const char *size : {"10000", "100000"}) {
            line("Rolling", size);
            line("Quiet", size);
        }
    }

private:
    void line(const std::string &pass, const char *size)
    {
        const std::string suffix = std::string("/") + size;
        const double rich = times_["Rich" + pass + "Pass" + suffix];
        const double plain = times_["Plain" + pass + "Pass" + suffix];
        const double walk = times_["WalkBaseline" + suffix];
        std::printf("%-12s %7s %9.3f ms %9.3f ms %7.2f %9.3f ms\n", pass.c_str(), size, rich * 1e3,
                    plain * 1e3, plain > 0 ? rich / plain : 0.0, walk * 1e3);
    }
    std::map<std::string, double> times_;
};

} // namespace

BENCHMARK(WalkBaseline)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainRollingPass)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(RichRollingPass)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainQuietPass)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(RichQuietPass)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    BaselineReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
