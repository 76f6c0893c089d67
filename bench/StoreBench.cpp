// The topic store on generated stores of 1,000, 10,000 and 100,000 topics. Every figure is
// printed beside a physical baseline measured in the same run, and a table of ratios ends
// the output: loading against reading and splitting the same bytes, saving (with versions)
// against writing the same bytes twice with fsync, the schedule pass against a walk over the
// same nodes, resolving 50 ids against copying 50 pointers, and heap per node against the
// node's own size and its bytes on disk.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "StoreGenerator.h"
#include "fileio/FolderOps.h"
#include "store/Clock.h"
#include "store/TNimbusStructure.h"

namespace {

using namespace nimbus;

const DateTime kNow = DateTime::fromCivil(2024, 3, 10, 12, 0, 0);

// One generated store per size, written once into a temporary data folder.
class Fixture {
public:
    explicit Fixture(int topics)
    {
        char folder[] = "/tmp/nimbus-store-bench-XXXXXX";
        if (::mkdtemp(folder) == nullptr)
            std::abort();
        folder_ = std::string(folder) + "/";
        store_.SetFileName(folder_ + "Structure.dat");
        store_.SetUniqueFileName(folder_ + "StructUnique.dat");
        bench::GenerateStore(store_, topics, kNow);
        if (!store_.SaveStructure())
            std::abort();
        fileio::readWholeFile(store_.FileName(), bytes_);
    }
    ~Fixture()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    const std::string &folder() const { return folder_; }
    const std::string &bytes() const { return bytes_; }
    TNimbusStructure &store() { return store_; }

private:
    std::string folder_;
    TNimbusStructure store_;
    std::string bytes_;
};

Fixture &fixture(int topics)
{
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    auto &slot = fixtures[topics];
    if (!slot)
        slot = std::make_unique<Fixture>(topics);
    return *slot;
}

void setBytes(benchmark::State &state, std::size_t bytes)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// ---- loading ----

// The baseline's work: the file's bytes read and split into lines; the number of lines.
std::size_t readAndSplit(const std::string &path)
{
    std::string bytes;
    fileio::readWholeFile(path, bytes);
    std::vector<std::string_view> lines;
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        lines.push_back(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    benchmark::DoNotOptimize(lines.data());
    return lines.size();
}

void LoadBaseline(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(readAndSplit(f.store().FileName()));
    setBytes(state, f.bytes().size());
}

void LoadStructure(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TNimbusStructure store;
        store.SetFileName(f.store().FileName());
        store.LoadStructure();
        benchmark::DoNotOptimize(store.Count());
        state.PauseTiming();  // destroying the store is not part of loading
        store.Clear();
        // Each load starts from a heap that has given its free pages back, as a new process
        // starts: the baseline's buffers are fresh pages every time too. Without this, one
        // block that happens to stay near the top of the heap decides whether the next load
        // pays for its pages or finds them already there.
        malloc_trim(0);
        state.ResumeTiming();
    }
    setBytes(state, f.bytes().size());
}

// The same two in a new process each time, as the program's start meets them: fresh pages for
// every node and string, no pool or heap warmed by an earlier load. The child times only the
// load (or the read and split) and reports its wall and CPU seconds on its standard output.
std::string selfPath;

int childLoad(const std::string &mode, const std::string &path)
{
    timespec cpuStart{}, cpuEnd{};
    const auto wallStart = std::chrono::steady_clock::now();
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpuStart);
    std::size_t count = 0;
    if (mode == "load") {
        TNimbusStructure store;
        store.SetFileName(path);
        store.LoadStructure();
        count = static_cast<std::size_t>(store.Count());
        ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpuEnd);
    } else {
        count = readAndSplit(path);
        ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpuEnd);
    }
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    const double cpu = static_cast<double>(cpuEnd.tv_sec - cpuStart.tv_sec) +
                       static_cast<double>(cpuEnd.tv_nsec - cpuStart.tv_nsec) / 1e9;
    std::printf("%.9f %.9f %zu\n", wall, cpu, count);
    return 0;
}

