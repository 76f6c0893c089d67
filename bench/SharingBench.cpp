// LAN sharing on generated data: a 1,000-topic packet merged into a 100,000-topic store (all
// new, and received again so that every topic is matched), and a 1,000-topic subtree with a
// details page and a checklist per topic sent into a colleague's inbox. Each figure is printed
// beside a physical baseline measured in the same run: for the merge, reading the packet's
// bytes and making one pass over the store's list; for sending, copying the same files twice
// (into the outbox and into the inbox) with plain reads and writes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "StoreGenerator.h"
#include "fileio/FolderOps.h"
#include "sharing/LanConnection.h"
#include "sharing/PacketFiles.h"
#include "sharing/PacketMerge.h"
#include "sharing/PacketReader.h"
#include "sharing/Questions.h"
#include "sharing/SharingPaths.h"
#include "sharing/TopicSender.h"
#include "store/Clock.h"
#include "store/ContentFiles.h"
#include "store/TContent.h"
#include "store/TNetDetails.h"
#include "store/TNimbusStructure.h"

namespace {

using namespace nimbus;

const DateTime kNow = DateTime::fromCivil(2024, 3, 10, 12, 0, 0);
constexpr int kStoreTopics = 100000;
constexpr int kPacketTopics = 1000;

std::string makeFolder(const char *name)
{
    std::string pattern = (std::filesystem::temp_directory_path() / name).string() + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    return pattern + "/";
}

class Yes : public Questions {
public:
    bool AskYesNo(const std::string &) override { return false; }
};

// ---- merging ----

class MergeFixture {
public:
    MergeFixture() : folder_(makeFolder("nimbus-sharing-merge"))
    {
        store_.SetUniqueFileName(folder_ + "StructUnique.dat");
        bench::GenerateStore(store_, kStoreTopics, kNow);
        store_.SetUnique(kStoreTopics + 1); // the counter lies above every id, as in use
        for (const auto &entry : store_.Entries())
            original_.push_back(entry.node);
        // A sent subtree: one topic and 999 below it, in a walk up and down the levels.
        std::string bytes =
            "uni=-1\r\ntext=From: Alice - 20240310-120000\r\nlev=1\r\ntype=1\r\nttype=2\r\n";
        int lev = 2;
        for (int i = 0; i < kPacketTopics; ++i) {
            bytes.append("uni=alice-").append(std::to_string(i + 1));
            bytes.append("\r\ntext=Received topic ").append(std::to_string(i));
            bytes.append("\r\nlev=").append(std::to_string(lev));
            bytes.append("\r\ntype=1\r\nttype=4\r\nstatus=1\r\ndl=Y\r\ndlDate=20240320\r\n"
                         "cre=20240301-101500\r\nfrom=Alice\r\nsent=20240310-120000\r\n");
            lev = i % 7 == 6 ? 3 : std::min(lev + 1, 6);
        }
        path_ = folder_ + "alice-20240310-120000.str";
        sharing::writeQuick(path_, bytes);
    }
    ~MergeFixture()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    // Back to the generated store: merged nodes are destroyed.
    void reset() { store_.Rebuild(original_); }
    TNimbusStructure &store() { return store_; }
    const std::string &path() const { return path_; }
    const std::vector<TNimbusNode *> &original() const { return original_; }

private:
    std::string folder_;
    TNimbusStructure store_;
    std::vector<TNimbusNode *> original_;
    std::string path_;
};

MergeFixture &mergeFixture()
{
    static MergeFixture fixture;
    return fixture;
}

void MergeBaseline(benchmark::State &state)
{
    MergeFixture &f = mergeFixture();
    for (auto _ : state) {
        std::string bytes;
        fileio::readWholeFile(f.path(), bytes);
        int lines = 0;
        sharing::forEachLine(bytes, [&](const std::string &) { return ++lines > 0; });
        std::vector<TNimbusNode *> copy(f.original());
        benchmark::DoNotOptimize(copy.data());
        benchmark::DoNotOptimize(lines);
    }
}

void mergeOnce(MergeFixture &f, benchmark::State &state, char expected)
{
    TNimbusStructure packet;
    std::string problem;
    MergeChanges changes;
    if (!packet::ReadPacket(f.path(), packet, "bob-", problem) ||
        !packet::MergePacket(f.store(), packet, "bob-", nullptr, NullStoreLog::instance(),
                             changes) ||
        changes.mergeCase != expected) {
        std::fprintf(stderr, "merge failed: %s (case %c)\n", problem.c_str(), changes.mergeCase);
        state.SkipWithError("merge failed");
    }
}

void MergeNewPacket(benchmark::State &state)
{
    MergeFixture &f = mergeFixture();
    for (auto _ : state) {
        mergeOnce(f, state, 'c');
        state.PauseTiming();
        f.reset();
        state.ResumeTiming();
    }
}

void MergeKnownPacket(benchmark::State &state)
{
    MergeFixture &f = mergeFixture();
    mergeOnce(f, state, 'c');
    for (auto _ : state)
        mergeOnce(f, state, 'a');
    f.reset();
}

// ---- sending ----

class SendFixture {
public:
    SendFixture()
        : root_(makeFolder("nimbus-sharing-send")),
          paths_(SharingPaths::inDataFolder(root_ + "data/", root_ + "install/")),
          connection_(net_, clock_, NullStoreLog::instance()),
          sender_(connection_, paths_, clock_, NullStoreLog::instance())
    {
        for (const std::string &folder :
             {paths_.DataFolder, paths_.PacksFolder, paths_.TextFolder, paths_.CheckListFolder,
              paths_.OutboxFolder, root_ + "shared/", root_ + "copy-1/", root_ + "copy-2/"})
            std::filesystem::create_directories(folder);
        store_.SetUniqueFileName(paths_.DataFolder + "StructUnique.dat");
        bench::GenerateStore(store_, 10000, kNow);
        // The first topic below "Topics" gets 999 descendants, each with two pages.
        start_ = 1;
        const std::string details(2000, 'd');
        int lev = 2;
        for (int i = 0; i < kPacketTopics - 1; ++i) {
            std::string id = "s";
            id += std::to_string(i);
            auto node = std::make_unique<TNimbusNode>(id);
            node->lev = lev;
            node->type = 1;
            node->text = "Sent topic " + std::to_string(i);
            lev = i % 7 == 6 ? 2 : std::min(lev + 1, 6);
            store_.Insert(start_ + 1 + i, std::move(node));
        }
        store_.Node(start_)->lev = 1;
        const ContentFolders folders = paths_.content();
        for (int i = start_; i < start_ + kPacketTopics; ++i) {
            TNimbusNode &node = *store_.Node(i);
            node.type = 1;
            TContent &content = node.LoadContent(folders, NullStoreLog::instance());
            content::SaveDetails(*content.pages[0], folders, details, 0, true,
                                 NullStoreLog::instance());
            content::SaveChecklist(*content.pages[1], folders,
                                   {ChecklistItem{false, "item", {}, {}}},
                                   NullStoreLog::instance());
            content::WriteContent(content, NullStoreLog::instance());
            for (const std::string &file :
                 {folders.packs + node.uni + ".pkt", folders.text + content.pages[0]->file,
                  folders.checkList + content.pages[1]->file})
                files_.push_back(file);
        }
        net_.net = root_ + "shared/";
        net_.pw = "secret";
        net_.user = "Alice";
        Yes create;
        connection_.Connect(create, 0);
        net_.users = {"Alice", "Bob"};
    }
    ~SendFixture()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    void forgetContent()
    {
        for (int i = start_; i < start_ + kPacketTopics; ++i) {
            store_.Node(i)->content.reset();
            store_.Node(i)->contentLoaded = false;
        }
    }
    void emptyInbox() { fileio::emptyFolderTree(root_ + "shared/bob-Inbox/"); }
    bool send()
    {
        Yes noLock;
        return sender_.Send(store_, start_, 1, noLock).ok;
    }
    const std::vector<std::string> &files() const { return files_; }
    const std::string &root() const { return root_; }

private:
    std::string root_;
    FixedClock clock_{kNow};
    SharingPaths paths_;
    TNetDetails net_;
    LanConnection connection_;
    TopicSender sender_;
    TNimbusStructure store_;
    int start_ = 0;
    std::vector<std::string> files_;
};

SendFixture &sendFixture()
{
    static SendFixture fixture;
    return fixture;
}

void copyPlain(const std::string &from, const std::string &to)
{
    std::string bytes;
    fileio::readWholeFile(from, bytes);
    FILE *out = std::fopen(to.c_str(), "wb");
    if (!out)
        std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
}

void SendBaseline(benchmark::State &state)
{
    SendFixture &f = sendFixture();
    for (auto _ : state) {
        for (const std::string &file : f.files())
            copyPlain(file, f.root() + "copy-1/" + fileio::fileNameOf(file));
        for (const std::string &file : f.files())
            copyPlain(f.root() + "copy-1/" + fileio::fileNameOf(file),
                      f.root() + "copy-2/" + fileio::fileNameOf(file));
        state.PauseTiming();
        fileio::emptyFolderTree(f.root() + "copy-1/");
        fileio::emptyFolderTree(f.root() + "copy-2/");
        state.ResumeTiming();
    }
}

void SendSubtree(benchmark::State &state)
{
    SendFixture &f = sendFixture();
    for (auto _ : state) {
        if (!f.send())
            state.SkipWithError("send failed");
        state.PauseTiming();
        f.emptyInbox();
        f.forgetContent();
        state.ResumeTiming();
    }
}

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
        std::printf("\n%-34s %12s %12s %8s %10s\n", "figure", "wall", "baseline", "ratio", "limit");
        const struct {
            const char *figure;
            const char *baseline;
            const char *label;
            double limitMs;
        } rows[] = {{"MergeNewPacket", "MergeBaseline", "merge 1,000 new into 100,000", 200},
                    {"MergeKnownPacket", "MergeBaseline", "merge 1,000 known into 100,000", 200},
                    {"SendSubtree", "SendBaseline", "send 1,000 topics with pages", 1000}};
        for (const auto &row : rows) {
            const double measured = find(row.figure);
            const double baseline = find(row.baseline);
            if (measured > 0 && baseline > 0)
                std::printf("%-34s %9.2f ms %9.2f ms %7.2fx %7.0f ms\n", row.label, measured * 1e3,
                            baseline * 1e3, measured / baseline, row.limitMs);
        }
    }

private:
    double find(const std::string &name) const
    {
        for (const auto &[key, value] : times_)
            if (key == name || key.rfind(name + "/", 0) == 0)
                return value;
        return 0;
    }
    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::RegisterBenchmark("MergeBaseline", MergeBaseline)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("MergeNewPacket", MergeNewPacket)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("MergeKnownPacket", MergeKnownPacket)
        ->Unit(benchmark::kMillisecond);
    // Few runs each: creating and deleting thousands of files makes the file system's inode
    // allocation slower with every run, for the baseline and the send alike.
    benchmark::RegisterBenchmark("SendBaseline", SendBaseline)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("SendSubtree", SendSubtree)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::Initialize(&argc, argv);
    BaselineReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
