// The start of a calendar sync in the main window (offscreen) on a generated store of 100,000
// topics, all of them under the synced section, every tenth with a details page (half of those
// rich text): how long the window's thread is held when a sync begins (until the worker takes
// over), beside loading the same store's file in-process (the bytes the sync's copy of the
// topics comes from), measured in the same run. The server is a closed port on 127.0.0.1, so
// the worker ends at once; each sync is awaited outside the figure.
#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "BenchHome.h"
#include "StoreGenerator.h"
#include "caldav/CalendarAccount.h"
#include "shell/TformMain.h"
#include "shell/caldav/CalendarSyncController.h"
#include "store/Clock.h"
#include "store/TNimbusStructure.h"

namespace {

using namespace nimbus;
using Steady = std::chrono::steady_clock;

const DateTime kNow = DateTime::fromCivil(2024, 3, 10, 12, 0, 0);
constexpr int kTopics = 100'000;

// The generated home, with a details page for every tenth topic.
bench::BenchHome &home()
{
    static const std::unique_ptr<bench::BenchHome> made = [] {
        auto made = std::make_unique<bench::BenchHome>(kTopics, kNow);
        bench::BenchHome &h = *made;
        for (const char *sub : {"Packs", "Text"})
            std::filesystem::create_directories(h.data() + sub);
        for (int i = 1; i <= kTopics; i += 10) {
            const std::string uni = std::to_string(i);
            const bool rich = i % 20 == 1;
            const std::string file = uni + "-1.txt";
            std::ofstream(h.data() + "Packs/" + uni + ".pkt", std::ios::binary)
                << "con=0\r\nuni=1\r\nfile=" + file + "\r\n";
            std::ofstream(h.data() + "Text/" + file, std::ios::binary)
                << (rich ? "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Notes on topic " + uni +
                               " with \\b bold\\b0  words.\\par}"
                         : "Notes on topic " + uni + "\r\nSecond line.\r\n");
        }
        return made;
    }();
    return *made;
}

TformMain::Environment environmentFor(const bench::BenchHome &h)
{
    const std::string root = h.root();
    return {[root](const std::string &name) { return name == "HOMEDRIVE" ? root : ""; },
            root + "prog/nimbus",
            h.channels(),
            {}};
}

void LoadStoreBaseline(benchmark::State &state)
{
    for (auto _ : state) {
        TNimbusStructure store;
        store.SetFileName(home().data() + "Structure.dat");
        store.LoadStructure();
        benchmark::DoNotOptimize(store.Count());
    }
}

void SyncStartOnWindow(benchmark::State &state)
{
    FixedClock clock(kNow);
    TformMain window(clock, environmentFor(home()));
    caldavui::CalendarSyncController *sync = window.calendarSync();
    caldav::CalendarAccount account;
    account.server = "http://127.0.0.1:1/";
    account.user = "bench";
    account.calendars = {{"http://127.0.0.1:1/calendar/", "bench", "STD0001"}};
    int finished = 0;
    QObject::connect(sync, &caldavui::CalendarSyncController::syncFinished,
                     [&finished](bool) { ++finished; });
    auto awaitEnd = [&](int count) {
        QElapsedTimer waited;
        waited.start();
        while (finished < count && waited.elapsed() < 600'000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
    };
    // The account's first sync saves its files: not part of the figure.
    sync->setAccount(account, {});
    awaitEnd(1);
    for (auto _ : state) {
        const auto start = Steady::now();
        sync->syncNow();
        state.SetIterationTime(std::chrono::duration<double>(Steady::now() - start).count());
        awaitEnd(finished + 1);
    }
    if (sync->lastResult().find("failed") == std::string::npos)
        state.SkipWithError("the sync did not run against the closed port");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::RegisterBenchmark("LoadStoreBaseline/100000", LoadStoreBaseline)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("SyncStartOnWindow/100000", SyncStartOnWindow)
        ->UseManualTime()
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
