// A topic's content files, read from its page list.
#include "history/TopicFiles.h"

#include "fileio/FolderOps.h"
#include "history/SessionTrash.h"
#include "store/ContentFiles.h"

namespace nimbus::history {

std::vector<std::string> topicFiles(const std::string &id, const ContentFolders &folders,
                                    StoreLog &log)
{
    std::vector<std::string> files;
    if (!fileio::isSafeFileName(id + ".pkt"))
        return files;
    const std::string pageList = folders.packs + id + ".pkt";
    if (!fileio::fileExists(pageList))
        return files;
    files.push_back(pageList);
    TContent content;
    content.name = id;
    content.file = pageList;
    content::ReadContent(content, log);
    for (const auto &page : content.pages) {
        if (page->file.empty() || !fileio::isSafeFileName(page->file))
            continue;
        // Page lists name only their own topic's pages; one that names another's is not
        // followed, so removing a topic never takes a page that is not its own.
        if (page->file.rfind(id + "-", 0) != 0)
            continue;
        for (const std::string &path :
             {content::PagePath(*page, folders, log), folders.checkList + page->DescriptionFileName()})
            if (!path.empty() && fileio::fileExists(path))
                files.push_back(path);
    }
    return files;
}

std::vector<std::pair<std::string, std::string>>
putAsideTopicFiles(const std::vector<std::string> &ids, const ContentFolders &folders,
                   SessionTrash &trash, StoreLog &log)
{
    std::vector<std::pair<std::string, std::string>> kept;
    for (const std::string &id : ids)
        for (const std::string &path : topicFiles(id, folders, log)) {
            std::string name = trash.keep(path, id);
            if (!name.empty())
                kept.emplace_back(std::move(name), path);
        }
    return kept;
}

} // namespace nimbus::history
