// Reading and writing a topic's content files: the page list "Packs/<uni>.pkt", details text
// "Text/<uni>-<n>.txt", checklist items "CheckList/<uni>-<n>.lst" and page descriptions
// "CheckList/<uni>-<n>.~lst". Names that come from other people's files are checked before
// they become paths: a name that would leave its folder is refused and logged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/ChecklistItem.h"
#include "store/StoreLog.h"
#include "store/TContent.h"

namespace nimbus {

class Clock;

namespace content {

constexpr int kDetailsVersions = 8;
constexpr int kChecklistVersions = 8;
constexpr int kDescriptionVersions = 8;

// Reads content.file. When there is no such file, a topic of the "Topics" section gets the
// two default pages and others none. Returns true when the file was read.
bool ReadContent(TContent &content, StoreLog &log);
// Writes the page list (no old versions) and sets loaded; clears modified on success.
StoreResult WriteContent(TContent &content, StoreLog &log);

// The folder that holds a page's data file: Text/ for details, CheckList/ otherwise.
std::string PageFolder(const THyperData &page, const ContentFolders &folders);
// Full path of a page's data file, or empty when it has none or its name is refused (logged).
std::string PagePath(const THyperData &page, const ContentFolders &folders, StoreLog &log);
// Gives a page without a file name its name "<uni>-<n>.txt" or ".lst" and marks the content
// modified. False when the topic's uni cannot be a file name.
bool NamePageFile(THyperData &page);

// True when bytes are an RTF document ("{\rtf", after white space or a UTF-8 byte order mark):
// such a page opens as rich text whatever its description says, since pages from packs and
// from older copies arrive without one.
bool LooksLikeRtf(std::string_view bytes);
// The details text, as bytes; false when the page has no readable file. Marks the page loaded.
bool LoadDetails(THyperData &page, const ContentFolders &folders, std::string &bytes,
                 StoreLog &log);
// What became of reading a page's details file.
enum class DetailsFile {
    Missing,    // the page has no file name, or its file is not there: the page is empty
    Read,       // bytes hold the whole file
    Unreadable, // the file is there but could not be read (logged, error set)
};
// The details text, as bytes, telling a missing file from one that cannot be read. Marks the
// page loaded.
DetailsFile ReadDetails(THyperData &page, const ContentFolders &folders, std::string &bytes,
                        std::string &error, StoreLog &log);
// Writes the details text keeping `versions` old versions; sets rtf to richText.
StoreResult SaveDetails(THyperData &page, const ContentFolders &folders, const std::string &bytes,
                        int versions, bool richText, StoreLog &log);

// Checklist files above this size are damage: they are neither read nor replaced.
constexpr std::int64_t kMaxChecklistBytes = 64 * 1024 * 1024;
bool LoadChecklist(THyperData &page, const ContentFolders &folders,
                   std::vector<ChecklistItem> &items, StoreLog &log);
StoreResult SaveChecklist(THyperData &page, const ContentFolders &folders,
                          const std::vector<ChecklistItem> &items, StoreLog &log);

// The page's description file (stamps, title, flags and columns).
bool LoadPageDescription(THyperData &page, const ContentFolders &folders, StoreLog &log);
StoreResult SavePageDescription(THyperData &page, const ContentFolders &folders,
                                const Clock &clock, StoreLog &log);

// Keeps an old version of the page's data file, then deletes it.
bool DeletePageFile(const THyperData &page, const ContentFolders &folders, StoreLog &log);

// Pairs of each file as they are written; kept apart so that the exact bytes can be tested.
void ContentPairs(const TContent &content, std::vector<std::string> &names,
                  std::vector<std::string> &values);
void ChecklistPairs(const std::vector<ChecklistItem> &items, std::vector<std::string> &names,
                    std::vector<std::string> &values);
void DescriptionPairs(const THyperData &page, std::vector<std::string> &names,
                      std::vector<std::string> &values);

// Parsing of already-read pairs, shared by the readers and the fuzz targets.
void ParseContent(TContent &content, const std::vector<std::string> &names,
                  const std::vector<std::string> &values, StoreLog &log);
void ParseChecklist(const std::vector<std::string> &names, const std::vector<std::string> &values,
                    std::vector<ChecklistItem> &items);
void ParseDescription(THyperData &page, const std::vector<std::string> &names,
                      const std::vector<std::string> &values, StoreLog &log);

}  // namespace content
}  // namespace nimbus
