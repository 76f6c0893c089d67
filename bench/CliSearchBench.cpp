// nimbus-cli search at 100,000 topics, in process, three ways in the same run: the whole load
// (every topic read, built and classified, then the index checked against all of them); the
// answer from the index with one pass over a store saved since the index was last brought in
// line with it (every record's id and title noted, only the hits kept); and the answer from the
// index when the store file is as nimbus-cli last saw it (only the hits' records read). Each also
// reports, as peak_MiB, the peak memory of one answer made in a child process of its own: the store
// is generated and the index built in children as well, and every peak is taken before any timing
// loop, so the children start from a small parent and count the answer alone (a child's peak starts
// at its parent's size).
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <sstream>

#include "StoreGenerator.h"
#include "cli/SearchIndexAccess.h"
#include "cli/TopicSnapshot.h"
#include "cli/commands/SearchCommand.h"
#include "search/SearchResults.h"
#include "store/Clock.h"
#include "store/TNimbusStructure.h"

namespace {

using namespace nimbus;

constexpr int kTopics = 100000;
const char *kQuery = "plumber";

// Runs work in a child process; its peak resident memory in MiB.
template <typename Work> double inChild(Work work)
{
    const pid_t child = ::fork();
    if (child == 0) {
        work();
        ::_exit(0);
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

struct Folder {
    std::string root;
    std::string data;
    std::string channels;
    Folder()
    {
        char pattern[] = "/tmp/nimbus-cli-search-bench-XXXXXX";
        root = ::mkdtemp(pattern) ? std::string(pattern) + "/" : std::string("/tmp/");
        data = root + "data/";
        channels = root + "channels/";
        std::filesystem::create_directories(data);
        std::filesystem::create_directories(channels);
        inChild([this] {
            TNimbusStructure store;
            store.SetFileName(data + "Structure.dat");
            store.SetUniqueFileName(data + "StructUnique.dat");
            bench::GenerateStore(store, kTopics, SystemClock::instance().now());
            store.SaveStructure();
        });
        for (const char *folder : {"Text", "CheckList", "Packs"})
            std::filesystem::create_directories(data + folder);
        // Saved an hour ago: a store and folders changed within the last two seconds could
        // still change unseen within their time's tick, so no stamp of them is trusted.
        for (const char *name : {"Text", "CheckList", "Packs", ""})
            age(data + name, 3600);
        age(data + "Structure.dat", 3600);
    }
    // Sets a file's times seconds back from now (the store looks saved again when it moves).
    static void age(const std::string &path, int seconds)
    {
        std::error_code ignored;
        std::filesystem::last_write_time(
            path, std::filesystem::file_time_type::clock::now() - std::chrono::seconds(seconds),
            ignored);
    }
    ~Folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
};

const Folder &folder()
{
    static Folder made;
    return made;
}

// The command before: every topic loaded and built, the index checked against all of them.
std::size_t wholeLoad(const std::string &text)
{
    std::ostringstream out;
    cli::CliContext context{folder().data, folder().channels, SystemClock::instance(), out, {}};
    cli::TopicSnapshot snapshot;
    snapshot.loadForReading(context.dataFolder, context.clock, false, true);
    std::vector<search::TopicEntry> topics;
    for (const auto &entry : snapshot.store().Entries())
        if (entry.node)
            topics.push_back({entry.node->uni, entry.node->text});
    cli::SearchIndexAccess access(context.dataFolder, context.channelFolder);
    access.open(topics);
    const auto results = search::RunSearch(&access.index(), search::ParseQuery(text),
                                           snapshot.store(), context.clock, 200);
    std::vector<cli::TopicRow> rows;
    for (const search::SearchResult &result : results)
        if (const TNimbusNode *node = snapshot.store().Find(result.topic))
            rows.push_back(cli::rowOf(*node, snapshot.displayOrder()));
    cli::printRows(out, rows, cli::Format::Text, false);
    return out.str().size();
}

std::size_t fromIndex(const std::string &text)
{
    std::ostringstream out;
    cli::CliContext context{folder().data, folder().channels, SystemClock::instance(), out, {}};
    cli::answerQuery(text, 200, cli::Format::Text, false, context);
    return out.str().size();
}

// The store saved again since the last search (its time moved): every record is read.
std::size_t storeSavedSince(const std::string &text)
{
    static int moves = 0;
    Folder::age(folder().data + "Structure.dat", 3600 + (++moves % 600));
    return fromIndex(text);
}

struct Peaks {
    double wholeLoad = 0;
    double storeSavedSince = 0;
    double fromIndex = 0;
    double idle = 0; // the parent's own size, for comparison
};

const Peaks &peaks()
{
    static const Peaks measured = [] {
        folder();
        inChild([] { fromIndex(kQuery); }); // the index is built once, and current from then on
        Peaks p;
        p.idle = inChild([] {});
        p.wholeLoad = inChild([] { wholeLoad(kQuery); });
        p.storeSavedSince = inChild([] { storeSavedSince(kQuery); });
        inChild([] { fromIndex(kQuery); }); // notes the store file as it now is
        p.fromIndex = inChild([] { fromIndex(kQuery); });
        return p;
    }();
    return measured;
}

void run(benchmark::State &state, std::size_t (*answer)(const std::string &))
{
    const double peak = answer == wholeLoad         ? peaks().wholeLoad
                        : answer == storeSavedSince ? peaks().storeSavedSince
                                                    : peaks().fromIndex;
    state.counters["parent_MiB"] = peaks().idle;
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = answer(kQuery);
    state.counters["peak_MiB"] = peak;
    state.counters["output_bytes"] = static_cast<double>(bytes);
}

void BM_CliSearch_WholeLoad(benchmark::State &state)
{
    run(state, wholeLoad);
}
void BM_CliSearch_StoreSavedSince(benchmark::State &state)
{
    run(state, storeSavedSince);
}
void BM_CliSearch_FromIndex(benchmark::State &state)
{
    run(state, fromIndex);
}

BENCHMARK(BM_CliSearch_WholeLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CliSearch_StoreSavedSince)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CliSearch_FromIndex)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
