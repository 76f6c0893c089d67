// What the index holds about one topic: its title, the text of each details page and the items
// of each checklist, read from the store's own files; and the files they came from, so that a
// later check can tell which topics changed on disk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/StoreLog.h"
#include "store/TContent.h"

namespace nimbus::search {

// Where a hit matched; the order is the order of relevance in the results.
enum class HitKind { Title = 0, Page = 1, Checklist = 2 };

// A topic as the index sees it in the store: its id and title.
struct TopicEntry {
    std::string uni;
    std::string title;
};

struct IndexDocument {
    HitKind kind = HitKind::Title;
    int page = 0;          // page number; 0 for the title
    std::string pageName;  // tab title of the page
    std::string text;      // plain UTF-8
};

struct SourceFile {
    std::string path;
    std::int64_t size = -1;   // -1: not there
    std::int64_t mtime = 0;   // nanoseconds
    // A hash of the bytes, kept only for a file modified so shortly before it was read that a
    // later change within the same tick of the file system's clock could leave its size and
    // time as they were; 0 otherwise.
    std::int64_t hash = 0;
    bool operator==(const SourceFile &) const = default;
};

struct TopicDocuments {
    std::vector<IndexDocument> documents;
    std::vector<SourceFile> sources;  // the page list and every page and description file read
};

// How long after a change a file's time is not trusted to tell a later change apart: file
// systems keep times in ticks (a few milliseconds, whole seconds on some), and clocks of
// network shares drift.
constexpr std::int64_t kUnsettledNanoseconds = 2'000'000'000;

// The moment from which file times count as unsettled: now less kUnsettledNanoseconds.
std::int64_t UnsettledFrom();

// Size and modification time of a file, as a source of the index; with the hash of its bytes
// when it was modified at or after unsettledFrom (nanoseconds since the epoch).
SourceFile StatSource(const std::string &path, std::int64_t unsettledFrom = INT64_MAX);

// Whether the file is still as recorded: same size and time and, when a hash was kept, the
// same bytes.
bool SourceUnchanged(const SourceFile &known, const std::string &path);

// A 64-bit hash of a file's bytes, never 0; 0 when it cannot be read.
std::int64_t FileHash(const std::string &path);

// Each file is noted before it is read, so a change made while it is read is seen later.
TopicDocuments CollectDocuments(const TopicEntry &topic, const ContentFolders &folders,
                                StoreLog &log, std::int64_t unsettledFrom = UnsettledFrom());

// The text of one details page or checklist of a topic (by the page's number), read from its
// files alone, as CollectDocuments reads it; nothing when it cannot be read.
std::optional<std::string> ReadPageText(const std::string &uni, int page,
                                        const ContentFolders &folders, StoreLog &log);

// A 64-bit hash of a title, to notice renames without keeping the titles twice.
std::int64_t TitleHash(std::string_view title);

}  // namespace nimbus::search
