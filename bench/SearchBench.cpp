// The search index at full size: a generated store of 100,000 topics (types, statuses and due
// dates as in real use), 20,000 details pages of about 2 KB (RTF) and 10,000 checklists of eight
// items, written into a temporary data folder at start. Every figure stands beside its baseline
// from the same run: building beside reading and extracting the same texts, queries beside a
// plain scan of the extracted texts (two words across a topic's title and page, and a filtered
// query, beside a scan of each topic's texts), the update beside the page save itself, the
// file's size beside the size of the indexed text.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "StoreGenerator.h"
#include "search/RtfText.h"
#include "search/SearchIndex.h"
#include "search/SearchResults.h"
#include "search/StoreTopics.h"
#include "search/TextFold.h"
#include "store/Clock.h"
#include "store/ContentFiles.h"
#include "store/TNimbusStructure.h"
#include "store/TopicCodes.h"

using namespace nimbus;

namespace {

constexpr int kTopics = 100000;
constexpr int kPages = 20000;
constexpr int kChecklists = 10000;

struct Corpus {
    std::string data;
    ContentFolders folders;
    FixedClock clock{DateTime::fromCivil(2026, 3, 10, 9, 0, 0)};
    TNimbusStructure store;
    std::vector<search::TopicEntry> topics; // every node of the store, sections too
    std::vector<std::string> vocabulary;
    std::vector<std::string> texts;  // extracted, folded: what a plain scan goes through
    std::vector<std::vector<std::string>> topicTexts; // the same, by topic (as topics)
    std::int64_t textBytes = 0;
    std::unique_ptr<search::SearchIndex> index;

