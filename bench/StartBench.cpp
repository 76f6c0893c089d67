// The window's start to idle on generated stores of 10,000 and 100,000 topics whose search
// index already exists. Each start runs in a child process of its own (this program started
// again with --child), so its CPU time and peak memory are the kernel's figures for that
// process alone (wait4's rusage):
//   StartToIdle     the window built, shown and painted, the start step run (search check,
//                   reminders' first pass, calendar sync start) and the search worker idle;
//   StartEmpty      the same on the template store (what any start costs: Qt, fonts, files);
//   ReadStoreBytes  a child that reads the store file's bytes and ends (the physical baseline).
// The figure is CPU seconds (user + system, from wait4); counters give wall seconds and the
// peak resident size in MiB (the child's own VmHWM: the rusage figure would keep the parent's
// size across the exec), and for the window the wall seconds to the window constructed
// (ctor_s) and to the start step done (step_s).
//
// For a profile: `bench_start --make-home N` makes a home of N topics with its index, names
// it and keeps it; `valgrind --tool=callgrind bench_start --child-window` with the variables
// it names then profiles one start.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BenchHome.h"
#include "StoreGenerator.h"
#include "fileio/FolderOps.h"
#include "search/SearchService.h"
#include "shell/MainTreeView.h"
#include "shell/TformMain.h"
#include "shell/TreeController.h"
#include "shell/search/SearchController.h"
#include "store/Clock.h"
#include "store/TNimbusStructure.h"

extern char **environ;

namespace {

using namespace nimbus;
using WallClock = std::chrono::steady_clock;

const DateTime kNow = DateTime::fromCivil(2024, 3, 10, 12, 0, 0);
std::string selfPath;

// The home the window starts in: a generated store in its data folder.
class Home : public bench::BenchHome {
public:
    explicit Home(int topics, bool keep = false) : BenchHome(topics, kNow, keep) {}
};

struct ChildRun {
    double cpuSeconds = 0;
    double wallSeconds = 0;
    double peakMiB = 0;
    double constructedSeconds = 0;
    double stepSeconds = 0;
};

// The child's report: its peak resident size and its phases, written before it ends.
std::string reportFile(const Home &home)
{
    return home.root() + "child-report.txt";
}

double peakResidentMiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

void writeReport(double constructed, double step)
{
    std::ofstream(qEnvironmentVariable("NIMBUS_BENCH_REPORT").toStdString())
        << peakResidentMiB() << ' ' << constructed << ' ' << step << '\n';
}

// Runs this program again with the arguments and waits for it; its own rusage.
ChildRun runChild(const std::vector<std::string> &args, const Home &home)
{
    std::vector<std::string> envText{"HOMEDRIVE=" + home.root(),
                                     "HOME=" + home.root(),
                                     "NIMBUS_CHANNEL_DIR=" + home.channels(),
                                     "QT_QPA_PLATFORM=offscreen",
                                     "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent",
                                     "NIMBUS_BENCH_REPORT=" + reportFile(home)};
    if (const char *tz = std::getenv("TZ"))
        envText.push_back(std::string("TZ=") + tz);
    std::vector<char *> env;
    for (std::string &text : envText)
        env.push_back(text.data());
    env.push_back(nullptr);
    std::vector<std::string> argText{selfPath};
    argText.insert(argText.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &text : argText)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    const auto start = WallClock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, selfPath.c_str(), nullptr, nullptr, argv.data(), env.data()) != 0)
        std::abort();
    int status = 0;
    struct rusage usage {};
    if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::abort();
    ChildRun run;
    run.wallSeconds = std::chrono::duration<double>(WallClock::now() - start).count();
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::ifstream(reportFile(home)) >> run.peakMiB >> run.constructedSeconds >> run.stepSeconds;
    if (std::getenv("NIMBUS_BENCH_TRACE"))
        std::fprintf(stderr, "child %s: %.3f s CPU, %.1f MiB\n", args.front().c_str(),
                     run.cpuSeconds, run.peakMiB);
    return run;
}

std::map<int, std::unique_ptr<Home>> &homes()
{
    static std::map<int, std::unique_ptr<Home>> made;
    return made;
}

// The home for a size, with its search index built by one start that is not measured.
Home &homeFor(int topics)
{
    auto &slot = homes()[topics];
    if (!slot) {
        slot = std::make_unique<Home>(topics);
        // The first start makes the content folders and builds the index; the index keeps
        // its summary only from a look at folders that have settled (two seconds), which the
        // second start makes. The starts measured then find the index as a user's start does.
        runChild({"--child-window"}, *slot);
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        runChild({"--child-window"}, *slot);
    }
    return *slot;
}

