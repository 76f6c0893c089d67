// Reading and writing "Addons.dat".
#include "sharing/TAddonList.h"

#include <algorithm>

#include "sharing/SharingNames.h"
#include "store/PairFile.h"

namespace nimbus {

namespace {

bool lessIgnoringCase(const std::string &a, const std::string &b)
{
    return sharing::lowerAscii(a) < sharing::lowerAscii(b);
}

} // namespace

bool TAddonList::Load()
{
    items.clear();
    std::vector<std::string> names;
    std::vector<std::string> values;
    if (!readPairFile(path, names, values))
        return false;
    Parse(names, values);
    return true;
}

void TAddonList::Parse(const std::vector<std::string> &names,
                       const std::vector<std::string> &values)
{
    TAddon *current = nullptr;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string &name = names[i];
        const std::string &value = values[i];
        if (name == "name") {
            items.push_back(TAddon{value, {}, {}, {}, {}});
            current = &items.back();
        } else if (current && name == "src") {
            current->src = value;
        } else if (current && name == "cre") {
            current->cre = value;
        } else if (current && name == "upd") {
            current->upd = value;
        } else if (current && name == "date") {
            current->date = value;
        }
    }
    std::stable_sort(items.begin(), items.end(), [](const TAddon &a, const TAddon &b) {
        return lessIgnoringCase(a.name, b.name);
    });
}

void TAddonList::Pairs(std::vector<std::string> &names, std::vector<std::string> &values) const
{
    auto add = [&](const char *key, const std::string &value) {
        names.emplace_back(key);
        values.push_back(value);
    };
    for (const TAddon &addon : items) {
        add("name", addon.name);
        add("src", addon.src);
        add("cre", addon.cre);
        add("upd", addon.upd);
        add("date", addon.date);
    }
}

StoreResult TAddonList::Save()
{
    std::vector<std::string> names;
    std::vector<std::string> values;
    Pairs(names, values);
    StoreResult result = writePairFile(path, names, values, kVersions);
    if (result)
        changed = false;
    return result;
}

const TAddon *TAddonList::Find(const std::string &name) const
{
    const std::string key = sharing::lowerAscii(name);
    for (const TAddon &addon : items)
        if (sharing::lowerAscii(addon.name) == key)
            return &addon;
    return nullptr;
}

bool TAddonList::Add(TAddon addon)
{
    if (Find(addon.name))
        return false;
    const auto at =
        std::upper_bound(items.begin(), items.end(), addon, [](const TAddon &a, const TAddon &b) {
            return lessIgnoringCase(a.name, b.name);
        });
    items.insert(at, std::move(addon));
    changed = true;
    return true;
}

} // namespace nimbus
