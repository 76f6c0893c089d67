#include "cli/SearchStoreSubset.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace nimbus::cli {

namespace {

bool readWhole(const std::string &path, std::string &bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
        bytes.resize(static_cast<std::size_t>(st.st_size));
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
            ok = got > 0;
            if (ok)
                done += static_cast<std::size_t>(got);
        }
    }
    ::close(fd);
    return ok;
}

bool writeWhole(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

} // namespace

SearchStoreSubset::~SearchStoreSubset()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

bool SearchStoreSubset::scan(const std::string &storeFile)
{
    records_.clear();
    ids_.clear();
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = ::open(storeFile.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    constexpr std::size_t kSlice = 1 << 20;
    std::string buffer(kSlice, '\0');
    std::size_t filled = 0; // bytes in buffer
    std::size_t pos = 0;    // start of the next line in buffer
    std::size_t offset = 0; // of buffer[0] in the file
    bool atEnd = false;
    for (;;) {
        const char *data = buffer.data();
        const void *found = std::memchr(data + pos, '\n', filled - pos);
        if (!found && !atEnd) {
            // Keep the line begun and fill the rest (a longer line grows the buffer).
            buffer.erase(0, pos);
            offset += pos;
            filled -= pos;
            pos = 0;
            if (buffer.size() - filled < kSlice / 2)
                buffer.resize(buffer.size() + kSlice);
            const ssize_t got = ::read(fd_, buffer.data() + filled, buffer.size() - filled);
            if (got < 0)
                return false;
            if (std::memchr(buffer.data() + filled, '\0', static_cast<std::size_t>(got)))
                return false; // the store reader drops NULs: not plainly written
            filled += static_cast<std::size_t>(got);
            atEnd = got == 0;
            continue;
        }
        if (pos >= filled)
            break;
        const std::size_t end =
            found ? static_cast<std::size_t>(static_cast<const char *>(found) - data) : filled;
        std::size_t last = end;
        while (last > pos && (data[last - 1] == '\r' || data[last - 1] == ' '))
            --last;
        const std::string_view line(data + pos, last - pos);
        if (line.starts_with("uni=")) {
            if (!records_.empty())
                records_.back().end = offset + pos;
            records_.push_back(Record{ids_.size(), line.size() - 4, -1, offset + pos, 0});
            ids_.append(line.substr(4));
        } else if (line.starts_with("lev=") && !records_.empty()) {
            const std::string_view digits = line.substr(4);
            if (digits.empty() || digits.size() > 6)
                return false;
            int lev = 0;
            for (const char c : digits) {
                if (c < '0' || c > '9')
                    return false;
                lev = lev * 10 + (c - '0');
            }
            records_.back().lev = lev;
        }
        pos = end + 1;
    }
    if (!records_.empty())
        records_.back().end = offset + filled;
    return true;
}

std::string SearchStoreSubset::writeFor(const std::unordered_set<std::string> &ids,
                                        const std::string &dataFolder)
{
    // A hit keeps the records above it (path) and below it (subtree); sections stay.
    std::vector<char> keep(records_.size(), 0);
    std::vector<std::size_t> path; // path[d]: the latest record at depth d
    int subtree = -1;              // records deeper than this level are kept
    for (std::size_t i = 0; i < records_.size(); ++i) {
        const Record &record = records_[i];
        if (record.lev < 0 || static_cast<std::size_t>(record.lev) > path.size())
            return {}; // a depth the scan does not vouch for
        if (subtree >= 0 && record.lev > subtree)
            keep[i] = 1;
        else
            subtree = -1;
        path.resize(static_cast<std::size_t>(record.lev));
        path.push_back(i);
        if (record.lev == 0)
            keep[i] = 1;
        if (ids.contains(std::string(uni(record)))) {
            for (const std::size_t above : path)
                keep[above] = 1;
            if (subtree < 0)
                subtree = record.lev;
        }
    }
    std::string chosen;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (!keep[i])
            continue;
        const std::size_t size = records_[i].end - records_[i].begin;
        const std::size_t at = chosen.size();
        chosen.resize(at + size);
        if (::pread(fd_, chosen.data() + at, size, static_cast<off_t>(records_[i].begin)) !=
            static_cast<ssize_t>(size))
            return {};
    }
    if (!chosen.empty() && chosen.back() != '\n' && chosen.back() != '\r')
        chosen += "\r\n"; // the last record of a file without a final line end

    const char *tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/nimbus-cli-hits-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        return {};
    folder_ = pattern + "/";
    std::string preferences;
    if (readWhole(dataFolder + "pref.txt", preferences) &&
        !writeWhole(folder_ + "pref.txt", preferences))
        return {};
    if (!writeWhole(folder_ + "Structure.dat", chosen))
        return {};
    return folder_;
}

} // namespace nimbus::cli
