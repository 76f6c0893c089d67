// Content files of a topic: page list, details text, checklist items and page descriptions.
#include "store/ContentFiles.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "fileio/FolderOps.h"
#include "fileio/Versions.h"
#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/PairFile.h"
#include "store/TopicCodes.h"
#include "store/ValueText.h"

namespace nimbus::content {

namespace {

std::string numberText(int value)
{
    std::string text;
    values::appendInt(text, value);
    return text;
}

void add(std::vector<std::string> &names, std::vector<std::string> &values, const char *name,
         std::string value)
{
    names.emplace_back(name);
    values.push_back(std::move(value));
}

// A page's own file name must stay inside its folder.
bool pageNameAllowed(const THyperData &page, StoreLog &log)
{
    if (fileio::isSafeFileName(page.file))
        return true;
    log.AddToLog("*** Page file name refused (it would leave its folder): " + page.file);
    return false;
}

std::string descriptionPath(const THyperData &page, const ContentFolders &folders, StoreLog &log)
{
    if (page.file.empty() || !pageNameAllowed(page, log))
        return {};
    return folders.checkList + page.DescriptionFileName();
}

}  // namespace

void ParseContent(TContent &content, const std::vector<std::string> &names,
                  const std::vector<std::string> &values, StoreLog &log)
{
    THyperData *page = nullptr;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string &name = names[i];
        const std::string &value = values[i];
        if (name == "con") {
            std::optional<int> kind = values::strictInt(value);
            if (!kind) {
                // Keep the page (and every later one) rather than stop reading.
                log.AddToLog("*** Page kind \"" + value + "\" is not a number in " + content.file);
                kind = -1;
            }
            auto made = std::make_unique<THyperData>();
            made->con = *kind;
            made->owner = &content;
            content.pages.push_back(std::move(made));
            page = content.pages.back().get();
        } else if (name == "uni") {
            if (page) {
                page->uni = values::intOr(value, 0);
                if (page->uni > content.lastPage)
                    content.lastPage = page->uni;
            }
        } else if (name == "file") {
            if (page)
                page->file = value;
        } else if (name == "vis") {
            content.visiblePage = values::intOr(value, 0);
        }
    }
}

bool ReadContent(TContent &content, StoreLog &log)
{
    std::vector<std::string> names;
    std::vector<std::string> values;
    if (content.filesAllowed && readPairFile(content.file, names, values)) {
        ParseContent(content, names, values, log);
        content.loaded = true;
        return true;
    }
    if (content.kind == kSectionTopics)
        content.AddDefaultPages();
    return false;
}

void ContentPairs(const TContent &content, std::vector<std::string> &names,
                  std::vector<std::string> &values)
{
    if (content.visiblePage > 0)
        add(names, values, "vis", numberText(content.visiblePage));
    for (const auto &page : content.pages) {
        add(names, values, "con", numberText(page->con));
        add(names, values, "uni", numberText(page->uni));
        add(names, values, "file", page->file);
    }
}

StoreResult WriteContent(TContent &content, StoreLog &log)
{
    if (!content.filesAllowed) {
        log.AddToLog("*** Content of topic " + content.name + " not written: its id is not a safe file name");
        return StoreResult::failure("unsafe file name");
    }
    std::vector<std::string> names;
    std::vector<std::string> values;
    ContentPairs(content, names, values);
    StoreResult result = writePairFile(content.file, names, values, 0);
    if (result) {
        content.loaded = true;
        content.modified = false;
    }
    return result;
}

std::string PageFolder(const THyperData &page, const ContentFolders &folders)
{
    return page.con == kPageDetails ? folders.text : folders.checkList;
}

std::string PagePath(const THyperData &page, const ContentFolders &folders, StoreLog &log)
{
    if (page.file.empty() || !pageNameAllowed(page, log))
        return {};
    return PageFolder(page, folders) + page.file;
}

bool NamePageFile(THyperData &page)
{
    if (!page.file.empty())
        return true;
    if (!page.owner || !page.owner->filesAllowed)
        return false;
    page.file = page.owner->name + "-" + numberText(page.uni)
                + (page.con == kPageDetails ? ".txt" : ".lst");
    page.owner->modified = true;
    return true;
}

