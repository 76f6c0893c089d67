#include "search/TopicDocuments.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <climits>

#include "fileio/Fnv1a.h"
#include "fileio/FolderOps.h"
#include "search/RtfText.h"
#include "store/ContentFiles.h"

namespace nimbus::search {

std::int64_t UnsettledFrom()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec -
           kUnsettledNanoseconds;
}

std::int64_t FileHash(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    std::uint64_t h = fileio::kFnv1aStart;
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        h = fileio::fnv1a(std::string_view(buffer, static_cast<std::size_t>(n)), h);
    ::close(fd);
    if (n < 0)
        return 0;
    return h == 0 ? 1 : static_cast<std::int64_t>(h);
}

SourceFile StatSource(const std::string &path, std::int64_t unsettledFrom)
{
    SourceFile s;
    s.path = path;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return s;
    s.size = static_cast<std::int64_t>(st.st_size);
    s.mtime = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    if (s.mtime >= unsettledFrom)
        s.hash = FileHash(path);
    return s;
}

bool SourceUnchanged(const SourceFile &known, const std::string &path)
{
    SourceFile now = StatSource(path);
    if (now.size != known.size || now.mtime != known.mtime)
        return false;
    return known.hash == 0 || FileHash(path) == known.hash;
}

std::int64_t TitleHash(std::string_view title)
{
    return static_cast<std::int64_t>(fileio::fnv1a(title));
}

namespace {

// The page list of a topic; false when the topic has none (or an id that would leave its
// folder).
bool readPageList(const std::string &uni, const ContentFolders &folders, StoreLog &log,
                  TContent &content, SourceFile *source, std::int64_t unsettledFrom)
{
    if (!fileio::isSafeFileName(uni))
        return false;
    content.name = uni;
    content.kind = 0;  // no default pages: only what the page list names is indexed
    content.file = folders.packs + uni + ".pkt";
    const SourceFile stat = StatSource(content.file, unsettledFrom);
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
                                StoreLog &log, std::int64_t unsettledFrom)
{
    TopicDocuments result;
    result.documents.push_back(IndexDocument{HitKind::Title, 0, {}, topic.title});
    TContent content;
    SourceFile list;
    const bool listed = readPageList(topic.uni, folders, log, content, &list, unsettledFrom);
    if (!list.path.empty())
        result.sources.push_back(list);
    if (!listed)
        return result;
    for (const auto &page : content.pages) {
        const std::string path = content::PagePath(*page, folders, NullStoreLog::instance());
        SourceFile pageFile = StatSource(path, unsettledFrom);
        SourceFile description =
            StatSource(folders.checkList + page->DescriptionFileName(), unsettledFrom);
        IndexDocument doc;
        if (!readPage(*page, folders, log, doc))
            continue;
        result.sources.push_back(std::move(pageFile));
        result.sources.push_back(std::move(description));
        result.documents.push_back(std::move(doc));
    }
    return result;
}

std::optional<std::string> ReadPageText(const std::string &uni, int page,
                                        const ContentFolders &folders, StoreLog &log)
{
    TContent content;
    if (!readPageList(uni, folders, log, content, nullptr, INT64_MAX))
        return std::nullopt;
    for (const auto &p : content.pages) {
        IndexDocument doc;
        if (p->uni == page && readPage(*p, folders, log, doc))
            return std::move(doc.text);
    }
    return std::nullopt;
}

}  // namespace nimbus::search