// Runs one child; false when it did not report.
bool runChildLoad(const char *mode, const std::string &path, double &wall, double &cpu)
{
    int out[2];
    if (::pipe(out) != 0)
        return false;
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::execl(selfPath.c_str(), selfPath.c_str(), "--child-load", mode, path.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(out[1]);
    char text[128] = {};
    const ssize_t n = child > 0 ? ::read(out[0], text, sizeof text - 1) : -1;
    ::close(out[0]);
    if (child > 0)
        ::waitpid(child, nullptr, 0);
    std::size_t count = 0;
    return n > 0 && std::sscanf(text, "%lf %lf %zu", &wall, &cpu, &count) == 3 && count > 0;
}

void runFresh(benchmark::State &state, const char *mode)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    double cpuTotal = 0;
    for (auto _ : state) {
        double wall = 0, cpu = 0;
        if (!runChildLoad(mode, f.store().FileName(), wall, cpu)) {
            state.SkipWithError("the child did not report");
            return;
        }
        state.SetIterationTime(wall);
        cpuTotal += cpu;
    }
    state.counters["child_cpu_s"] = cpuTotal / static_cast<double>(state.iterations());
    setBytes(state, f.bytes().size());
}

void LoadFreshBaseline(benchmark::State &state)
{
    runFresh(state, "split");
}

void LoadFresh(benchmark::State &state)
{
    runFresh(state, "load");
}

// ---- saving ----

void writeSynced(const std::string &path, const std::string &bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        std::abort();
    ::fsync(fd);
    ::close(fd);
}

void SaveBaseline(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        writeSynced(f.folder() + "baseline-1.dat", f.bytes());
        writeSynced(f.folder() + "baseline-2.dat", f.bytes());
    }
    setBytes(state, f.bytes().size());
}

void SaveStructure(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    // A save of unchanged content writes nothing, so each save changes one title first.
    TNimbusNode *changing = f.store().Node(f.store().Count() - 1);
    const std::string title = changing->text;
    bool flip = false;
    for (auto _ : state) {
        changing->text = (flip = !flip) ? title + "!" : title;
        if (!f.store().SaveStructure())
            state.SkipWithError("save failed");
    }
    changing->text = title;
    setBytes(state, f.bytes().size());
}

// ---- start-up with a counter that fell behind ----

// The store of 120,000 topics with one record that needs an id, once with a counter that is
// right and once with one that fell far behind (restored from an old backup, say).
class CounterFixture {
public:
    CounterFixture()
    {
        Fixture &f = fixture(120000);
        path_ = f.folder() + "NeedsId.dat";
        counter_ = f.folder() + "NeedsIdUnique.dat";
        std::string bytes = f.bytes();
        bytes += "uni=\r\ntext=Needs an id\r\nlev=1\r\n";
        writeSynced(path_, bytes);
        size_ = bytes.size();
    }
    void load(benchmark::State &state, const std::string &counter)
    {
        for (auto _ : state) {
            state.PauseTiming();
            writeSynced(counter_, counter);
            state.ResumeTiming();
            TNimbusStructure store;
            store.SetFileName(path_);
            store.SetUniqueFileName(counter_);
            store.LoadStructure();
            benchmark::DoNotOptimize(store.Count());
            state.PauseTiming();
            store.Clear();
            state.ResumeTiming();
        }
        setBytes(state, size_);
    }

private:
    std::string path_;
    std::string counter_;
    std::size_t size_ = 0;
};

CounterFixture &counterFixture()
{
    static CounterFixture fixture;
    return fixture;
}

void LoadCounterRight(benchmark::State &state)
{
    counterFixture().load(state, "09999999");
}

void LoadCounterBehind(benchmark::State &state)
{
    counterFixture().load(state, "00000005");
}

// ---- ids for a batch of new topics (an import or a sync of 1,000 new entries) ----

// The way a batch took its ids before: one synced write of the counter per topic.
void NewIdsOneByOne(benchmark::State &state)
{
    Fixture &f = fixture(1000);
    for (auto _ : state)
        for (std::int64_t i = 0; i < state.range(0); ++i)
            benchmark::DoNotOptimize(f.store().NextUnique());
}

