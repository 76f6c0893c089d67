// "MergedPackets.dat": for each packet "str" (its name), "size" and "time" lines.
#include "sharing/MergedPackets.h"

#include <algorithm>
#include <charconv>

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "sharing/PacketFiles.h"
#include "store/PairFile.h"

namespace nimbus::sharing {

namespace {
// An inbox never holds more than a handful of undeletable packets; a damaged file must not
// grow without end either.
constexpr std::size_t kMaxEntries = 10000;
constexpr std::int64_t kMaxFileBytes = 4 * 1024 * 1024;

std::int64_t numberOr(const std::string &text, std::int64_t fallback)
{
    std::int64_t n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    return error == std::errc() && end == text.data() + text.size() ? n : fallback;
}
} // namespace

void MergedPackets::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    std::string bytes;
    std::string problem;
    if (!fileio::fileExists(path_) || !readBounded(path_, kMaxFileBytes, bytes, problem))
        return;
    std::vector<std::string> names;
    std::vector<std::string> values;
    parsePairs(bytes, names, values);
    for (std::size_t i = 0; i < names.size() && entries_.size() < kMaxEntries; ++i) {
        if (names[i] == "str")
            entries_.push_back({values[i], 0, 0});
        else if (entries_.empty())
            continue;
        else if (names[i] == "size")
            entries_.back().size = numberOr(values[i], -1);
        else if (names[i] == "time")
            entries_.back().time = numberOr(values[i], -1);
    }
}

bool MergedPackets::Contains(const std::string &name, std::int64_t size, std::int64_t time)
{
    load();
    return std::any_of(entries_.begin(), entries_.end(), [&](const Entry &entry) {
        return entry.name == name && entry.size == size && entry.time == time;
    });
}

void MergedPackets::Add(const std::string &name, std::int64_t size, std::int64_t time)
{
    load();
    std::erase_if(entries_, [&](const Entry &entry) { return entry.name == name; });
    entries_.push_back({name, size, time});
    changed_ = true;
}

void MergedPackets::KeepOnly(const std::vector<std::string> &present)
{
    load();
    const std::size_t before = entries_.size();
    std::erase_if(entries_, [&](const Entry &entry) {
        return std::find(present.begin(), present.end(), entry.name) == present.end();
    });
    changed_ = changed_ || entries_.size() != before;
}

bool MergedPackets::Save()
{
    if (!changed_)
        return true;
    std::vector<std::string> names;
    std::vector<std::string> values;
    for (const Entry &entry : entries_) {
        names.insert(names.end(), {"str", "size", "time"});
        values.insert(values.end(),
                      {entry.name, std::to_string(entry.size), std::to_string(entry.time)});
    }
    std::string bytes;
    appendPairLines(bytes, names, values);
    changed_ = !fileio::writeFileAtomically(path_, bytes);
    return !changed_;
}

} // namespace nimbus::sharing
