// A generated store with pages in a temporary data folder, for the history's tests: sections,
// then topics nested up to six levels, a third of them with a page list, a details page, a
// checklist and its description. Also the fingerprints the tests compare states by.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "history/SessionTrash.h"
#include "history/StoreCommand.h"
#include "store/TNimbusStructure.h"

namespace nimbus::test {

class HistoryStore {
public:
    explicit HistoryStore(int topics, std::uint32_t seed = 7);

    TNimbusStructure store;
    ContentFolders folders;
    std::unique_ptr<history::SessionTrash> trash;
    history::HistoryContext context();

    // A topic of the generated kind, not yet in the store; withPages writes its files.
    std::unique_ptr<TNimbusNode> makeTopic(const std::string &id, int lev, bool withPages);
    // Every record as the store file holds them, in list order.
    std::string records() const;
    // Every file of the three content folders with its bytes.
    std::map<std::string, std::string> contentFiles() const;
    // The content folders' file names only (cheap enough for every step).
    std::string contentNames() const;
    const std::string &dataFolder() const { return dir_.path(); }
    std::mt19937 rng;

private:
    void writePages(const std::string &id);
    // The data folder: in memory where the system offers a folder there (/dev/shm), since the
    // thousands of safe writes (each with fsync) of a run would otherwise wait on the disk.
    class DataFolder {
    public:
        DataFolder();
        ~DataFolder();
        const std::string &path() const { return path_; }

    private:
        std::string path_;
    };
    DataFolder dir_;
};

} // namespace nimbus::test
