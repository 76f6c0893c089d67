// Writing lines and name/value pairs through an OMFILE (plain or enciphered), and appending a
// line to a log file.
#include "fileio/OMFILE.h"

#include "fileio/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace nimbus::fileio {

bool writeAll(int fd, const char *bytes, std::size_t count)
{
    while (count > 0) {
        ssize_t n = ::write(fd, bytes, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        count -= static_cast<std::size_t>(n);
    }
    return true;
}

bool writeAll(int fd, std::string_view bytes)
{
    return writeAll(fd, bytes.data(), bytes.size());
}

namespace {

// One failed write marks the whole rewrite as failed, so close() keeps the old file.
bool put(OMFILE &file, std::string_view bytes)
{
    bool ok = false;
    if (file.writer)
        ok = file.writer->write(bytes);
    else if (file.handle >= 0 && file.mode == 'A')
        ok = writeAll(file.handle, bytes.data(), bytes.size());
    if (!ok)
        file.writeFailed = true;
    return ok;
}

std::string_view valueAt(const std::vector<std::string> &values, std::size_t i)
{
    return i < values.size() ? std::string_view(values[i]) : std::string_view();
}

} // namespace

bool writeLine(OMFILE &file, std::string_view text)
{
    // Text and line end go out as one piece so that an appended log line is never split.
    std::string line;
    line.reserve(text.size() + 2);
    line.append(text).append("\r\n");
    return put(file, line);
}

bool writeRaw(OMFILE &file, const void *bytes, std::size_t count)
{
    if (bytes == nullptr && count > 0)
        return false;
    return put(file, std::string_view(static_cast<const char *>(bytes), count));
}

bool writePair(OMFILE &file, std::string_view name, std::string_view value)
{
    // Assembled at its full length: a long value is written whole, never cut.
    std::string line;
    line.reserve(name.size() + value.size() + 3);
    line.append(name).append("=").append(value).append("\r\n");
    return put(file, line);
}

bool writePairs(OMFILE &file, const std::vector<std::string> &names,
                const std::vector<std::string> &values)
{
    // A protected file is never written in clear, whichever write call the caller chose.
    if (file.enciphered)
        return writeEncipheredPairs(file, names, values);
    bool ok = true;
    for (std::size_t i = 0; i < names.size(); ++i)
        ok = writePair(file, names[i], valueAt(values, i)) && ok;
    return ok;
}

bool writeEncipheredPairs(OMFILE &file, const std::vector<std::string> &names,
                          const std::vector<std::string> &values)
{
    if (!file.enciphered || file.mode != 'W' || file.key.size() != kKeyLength)
        return false;
    bool ok = put(file, kContainerHeader);
    // The key position runs on across lines, counted from the first byte after the header.
    std::size_t k = 0;
    std::string line;
    line.reserve(2048);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view value = valueAt(values, i);
        line.assign(names[i]).append("=").append(value).append("\r\n");
        for (char &c : line) {
            c = static_cast<char>(c ^ file.key[k]);
            if (++k == kKeyLength)
                k = 0;
        }
        ok = put(file, line) && ok;
    }
    return ok;
}

bool appendLine(const std::string &path, std::string_view text)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    std::string line;
    line.reserve(text.size() + 2);
    line.append(text).append("\r\n");
    // One write with O_APPEND: lines from several writers never interleave.
    const bool written = writeAll(fd, line.data(), line.size());
    const bool closed = ::close(fd) == 0;
    return written && closed;
}

} // namespace nimbus::fileio
