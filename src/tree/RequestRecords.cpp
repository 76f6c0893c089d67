// The changes from nimbus-cli already made; see RequestRecords.h.
#include "tree/RequestRecords.h"

#include <cctype>
#include <random>
#include <vector>

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"

namespace nimbus::cli {

namespace {

// One line per request: the request id, a blank, and the answer as the channel carries it.
std::vector<std::pair<std::string, std::string>> readLines(const std::string &path)
{
    std::vector<std::pair<std::string, std::string>> lines;
    std::string bytes;
    if (!fileio::fileExists(path) || !fileio::readWholeFile(path, bytes))
        return lines;
    std::size_t from = 0;
    while (from < bytes.size()) {
        std::size_t end = bytes.find('\n', from);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string line = bytes.substr(from, end - from);
        from = end + 1;
        const std::size_t blank = line.find(' ');
        if (blank != std::string::npos && isRequestId(line.substr(0, blank)))
            lines.emplace_back(line.substr(0, blank), line.substr(blank + 1));
    }
    return lines;
}

} // namespace

std::optional<ChangeAnswer> RequestRecords::find(const std::string &request) const
{
    if (request.empty())
        return std::nullopt;
    const auto lines = readLines(path_);
    for (auto it = lines.rbegin(); it != lines.rend(); ++it)
        if (it->first == request)
            return decodeAnswer(it->second);
    return std::nullopt;
}

bool RequestRecords::remember(const std::string &request, const ChangeAnswer &answer) const
{
    if (!isRequestId(request))
        return false;
    auto lines = readLines(path_);
    lines.emplace_back(request, encodeAnswer(answer));
    const std::size_t first = lines.size() > kKept ? lines.size() - kKept : 0;
    std::string bytes;
    for (std::size_t i = first; i < lines.size(); ++i)
        bytes += lines[i].first + ' ' + lines[i].second + '\n';
    return fileio::writeFileAtomically(path_, bytes);
}

bool isRequestId(const std::string &text)
{
    if (text.empty() || text.size() > 64)
        return false;
    for (char c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '-')
            return false;
    return true;
}

std::string newRequestId()
{
    std::random_device random;
    static const char digits[] = "0123456789abcdef";
    std::string id;
    for (int i = 0; i < 16; ++i)
        id += digits[random() & 15];
    return id;
}

} // namespace nimbus::cli
