// Address detection for the details editor.
#include "shell/core/WebAddresses.h"

#include <array>
#include <cctype>

namespace nimbus::pages {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

constexpr std::array<std::string_view, 7> kSchemes = {"http://", "https://", "ftp://", "ftps://",
                                                      "file://", "mailto:",  "news:"};

// The length of the address prefix the word starts with, 0 when it is no address.
std::size_t prefixLength(std::string_view word)
{
    for (std::string_view scheme : kSchemes)
        if (startsWithNoCase(word, scheme))
            return scheme.size();
    if (startsWithNoCase(word, "www."))
        return 4;
    return 0;
}

} // namespace

std::vector<WebAddress> FindWebAddresses(std::string_view line)
{
    std::vector<WebAddress> found;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && isBlank(line[at]))
            ++at;
        std::size_t end = at;
        while (end < line.size() && !isBlank(line[end]))
            ++end;
        std::size_t start = at;
        while (start < end &&
               std::string_view("([<{\"'").find(line[start]) != std::string_view::npos)
            ++start;
        std::size_t stop = end;
        while (stop > start &&
               std::string_view(".,;:!?)]>}\"'").find(line[stop - 1]) != std::string_view::npos)
            --stop;
        const std::string_view word = line.substr(start, stop - start);
        const std::size_t prefix = prefixLength(word);
        // A bare scheme ("http://") is not an address yet.
        if (prefix > 0 && word.size() > prefix) {
            WebAddress address{start, word.size(), std::string(word)};
            if (startsWithNoCase(word, "www."))
                address.target = "http://" + address.target;
            found.push_back(std::move(address));
        }
        at = end;
    }
    return found;
}

const WebAddress *AddressAt(const std::vector<WebAddress> &addresses, std::size_t offset)
{
    for (const WebAddress &address : addresses)
        if (offset >= address.start && offset < address.start + address.length)
            return &address;
    return nullptr;
}

} // namespace nimbus::pages