bool LooksLikeRtf(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    while (!bytes.empty() && (bytes.front() == ' ' || bytes.front() == '\t' ||
                              bytes.front() == '\r' || bytes.front() == '\n'))
        bytes.remove_prefix(1);
    return bytes.substr(0, 5) == "{\\rtf";
}

bool LoadDetails(THyperData &page, const ContentFolders &folders, std::string &bytes,
                 StoreLog &log)
{
    bytes.clear();
    page.loaded = true;
    const std::string path = PagePath(page, folders, log);
    return !path.empty() && fileio::fileExists(path) && fileio::readWholeFile(path, bytes);
}

DetailsFile ReadDetails(THyperData &page, const ContentFolders &folders, std::string &bytes,
                        std::string &error, StoreLog &log)
{
    bytes.clear();
    error.clear();
    page.loaded = true;
    const std::string path = PagePath(page, folders, log);
    if (path.empty())
        return DetailsFile::Missing;
    std::error_code ignored;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ignored)))
        return DetailsFile::Missing;
    errno = 0;
    if (fileio::fileExists(path) && fileio::readWholeFile(path, bytes))
        return DetailsFile::Read;
    error = errno != 0 ? std::strerror(errno) : "not a readable file";
    bytes.clear();
    log.AddErrorToLog("*** The page file " + path + " could not be read: ", error);
    return DetailsFile::Unreadable;
}

StoreResult SaveDetails(THyperData &page, const ContentFolders &folders, const std::string &bytes,
                        int versions, bool richText, StoreLog &log)
{
    if (!NamePageFile(page))
        return StoreResult::failure("unsafe file name");
    const std::string path = PagePath(page, folders, log);
    if (path.empty())
        return StoreResult::failure("unsafe file name");
    StoreResult result = writeWholeFile(path, bytes, versions);
    if (result)
        page.rtf = richText;
    return result;
}

void ParseChecklist(const std::vector<std::string> &names, const std::vector<std::string> &values,
                    std::vector<ChecklistItem> &items)
{
    ChecklistItem *item = nullptr;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string &name = names[i];
        if (name == "chk") {
            items.emplace_back();
            item = &items.back();
            item->checked = values::intOr(values[i], 0) != 0;
        } else if (!item) {
            continue;  // lines before the first item belong to nothing
        } else if (name == "txt") {
            item->text = values[i];
            item->link = LinkRecord{};
            FindLink(item->text, item->link);
        } else if (name == "fin") {
            item->finished = values[i];
        }
    }
}

bool LoadChecklist(THyperData &page, const ContentFolders &folders,
                   std::vector<ChecklistItem> &items, StoreLog &log)
{
    items.clear();
    page.loaded = true;
    const std::string path = PagePath(page, folders, log);
    std::vector<std::string> names;
    std::vector<std::string> values;
    if (path.empty())
        return false;
    // A checklist is a few pages of items; a file of gigabytes is damage, and reading it
    // would take the memory of the whole machine.
    if (const std::int64_t size = fileio::fileSize(path); size > kMaxChecklistBytes) {
        log.AddToLog("*** The checklist file is too large to open (" + std::to_string(size)
                     + " bytes); it is left as it is: " + path);
        return false;
    }
    if (!readPairFile(path, names, values))
        return false;
    ParseChecklist(names, values, items);
    return true;
}

void ChecklistPairs(const std::vector<ChecklistItem> &items, std::vector<std::string> &names,
                    std::vector<std::string> &values)
{
    for (const ChecklistItem &item : items) {
        add(names, values, "chk", item.checked ? "1" : "0");
        add(names, values, "txt", item.text);
        if (!item.finished.empty())
            add(names, values, "fin", item.finished);
    }
}

StoreResult SaveChecklist(THyperData &page, const ContentFolders &folders,
                          const std::vector<ChecklistItem> &items, StoreLog &log)
{
    if (!NamePageFile(page))
        return StoreResult::failure("unsafe file name");
    const std::string path = PagePath(page, folders, log);
    if (path.empty())
        return StoreResult::failure("unsafe file name");
    // A file too large to open was never shown, so the items in hand are not its content.
    if (fileio::fileSize(path) > kMaxChecklistBytes)
        return StoreResult::failure("the checklist file is too large to open, and it is left as it is");
    std::vector<std::string> names;
    std::vector<std::string> values;
    ChecklistPairs(items, names, values);
    return writePairFile(path, names, values, kChecklistVersions);
}

