// A topic's content files set back or forward.
#include "history/PageFilesEdit.h"

#include <algorithm>
#include <string_view>

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "fileio/Versions.h"
#include "history/StepNames.h"
#include "history/TopicFiles.h"
#include "store/TNimbusStructure.h"

namespace nimbus::history {

namespace {

std::optional<std::string> readBytes(const std::string &path)
{
    std::string bytes;
    if (!fileio::fileExists(path) || !fileio::readWholeFile(path, bytes))
        return std::nullopt;
    return bytes;
}

bool put(const std::string &path, const std::optional<std::string> &bytes, std::string &error)
{
    if (bytes)
        return fileio::writeFileAtomically(path, *bytes, &error);
    if (!fileio::fileExists(path) || fileio::deleteFile(path))
        return true;
    error = fileio::lastErrorText();
    return false;
}

bool isPageList(const std::string &path)
{
    return path.size() > 4 && path.compare(path.size() - 4, 4, ".pkt") == 0;
}

// A page list without its "vis" line: which page was shown last changes with every visit.
std::string withoutShownPage(std::string_view bytes)
{
    std::string kept;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view line =
            bytes.substr(0, end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.rfind("vis=", 0) != 0)
            kept += line;
        bytes.remove_prefix(line.size());
    }
    return kept;
}

} // namespace

std::vector<std::string> PageFilesRecorder::files() const
{
    std::vector<std::string> paths = topicFiles(topicId_, folders_, log_);
    // A save keeps old versions of the files it rewrites beside them: they are its doing too.
    const std::size_t listed = paths.size();
    for (std::size_t i = 0; i < listed; ++i) {
        std::vector<std::string> versions;
        fileio::listVersionFiles(paths[i], versions);
        for (const std::string &name : versions)
            paths.push_back(fileio::folderOf(paths[i]) + name);
    }
    return paths;
}

PageFilesEdit::PageFilesEdit(std::string topicId, std::vector<File> files)
    : topicId_(std::move(topicId))
{
    // Any file checked byte for byte before a replay may serve as a base, also one the saves
    // left as it was (an old version next to the one they deleted); the page list is checked
    // without its shown page, so it keeps its own bytes.
    std::vector<const std::string *> before;
    std::vector<const std::string *> after;
    for (const File &file : files) {
        const bool base = !isPageList(file.path);
        before.push_back(base && file.before ? &*file.before : nullptr);
        after.push_back(base && file.after ? &*file.after : nullptr);
    }
    std::vector<Kept> kept;
    kept.reserve(files.size());
    for (const File &file : files) {
        const bool pageList = isPageList(file.path);
        if (file.before == file.after)
            kept.push_back(Kept{file.path, makeImage(file.before, {}), {}, false, true});
        else
            kept.push_back(Kept{file.path, makeImage(file.before, pageList ? NoBases{} : after),
                                makeImage(file.after, pageList ? NoBases{} : before), pageList,
                                false});
        // Unchanged files only need their size and hash; the bytes go unless a base needs them.
        if (kept.back().reference)
            std::string().swap(kept.back().before.middle);
    }
    // Unchanged files that no image is built on are left out, and the bases renumbered.
    std::vector<int> renumbered(kept.size(), -1);
    for (const Kept &file : kept)
        for (const FileImage *image : {&file.before, &file.after})
            if (!file.reference && image->base >= 0)
                renumbered[static_cast<std::size_t>(image->base)] = 0;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (kept[i].reference && renumbered[i] < 0)
            continue;
        renumbered[i] = static_cast<int>(files_.size());
        files_.push_back(std::move(kept[i]));
    }
    for (Kept &file : files_)
        for (FileImage *image : {&file.before, &file.after})
            if (image->base >= 0)
                image->base = renumbered[static_cast<std::size_t>(image->base)];
    files_.shrink_to_fit();
}

std::size_t PageFilesEdit::fileCount() const
{
    return static_cast<std::size_t>(std::count_if(
        files_.begin(), files_.end(), [](const Kept &file) { return !file.reference; }));
}

