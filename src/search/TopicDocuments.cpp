#include "search/TopicDocuments.h"

#include <filesystem>
#include <system_error>

#include "fileio/FolderOps.h"
#include "search/RtfText.h"
#include "store/ContentFiles.h"

namespace nimbus::search {

namespace fs = std::filesystem;

SourceFile StatSource(const std::string &path) {
    SourceFile s;
    s.path = path;
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) return s;
    const auto time = fs::last_write_time(path, ec);
    if (ec) return s;
    s.size = static_cast<std::int64_t>(size);
    s.mtime = static_cast<std::int64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count());
    return s;
}

std::int64_t TitleHash(const std::string &title) {
    std::uint64_t h = 1469598103934665603ULL;  // FNV-1a
    for (const char c : title) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    return static_cast<std::int64_t>(h);
}

TopicDocuments CollectDocuments(const TopicEntry &topic, const ContentFolders &folders,
                                StoreLog &log) {
    TopicDocuments result;
    result.documents.push_back(IndexDocument{HitKind::Title, 0, {}, topic.title});
    if (!fileio::isSafeFileName(topic.uni)) return result;

    TContent content;
    content.name = topic.uni;
    content.kind = 0;  // no default pages: only what the page list names is indexed
    content.file = folders.packs + topic.uni + ".pkt";
    result.sources.push_back(StatSource(content.file));
    if (result.sources.back().size < 0) return result;
    content::ReadContent(content, log);

    for (const auto &page : content.pages) {
        if (page->file.empty()) continue;
        const std::string path = content::PagePath(*page, folders, log);
        if (path.empty()) continue;
        content::LoadPageDescription(*page, folders, log);
        IndexDocument doc;
        doc.page = page->uni;
        doc.pageName = page->dis;
        if (page->con == kPageDetails) {
            doc.kind = HitKind::Page;
            if (doc.pageName.empty()) doc.pageName = "Details";
            std::string bytes, error;
            if (content::ReadDetails(*page, folders, bytes, error, log) != content::DetailsFile::Read)
                continue;
            doc.text = RtfToText(bytes);
        } else if (page->con == kPageChecklist) {
            doc.kind = HitKind::Checklist;
            if (doc.pageName.empty()) doc.pageName = "Checklist";
            std::vector<ChecklistItem> items;
            if (!content::LoadChecklist(*page, folders, items, log)) continue;
            for (const ChecklistItem &item : items) {
                doc.text += item.text;
                doc.text += '\n';
            }
        } else {
            continue;
        }
        result.sources.push_back(StatSource(path));
        result.sources.push_back(StatSource(folders.checkList + page->DescriptionFileName()));
        result.documents.push_back(std::move(doc));
    }
    return result;
}

}  // namespace nimbus::search
