// Reading and writing "pref.txt".
#include "store/TPreferences.h"

#include "store/PairFile.h"
#include "store/ValueText.h"

namespace nimbus {

bool TPreferences::Load()
{
    std::vector<std::string> names;
    std::vector<std::string> values;
    if (!readPairFile(fileName, names, values))
        return false;
    Parse(names, values);
    return true;
}

void TPreferences::Parse(const std::vector<std::string> &names, const std::vector<std::string> &values)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string &name = names[i];
        const std::string &value = values[i];
        if (name == "date")
            date = values::intOr(value, 0);
        else if (name == "sfx")
            sfx = values::isYes(value);
        else if (name == "lv")
            lv = value;
        else if (name == "font")
            font = value;
        else if (name == "fsize")
            fsize = values::intOr(value, kDefaultFontSize);
        else if (name == "col")
            col = values::intOr(value, 0);
        else if (name == "scr")
            scr = values::intOr(value, 0);
        else if (name == "sum")
            sum = values::isYes(value);
    }
}

void TPreferences::Pairs(std::vector<std::string> &names, std::vector<std::string> &values) const
{
    auto add = [&](const char *name, std::string value) {
        names.emplace_back(name);
        values.push_back(std::move(value));
    };
    add("date", std::to_string(date));
    if (sfx)
        add("sfx", "Y");
    add("lv", lv);
    add("font", font);
    add("fsize", std::to_string(fsize));
    add("col", std::to_string(col));
    add("scr", std::to_string(scr));
    add("sum", sum ? "Y" : "N");
}

StoreResult TPreferences::Save() const
{
    std::vector<std::string> names;
    std::vector<std::string> values;
    Pairs(names, values);
    return writePairFile(fileName, names, values, kVersions);
}

}  // namespace nimbus