bool PageFilesEdit::stillAsLeft(const Kept &file, const FileImage &left,
                                const std::optional<std::string> &now) const
{
    if (!now || !left.present)
        return !now && !left.present;
    if (file.pageList)
        return withoutShownPage(*now) == withoutShownPage(left.middle);
    return now->size() == left.size && bytesHash(*now) == left.hash;
}

bool PageFilesEdit::set(HistoryContext &context, bool after)
{
    TNimbusNode *node = context.store.Find(topicId_);
    if (!node) {
        context.log.AddToLog("*** Undo history: " + topicWords(topicId_, nullptr) +
                             " is no longer there");
        return false;
    }
    // Every file as the step left it first; they are also the bases the other side is built
    // from.
    std::vector<std::optional<std::string>> now;
    now.reserve(files_.size());
    for (const Kept &file : files_) {
        now.push_back(readBytes(file.path));
        const FileImage &left = after || file.reference ? file.before : file.after;
        if (!stillAsLeft(file, left, now.back())) {
            context.log.AddToLog("*** Undo history: the page file " +
                                 fileio::fileNameOf(file.path) + " of " +
                                 topicWords(topicId_, node) + " was changed by someone else since");
            return false;
        }
    }
    std::vector<std::optional<std::string>> target;
    target.reserve(files_.size());
    for (const Kept &file : files_) {
        if (file.reference) {
            target.push_back(std::nullopt);
            continue;
        }
        const FileImage &image = after ? file.after : file.before;
        target.push_back(history::bytesOf(image, now));
        if (image.present && !target.back()) {
            context.log.AddToLog("*** Undo history: the page file " +
                                 fileio::fileNameOf(file.path) + " of " +
                                 topicWords(topicId_, node) + " cannot be made again");
            return false;
        }
    }
    std::size_t written = 0;
    std::string error;
    for (; written < files_.size(); ++written)
        if (!files_[written].reference && !put(files_[written].path, target[written], error))
            break;
    if (written < files_.size()) {
        context.log.AddToLog("*** Undo history: " + files_[written].path +
                             " could not be written: " + error);
        // What was written goes back, so that the topic's files stay one state or the other.
        while (written-- > 0)
            if (!files_[written].reference)
                put(files_[written].path, now[written], error);
        return false;
    }
    // The pages are read again from the files when the topic is next shown.
    node->content.reset();
    node->contentLoaded = false;
    return true;
}

std::size_t PageFilesEdit::memoryBytes() const
{
    std::size_t bytes = topicId_.capacity() + files_.capacity() * sizeof(Kept);
    for (const Kept &file : files_)
        bytes += file.path.capacity() + file.before.memoryBytes() + file.after.memoryBytes();
    return bytes;
}

PageFilesRecorder::PageFilesRecorder(std::string topicId, const ContentFolders &folders,
                                     StoreLog &log)
    : topicId_(std::move(topicId)), folders_(folders), log_(log)
{
    for (std::string &path : files())
        if (std::optional<std::string> bytes = readBytes(path))
            before_.emplace_back(std::move(path), std::move(*bytes));
}

std::unique_ptr<PageFilesEdit> PageFilesRecorder::finish() const
{
    std::vector<std::string> paths = files();
    for (const auto &[path, bytes] : before_)
        if (std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(path);
    std::vector<PageFilesEdit::File> files;
    bool changed = false;
    for (const std::string &path : paths) {
        PageFilesEdit::File file{path, std::nullopt, readBytes(path)};
        for (const auto &[keptPath, bytes] : before_)
            if (keptPath == path)
                file.before = bytes;
        changed = changed || file.before != file.after;
        // Files the saves left alone come too: the step may build on them (see FileImage).
        files.push_back(std::move(file));
    }
    if (!changed)
        return nullptr;
    return std::make_unique<PageFilesEdit>(topicId_, std::move(files));
}

} // namespace nimbus::history