void report(benchmark::State &state, const std::vector<ChildRun> &runs)
{
    double wall = 0, peak = 0, constructed = 0, step = 0;
    for (const ChildRun &run : runs) {
        wall += run.wallSeconds;
        constructed += run.constructedSeconds;
        step += run.stepSeconds;
        peak = std::max(peak, run.peakMiB);
    }
    const double n = runs.empty() ? 1 : static_cast<double>(runs.size());
    state.counters["wall_s"] = wall / n;
    state.counters["peak_MiB"] = peak;
    if (step > 0) {
        state.counters["ctor_s"] = constructed / n;
        state.counters["step_s"] = step / n;
    }
}

void measure(benchmark::State &state, const std::vector<std::string> &args, Home &home)
{
    std::vector<ChildRun> runs;
    for (auto _ : state) {
        runs.push_back(runChild(args, home));
        state.SetIterationTime(runs.back().cpuSeconds);
    }
    report(state, runs);
}

void StartToIdle(benchmark::State &state)
{
    measure(state, {"--child-window"}, homeFor(static_cast<int>(state.range(0))));
}

void StartEmpty(benchmark::State &state)
{
    measure(state, {"--child-window"}, homeFor(0));
}

void ReadStoreBytes(benchmark::State &state)
{
    Home &home = homeFor(static_cast<int>(state.range(0)));
    measure(state, {"--child-read", home.data() + "Structure.dat"}, home);
}

// The child: the window started as the program starts it, until nothing is left to do.
int childWindow(int argc, char **argv)
{
    const auto started = WallClock::now();
    auto since = [started] {
        return std::chrono::duration<double>(WallClock::now() - started).count();
    };
    QApplication app(argc, argv);
    FixedClock clock(kNow);
    const std::string root = qEnvironmentVariable("HOMEDRIVE").toStdString();
    TformMain::Environment environment{
        [root](const std::string &name) { return name == "HOMEDRIVE" ? root : ""; },
        root + "prog/nimbus",
        qEnvironmentVariable("NIMBUS_CHANNEL_DIR").toStdString(),
        {}};
    auto *window = new TformMain(clock, environment);
    if (window->terminated())
        return 2;
    const double constructed = since();
    // The start step follows the first show at once instead of a second later: the figure is
    // the work, not the wait.
    window->timerStart->setInterval(0);
    window->resize(1200, 800);
    window->show();
    window->treeController()->treeMain()->viewport()->repaint();
    // The start step has run once the periodic timers run.
    const auto give_up = WallClock::now() + std::chrono::seconds(120);
    while (!window->timerSave->isActive() && WallClock::now() < give_up)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double step = since();
    if (auto *search = window->searchController())
        search->service().WaitIdle();
    QApplication::processEvents();
    writeReport(constructed, step);
    // Closing would write the store back: not part of the figure. The search index is closed
    // as the program closes it, though: a start that wrote to it (the preparing starts) leaves
    // it marked as cleanly closed, so that the starts measured open it as a user's start does
    // and not as one after a crash (which checks the whole file).
    delete window->searchController();
    std::fflush(nullptr);
    ::_exit(window->timerSave->isActive() ? 0 : 3);
}

int childRead(const std::string &path)
{
    std::string bytes;
    if (!fileio::readWholeFile(path, bytes))
        return 2;
    benchmark::DoNotOptimize(bytes.data());
    writeReport(0, 0);
    return bytes.empty() ? 3 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    selfPath = std::filesystem::canonical("/proc/self/exe").string();
    if (argc >= 2 && std::string(argv[1]) == "--child-window")
        return childWindow(argc, argv);
    if (argc >= 3 && std::string(argv[1]) == "--child-read")
        return childRead(argv[2]);
    if (argc >= 3 && std::string(argv[1]) == "--make-home") {
        Home home(std::atoi(argv[2]), true);
        runChild({"--child-window"}, home);
        std::printf("HOMEDRIVE=%s HOME=%s NIMBUS_CHANNEL_DIR=%s QT_QPA_PLATFORM=offscreen "
                    "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent\n",
                    home.root().c_str(), home.root().c_str(), home.channels().c_str());
        return 0;
    }
    for (int size : {10000, 100000}) {
        benchmark::RegisterBenchmark("ReadStoreBytes", ReadStoreBytes)
            ->Arg(size)
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("StartToIdle", StartToIdle)
            ->Arg(size)
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("StartEmpty", StartEmpty)
        ->UseManualTime()
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    homes().clear();
    return 0;
}
