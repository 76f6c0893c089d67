// Fuzz target for "Addons.dat", which anyone who edits the data folder may have changed: the
// list is read, a pack is added, and what is saved must read back as exactly the same list.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzScratch.h"
#include "sharing/TAddonList.h"

namespace {

const std::string &folder()
{
    static const nimbus::fuzz::ScratchFolder scratch("nimbus-fuzz-addons");
    return scratch.path();
}

bool sameItems(const nimbus::TAddonList &a, const nimbus::TAddonList &b)
{
    if (a.items.size() != b.items.size())
        return false;
    for (std::size_t i = 0; i < a.items.size(); ++i) {
        const nimbus::TAddon &x = a.items[i];
        const nimbus::TAddon &y = b.items[i];
        if (x.name != y.name || x.src != y.src || x.cre != y.cre || x.upd != y.upd ||
            x.date != y.date)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    nimbus::TAddonList list;
    list.SetDataFolder(folder());
    {
        std::ofstream out(list.path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    }
    if (!list.Load())
        std::abort();
    list.Add(nimbus::TAddon{"addon-garden", "install", "20250101", "2", ""});
    if (!list.Save())
        std::abort();
    nimbus::TAddonList again;
    again.SetDataFolder(folder());
    if (!again.Load() || !sameItems(list, again))
        std::abort();
    // Each input starts from an empty folder.
    std::filesystem::remove_all(folder());
    std::filesystem::create_directory(folder());
    return 0;
}
