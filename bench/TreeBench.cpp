// The main window on generated stores. Figures, each beside its baseline from the same run:
//   ProcessToTree     the real program started until its log says the tree is built and the
//                     window set up, against the same program on the template store
//                     (ProcessEmpty) and against reading the same store in-process
//                     (LoadStoreBaseline);
//   WindowShown       the main window constructed, shown and painted once in-process;
//   GridPass          one realignment of the grids (rows on screen walked, both grids given
//                     their rows), against the walk over the rows alone (RowsWalk);
//   ScrollPage        one page scrolled with the realignment and a repaint of the tree,
//                     against repainting the tree where it stands (RepaintBaseline).
#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <thread>

#include "BenchHome.h"
#include "StoreGenerator.h"
#include "fileio/FolderOps.h"
#include "shell/MainTreeView.h"
#include "shell/TformMain.h"
#include "shell/TreeController.h"
#include "store/Clock.h"
#include "store/TNimbusStructure.h"

extern char **environ;

namespace {

using namespace nimbus;
using Clock = std::chrono::steady_clock;

const DateTime kNow = DateTime::fromCivil(2024, 3, 10, 12, 0, 0);

// The home the window starts in: a generated store in its data folder.
class Home : public bench::BenchHome {
public:
    explicit Home(int topics) : BenchHome(topics, kNow) {}
};

std::map<int, std::unique_ptr<Home>> &homes()
{
    static std::map<int, std::unique_ptr<Home>> made;
    return made;
}

Home &homeFor(int topics)
{
    auto &slot = homes()[topics];
    if (!slot)
        slot = std::make_unique<Home>(topics);
    return *slot;
}

// Starts the program and waits for "started" in its log; the time it took.
double runProgram(Home &home)
{
    std::filesystem::remove(home.data() + "MainLog.txt");
    const std::string homeDrive = "HOMEDRIVE=" + home.root();
    const std::string homeVar = "HOME=" + home.root();
    const std::string channels = "NIMBUS_CHANNEL_DIR=" + home.channels();
    std::vector<char *> env{const_cast<char *>(homeDrive.c_str()),
                            const_cast<char *>(homeVar.c_str()),
                            const_cast<char *>(channels.c_str()),
                            const_cast<char *>("QT_QPA_PLATFORM=offscreen"), nullptr};
    char *argv[] = {const_cast<char *>(NIMBUS_EXECUTABLE), nullptr};
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, NIMBUS_EXECUTABLE, nullptr, nullptr, argv, env.data()) != 0)
        std::abort();
    std::string log;
    while (log.find("started") == std::string::npos) {
        std::this_thread::sleep_for(std::chrono::microseconds(500));
        fileio::readWholeFile(home.data() + "MainLog.txt", log);
        if (Clock::now() - start > std::chrono::seconds(60))
            break;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return seconds;
}

void ProcessToTree(benchmark::State &state)
{
    Home &home = homeFor(static_cast<int>(state.range(0)));
    for (auto _ : state)
        state.SetIterationTime(runProgram(home));
}

void ProcessEmpty(benchmark::State &state)
{
    Home &home = homeFor(0);
    for (auto _ : state)
        state.SetIterationTime(runProgram(home));
}

void LoadStoreBaseline(benchmark::State &state)
{
    Home &home = homeFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TNimbusStructure store;
        store.SetFileName(home.data() + "Structure.dat");
        store.LoadStructure();
        benchmark::DoNotOptimize(store.Count());
    }
}

TformMain::Environment environmentFor(const Home &home)
{
    const std::string root = home.root();
    return {[root](const std::string &name) { return name == "HOMEDRIVE" ? root : ""; },
            root + "prog/nimbus",
            home.channels(),
            {}};
}

void showAndPaint(TformMain &window)
{
    window.resize(1200, 800);
    window.show();
    window.treeController()->treeMain()->viewport()->repaint();
    QApplication::processEvents();
}

void WindowShown(benchmark::State &state)
{
    Home &home = homeFor(static_cast<int>(state.range(0)));
    FixedClock clock(kNow);
    for (auto _ : state) {
        const auto start = Clock::now();
        auto window = std::make_unique<TformMain>(clock, environmentFor(home));
        showAndPaint(*window);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        state.PauseTiming();
        window.reset(); // closing writes the store back: not part of the figure
        state.ResumeTiming();
    }
}

std::map<int, std::unique_ptr<TformMain>> &windows()
{
    static std::map<int, std::unique_ptr<TformMain>> made;
    return made;
}

// One window for the figures that measure a running window.
TformMain &runningWindow(int topics)
{
    static FixedClock clock(kNow);
    auto &slot = windows()[topics];
    if (!slot) {
        slot = std::make_unique<TformMain>(clock, environmentFor(homeFor(topics)));
        slot->treeController()->expandAll();
        showAndPaint(*slot);
    }
    return *slot;
}

void RowsWalk(benchmark::State &state)
{
    MainTreeView *view =
        runningWindow(static_cast<int>(state.range(0))).treeController()->treeMain();
    for (auto _ : state)
        benchmark::DoNotOptimize(view->visibleRows().size());
}

void GridPass(benchmark::State &state)
{
    TreeController &tree = *runningWindow(static_cast<int>(state.range(0))).treeController();
    for (auto _ : state) {
        tree.markChanged();
        tree.timerTreeTick();
    }
}

void RepaintBaseline(benchmark::State &state)
{
    MainTreeView *view =
        runningWindow(static_cast<int>(state.range(0))).treeController()->treeMain();
    for (auto _ : state)
        view->viewport()->repaint();
}

void ScrollPage(benchmark::State &state)
{
    TreeController &tree = *runningWindow(static_cast<int>(state.range(0))).treeController();
    QScrollBar *bar = tree.treeMain()->verticalScrollBar();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        tree.timerTreeTick();
        tree.treeMain()->viewport()->repaint();
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::RegisterBenchmark("ProcessEmpty", ProcessEmpty)
        ->UseManualTime()
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    for (int size : {10000, 100000}) {
        benchmark::RegisterBenchmark("LoadStoreBaseline", LoadStoreBaseline)
            ->Arg(size)
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("ProcessToTree", ProcessToTree)
            ->Arg(size)
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("WindowShown", WindowShown)
            ->Arg(size)
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("RowsWalk", RowsWalk)
            ->Arg(size)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("GridPass", GridPass)
            ->Arg(size)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("RepaintBaseline", RepaintBaseline)
            ->Arg(size)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("ScrollPage", ScrollPage)
            ->Arg(size)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    windows().clear();
    homes().clear();
    return 0;
}
