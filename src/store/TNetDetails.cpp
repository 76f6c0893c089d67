// Reading and writing "net.txt" through the enciphered container.
#include "store/TNetDetails.h"

#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"
#include "store/ValueText.h"

namespace nimbus {

bool TNetDetails::Load()
{
    fileio::OMFILEPtr file = fileio::openEnciphered(fileName, "R", 0);
    if (!file)
        return false;
    std::vector<std::string> names;
    std::vector<std::string> values;
    fileio::readPairs(*file, names, values);
    fileio::close(file);
    Parse(names, values);
    return true;
}

void TNetDetails::Parse(const std::vector<std::string> &names, const std::vector<std::string> &values)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string &name = names[i];
        const std::string &value = values[i];
        if (name == "net")
            net = value;
        else if (name == "pw")
            pw = value;
        else if (name == "user")
            user = value;
        else if (name == "backup")
            backup = values::isYes(value);
        else if (name == "datapw")
            datapw = value;
        else if (name == "mem")
            mem = values::isYes(value);
    }
}

void TNetDetails::Pairs(std::vector<std::string> &names, std::vector<std::string> &values) const
{
    auto add = [&](const char *name, const std::string &value) {
        names.emplace_back(name);
        values.push_back(value);
    };
    add("net", net);
    add("pw", pw);
    add("user", user);
    if (backup)
        add("backup", "Y");
    add("datapw", datapw);
    if (mem)
        add("mem", "Y");
}

StoreResult TNetDetails::Save()
{
    if (!modified)
        return {};
    std::vector<std::string> names;
    std::vector<std::string> values;
    Pairs(names, values);
    fileio::OMFILEPtr file = fileio::openEnciphered(fileName, "W", 0);
    if (!file)
        return StoreResult::failure(fileio::lastErrorText());
    bool ok = fileio::writeEncipheredPairs(*file, names, values);
    std::string error = ok ? std::string() : fileio::lastErrorText();
    if (!fileio::close(file) && ok) {
        ok = false;
        error = fileio::lastErrorText();
    }
    if (!ok)
        return StoreResult::failure(error);
    modified = false;
    return {};
}

}  // namespace nimbus
