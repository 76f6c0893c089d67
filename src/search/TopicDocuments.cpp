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

namespace {

// The page list of a topic; false when the topic has none (or an id that would leave its
// folder).
bool readPageList(const std::string &uni, const ContentFolders &folders, StoreLog &log,
                  TContent &content, SourceFile *source)
{
    if (!fileio::isSafeFileName(uni))
        return false;
    content.name = uni;
    content.kind = 0;  // no default pages: only what the page list names is indexed
    content.file = folders.packs + uni + ".pkt";
    const SourceFile stat = StatSource(content.file);
    if (source)
        *source = stat;
    if (stat.size < 0)
        return false;
    content::ReadContent(content, log);
    return true;
}

// The text of one details page or checklist; false for other pages and unreadable ones.
bool readPage(THyperData &page, const ContentFolders &folders, StoreLog &log, IndexDocument &doc)
{
    if (page.file.empty() || content::PagePath(page, folders, log).empty())
        return false;
    content::LoadPageDescription(page, folders, log);
    doc.page = page.uni;
    doc.pageName = page.dis;
    if (page.con == kPageDetails) {
        doc.kind = HitKind::Page;
        if (doc.pageName.empty())
            doc.pageName = "Details";
        std::string bytes, error;
        if (content::ReadDetails(page, folders, bytes, error, log) != content::DetailsFile::Read)
            return false;
        doc.text = RtfToText(bytes);
        return true;
    }
    if (page.con == kPageChecklist) {
        doc.kind = HitKind::Checklist;
        if (doc.pageName.empty())
            doc.pageName = "Checklist";
        std::vector<ChecklistItem> items;
        if (!content::LoadChecklist(page, folders, items, log))
            return false;
        for (const ChecklistItem &item : items) {
            doc.text += item.text;
            doc.text += '\n';
        }
        return true;
    }
    return false;
}

} // namespace

TopicDocuments CollectDocuments(const TopicEntry &topic, const ContentFolders &folders,
                                StoreLog &log)
{
    TopicDocuments result;
    result.documents.push_back(IndexDocument{HitKind::Title, 0, {}, topic.title});
    TContent content;
    SourceFile list;
    const bool listed = readPageList(topic.uni, folders, log, content, &list);
    if (!list.path.empty())
        result.sources.push_back(list);
    if (!listed)
        return result;
    for (const auto &page : content.pages) {
        IndexDocument doc;
        if (!readPage(*page, folders, log, doc))
            continue;
        result.sources.push_back(StatSource(content::PagePath(*page, folders, log)));
        result.sources.push_back(StatSource(folders.checkList + page->DescriptionFileName()));
        result.documents.push_back(std::move(doc));
    }
    return result;
}

std::optional<std::string> ReadPageText(const std::string &uni, int page,
                                        const ContentFolders &folders, StoreLog &log)
{
    TContent content;
    if (!readPageList(uni, folders, log, content, nullptr))
        return std::nullopt;
    for (const auto &p : content.pages) {
        IndexDocument doc;
        if (p->uni == page && readPage(*p, folders, log, doc))
            return std::move(doc.text);
    }
    return std::nullopt;
}

}  // namespace nimbus::search
