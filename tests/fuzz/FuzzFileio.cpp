// Fuzz target: arbitrary bytes as a line file, read plain (lines and pairs) and enciphered, and
// as old-version names.
#include "fileio/OMFILE.h"
#include "fileio/Versions.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace nimbus::fileio;

namespace {

// One temporary folder for the whole run, removed when the process ends.
const std::string &scratchFile()
{
    static const std::string path = [] {
        char pattern[] = "/tmp/nimbus-fuzz-fileio-XXXXXX";
        if (::mkdtemp(pattern) == nullptr)
            std::abort();
        static const std::string folder = pattern;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        });
        return folder + "/net.txt";
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string &path = scratchFile();
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::string text;
    std::vector<std::string> names, values;

    if (OMFILEPtr file = openPlain(path, "R", 0)) {
        std::size_t total = 0;
        for (int count; (count = readLine(*file, text)) >= 0;)
            total += static_cast<std::size_t>(count) + 1;
        if (total > size + 1)
            std::abort(); // more characters than bytes: lines were read twice
        close(file);
    }
    if (OMFILEPtr file = openPlain(path, "R", 0)) {
        readPairs(*file, names, values);
        if (names.size() != values.size())
            std::abort();
        close(file);
    }
    if (OMFILEPtr file = openEnciphered(path, "R", 0)) {
        readPairs(*file, names, values);
        if (names.size() != values.size())
            std::abort();
        close(file);
    }
    std::string name, value;
    splitPair(bytes, name, value);
    const std::string sorting = toSortingForm(bytes);
    fromSortingForm(sorting);
    isVersionName(bytes);
    return 0;
}
