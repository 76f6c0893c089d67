// The undo history on generated stores. Removing a 10,000-topic subtree of a 100,000-topic
// store and undoing the removal (a tenth of the subtree's topics with a page list, a details
// page and a checklist, which go into the session's trash and come back) beside two baselines
// measured in the same run: renaming the same number of files there and back, and writing the
// subtree's records as the store file holds them. The heap of a history of 10,000 small steps
// (a status change with its group's roll-up) is reported as a counter beside the heap of the
// store, and that of 10,000 steps of which 1,000 retype a details page of a megabyte with five
// old versions beside the page's own bytes.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "StoreGenerator.h"
#include "fileio/FolderOps.h"
#include "history/FieldEdit.h"
#include "history/PageFilesEdit.h"
#include "history/RemoveSubtree.h"
#include "history/SessionTrash.h"
#include "history/StepNames.h"
#include "history/TreePlace.h"
#include "history/UndoHistory.h"
#include "store/ContentFiles.h"
#include "store/StructureWriter.h"
#include "store/TNimbusStructure.h"

namespace {

using namespace nimbus;

const DateTime kNow = DateTime::fromCivil(2024, 3, 10, 12, 0, 0);
constexpr int kStoreTopics = 100000;
constexpr int kSubtreeTopics = 10000;
const char *const kSubtreeId = "9000000";

std::string makeFolder()
{
    char folder[] = "/tmp/nimbus-history-bench-XXXXXX";
    if (::mkdtemp(folder) == nullptr)
        std::abort();
    return std::string(folder) + "/";
}

void putFile(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// 90,000 generated topics, then one topic with 9,999 below it (three levels) in the middle of
// "Topics"; every tenth topic of the subtree has its three content files.
class Fixture {
public:
    Fixture() : folder_(makeFolder()), folders_(ContentFolders::inDataFolder(folder_))
    {
        for (const std::string &sub : {folders_.packs, folders_.text, folders_.checkList})
            fileio::createFolder(sub);
        store_.SetFileName(folder_ + "Structure.dat");
        bench::GenerateStore(store_, kStoreTopics - kSubtreeTopics, kNow);
        int at = store_.IndexOf("STD0001") + (kStoreTopics - kSubtreeTopics) / 2;
        while (store_.Node(at)->lev != 1)
            ++at;
        std::vector<std::unique_ptr<TNimbusNode>> subtree;
        for (int i = 0; i < kSubtreeTopics; ++i) {
            const std::string id = i == 0 ? kSubtreeId : std::to_string(9000000 + i);
            auto node = std::make_unique<TNimbusNode>(id);
            node->lev = i == 0 ? 1 : 2 + (i - 1) % 3;
            node->type = 1;
            node->text = "Archived topic " + std::to_string(i);
            if (i % 10 == 0) {
                putFile(folders_.packs + id + ".pkt",
                        "con=0\r\nuni=1\r\nfile=" + id + "-1.txt\r\ncon=1\r\nuni=2\r\nfile=" + id
                            + "-2.lst\r\n");
                putFile(folders_.text + id + "-1.txt", "{\\rtf1 Notes\\par}");
                putFile(folders_.checkList + id + "-2.lst", "chk=1\r\ntxt=Done\r\n");
            }
            subtree.push_back(std::move(node));
        }
        if (!store_.InsertRange(at, subtree))
            std::abort();
        trash_ = std::make_unique<history::SessionTrash>(folder_ + "RemovedTopics/",
                                                         NullStoreLog::instance());
    }
    ~Fixture()
    {
        trash_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    history::HistoryContext context()
    {
        return {store_, folders_, trash_.get(), NullStoreLog::instance()};
    }
    TNimbusStructure &store() { return store_; }
    const std::string &folder() const { return folder_; }

private:
    std::string folder_;
    ContentFolders folders_;
    TNimbusStructure store_;
    std::unique_ptr<history::SessionTrash> trash_;
};

Fixture &fixture()
{
    static Fixture made;
    return made;
}

void BM_UndoRemoveSubtree(benchmark::State &state)
{
    Fixture &f = fixture();
    history::HistoryContext context = f.context();
    for (auto _ : state) {
        state.PauseTiming();
        history::RemoveSubtree removal(kSubtreeId);
        if (!removal.apply(context) || removal.heldCount() != kSubtreeTopics)
            std::abort();
        state.ResumeTiming();
        if (!removal.revert(context))
            std::abort();
    }
    state.counters["topics"] = kSubtreeTopics;
}
BENCHMARK(BM_UndoRemoveSubtree)->Unit(benchmark::kMillisecond)->Iterations(5);

// The removal itself: the subtree leaves the list and its files move into the trash, each
// listed in the session's list of kept files first.
void BM_RemoveSubtree(benchmark::State &state)
{
    Fixture &f = fixture();
    history::HistoryContext context = f.context();
    for (auto _ : state) {
        history::RemoveSubtree removal(kSubtreeId);
        if (!removal.apply(context) || removal.heldCount() != kSubtreeTopics)
            std::abort();
        state.PauseTiming();
        if (!removal.revert(context))
            std::abort();
        state.ResumeTiming();
    }
    state.counters["topics"] = kSubtreeTopics;
}
BENCHMARK(BM_RemoveSubtree)->Unit(benchmark::kMillisecond)->Iterations(5);

// The files the undo moves back, renamed there and back.
void BM_Baseline_RenameSameFiles(benchmark::State &state)
{
    Fixture &f = fixture();
    std::vector<std::string> files;
    for (const char *sub : {"Packs/", "Text/", "CheckList/"})
        for (const auto &entry : std::filesystem::directory_iterator(f.folder() + sub))
            if (entry.path().filename().string().rfind("90", 0) == 0)
                files.push_back(entry.path().string());
    const std::string aside = f.folder() + "aside/";
    fileio::createFolder(aside);
    for (auto _ : state) {
        for (std::size_t i = 0; i < files.size(); ++i)
            std::rename(files[i].c_str(), (aside + std::to_string(i)).c_str());
        for (std::size_t i = 0; i < files.size(); ++i)
            std::rename((aside + std::to_string(i)).c_str(), files[i].c_str());
    }
    state.counters["files"] = static_cast<double>(files.size());
}
BENCHMARK(BM_Baseline_RenameSameFiles)->Unit(benchmark::kMillisecond)->Iterations(5);

// The subtree's records as the store file holds them.
void BM_Baseline_WriteSubtreeRecords(benchmark::State &state)
{
    Fixture &f = fixture();
    const int from = f.store().IndexOf(kSubtreeId);
    const int end = history::subtreeEnd(f.store(), from);
    for (auto _ : state) {
        std::string bytes;
        for (int i = from; i < end; ++i)
            structure::AppendRecord(bytes, *f.store().Node(i));
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_Baseline_WriteSubtreeRecords)->Unit(benchmark::kMillisecond)->Iterations(5);

// 10,000 status changes of random topics of a 10,000-topic store, each with its parent's
// roll-up, kept as steps.
void BM_HistoryOf10000SmallSteps(benchmark::State &state)
{
    std::size_t heap = 0;
    std::size_t storeHeap = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::size_t beforeStore = mallinfo2().uordblks;
        TNimbusStructure store;
        bench::GenerateStore(store, 10000, kNow);
        storeHeap = mallinfo2().uordblks - beforeStore;
        std::mt19937 rng(3);
        state.ResumeTiming();
        const std::size_t before = mallinfo2().uordblks;
        {
            history::UndoHistory steps(history::HistoryContext{store, {}, nullptr, NullStoreLog::instance()});
            for (int i = 0; i < 10000; ++i) {
                int index = static_cast<int>(rng() % static_cast<unsigned>(store.Count()));
                while (store.Node(index)->lev == 0)
                    index = (index + 1) % store.Count();
                TNimbusNode &node = *store.Node(index);
                const int parent = history::parentIndex(store, index);
                history::FieldEditRecorder recorder(store,
                                                    {node.uni, std::string(store.Id(parent))});
                node.status = node.status == kStatusCompleted ? kStatusInProgress : kStatusCompleted;
                node.percent = node.status == kStatusCompleted ? 100 : 50;
                node.fdate = "20240310";
                store.Node(parent)->percent = static_cast<int>(rng() % 101);
                std::unique_ptr<history::FieldEdit> step = recorder.finish();
                if (!step)
                    continue;
                const std::string name = history::editStepName(node, step->topics().front().changes).english();
                steps.push(std::move(step), name);
            }
            heap = mallinfo2().uordblks - before;
            benchmark::DoNotOptimize(steps.size());
        }
    }
    state.counters["history_bytes"] = static_cast<double>(heap);
    state.counters["bytes_per_step"] = static_cast<double>(heap) / 10000.0;
    state.counters["store_bytes_10000_topics"] = static_cast<double>(storeHeap);
}
BENCHMARK(BM_HistoryOf10000SmallSteps)->Unit(benchmark::kMillisecond)->Iterations(3);

// A page of about a megabyte: sentences of generated words, as RTF.
std::string makePage(std::mt19937 &rng)
{
    static const char *const words[] = {"meeting", "budget", "Anna",  "review", "plan", "garden",
                                        "report",  "call",   "draft", "the",    "and",  "of"};
    std::string page = "{\\rtf1\\ansi ";
    while (page.size() < (1u << 20)) {
        for (int i = 0; i < 12; ++i)
            page += std::string(words[rng() % 12]) + ' ';
        page += "\\par\n";
    }
    return page + "}";
}

// 10,000 steps: every tenth leaves a details page of a megabyte retyped in one place (saved
// with five old versions, as the window's saves keep them), the others are status changes.
// Counted: the history's heap with no bound and with the default one, beside the page's bytes
// and those of the page with its old versions.
void BM_HistoryOf10000StepsWith1000PageSteps(benchmark::State &state)
{
    const std::string folder = makeFolder();
    const ContentFolders folders = ContentFolders::inDataFolder(folder);
    for (const std::string &sub : {folders.packs, folders.text, folders.checkList})
        fileio::createFolder(sub);
    TNimbusStructure store;
    store.SetFileName(folder + "Structure.dat");
    bench::GenerateStore(store, 10000, kNow);
    const int topicIndex = store.IndexOf("STD0001") + 1;
    const std::string topicId(store.Id(topicIndex));
    TNimbusNode &topic = *store.Node(topicIndex);
    TContent &content = topic.LoadContent(folders, NullStoreLog::instance());
    content.AddDefaultPages();
    THyperData &page = *content.pages[0];
    std::mt19937 rng(5);
    std::string text = makePage(rng);
    for (int save = 0; save < 6; ++save) {
        text.replace(rng() % (text.size() - 100), 5, "Edit ");
        content::SaveDetails(page, folders, text, 5, true, NullStoreLog::instance());
    }
    content::WriteContent(content, NullStoreLog::instance());
    std::size_t pageBytes = text.size();
    std::size_t withVersions = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folders.text))
        withVersions += static_cast<std::size_t>(entry.file_size());

    std::size_t heap = 0;
    std::size_t measured = 0;
    std::size_t boundedBytes = 0;
    std::size_t boundedSteps = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        history::HistoryContext context{store, folders, nullptr, NullStoreLog::instance()};
        history::UndoHistory all(context, history::HistoryLimits{20000, std::size_t{1} << 40});
        history::UndoHistory bounded(context);
        for (int i = 0; i < 10000; ++i) {
            if (i % 10 == 0) {
                history::PageFilesRecorder recorder(topicId, folders, NullStoreLog::instance());
                const std::size_t at = rng() % (text.size() - 200);
                text.replace(at, 40, "a sentence typed on step " + std::to_string(i) + ". ");
                content::SaveDetails(page, folders, text, 5, true, NullStoreLog::instance());
                std::unique_ptr<history::PageFilesEdit> step = recorder.finish();
                std::unique_ptr<history::PageFilesEdit> copy = recorder.finish();
                if (!step || !copy)
                    std::abort();
                all.push(std::move(step), "Edit the details page");
                bounded.push(std::move(copy), "Edit the details page");
                continue;
            }
            int index = static_cast<int>(rng() % static_cast<unsigned>(store.Count()));
            while (store.Node(index)->lev == 0)
                index = (index + 1) % store.Count();
            TNimbusNode &node = *store.Node(index);
            history::FieldEditRecorder recorder(store, {node.uni});
            node.status = node.status == kStatusCompleted ? kStatusInProgress : kStatusCompleted;
            all.push(recorder.finish(), "Set status");
            bounded.push(recorder.finish(), "Set status");
        }
        heap = mallinfo2().uordblks - before;
        measured = all.memoryBytes();
        boundedBytes = bounded.memoryBytes();
        boundedSteps = bounded.size();
        pageBytes = text.size();
    }
    state.counters["history_heap_bytes_both"] = static_cast<double>(heap);
    state.counters["history_bytes_10000_steps"] = static_cast<double>(measured);
    state.counters["bounded_history_bytes"] = static_cast<double>(boundedBytes);
    state.counters["bounded_history_steps"] = static_cast<double>(boundedSteps);
    state.counters["page_bytes"] = static_cast<double>(pageBytes);
    state.counters["page_and_versions_bytes"] = static_cast<double>(withVersions);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
BENCHMARK(BM_HistoryOf10000StepsWith1000PageSteps)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
