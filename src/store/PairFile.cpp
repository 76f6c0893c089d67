// Whole name=value files.
#include "store/PairFile.h"

#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"

namespace nimbus {

bool readPairFile(const std::string &path, std::vector<std::string> &names,
                  std::vector<std::string> &values)
{
    names.clear();
    values.clear();
    fileio::OMFILEPtr file = fileio::openPlain(path, "R", 0);
    if (!file)
        return false;
    fileio::readPairs(*file, names, values);
    fileio::close(file);
    return true;
}

void appendPairLines(std::string &out, const std::vector<std::string> &names,
                     const std::vector<std::string> &values)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        out += names[i];
        out += '=';
        if (i < values.size())
            out += values[i];
        out += "\r\n";
    }
}

StoreResult writeWholeFile(const std::string &path, const std::string &bytes, int versions)
{
    fileio::OMFILEPtr file = fileio::openPlain(path, "W", versions);
    if (!file)
        return StoreResult::failure(fileio::lastErrorText());
    bool ok = bytes.empty() || fileio::writeRaw(*file, bytes.data(), bytes.size());
    std::string error = ok ? std::string() : fileio::lastErrorText();
    if (!fileio::close(file) && ok) {
        ok = false;
        error = fileio::lastErrorText();
    }
    return ok ? StoreResult{} : StoreResult::failure(error);
}

StoreResult writePairFile(const std::string &path, const std::vector<std::string> &names,
                          const std::vector<std::string> &values, int versions)
{
    std::string bytes;
    appendPairLines(bytes, names, values);
    return writeWholeFile(path, bytes, versions);
}

}  // namespace nimbus