void NewIdsInOneWrite(benchmark::State &state)
{
    Fixture &f = fixture(1000);
    for (auto _ : state)
        benchmark::DoNotOptimize(f.store().NextUniques(static_cast<int>(state.range(0))));
}

// ---- schedule pass, as the deadline timer makes it ----

void SchedulePassBaseline(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::size_t sum = 0;
        for (const auto &entry : f.store().Entries())
            sum += entry.node->dlDate.size() + static_cast<std::size_t>(entry.node->status);
        benchmark::DoNotOptimize(sum);
    }
}

void SchedulePass(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    const FixedClock clock(kNow);
    for (auto _ : state) {
        for (const auto &entry : f.store().Entries()) {
            TNimbusNode &node = *entry.node;
            if (node.lev > 0 && (node.ttype == kTopicTask || node.ttype == kTopicEvent)) {
                node.UpdateSchedule(clock);
                node.UpdateSortKey();
            }
        }
    }
}

// ---- resolving the 50 most recent ids ----

std::vector<std::string> recentIds(int topics)
{
    std::vector<std::string> ids;
    for (int i = 0; i < 50; ++i)
        ids.push_back(std::to_string(1 + (i * 7919) % topics));
    return ids;
}

void ResolveBaseline(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    std::vector<TNimbusNode *> nodes;
    for (int i = 0; i < 50; ++i)
        nodes.push_back(f.store().Node(i));
    for (auto _ : state) {
        std::vector<TNimbusNode *> copy(nodes);
        benchmark::DoNotOptimize(copy.data());
    }
}

void ResolveIdList(benchmark::State &state)
{
    const int topics = static_cast<int>(state.range(0));
    Fixture &f = fixture(topics);
    const std::vector<std::string> ids = recentIds(topics);
    TNimbusStructure list(TNimbusStructure::Role::IdList);
    for (auto _ : state) {
        state.PauseTiming();
        list.Clear();
        for (const std::string &id : ids)
            list.AppendId(id);
        state.ResumeTiming();
        list.ResolveIdList(f.store(), 50);
        benchmark::DoNotOptimize(list.Count());
    }
}

// ---- heap per node ----

void HeapPerNode(benchmark::State &state)
{
    const int topics = static_cast<int>(state.range(0));
    Fixture &f = fixture(topics);
    double perNode = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const std::size_t before = mallinfo2().uordblks;
        auto store = std::make_unique<TNimbusStructure>();
        store->SetFileName(f.store().FileName());
        store->LoadStructure();
        const std::size_t after = mallinfo2().uordblks;
        perNode = static_cast<double>(after - before) / store->Count();
    }
    state.counters["heap_bytes_per_node"] = perNode;
    state.counters["baseline_sizeof_node"] = static_cast<double>(sizeof(TNimbusNode));
    state.counters["baseline_disk_bytes_per_node"] = static_cast<double>(f.bytes().size()) / (topics + 5);
    state.counters["limit"] = 1024;
}

const std::vector<std::int64_t> kSizes = {1000, 10000, 100000};

