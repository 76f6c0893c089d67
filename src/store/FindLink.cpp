// The link finder: web prefixes first, then "www.", then "mailto:", then a drive-style path.
#include "store/FindLink.h"

#include <cctype>

namespace nimbus {

namespace {

// Position of the first blank or comma at or after from, or the text's end.
std::size_t linkEnd(std::string_view text, std::size_t from)
{
    if (from >= text.size())
        return text.size();
    const std::size_t end = text.find_first_of(" ,", from);
    return end == std::string_view::npos ? text.size() : end;
}

int found(std::string_view text, std::size_t start, std::size_t end, LinkRecord &link,
          bool isFile, std::string_view prefix = {})
{
    link.found = true;
    link.isFile = isFile;
    link.link = std::string(prefix) + std::string(text.substr(start, end - start));
    link.start = static_cast<int>(start) + 1;
    link.length = static_cast<int>(end - start);
    return link.start + link.length;
}

}  // namespace

int FindLink(std::string_view text, LinkRecord &link)
{
    link = LinkRecord{};

    std::size_t start = std::string_view::npos;
    if (text.find(":/") != std::string_view::npos) {
        for (std::string_view prefix : {"http://", "https://", "ftp://", "ftps://"}) {
            start = text.find(prefix);
            if (start != std::string_view::npos)
                break;
        }
    }
    if (start != std::string_view::npos)
        return found(text, start, linkEnd(text, start + 4), link, false);

    start = text.find("www.");
    if (start != std::string_view::npos)
        return found(text, start, linkEnd(text, start + 4), link, false, "http://");

    start = text.find("mailto:");
    if (start != std::string_view::npos)
        return found(text, start, linkEnd(text, start + 4), link, false);

    // A drive-style path: a letter, ":" and somewhere after it a "." (an extension).
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon < 1
        || !std::isalpha(static_cast<unsigned char>(text[colon - 1])))
        return -1;
    start = colon - 1;
    const std::size_t dot = text.find('.', start);
    if (dot == std::string_view::npos)
        return -1;
    return found(text, start, linkEnd(text, dot + 1), link, true);
}

}  // namespace nimbus
