// Files' bytes kept as the difference from a file of the step's other side.
#include "history/FileImage.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

namespace nimbus::history {

std::uint64_t bytesHash(std::string_view bytes)
{
    return std::hash<std::string_view>{}(bytes);
}

namespace {

// Bytes a and b have in common at their start, and then at their end; compared a block at a
// time, since pages and their old versions are alike for megabytes.
std::pair<std::size_t, std::size_t> commonEnds(const std::string &a, const std::string &b)
{
    constexpr std::size_t kBlock = 4096;
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t prefix = 0;
    while (prefix + kBlock <= common &&
           std::memcmp(a.data() + prefix, b.data() + prefix, kBlock) == 0)
        prefix += kBlock;
    while (prefix < common && a[prefix] == b[prefix])
        ++prefix;
    const std::size_t room = common - prefix;
    std::size_t suffix = 0;
    while (suffix + kBlock <= room &&
           std::memcmp(a.data() + a.size() - suffix - kBlock, b.data() + b.size() - suffix - kBlock,
                       kBlock) == 0)
        suffix += kBlock;
    while (suffix < room && a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix])
        ++suffix;
    return {prefix, suffix};
}

} // namespace

FileImage makeImage(const std::optional<std::string> &bytes,
                    const std::vector<const std::string *> &others)
{
    FileImage image;
    if (!bytes)
        return image;
    image.present = true;
    image.size = bytes->size();
    image.hash = bytesHash(*bytes);
    // The same bytes first (a new old version is the text as it was), found without a scan.
    for (std::size_t j = 0; j < others.size(); ++j)
        if (others[j] && *others[j] == *bytes) {
            image.base = static_cast<int>(j);
            image.prefix = bytes->size();
            return image;
        }
    // A difference of a few kilobytes is as good as none: the search ends there.
    constexpr std::size_t kSmallEnough = 4096;
    std::size_t best = 0;
    for (std::size_t j = 0; j < others.size() && bytes->size() - best > kSmallEnough; ++j) {
        if (!others[j])
            continue;
        const auto [prefix, suffix] = commonEnds(*bytes, *others[j]);
        if (prefix + suffix <= best)
            continue;
        best = prefix + suffix;
        image.base = static_cast<int>(j);
        image.prefix = prefix;
        image.suffix = suffix;
    }
    image.middle = bytes->substr(image.prefix, bytes->size() - image.prefix - image.suffix);
    return image;
}

std::optional<std::string> bytesOf(const FileImage &image,
                                   const std::vector<std::optional<std::string>> &others)
{
    if (!image.present)
        return std::nullopt;
    if (image.base < 0)
        return image.middle;
    const std::optional<std::string> &base = others[static_cast<std::size_t>(image.base)];
    if (!base || base->size() < image.prefix + image.suffix)
        return std::nullopt; // cannot happen: the base was checked to be as the step left it
    std::string bytes;
    bytes.reserve(image.size);
    bytes.append(*base, 0, image.prefix);
    bytes += image.middle;
    bytes.append(*base, base->size() - image.suffix, image.suffix);
    return bytes;
}

} // namespace nimbus::history
