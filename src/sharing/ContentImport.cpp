// Importing content files with prefix stripping.
#include "sharing/ContentImport.h"

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "sharing/PacketFiles.h"
#include "sharing/SharingLimits.h"
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

ImportReport ImportContent(const std::string &folder, const std::string &prefix,
                           const ContentFolders &to, StoreLog &log, bool setAsideRefused)
{
    ImportReport report;
    const struct {
        const char *pattern;
        const std::string &target;
        std::int64_t maxBytes;
    } kinds[] = {{"*.pkt", to.packs, limits::kMaxPageListBytes},
                 {"*.txt", to.text, limits::kMaxPageFileBytes},
                 {"*.lst", to.checkList, limits::kMaxPageFileBytes}};
    for (const auto &kind : kinds) {
        std::vector<std::string> files;
        fileio::listFiles(folder + kind.pattern, files);
        for (const std::string &file : files) {
            const std::string source = folder + file;
            const std::string name = startsWith(file, prefix) ? file.substr(prefix.size()) : file;
            const bool pageList = kind.maxBytes == limits::kMaxPageListBytes;
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
                if (setAsideRefused)
                    sharing::setAside(folder, file);
                report.refused.push_back(file);
                continue;
            }
            const std::string target = kind.target + name;
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
            fileio::deleteFile(source);
            ++report.moved;
        }
    }
    return report;
}

} // namespace nimbus::content_import
