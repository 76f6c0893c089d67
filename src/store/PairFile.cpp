// Whole name=value files.
#include "store/PairFile.h"

#include <algorithm>

#include "fileio/FolderOps.h"
#include "fileio/HexDigits.h"
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

namespace {

bool breaksLine(char c) { return c == '\r' || c == '\n' || c == '\0'; }

}  // namespace

void appendEscapedPair(std::vector<std::string> &names, std::vector<std::string> &values,
                       const std::string &name, const std::string &value)
{
    if (std::none_of(value.begin(), value.end(), breaksLine)) {
        names.push_back(name);
        values.push_back(value);
        return;
    }
    static const char digits[] = "0123456789ABCDEF";
    std::string escaped;
    for (char c : value) {
        if (breaksLine(c) || c == '%') {
            const auto byte = static_cast<unsigned char>(c);
            escaped += '%';
            escaped += digits[byte >> 4];
            escaped += digits[byte & 0xF];
        } else {
            escaped += c;
        }
    }
    names.push_back(name + "%");
    values.push_back(escaped);
}

std::pair<std::string, std::string> readEscapedPair(const std::string &name, const std::string &value)
{
    if (name.empty() || name.back() != '%')
        return {name, value};
    std::string plain;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const int high =
            i + 2 < value.size() && value[i] == '%' ? fileio::hexDigitValue(value[i + 1]) : -1;
        const int low = high >= 0 ? fileio::hexDigitValue(value[i + 2]) : -1;
        if (low >= 0) {
            plain += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            plain += value[i];
        }
    }
    return {name.substr(0, name.size() - 1), plain};
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
