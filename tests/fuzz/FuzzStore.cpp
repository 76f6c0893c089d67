// Fuzz target for every reader of the store: the first byte chooses the file (the store file,
// a page list, checklist items, a page description, pref.txt, net.txt or screen.dat), the rest
// is its content. Loaded topics also run through the schedule rules, whose dates and counts
// come straight from the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzScratch.h"
#include "store/Clock.h"
#include "store/ContentFiles.h"
#include "store/TNetDetails.h"
#include "store/TNimbusStructure.h"
#include "store/TPreferences.h"
#include "store/TScreenSetup.h"

namespace {

using namespace nimbus;

const std::string &folder()
{
    static const nimbus::fuzz::ScratchFolder scratch("nimbus-fuzz-store",
                                                     {"Packs", "Text", "CheckList"});
    return scratch.path();
}

void writeBytes(const std::string &path, const std::uint8_t *data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
}

void fuzzStructure(const std::string &path)
{
    static const FixedClock clock(DateTime::fromCivil(2024, 3, 10, 12, 0, 0));
    TNimbusStructure store;
    store.setClock(&clock);
    store.SetFileName(path);  // no counter file: empty ids get numbers no node has
    store.LoadStructure();
    for (const auto &entry : store.Entries()) {
        entry.node->UpdateSchedule(clock);
        entry.node->UpdateSortKey();
        entry.node->TreeImageIndex();
    }
    TNimbusStructure recent(TNimbusStructure::Role::IdList);
    recent.SetFileName(path);
    recent.LoadIdList();
    recent.ResolveIdList(store, 50);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int which = data[0] % 7;
    ++data;
    --size;
    const std::string &base = folder();
    const ContentFolders folders = ContentFolders::inDataFolder(base);
    NullStoreLog &log = NullStoreLog::instance();
    switch (which) {
    case 0: {
        writeBytes(base + "Structure.dat", data, size);
        fuzzStructure(base + "Structure.dat");
        break;
    }
    case 1: {
        writeBytes(folders.packs + "57.pkt", data, size);
        TNimbusNode node("57");
        node.type = 1;
        TContent &content = node.LoadContent(folders, log);
        std::string bytes;
        for (const auto &page : content.pages)
            content::LoadDetails(*page, folders, bytes, log);
        break;
    }
    case 2: {
        writeBytes(folders.checkList + "57-2.lst", data, size);
        THyperData page;
        page.con = kPageChecklist;
        page.file = "57-2.lst";
        std::vector<ChecklistItem> items;
        content::LoadChecklist(page, folders, items, log);
        break;
    }
    case 3: {
        writeBytes(folders.checkList + "57-2.~lst", data, size);
        THyperData page;
        page.con = kPageChecklist;
        page.file = "57-2.lst";
        content::LoadPageDescription(page, folders, log);
        page.TrackColumns({0, 50, -1});
        break;
    }
    case 4: {
        writeBytes(base + "pref.txt", data, size);
        TPreferences prefs;
        prefs.SetDataFolder(base);
        prefs.Load();
        break;
    }
    case 5: {
        writeBytes(base + "net.txt", data, size);
        TNetDetails net;
        net.SetDataFolder(base);
        net.Load();
        break;
    }
    default: {
        writeBytes(base + "screen.dat", data, size);
        TScreenSetup screen;
        screen.SetDataFolder(base);
        screen.Load();
        break;
    }
    }
    return 0;
}