// Prints every run as usual and, at the end, each figure beside its baseline with the ratio.
class BaselineReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            // Seconds per iteration, whatever unit the row is printed in.
            times_[run.benchmark_name()] = run.real_accumulated_time / static_cast<double>(run.iterations);
            cpuTimes_[run.benchmark_name()] = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            for (const auto &[name, counter] : run.counters)
                counters_[run.benchmark_name() + " " + name] = counter.value;
            // Work done in a child: its own CPU time, not the parent's waiting.
            if (const auto child = run.counters.find("child_cpu_s"); child != run.counters.end())
                cpuTimes_[run.benchmark_name()] = child->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        // Wall time is what a user waits for; CPU time is steadier on a busy machine.
        std::printf("\n%-16s %7s %12s %12s %7s %12s %12s %7s\n", "figure", "topics", "wall", "baseline",
                    "ratio", "cpu", "baseline", "ratio");
        const char *pairs[][2] = {
            {"LoadStructure", "LoadBaseline"},     {"LoadFresh", "LoadFreshBaseline"},
            {"SaveStructure", "SaveBaseline"},     {"SchedulePass", "SchedulePassBaseline"},
            {"ResolveIdList", "ResolveBaseline"},  {"LoadCounterBehind", "LoadCounterRight"},
            {"NewIdsInOneWrite", "NewIdsOneByOne"}};
        for (const auto &pair : pairs)
            for (std::int64_t size : {1000L, 10000L, 100000L, 120000L}) {
                const double measured = find(times_, pair[0], size);
                const double baseline = find(times_, pair[1], size);
                const double measuredCpu = find(cpuTimes_, pair[0], size);
                const double baselineCpu = find(cpuTimes_, pair[1], size);
                if (measured > 0 && baseline > 0 && measuredCpu > 0 && baselineCpu > 0)
                    std::printf("%-16s %7lld %9.4f ms %9.4f ms %6.2fx %9.4f ms %9.4f ms %6.2fx\n", pair[0],
                                static_cast<long long>(size), measured * 1e3, baseline * 1e3,
                                measured / baseline, measuredCpu * 1e3, baselineCpu * 1e3,
                                measuredCpu / baselineCpu);
            }
        for (std::int64_t size : kSizes) {
            const std::string prefix = "HeapPerNode/" + std::to_string(size);
            for (const auto &[name, value] : counters_)
                if (name.rfind(prefix + "/", 0) == 0 || name.rfind(prefix + " ", 0) == 0)
                    if (name.find("heap_bytes_per_node") != std::string::npos)
                        std::printf("%-16s %7lld %9.0f B  %9.0f B on disk, node itself %.0f B, limit 1024 B\n",
                                    "heap per node", static_cast<long long>(size), value,
                                    counterOf(prefix, "baseline_disk_bytes_per_node"),
                                    counterOf(prefix, "baseline_sizeof_node"));
        }
    }

private:
    // Names may carry Google Benchmark's suffixes.
    static double find(const std::map<std::string, double> &times, const char *function, std::int64_t size)
    {
        std::string name(function);
        name += '/';
        name += std::to_string(size);
        for (const auto &[key, value] : times)
            if (key == name || key.rfind(name + "/", 0) == 0)
                return value;
        return 0;
    }
    double counterOf(const std::string &prefix, const std::string &counter) const
    {
        for (const auto &[key, value] : counters_)
            if (key.rfind(prefix, 0) == 0 && key.size() >= counter.size()
                && key.compare(key.size() - counter.size(), counter.size(), counter) == 0)
                return value;
        return 0;
    }
    std::map<std::string, double> times_;
    std::map<std::string, double> cpuTimes_;
    std::map<std::string, double> counters_;
};

}  // namespace

int main(int argc, char **argv)
{
    if (argc >= 4 && std::string(argv[1]) == "--child-load")
        return childLoad(argv[2], argv[3]);
    selfPath = std::filesystem::canonical("/proc/self/exe").string();
    for (std::int64_t size : kSizes) {
        benchmark::RegisterBenchmark("LoadBaseline", LoadBaseline)->Arg(size)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("LoadStructure", LoadStructure)->Arg(size)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("LoadFreshBaseline", LoadFreshBaseline)
            ->Arg(size)
            ->UseManualTime()
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("LoadFresh", LoadFresh)
            ->Arg(size)
            ->UseManualTime()
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("SaveBaseline", SaveBaseline)->Arg(size)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("SaveStructure", SaveStructure)->Arg(size)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("SchedulePassBaseline", SchedulePassBaseline)->Arg(size)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("SchedulePass", SchedulePass)->Arg(size)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("ResolveBaseline", ResolveBaseline)->Arg(size)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("ResolveIdList", ResolveIdList)->Arg(size)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("HeapPerNode", HeapPerNode)->Arg(size)->Iterations(1);
    }
    benchmark::RegisterBenchmark("LoadCounterRight", LoadCounterRight)->Arg(120000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("LoadCounterBehind", LoadCounterBehind)->Arg(120000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("NewIdsOneByOne", NewIdsOneByOne)
        ->Arg(1000)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("NewIdsInOneWrite", NewIdsInOneWrite)
        ->Arg(1000)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    BaselineReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
