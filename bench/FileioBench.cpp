// Reading a 10 MB name/value file (200,000 lines) through OMFILE, beside the physical baseline
// of reading the same bytes and splitting them into lines.
#include "fileio/OMFILE.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace nimbus::fileio;

// The generated data file, in a temporary folder that is removed when the program ends.
class DataFile {
public:
    DataFile()
    {
        char folder[] = "/tmp/nimbus-bench-XXXXXX";
        if (::mkdtemp(folder) == nullptr)
            std::abort();
        folder_ = folder;
        path_ = folder_ + "/settings.txt";
        std::string bytes;
        bytes.reserve(11 * 1000 * 1000);
        for (int i = 0; i < 200000; ++i) {
            bytes += "Setting" + std::to_string(100000 + i) + "=";
            const int length = 20 + (i * 7) % 29; // 20 to 48 bytes, 34 on average
            for (int j = 0; j < length; ++j)
                bytes += static_cast<char>('a' + (i + j) % 26);
            bytes += "\r\n";
        }
        size_ = bytes.size();
        int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(size_))
            std::abort();
        ::close(fd);
    }
    ~DataFile()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    const std::string &path() const { return path_; }
    std::int64_t size() const { return static_cast<std::int64_t>(size_); }

private:
    std::string folder_;
    std::string path_;
    std::size_t size_ = 0;
};

DataFile &dataFile()
{
    static DataFile file;
    return file;
}

void BM_ReadPairs(benchmark::State &state)
{
    const DataFile &data = dataFile();
    std::vector<std::string> names;
    std::vector<std::string> values;
    for (auto _ : state) {
        OMFILEPtr file = openPlain(data.path(), "R", 0);
        readPairs(*file, names, values);
        close(file);
        benchmark::DoNotOptimize(names.data());
        benchmark::DoNotOptimize(values.data());
    }
    if (names.size() != 200000)
        state.SkipWithError("wrong pair count");
    state.SetBytesProcessed(state.iterations() * data.size());
}

// The physical floor: one read of the whole file and one string per line.
void BM_BaselineReadSplitLines(benchmark::State &state)
{
    const DataFile &data = dataFile();
    std::vector<std::string> lines;
    std::string bytes;
    for (auto _ : state) {
        int fd = ::open(data.path().c_str(), O_RDONLY);
        bytes.resize(static_cast<std::size_t>(data.size()));
        const ssize_t got = ::read(fd, bytes.data(), bytes.size());
        ::close(fd);
        lines.clear();
        const char *p = bytes.data();
        const char *end = p + (got > 0 ? got : 0);
        while (p < end) {
            const char *lf = static_cast<const char *>(std::memchr(p, '\n', end - p));
            const char *stop = lf ? lf : end;
            lines.emplace_back(p, stop - p - (stop > p && stop[-1] == '\r'));
            p = lf ? lf + 1 : end;
        }
        benchmark::DoNotOptimize(lines.data());
    }
    if (lines.size() != 200000)
        state.SkipWithError("wrong line count");
    state.SetBytesProcessed(state.iterations() * data.size());
}

} // namespace

BENCHMARK(BM_ReadPairs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineReadSplitLines)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