void ParseDescription(THyperData &page, const std::vector<std::string> &names,
                      const std::vector<std::string> &values, StoreLog &log)
{
    page.columns.clear();
    TTableItemA *column = nullptr;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string &name = names[i];
        const std::string &value = values[i];
        if (name == "col") {
            std::optional<int> number = values::strictInt(value);
            if (!number) {
                log.AddToLog("*** Column number \"" + value + "\" is not a number in the description of "
                             + page.file);
                number = static_cast<int>(page.columns.size());
            }
            column = &page.AddColumn(*number, {});
        } else if (name == "cre") {
            page.cre = value;
        } else if (name == "ame") {
            page.ame = value;
        } else if (name == "dis") {
            page.dis = value;
        } else if (name == "data") {
            page.data = values::numberFlag(value);
        } else if (name == "rtf") {
            page.rtf = values::numberFlag(value);
        } else if (name == "fsa") {
            page.fsa = value;
        } else if (!column) {
            continue;
        } else if (name == "hdg") {
            column->hdg = value;
        } else if (name == "fld") {
            column->fld = value;
        } else if (name == "cld") {
            column->cld = value;
        } else if (name == "vis") {
            column->vis = values::numberFlag(value);
        } else if (name == "wid") {
            column->wid = values::intOr(value, 100);
        } else if (name == "tpe") {
            column->tpe = values::intOr(value, 0);
        }
    }
    page.columnsChanged = false;
}

bool LoadPageDescription(THyperData &page, const ContentFolders &folders, StoreLog &log)
{
    const std::string path = descriptionPath(page, folders, log);
    std::vector<std::string> names;
    std::vector<std::string> values;
    if (path.empty() || !readPairFile(path, names, values))
        return false;
    ParseDescription(page, names, values, log);
    return true;
}

void DescriptionPairs(const THyperData &page, std::vector<std::string> &names,
                      std::vector<std::string> &values)
{
    add(names, values, "cre", page.cre);
    add(names, values, "ame", page.ame);
    if (!page.dis.empty())
        add(names, values, "dis", page.dis);
    if (page.data)
        add(names, values, "data", "1");
    if (page.rtf)
        add(names, values, "rtf", "1");
    if (!page.fsa.empty())
        add(names, values, "fsa", page.fsa);
    for (const auto &column : page.columns) {
        add(names, values, "col", numberText(column->col));
        if (!column->hdg.empty())
            add(names, values, "hdg", column->hdg);
        if (!column->fld.empty())
            add(names, values, "fld", column->fld);
        if (!column->cld.empty())
            add(names, values, "cld", column->cld);
        add(names, values, "vis", column->vis ? "1" : "0");
        add(names, values, "wid", numberText(column->wid));
        add(names, values, "tpe", numberText(column->tpe));
    }
}

StoreResult SavePageDescription(THyperData &page, const ContentFolders &folders,
                                const Clock &clock, StoreLog &log)
{
    if (!NamePageFile(page))
        return StoreResult::failure("unsafe file name");
    const std::string path = descriptionPath(page, folders, log);
    if (path.empty())
        return StoreResult::failure("unsafe file name");
    const std::string now = dates::stamp(clock.now());
    if (page.cre.empty())
        page.cre = now;
    if (page.ame.empty())
        page.ame = now;
    std::vector<std::string> names;
    std::vector<std::string> values;
    DescriptionPairs(page, names, values);
    StoreResult result = writePairFile(path, names, values, kDescriptionVersions);
    if (result)
        page.columnsChanged = false;
    return result;
}

bool DeletePageFile(const THyperData &page, const ContentFolders &folders, StoreLog &log)
{
    const std::string path = PagePath(page, folders, log);
    if (path.empty() || !fileio::fileExists(path))
        return false;
    std::vector<std::string> versions;
    std::string errorText;
    fileio::listVersions(path, versions);
    if (fileio::makeVersion(path, versions, "C", errorText).empty()) {
        // Without its backup the file is kept: deleting it would lose the page for good.
        log.AddToLog((errorText.empty() ? "***** Unable to back up file " : errorText) + path);
        return false;
    }
    return fileio::deleteFile(path);
}

}  // namespace nimbus::content
