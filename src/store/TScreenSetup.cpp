// Reading and writing "screen.dat".
#include "store/TScreenSetup.h"

#include "store/PairFile.h"
#include "store/ValueText.h"

namespace nimbus {

bool TScreenSetup::Load()
{
    std::vector<std::string> names;
    std::vector<std::string> values;
    if (!readPairFile(fileName, names, values))
        return false;
    Parse(names, values);
    return true;
}

void TScreenSetup::Parse(const std::vector<std::string> &names, const std::vector<std::string> &values)
{
    hib = kNotStored;
    hit = kNotStored;
    struct Field {
        const char *key;
        int TScreenSetup::*member;
    };
    static const Field kFields[] = {
        {"top", &TScreenSetup::top},       {"left", &TScreenSetup::left},
        {"width", &TScreenSetup::width},   {"height", &TScreenSetup::height},
        {"tree", &TScreenSetup::tree},     {"struct", &TScreenSetup::structPanel},
        {"rpanel", &TScreenSetup::rpanel}, {"tpanel", &TScreenSetup::tpanel},
        {"hib", &TScreenSetup::hib},       {"hit", &TScreenSetup::hit},
        {"due", &TScreenSetup::due},       {"info", &TScreenSetup::info},
    };
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == "lfs") {
            lfs = values[i];
            continue;
        }
        for (const Field &field : kFields)
            if (names[i] == field.key)
                this->*field.member = values::intOr(values[i], kNotStored);
    }
}

void TScreenSetup::Pairs(std::vector<std::string> &names, std::vector<std::string> &values) const
{
    auto add = [&](const char *name, int value) {
        names.emplace_back(name);
        values.push_back(std::to_string(value));
    };
    add("top", top);
    add("left", left);
    add("width", width);
    add("height", height);
    add("tree", tree);
    add("struct", structPanel);
    add("info", info);
    add("due", due);
    add("rpanel", rpanel);
    add("tpanel", tpanel);
    if (hib != kNotStored)
        add("hib", hib);
    if (hit != kNotStored)
        add("hit", hit);
    if (!lfs.empty()) {
        names.emplace_back("lfs");
        values.push_back(lfs);
    }
}

StoreResult TScreenSetup::Save() const
{
    std::vector<std::string> names;
    std::vector<std::string> values;
    Pairs(names, values);
    return writePairFile(fileName, names, values, 0);
}

}  // namespace nimbus
