// The installed add-on packs, kept in "Addons.dat" in the data folder: for each pack, in name
// order (letter case ignored), the lines name, src, cre, upd and date. Rewritten with three
// old versions kept.
#pragma once

#include <string>
#include <vector>

#include "sharing/TAddon.h"
#include "store/StoreLog.h"

namespace nimbus {

class TAddonList {
public:
    static constexpr int kVersions = 3;

    std::string path; // DataFolder + "Addons.dat"
    bool changed = false;
    std::vector<TAddon> items; // sorted by name, letter case ignored

    void SetDataFolder(const std::string &dataFolder) { path = dataFolder + "Addons.dat"; }
    // False when the file cannot be opened (the list is then empty).
    bool Load();
    StoreResult Save();

    // The pack of that name (letter case ignored), or null.
    const TAddon *Find(const std::string &name) const;
    // Adds the pack in its sorted place unless one of that name is recorded already (the
    // first record of a name stays); true when it was added.
    bool Add(TAddon addon);

    void Parse(const std::vector<std::string> &names, const std::vector<std::string> &values);
    void Pairs(std::vector<std::string> &names, std::vector<std::string> &values) const;
};

} // namespace nimbus
