// Reading lines and name/value pairs from the content an OMFILE holds in memory.
#include "fileio/OMFILE.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace nimbus::fileio {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Position of the next byte b at or after pos (size when none); reuses the last scan while pos
// stays inside it, so no byte is searched twice.
std::size_t nextByte(const std::string &content, std::size_t size, std::size_t pos, char b,
                     OMFILE::LineEndScan &scan)
{
    if (scan.from == kNone || pos < scan.from || pos > scan.at) {
        const void *hit = std::memchr(content.data() + pos, b, size - pos);
        scan.from = pos;
        scan.at =
            hit ? static_cast<std::size_t>(static_cast<const char *>(hit) - content.data()) : size;
    }
    return scan.at;
}

} // namespace

bool nextLine(OMFILE &file, std::string_view &line)
{
    const std::size_t size = std::min(file.contentSize, file.content.size());
    if (file.atEnd || file.readPosition >= size) {
        file.atEnd = true;
        return false;
    }
    const std::size_t start = file.readPosition;
    const std::size_t end = std::min(nextByte(file.content, size, start, '\r', file.nextCR),
                                     nextByte(file.content, size, start, '\n', file.nextLF));
    line = std::string_view(file.content).substr(start, end - start);
    std::size_t pos = end;
    if (pos < size) {
        // CR LF and LF CR are one line end; CR CR or LF LF are two.
        const char first = file.content[pos++];
        const char pair = first == '\r' ? '\n' : '\r';
        if (pos < size && file.content[pos] == pair)
            ++pos;
    }
    file.readPosition = pos;
    if (pos >= size)
        file.atEnd = true;
    ++file.linesRead;
    return true;
}

namespace {

// NUL bytes are dropped from a line's text (they still count towards its length).
std::string_view withoutNuls(std::string_view line, std::string &scratch)
{
    if (std::memchr(line.data(), '\0', line.size()) == nullptr)
        return line;
    scratch.assign(line);
    std::erase(scratch, '\0');
    return scratch;
}

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlankOrControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlankOrControl(text.back()))
        text.remove_suffix(1);
    return text;
}

std::size_t findSeparator(std::string_view line, std::size_t pos)
{
    for (; pos < line.size(); ++pos)
        if (line[pos] == '=' || line[pos] == '\t')
            return pos;
    return std::string_view::npos;
}

} // namespace

void splitPairView(std::string_view line, std::string &name, std::string_view &value)
{
    name.clear();
    value = {};
    std::size_t pos = 0;
    if (!line.empty() && line[0] == '"') {
        const auto quote = line.find('"', 1);
        const std::size_t stop = quote == std::string_view::npos ? line.size() : quote;
        name.assign(line.substr(1, stop - 1));
        pos = quote == std::string_view::npos ? line.size() : quote + 1;
    }
    const auto split = findSeparator(line, pos);
    if (split == std::string_view::npos) {
        name.append(line.substr(pos));
        return;
    }
    name.append(line.substr(pos, split - pos));
    // A "=" separates and is dropped; a TAB separates and stays as the value's first byte.
    value = line.substr(line[split] == '=' ? split + 1 : split);
}

int readLine(OMFILE &file, std::string &text)
{
    std::string_view line;
    if (!nextLine(file, line)) {
        text.clear();
        return -1;
    }
    text.assign(line);
    if (std::memchr(text.data(), '\0', text.size()) != nullptr)
        std::erase(text, '\0');
    return static_cast<int>(std::min<std::size_t>(line.size(), INT_MAX));
}

void splitPair(std::string_view line, std::string &name, std::string &value)
{
    // A NUL ends the line.
    if (const void *nul = line.empty() ? nullptr : std::memchr(line.data(), '\0', line.size()))
        line =
            line.substr(0, static_cast<std::size_t>(static_cast<const char *>(nul) - line.data()));
    std::string_view rest;
    splitPairView(line, name, rest);
    value.assign(rest);
}

void readPairs(OMFILE &file, std::vector<std::string> &names, std::vector<std::string> &values)
{
    names.clear();
    values.clear();
    std::string_view raw;
    std::string scratch;
    std::string name;
    std::string_view value;
    while (nextLine(file, raw)) {
        splitPairView(withoutNuls(raw, scratch), name, value);
        // Skips empty names and names starting with a control character.
        if (std::string_view(name) <= std::string_view(" "))
            continue;
        std::string_view keptName = name;
        // Enciphered pairs are secrets (passwords) and are kept byte for byte. A plain name
        // of blanks alone trims away to nothing and is skipped too.
        if (!file.enciphered) {
            keptName = trimmed(keptName);
            value = trimmed(value);
        }
        if (!keptName.empty()) {
            names.emplace_back(keptName);
            values.emplace_back(value);
        }
    }
}

} // namespace nimbus::fileio
