// The history tests' generated store.
#include "history/HistoryStore.h"

#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <set>
#include <vector>

#include "fileio/FolderOps.h"
#include "store/ContentFiles.h"
#include "store/PairFile.h"
#include "store/StructureWriter.h"
#include "store/TContent.h"

namespace nimbus::test {

namespace {

void putFile(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string pairs(const std::vector<std::string> &names, const std::vector<std::string> &values)
{
    std::string bytes;
    appendPairLines(bytes, names, values);
    return bytes;
}

const char *const kWords[] = {"Call", "Anna", "report", "garden", "budget", "trip",
                              "review", "plan", "tax", "car", "school", "Quarterly"};

} // namespace

HistoryStore::DataFolder::DataFolder()
{
    std::error_code ec;
    const bool inMemory = std::filesystem::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0;
    std::string pattern =
        (inMemory ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path())
            .string()
        + "/nimbus-history-test-XXXXXX";
    if (char *made = ::mkdtemp(pattern.data()))
        path_ = std::string(made) + "/";
}

HistoryStore::DataFolder::~DataFolder()
{
    std::error_code ec;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ec);
}

HistoryStore::HistoryStore(int topics, std::uint32_t seed) : rng(seed)
{
    folders = ContentFolders::inDataFolder(dir_.path());
    for (const std::string &folder : {folders.packs, folders.text, folders.checkList})
        fileio::createFolder(folder);
    store.SetFileName(dir_.path() + "Structure.dat");
    store.SetUniqueFileName(dir_.path() + "StructUnique.dat");
    for (int kind = 1; kind <= 5; ++kind) {
        auto section = std::make_unique<TNimbusNode>("STD000" + std::to_string(kind));
        section->lev = 0;
        section->type = kind;
        section->ttype = -1;
        section->text = "Section " + std::to_string(kind);
        store.Append(std::move(section));
        if (kind != 1)
            continue;
        int lev = 0;
        for (int i = 0; i < topics; ++i) {
            lev = std::uniform_int_distribution<int>(1, std::min(lev + 1, 6))(rng);
            store.Append(makeTopic(std::to_string(1000 + i), lev, i % 3 == 0));
        }
    }
    trash = std::make_unique<history::SessionTrash>(dir_.path() + "RemovedTopics/",
                                                    NullStoreLog::instance());
}

history::HistoryContext HistoryStore::context()
{
    return history::HistoryContext{store, folders, trash.get(), NullStoreLog::instance()};
}

std::unique_ptr<TNimbusNode> HistoryStore::makeTopic(const std::string &id, int lev, bool withPages)
{
    auto node = std::make_unique<TNimbusNode>(id);
    node->lev = lev;
    node->type = 1;
    node->ttype = std::uniform_int_distribution<int>(2, 7)(rng);
    node->status = node->ttype == 4 ? std::uniform_int_distribution<int>(1, 5)(rng) : 0;
    node->pri = std::uniform_int_distribution<int>(0, 9)(rng);
    node->urgent = rng() % 7 == 0;
    node->text = std::string(kWords[rng() % 12]) + " " + kWords[rng() % 12] + " " + id;
    node->cre = "20260101-090000";
    if (withPages) {
        writePages(id);
        node->dam = 3;
        node->dac = 2;
    }
    return node;
}

void HistoryStore::writePages(const std::string &id)
{
    TContent content;
    content.name = id;
    content.file = folders.packs + id + ".pkt";
    content.AddDefaultPages();
    std::vector<std::string> names;
    std::vector<std::string> values;
    for (const auto &page : content.pages) {
        content::NamePageFile(*page);
        page->cre = "20260101-090000";
        names.clear();
        values.clear();
        if (page->con == kPageDetails) {
            putFile(folders.text + page->file, "{\\rtf1 Notes of topic " + id + "\\par }");
        } else {
            std::vector<ChecklistItem> items(3);
            for (std::size_t i = 0; i < items.size(); ++i) {
                items[i].text = "Step " + std::to_string(i + 1) + " of " + id;
                items[i].checked = i == 0;
            }
            content::ChecklistPairs(items, names, values);
            putFile(folders.checkList + page->file, pairs(names, values));
        }
        names.clear();
        values.clear();
        content::DescriptionPairs(*page, names, values);
        putFile(folders.checkList + page->DescriptionFileName(), pairs(names, values));
    }
    names.clear();
    values.clear();
    content::ContentPairs(content, names, values);
    putFile(content.file, pairs(names, values));
}

std::string HistoryStore::records() const
{
    std::string bytes;
    for (const auto &entry : store.Entries()) {
        bytes += "lev=" + std::to_string(entry.node->lev) + "\r\n";
        structure::AppendRecord(bytes, *entry.node);
    }
    return bytes;
}

std::map<std::string, std::string> HistoryStore::contentFiles() const
{
    std::map<std::string, std::string> files;
    for (const std::string &folder : {folders.packs, folders.text, folders.checkList})
        for (const auto &entry : std::filesystem::directory_iterator(folder)) {
            std::string bytes;
            fileio::readWholeFile(entry.path().string(), bytes);
            files.emplace(entry.path().string(), std::move(bytes));
        }
    return files;
}

std::string HistoryStore::contentNames() const
{
    std::set<std::string> names;
    for (const std::string &folder : {folders.packs, folders.text, folders.checkList})
        for (const auto &entry : std::filesystem::directory_iterator(folder))
            names.insert(entry.path().string());
    std::string joined;
    for (const std::string &name : names)
        joined += name + "\n";
    return joined;
}

} // namespace nimbus::test