    Corpus() {
        char pattern[] = "/tmp/nimbus-search-bench-XXXXXX";
        data = std::string(::mkdtemp(pattern)) + "/";
        folders = ContentFolders::inDataFolder(data);
        for (const char *sub : {"Packs", "Text", "CheckList"}) std::filesystem::create_directories(data + sub);
        std::mt19937 rng(7);
        const char *syllables[] = {"ka", "lo", "mi", "ren", "to", "sa", "vi", "dor", "pe", "lun",
                                   "ga", "ber", "zu", "fi", "mon", "tel", "ra", "qua", "ne", "sil"};
        for (int i = 0; i < 20000; ++i) {
            std::string w;
            int n = 2 + static_cast<int>(rng() % 3);
            for (int s = 0; s < n; ++s) w += syllables[rng() % 20];
            vocabulary.push_back(w + std::to_string(i % 7));
        }
        // Word frequencies fall off as in natural text.
        std::vector<double> weights;
        for (std::size_t i = 0; i < vocabulary.size(); ++i) weights.push_back(1.0 / static_cast<double>(i + 1));
        std::discrete_distribution<std::size_t> zipf(weights.begin(), weights.end());
        auto words = [&](int count) {
            std::string s;
            for (int i = 0; i < count; ++i) {
                if (i) s += ' ';
                s += vocabulary[zipf(rng)];
            }
            return s;
        };
        bench::GenerateStore(store, kTopics, clock.now());
        int t = -1;
        for (int i = 0; i < store.Count(); ++i) {
            TNimbusNode &node = *store.Node(i);
            if (node.lev > 0)
                node.text = words(4);
            topics.push_back({node.uni, node.text});
            if (node.lev <= 0)
                continue;
            const std::string &uni = node.uni;
            ++t;
            const bool page = t < kPages;
            const bool list = t % 10 == 0;  // 10,000 checklists
            if (!page && !list) continue;
            std::string pkt;
            if (page) {
                pkt += "con=0\r\nuni=1\r\nfile=" + uni + "-1.txt\r\n";
                std::string body = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
                while (body.size() < 2048) body += words(12) + "\\par\n";
                body += "}";
                std::ofstream(data + "Text/" + uni + "-1.txt", std::ios::binary) << body;
            }
            if (list) {
                pkt += "con=1\r\nuni=2\r\nfile=" + uni + "-2.lst\r\n";
                std::string items;
                for (int i = 0; i < 8; ++i) items += "chk=0\r\ntxt=" + words(5) + "\r\n";
                std::ofstream(data + "CheckList/" + uni + "-2.lst", std::ios::binary) << items;
            }
            std::ofstream(data + "Packs/" + uni + ".pkt", std::ios::binary) << pkt;
        }
        // Files and folders as the program finds them at a later start: written some time ago.
        const auto before = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
        for (const char *sub : {"Packs", "Text", "CheckList"}) {
            for (const auto &entry : std::filesystem::directory_iterator(data + sub))
                std::filesystem::last_write_time(entry.path(), before);
            std::filesystem::last_write_time(data + sub, before);
        }
    }
    ~Corpus() {
        index.reset();
        std::error_code ec;
        std::filesystem::remove_all(data, ec);
    }
};

Corpus &corpus() {
    static Corpus c;
    return c;
}

// Reads every file the index reads and takes the text out of it (the build's baseline).
void extractTexts(Corpus &c)
{
    c.texts.clear();
    c.topicTexts.clear();
    c.textBytes = 0;
    for (const search::TopicEntry &t : c.topics) {
        search::TopicDocuments docs =
            search::CollectDocuments(t, c.folders, NullStoreLog::instance());
        c.topicTexts.emplace_back();
        for (const search::IndexDocument &d : docs.documents) {
            c.textBytes += static_cast<std::int64_t>(d.text.size());
            c.texts.push_back(search::Fold(d.text));
            c.topicTexts.back().push_back(c.texts.back());
        }
    }
}

bool buildIndex(Corpus &c)
{
    c.index = std::make_unique<search::SearchIndex>(c.data + "Search.db", c.folders,
                                                    NullStoreLog::instance());
    return c.index->Build(c.topics);
}

// The corpus with its texts extracted and its index built, whichever benchmarks a filter left out.
Corpus &readyCorpus()
{
    Corpus &c = corpus();
    if (c.topicTexts.empty())
        extractTexts(c);
    if (!c.index)
        buildIndex(c);
    return c;
}

void BM_ReadAndExtractTexts(benchmark::State &state)
{
    Corpus &c = corpus();
    for (auto _ : state)
        extractTexts(c);
    state.counters["text_MB"] = static_cast<double>(c.textBytes) / 1e6;
}
BENCHMARK(BM_ReadAndExtractTexts)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_BuildIndex(benchmark::State &state) {
    Corpus &c = corpus();
    if (c.topicTexts.empty())
        extractTexts(c);
    for (auto _ : state) {
        if (!buildIndex(c))
            state.SkipWithError("build failed");
    }
    const auto bytes = static_cast<double>(std::filesystem::file_size(c.data + "Search.db"));
    state.counters["index_MB"] = bytes / 1e6;
    state.counters["index_per_text"] = bytes / static_cast<double>(c.textBytes);
}
BENCHMARK(BM_BuildIndex)->Unit(benchmark::kMillisecond)->Iterations(1);

// Opening the index as the program does at every start: after a clean close (header, schema and
// state checked, and the clean-close mark), and after a session that did not close it cleanly
// (SQLite's quick check and the full-text integrity check as well), beside reading the file's
// bytes once.
void BM_ReadIndexFile(benchmark::State &state)
{
    for (auto _ : state) {
        std::ifstream in(readyCorpus().data + "Search.db", std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_ReadIndexFile)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_OpenIndex(benchmark::State &state)
{
    Corpus &c = readyCorpus();
    for (auto _ : state) {
        search::SearchIndex opened(c.data + "Search.db", c.folders, NullStoreLog::instance());
        if (!opened.Open() || opened.CheckedFully())
            state.SkipWithError("the index was not taken, or checked whole");
    }
}
BENCHMARK(BM_OpenIndex)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// Another program's write moves the file's change counter past the clean-close mark: the next
// open checks the whole file (and marks it clean again when it closes).
void BM_OpenIndexFullChecks(benchmark::State &state)
{
    Corpus &c = readyCorpus();
    c.index->Close();
    for (auto _ : state) {
        state.PauseTiming();
        sqlite3 *db = nullptr;
        sqlite3_open((c.data + "Search.db").c_str(), &db);
        sqlite3_exec(db, "UPDATE meta SET value = value + 1 WHERE key = 'dead'", nullptr, nullptr,
                     nullptr);
        sqlite3_close(db);
        state.ResumeTiming();
        search::SearchIndex opened(c.data + "Search.db", c.folders, NullStoreLog::instance());
        if (!opened.Open() || !opened.CheckedFully())
            state.SkipWithError("the index was not taken, or not checked");
    }
    c.index->Open();
}
BENCHMARK(BM_OpenIndexFullChecks)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The re-check of every start with nothing changed: comparing every topic's title and every
// file it was indexed from (the baseline), beside the check that trusts the summary of the
// topics and content folders and looks only at the files that were there.
void BM_RefreshEveryTopic(benchmark::State &state)
{
    Corpus &c = readyCorpus();
    for (auto _ : state) {
        if (c.index->Refresh(c.topics, search::SearchIndex::Check::EveryTopic) != 0)
            state.SkipWithError("something was indexed again");
    }
}
BENCHMARK(BM_RefreshEveryTopic)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_RefreshNothingChanged(benchmark::State &state)
{
    Corpus &c = readyCorpus();
    for (auto _ : state) {
        if (c.index->Refresh(c.topics) != 0)
            state.SkipWithError("something was indexed again");
    }
}
BENCHMARK(BM_RefreshNothingChanged)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Words of middling frequency: neither the commonest nor ones that occur once.
const std::string &queryWord(std::size_t i) {
    return readyCorpus().vocabulary[50 + (i * 37) % 2000];
}

void BM_PlainScanOneWord(benchmark::State &state) {
    Corpus &c = readyCorpus();
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        const std::string &w = queryWord(i++);
        for (const std::string &t : c.texts) found += t.find(w) != std::string::npos;
    }
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_PlainScanOneWord)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_QueryOneWord(benchmark::State &state) {
    Corpus &c = readyCorpus();
    std::size_t i = 0, found = 0;
    for (auto _ : state)
        found += c.index->Query(search::ParseQuery(queryWord(i++)), {}, 200).hits.size();
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_QueryOneWord)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

std::string phrase(std::size_t i) { return queryWord(i) + " " + queryWord(i + 1); }

void BM_PlainScanPhrase(benchmark::State &state) {
    Corpus &c = readyCorpus();
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        const std::string p = phrase(i++);
        for (const std::string &t : c.texts) found += t.find(p) != std::string::npos;
    }
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_PlainScanPhrase)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_QueryPhrase(benchmark::State &state) {
    Corpus &c = readyCorpus();
    std::size_t i = 0, found = 0;
    for (auto _ : state)
        found += c.index->Query(search::ParseQuery("\"" + phrase(i++) + "\""), {}, 200).hits.size();
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_QueryPhrase)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// Two words of one topic, the first of its title and one of its page: only the whole topic
// holds both. The plain scan looks for both among each topic's texts.
std::pair<std::string, std::string> titleAndPageWords(std::size_t i)
{
    const std::vector<std::string> &texts = readyCorpus().topicTexts[(1 + i * 7919) % kPages + 1];
    auto wordAt = [](const std::string &text, std::size_t n) {
        std::istringstream words(text);
        std::string word;
        for (std::size_t k = 0; k <= n && words >> word;)
            ++k;
        return word;
    };
    return {wordAt(texts[0], 0), wordAt(texts.size() > 1 ? texts[1] : texts[0], 5)};
}

bool holds(const std::vector<std::string> &texts, const std::string &word)
{
    for (const std::string &t : texts)
        if (t.find(word) != std::string::npos)
            return true;
    return false;
}

void BM_PlainScanTwoWordsAcrossTexts(benchmark::State &state)
{
    Corpus &c = readyCorpus();
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        const auto [a, b] = titleAndPageWords(i++);
        for (const std::vector<std::string> &texts : c.topicTexts)
            found += holds(texts, a) && holds(texts, b);
    }
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_PlainScanTwoWordsAcrossTexts)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The way two words were answered before: each word's rows read whole (two one-word queries),
// beside the second word read only among the topics the rarer one found.
void BM_QueryTwoWordsEachReadWhole(benchmark::State &state)
{
    Corpus &c = readyCorpus();
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        const auto [a, b] = titleAndPageWords(i++);
        found += c.index->Query(search::ParseQuery(a), {}, 200).hits.size();
        found += c.index->Query(search::ParseQuery(b), {}, 200).hits.size();
    }
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_QueryTwoWordsEachReadWhole)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void BM_QueryTwoWordsAcrossTexts(benchmark::State &state)
{
    Corpus &c = readyCorpus();
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        const auto [a, b] = titleAndPageWords(i++);
        found += c.index->Query(search::ParseQuery(a + " " + b), {}, 200).hits.size();
    }
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_QueryTwoWordsAcrossTexts)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// A word among the events only: the filter over the store, the index, the paths, as the
// window and nimbus-cli run it. The plain scan checks the type, then the topic's texts.
void BM_PlainScanFiltered(benchmark::State &state)
{
    Corpus &c = readyCorpus();
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        const std::string &w = queryWord(i++);
        for (std::size_t t = 0; t < c.topicTexts.size(); ++t) {
            const TNimbusNode &node = *c.store.Node(static_cast<int>(t));
            found += node.lev > 0 && node.ttype == kTopicEvent && holds(c.topicTexts[t], w);
        }
    }
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_PlainScanFiltered)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_QueryFiltered(benchmark::State &state)
{
    Corpus &c = readyCorpus();
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        const search::SearchQuery q = search::ParseQuery(queryWord(i++) + " type:event");
        found += search::RunSearch(c.index.get(), q, c.store, c.clock, 200).size();
    }
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_QueryFiltered)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Baseline of the update: the page save itself (the details file written with its old version
// handling, as the page editor does).
void BM_SavePage(benchmark::State &state) {
    Corpus &c = readyCorpus();
    TContent content;
    content.name = c.topics[6].uni; // a topic with a details page
    content.file = c.folders.packs + content.name + ".pkt";
    content::ReadContent(content, NullStoreLog::instance());
    int n = 0;
    for (auto _ : state) {
        const std::string body = "{\\rtf1 saved " + std::to_string(n++) + " " + std::string(2000, 'a') + "}";
        content::SaveDetails(*content.pages[0], c.folders, body, 0, true, NullStoreLog::instance());
    }
}
BENCHMARK(BM_SavePage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_UpdateAfterPageSave(benchmark::State &state) {
    Corpus &c = readyCorpus();
    for (auto _ : state)
        c.index->UpdateTopic(c.topics[6]);
}
BENCHMARK(BM_UpdateAfterPageSave)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The window's start and periodic check hand the worker the digest of the store's ids and
// titles; the copy of all of them (what they handed over before) is made only when the worker
// asks. The copy is the baseline of the digest: the same walk over the same bytes.
void BM_PeriodicTopicsCopied(benchmark::State &state)
{
    Corpus &c = readyCorpus();
    std::size_t n = 0;
    for (auto _ : state)
        n += search::CopyTopics(c.store).size();
    benchmark::DoNotOptimize(n);
}
BENCHMARK(BM_PeriodicTopicsCopied)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_PeriodicTopicsDigest(benchmark::State &state)
{
    Corpus &c = readyCorpus();
    std::uint64_t n = 0;
    for (auto _ : state)
        n += search::DigestTopics(c.store).value();
    benchmark::DoNotOptimize(n);
}
BENCHMARK(BM_PeriodicTopicsDigest)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
