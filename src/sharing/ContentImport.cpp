// Importing content files with prefix stripping.
#include "sharing/ContentImport.h"

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "fileio/Versions.h"
#include "sharing/PacketFiles.h"
#include "sharing/SharingLimits.h"
#include "store/ContentFiles.h"
#include "store/PairFile.h"
#include "store/StoreLog.h"

namespace nimbus::content_import {

namespace {

bool startsWith(const std::string &text, const std::string &prefix)
{
    return !prefix.empty() && text.compare(0, prefix.size(), prefix) == 0;
}

// The page list as it is to be written, or empty with a problem when it must not be taken.
bool rewritePageList(const std::string &bytes, const std::string &prefix,
                     const std::string &topicId, std::string &out, std::string &problem)
{
    std::vector<std::string> names;
    std::vector<std::string> values;
    sharing::parsePairs(bytes, names, values);
    bool changed = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string &value = values[i];
        // Only a leading prefix is this user's own: "carol-bob-5" is not "bob-5".
        if (startsWith(value, prefix)) {
            value.erase(0, prefix.size());
            changed = true;
        }
        // A page file belongs to its topic ("<id>-<n>.txt") and stays in its folder: otherwise
        // opening or deleting the page would reach another topic's page or leave the folder.
        if (names[i] == "file" && !value.empty() &&
            (!fileio::isSafeFileName(value) || !startsWith(value, topicId + "-"))) {
            problem = "it names the page file \"" + value + "\"";
            return false;
        }
    }
    if (changed)
        appendPairLines(out, names, values);
    else
        out = bytes;
    return true;
}

} // namespace

std::string TopicOfContentFile(const std::string &name)
{
    const std::string base = fileio::baseNameOf(name);
    if (fileio::extensionOf(name) == ".pkt")
        return base;
    const std::size_t dash = base.rfind('-');
    return dash == std::string::npos ? std::string() : base.substr(0, dash);
}

ImportReport ImportContent(const std::string &folder, const std::string &prefix,
                           const ContentFolders &to, StoreLog &log, const ImportOptions &options)
{
    ImportReport report;
    enum class Kind { PageList, Page, Description };
    const struct {
        const char *pattern;
        const std::string &target;
        std::int64_t maxBytes;
        Kind kind;
        int versions;
    } kinds[] = {
        {"*.pkt", to.packs, limits::kMaxPageListBytes, Kind::PageList, 0},
        {"*.txt", to.text, limits::kMaxPageFileBytes, Kind::Page, content::kDetailsVersions},
        {"*.lst", to.checkList, limits::kMaxPageFileBytes, Kind::Page, content::kChecklistVersions},
        // A page's description says whether its text is rich text; older copies send none.
        {"*.~txt", to.checkList, limits::kMaxPageListBytes, Kind::Description,
         content::kDescriptionVersions},
        {"*.~lst", to.checkList, limits::kMaxPageListBytes, Kind::Description,
         content::kDescriptionVersions},
    };
    for (const auto &kind : kinds) {
        std::vector<std::string> files;
        fileio::listFiles(folder + kind.pattern, files);
        for (const std::string &file : files) {
            const std::string source = folder + file;
            const std::string name = startsWith(file, prefix) ? file.substr(prefix.size()) : file;
            // Files of topics that were not merged are not ours to take: their packet may still
            // be on its way, or was refused.
            if (options.topics && options.topics->count(TopicOfContentFile(name)) == 0) {
                report.waiting.push_back(file);
                continue;
            }
            const bool pageList = kind.kind == Kind::PageList;
            std::string problem;
            std::string bytes;
            std::string rewritten;
            bool taken = fileio::isSafeFileName(name);
            if (!taken)
                problem = "its name is not allowed";
            if (taken && !sharing::isPlainFile(source)) {
                taken = false;
                problem = "it is not a plain file";
            }
            if (taken && pageList)
                taken =
                    sharing::readBounded(source, kind.maxBytes, bytes, problem) &&
                    rewritePageList(bytes, prefix, fileio::baseNameOf(name), rewritten, problem);
            if (taken && !pageList && fileio::fileSize(source) > kind.maxBytes) {
                taken = false;
                problem = "it is too large";
            }
            if (!taken) {
                log.AddToLog("*** Content file refused: " + file + " (" + problem + ")");
                if (options.setAsideRefused) {
                    std::string refusal;
                    sharing::setAside(folder, file, options.access, &refusal);
                    if (!refusal.empty())
                        log.AddToLog("*** " + refusal);
                }
                report.refused.push_back(file);
                continue;
            }
            const std::string target = kind.target + name;
            // The user's own page goes on living as an old version, as after any rewrite.
            const bool replacing = kind.versions > 0 && fileio::fileExists(target);
            if (replacing)
                fileio::rotateVersions(target, kind.versions);
            bool done = false;
            if (pageList)
                done = fileio::writeFileAtomically(target, rewritten);
            else
                // Within one file system a move is a rename; across (a network share) a copy.
                done = fileio::renameFile(source, target) || fileio::copyFile(source, target);
            if (!done) {
                report.failed.push_back(file);
                continue;
            }
            if (replacing) {
                ++report.replaced;
                log.AddToLog("Received page " + name + " replaces the one here, which is kept "
                             "as an old version");
            }
            fileio::deleteFile(source);
            ++report.moved;
        }
    }
    return report;
}

} // namespace nimbus::content_import
