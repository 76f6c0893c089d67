// Fuzz target for received packets: the first byte chooses between a packet store file (read,
// checked and, when it passes, merged into a small store) and a page list in an inbox (imported
// with this user's prefix). Whatever the bytes, nothing may crash, and a merged store must keep
// every local topic, distinct ids and levels that form a tree. The id counter starts at the same
// number for every input, so packets can name the ids a merge hands out ("bob-6").
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzScratch.h"
#include "sharing/ContentImport.h"
#include "sharing/PacketMerge.h"
#include "sharing/PacketReader.h"
#include "store/StoreLog.h"
#include "store/TNimbusStructure.h"

namespace {

using namespace nimbus;

const std::string &folder()
{
    static const nimbus::fuzz::ScratchFolder scratch("nimbus-fuzz-sharing",
                                                     {"Packs", "Text", "CheckList", "inbox"});
    return scratch.path();
}

void addNode(TNimbusStructure &store, const char *uni, int lev, int type)
{
    auto node = std::make_unique<TNimbusNode>(uni);
    node->lev = lev;
    node->type = type;
    store.Append(std::move(node));
}

void fuzzPacket(const std::string &bytes)
{
    TNimbusStructure packet;
    std::string problem;
    if (!packet::ParsePacket(bytes, packet, "bob-", problem))
        return;
    TNimbusStructure store;
    store.SetUniqueFileName(folder() + "StructUnique.dat");
    store.SetUnique(5);
    addNode(store, "STD0001", 0, 1);
    addNode(store, "bob-1", 1, 1);
    addNode(store, "5", 2, 1);
    addNode(store, "alice-2", 1, 1);
    addNode(store, "STD0006", 0, 6);
    TNimbusStructure recent(TNimbusStructure::Role::IdList);
    MergeChanges changes;
    if (!packet::MergePacket(store, packet, "bob-", &recent, NullStoreLog::instance(), changes))
        return;
    for (const char *local : {"STD0001", "bob-1", "5", "alice-2", "STD0006"})
        if (store.IndexOf(local) < 0)
            std::abort();
    int previous = -1;
    for (const auto &entry : store.Entries()) {
        if (entry.node->lev < 0 || entry.node->lev > previous + 1 ||
            store.Find(entry.node->uni) != entry.node)
            std::abort();
        previous = entry.node->lev;
    }
}

void fuzzPageList(const std::uint8_t *data, std::size_t size)
{
    const std::string inbox = folder() + "inbox/";
    {
        std::ofstream out(inbox + "bob-57.pkt", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    }
    const ContentFolders to{folder() + "Packs/", folder() + "Text/", folder() + "CheckList/"};
    content_import::ImportContent(inbox, "bob-", to, NullStoreLog::instance());
    std::filesystem::remove(inbox + "bob-57.pkt");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool pageList = data[0] % 2 == 1;
    ++data;
    --size;
    if (pageList)
        fuzzPageList(data, size);
    else
        fuzzPacket(std::string(reinterpret_cast<const char *>(data), size));
    return 0;
}
