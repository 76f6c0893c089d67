// What the index holds about one topic: its title, the text of each details page and the items
// of each checklist, read from the store's own files; and the files they came from, so that a
// later check can tell which topics changed on disk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
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
    bool operator==(const SourceFile &) const = default;
};

struct TopicDocuments {
    std::vector<IndexDocument> documents;
    std::vector<SourceFile> sources;  // the page list and every page and description file read
};

// Size and modification time of a file, as a source of the index.
SourceFile StatSource(const std::string &path);

TopicDocuments CollectDocuments(const TopicEntry &topic, const ContentFolders &folders,
                                StoreLog &log);

// The text of one details page or checklist of a topic (by the page's number), read from its
// files alone, as CollectDocuments reads it; nothing when it cannot be read.
std::optional<std::string> ReadPageText(const std::string &uni, int page,
                                        const ContentFolders &folders, StoreLog &log);

// A 64-bit hash of a title, to notice renames without keeping the titles twice.
std::int64_t TitleHash(const std::string &title);

}  // namespace nimbus::search
