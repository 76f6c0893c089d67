// A program that works on a data folder's search index until it is killed, for the crash
// tests: "update <data folder> <uni>" saves the topic's details page and indexes it again, over
// and over; "build <data folder>" builds the index. It counts its steps in "<data>/steps".
#include <cstdio>
#include <string>
#include <vector>

#include "fileio/AtomicFile.h"
#include "search/SearchIndex.h"
#include "store/ContentFiles.h"
#include "store/TNimbusStructure.h"

using namespace nimbus;

namespace {

void countStep(const std::string &data, long step) {
    fileio::writeFileAtomically(data + "steps", std::to_string(step));
}

class StepProgress : public fileio::OperationProgress {
public:
    explicit StepProgress(std::string data) : data_(std::move(data)) {}
    void report(std::int64_t done, std::int64_t, const std::string &) override { countStep(data_, static_cast<long>(done)); }
    bool cancelled() const override { return false; }

private:
    std::string data_;
};

}  // namespace

int main(int argc, char **argv) {
    if (argc < 3) return 2;
    const std::string mode = argv[1];
    const std::string data = argv[2];
    TNimbusStructure store;
    store.SetFileName(data + "Structure.dat");
    store.LoadStructure();
    std::vector<search::TopicEntry> topics;
    for (int i = 0; i < store.Count(); ++i)
        topics.push_back({std::string(store.Id(i)), store.Node(i)->text});
    const ContentFolders folders = ContentFolders::inDataFolder(data);
    search::SearchIndex index(data + "Search.db", folders, NullStoreLog::instance());
    if (mode == "build") {
        StepProgress progress(data);
        return index.Build(topics, progress) ? 0 : 1;
    }
    if (mode != "update" || argc < 4) return 2;
    if (!index.Open() && !index.Build(topics)) return 1;
    TNimbusNode *node = store.Find(argv[3]);
    if (node == nullptr) return 2;
    TContent &content = node->LoadContent(folders, NullStoreLog::instance());
    for (long step = 1;; ++step) {
        // Steps follow each other faster than file times change (their clock is coarse), so
        // each page differs from the one before in size too: the start-up check sees the
        // last one whatever the file system's time resolution.
        const std::string text = "{\\rtf1 mark" + std::to_string(step) + " of the page" +
                                 std::string(static_cast<std::size_t>(step % 2), '.') + "}";
        content::SaveDetails(*content.pages[0], folders, text, 0, true, NullStoreLog::instance());
        index.UpdateTopic({node->uni, node->text});
        countStep(data, step);
    }
}
