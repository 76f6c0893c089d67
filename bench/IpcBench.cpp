// Channel benchmarks: a one-line batch from SendToChannel to the handler (median latency), and
// 10,000 batches in a row with none lost, beside the physical floor of handing one
// SOCK_SEQPACKET message to another thread.
#include <benchmark/benchmark.h>

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "ipc/Channels.h"

using namespace nimbus::ipc;
using Clock = std::chrono::steady_clock;

namespace {

// A served channel in a folder of its own, counting the batches its handler receives.
struct Server {
    std::string folder;
    std::atomic<long> batches{0};
    std::atomic<long> lines{0};
    std::unique_ptr<PipeList> list;

    Server()
    {
        char pattern[] = "/tmp/nimbus-bench-ipc-XXXXXX";
        folder = std::string(::mkdtemp(pattern)) + "/";
        list = std::make_unique<PipeList>(nullptr, folder);
        CreateServerChannel(*list, "nimbusslavemode", [this](const std::vector<std::string> &b) {
            lines += static_cast<long>(b.size());
            ++batches; // after lines: a waiter that sees the batch also sees its lines
        });
        // The server logs nothing and the first probe counts as an empty batch; wait for it.
        ChannelExists(PipeLine("nimbusslavemode", true, folder));
        while (batches.load() < 1)
            std::this_thread::yield();
        batches = 0;
    }
    ~Server()
    {
        list.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void BM_OneLineBatchSendToHandler(benchmark::State &state)
{
    Server server;
    const PipeLine client("nimbusslavemode", true, server.folder);
    std::vector<double> microseconds;
    for (auto _ : state) {
        const long before = server.batches.load();
        const auto start = Clock::now();
        if (!SendToChannel(client, nullptr, {"wakeup=now"}))
            state.SkipWithError("send failed");
        while (server.batches.load() == before)
            std::this_thread::yield();
        microseconds.push_back(
            std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    state.counters["median_us"] = median(microseconds);
}
BENCHMARK(BM_OneLineBatchSendToHandler)->Iterations(2000)->UseRealTime();

// The floor: one message through a SOCK_SEQPACKET socket pair to a waiting thread.
void BM_BaselineSeqpacketHandOff(benchmark::State &state)
{
    int pair[2];
    ::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, pair);
    std::atomic<long> received{0};
    std::thread reader([&] {
        char buffer[2048];
        while (::recv(pair[1], buffer, sizeof buffer, 0) > 0)
            ++received;
    });
    std::vector<double> microseconds;
    const char message[] = "wakeup=now";
    for (auto _ : state) {
        const long before = received.load();
        const auto start = Clock::now();
        ::send(pair[0], message, sizeof message, 0);
        while (received.load() == before)
            std::this_thread::yield();
        microseconds.push_back(
            std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    ::shutdown(pair[0], SHUT_RDWR);
    reader.join();
    ::close(pair[0]);
    ::close(pair[1]);
    state.counters["median_us"] = median(microseconds);
}
BENCHMARK(BM_BaselineSeqpacketHandOff)->Iterations(2000)->UseRealTime();

// 10,000 batches sent back to back without waiting for the handler: every one arrives.
void BM_TenThousandBatchesNoneLost(benchmark::State &state)
{
    constexpr long kBatches = 10000;
    for (auto _ : state) {
        Server server;
        const PipeLine client("nimbusslavemode", true, server.folder);
        long sent = 0;
        for (long i = 0; i < kBatches; ++i)
            sent += SendToChannel(client, nullptr, {"run=/bin/true," + std::to_string(i)});
        const auto until = Clock::now() + std::chrono::seconds(60);
        while (server.batches.load() < kBatches && Clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        state.counters["sent"] = static_cast<double>(sent);
        state.counters["received"] = static_cast<double>(server.batches.load());
        state.counters["lost"] = static_cast<double>(kBatches - server.lines.load());
        if (server.lines.load() != kBatches)
            state.SkipWithError("batches were lost");
    }
}
BENCHMARK(BM_TenThousandBatchesNoneLost)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
