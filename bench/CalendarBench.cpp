// Calendar files: exporting 1,000 to 100,000 topics of every kind (collecting them from the
// store and writing the file), importing 1,000 to 10,000 events, and reading a whole store's
// export back. Each figure is printed
// beside its physical baseline measured in the same run: writing, or reading, the same bytes
// to and from a file.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>

#include "calendar/CalendarImport.h"
#include "calendar/IcsReader.h"
#include "calendar/IcsWriter.h"
#include "calendar/TopicExport.h"
#include "store/TNimbusStructure.h"
#include "store/TopicCodes.h"

namespace {

using namespace nimbus;

std::string scratchFile()
{
    static const std::string path = (std::filesystem::temp_directory_path() / "nimbus-bench-calendar.ics").string();
    return path;
}

void writeFile(const std::string &bytes)
{
    std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile()
{
    std::ifstream in(scratchFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A store of one section and n topics in small groups: tasks, events, notes; dated,
// repeating, urgent, in progress.
std::unique_ptr<TNimbusStructure> makeStore(int n)
{
    auto store = std::make_unique<TNimbusStructure>();
    auto section = std::make_unique<TNimbusNode>("1");
    section->type = kSectionTopics;
    store->Append(std::move(section));
    for (int i = 0; i < n; ++i) {
        auto node = std::make_unique<TNimbusNode>(std::to_string(i + 2));
        node->lev = 1 + (i % 3);
        node->type = kSectionTopics;
        node->text = "Topic number " + std::to_string(i) + " with a title of usual length";
        node->ttype = std::vector<int>{kTopicTask, kTopicEvent, kTopicInformation, kTopicTask, kTopicIdea}[i % 5];
        node->status = 1 + i % 5;
        node->dl = i % 2 == 0;
        node->recur = i % 7 == 0;
        node->dlDate = "202406" + std::to_string(10 + i % 18);
        node->dlTime = i % 3 ? "09:30:00" : "";
        node->rno = 1;
        node->rtype = i % 6;
        node->durno = 2;
        node->durtype = kUnitHours;
        node->flno = i % 4;
        node->fltyp = kUnitDays;
        node->pri = i % 10;
        node->cre = "20240101-101010";
        store->Append(std::move(node));
    }
    return store;
}

std::string exported(int n)
{
    static std::map<int, std::string> cache;
    auto &bytes = cache[n];
    if (bytes.empty()) {
        auto store = makeStore(n);
        bytes = calendar::writeCalendar(calendar::collectTopics(*store, 0, calendar::ExportScope::Everything, "0123456789abcdef", {}), {"20240310-120000"});
    }
    return bytes;
}

std::string events(int n)
{
    static std::map<int, std::string> cache;
    auto &bytes = cache[n];
    if (bytes.empty()) {
        bytes = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n";
        for (int i = 0; i < n; ++i)
            bytes += "BEGIN:VEVENT\r\nUID:event-" + std::to_string(i) + "@example.com\r\nDTSTAMP:20240301T101010Z\r\n"
                     "DTSTART:202406" + std::to_string(10 + i % 18) + "T140000Z\r\nDTEND:202406" + std::to_string(10 + i % 18) +
                     "T153000Z\r\nSUMMARY:Event number " + std::to_string(i) + "\r\nDESCRIPTION:Some words about it\\, as usual\r\n"
                     "RRULE:FREQ=WEEKLY;BYDAY=MO,WE\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-P1D\r\nDESCRIPTION:x\r\nEND:VALARM\r\nEND:VEVENT\r\n";
        bytes += "END:VCALENDAR\r\n";
    }
    return bytes;
}

// The heap in use now, to show what an export holds beyond the store.
double heapMegabytes()
{
    const struct mallinfo2 info = ::mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / 1e6;
}

long statusKilobytes(const char *key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::atol(line.c_str() + std::strlen(key));
    return -1;
}

// The most memory (resident) that run takes beyond what the process holds when it starts, in
// megabytes: run goes in a child whose peak is reset first (clear_refs), so that neither the
// store nor an earlier iteration counts.
double peakMegabytes(const std::function<void()> &run)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = statusKilobytes("VmRSS:");
        run();
        const long peak = statusKilobytes("VmHWM:");
        const double megabytes =
            before < 0 || peak < 0 ? -1 : static_cast<double>(peak - before) / 1024;
        [[maybe_unused]] const ssize_t n = ::write(pipeEnds[1], &megabytes, sizeof megabytes);
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    double megabytes = -1;
    if (child > 0 && ::read(pipeEnds[0], &megabytes, sizeof megabytes) != sizeof megabytes)
        megabytes = -1;
    ::close(pipeEnds[0]);
    if (child > 0)
        ::waitpid(child, nullptr, 0);
    return megabytes;
}

// Every topic collected first and the whole file made in memory, then written.
void BM_ExportCollected(benchmark::State &state)
{
    ::setenv("TZ", "Europe/Berlin", 1);
    const int n = static_cast<int>(state.range(0));
    auto store = makeStore(n);
    double held = 0;
    auto once = [&store] {
        const auto topics = calendar::collectTopics(*store, 0, calendar::ExportScope::Everything,
                                                    "0123456789abcdef", {});
        writeFile(calendar::writeCalendar(topics, {"20240310-120000"}));
    };
    for (auto _ : state) {
        const double before = heapMegabytes();
        const auto topics = calendar::collectTopics(*store, 0, calendar::ExportScope::Everything, "0123456789abcdef", {});
        const std::string bytes = calendar::writeCalendar(topics, {"20240310-120000"});
        held = std::max(held, heapMegabytes() - before);
        writeFile(bytes);
    }
    state.counters["held_MB"] = held;
    state.counters["peak_MB"] = peakMegabytes(once);
}

// Each entry written as it is made.
void BM_Export(benchmark::State &state)
{
    ::setenv("TZ", "Europe/Berlin", 1);
    const int n = static_cast<int>(state.range(0));
    auto store = makeStore(n);
    double held = 0;
    auto once = [&store] {
        std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
        calendar::CalendarStream stream({"20240310-120000"}, [&](std::string_view bytes) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        });
        calendar::exportTopics(*store, 0, calendar::ExportScope::Everything, "0123456789abcdef", {},
                               [&stream](calendar::CalendarTopic &topic) { stream.add(topic); });
        stream.finish();
    };
    for (auto _ : state) {
        const double before = heapMegabytes();
        std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
        calendar::CalendarStream stream({"20240310-120000"}, [&](std::string_view bytes) {
            held = std::max(held, heapMegabytes() - before);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        });
        calendar::exportTopics(*store, 0, calendar::ExportScope::Everything, "0123456789abcdef", {},
                               [&stream](calendar::CalendarTopic &topic) { stream.add(topic); });
        stream.finish();
    }
    state.counters["held_MB"] = held;
    state.counters["peak_MB"] = peakMegabytes(once);
}
// Writing the same bytes from memory; its peak is what writing a file of that size takes, and
// file_MB the size the collected export holds in memory at once.
void BM_ExportBaseline(benchmark::State &state)
{
    const std::string bytes = exported(static_cast<int>(state.range(0)));
    for (auto _ : state)
        writeFile(bytes);
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / (1024 * 1024);
    state.counters["peak_MB"] = peakMegabytes([&bytes] { writeFile(bytes); });
}
void BM_Import(benchmark::State &state)
{
    ::setenv("TZ", "Europe/Berlin", 1);
    writeFile(events(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        const auto result = calendar::readCalendarFile(scratchFile());
        if (result.topics.size() != static_cast<std::size_t>(state.range(0)))
            state.SkipWithError("not every event was read");
    }
}
void BM_ImportBaseline(benchmark::State &state)
{
    writeFile(events(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(readFile());
}

// A whole store's export read back from its file, as the window's import does; peak_MB is what
// reading it takes beyond the process's memory before (the topics read included).
void BM_ImportExport(benchmark::State &state)
{
    ::setenv("TZ", "Europe/Berlin", 1);
    const int n = static_cast<int>(state.range(0));
    writeFile(exported(n));
    for (auto _ : state) {
        const auto result = calendar::readCalendarFile(scratchFile());
        if (!result.ok || result.topics.size() != static_cast<std::size_t>(n))
            state.SkipWithError(("not every topic was read: " +
                                 std::to_string(result.topics.size()) + " " + result.error)
                                    .c_str());
    }
    state.counters["file_MB"] = static_cast<double>(exported(n).size()) / (1024 * 1024);
    state.counters["peak_MB"] = peakMegabytes([] { calendar::readCalendarFile(scratchFile()); });
}
void BM_ImportExportBaseline(benchmark::State &state)
{
    writeFile(exported(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(readFile());
    state.counters["peak_MB"] = peakMegabytes([] { benchmark::DoNotOptimize(readFile()); });
}

// Bringing the topics read from a whole store's export into a store of one section, as the
// window does after its preview (pages not written); the baseline is reading the file.
void BM_StoreImport(benchmark::State &state)
{
    ::setenv("TZ", "Europe/Berlin", 1);
    const int n = static_cast<int>(state.range(0));
    writeFile(exported(n));
    const calendar::ReadResult whole = calendar::readCalendarFile(scratchFile());
    std::unique_ptr<TNimbusStructure> store;
    for (auto _ : state) {
        state.PauseTiming(); // the last store's destruction and the new one are not the import
        store = std::make_unique<TNimbusStructure>();
        store->SetUniqueFileName(scratchFile() + ".unique");
        store->SetUnique(2);
        auto section = std::make_unique<TNimbusNode>("1");
        section->type = kSectionTopics;
        store->Append(std::move(section));
        calendar::CalendarLinks links;
        calendar::ImportTarget target{store.get(), 0, &links, nullptr, nullptr, nullptr, nullptr};
        state.ResumeTiming();
        const calendar::ImportPreview preview = calendar::previewImport(whole, target);
        const calendar::ImportOutcome outcome = calendar::applyImport(whole, target);
        if (!outcome.ok || outcome.added != n)
            state.SkipWithError(("not every topic came in: " + outcome.error).c_str());
        benchmark::DoNotOptimize(preview);
    }
}
void BM_StoreImportBaseline(benchmark::State &state)
{
    writeFile(exported(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(readFile());
}

BENCHMARK(BM_ExportCollected)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportBaseline)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportBaseline)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportExport)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportExportBaseline)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreImport)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_StoreImportBaseline)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Collects the wall times and prints each figure beside its baseline at the end.
class PairReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-8s %8s %12s %12s %8s\n", "figure", "count", "ms", "baseline ms", "ratio");
        for (const auto &[name, ms] : times_) {
            const std::size_t slash = name.find('/');
            const std::string figure = name.substr(0, slash), count = name.substr(slash + 1);
            if (figure.find("Baseline") != std::string::npos)
                continue;
            const auto base = times_.find(figure + "Baseline/" + count);
            if (base != times_.end())
                std::printf("%-8s %8s %12.1f %12.1f %8.1f\n", figure.substr(3).c_str(), count.c_str(), ms,
                            base->second, ms / base->second);
        }
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    PairReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::filesystem::remove(scratchFile());
    std::filesystem::remove(scratchFile() + ".unique");
    return 0;
}
