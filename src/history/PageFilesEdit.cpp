// A topic's content files set back or forward.
#include "history/PageFilesEdit.h"

#include <algorithm>

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "fileio/Versions.h"
#include "history/TopicFiles.h"
#include "store/TNimbusStructure.h"

namespace nimbus::history {

namespace {

std::optional<std::string> bytesOf(const std::string &path)
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

// The page's text (and its old versions) is the user's own: one that is no longer as the step left
// it (a colleague's packet brought another) is not overwritten. The page list and the descriptions
// also carry the page shown last and stamps, which later visits rewrite; they are put back as
// recorded.
bool isPageText(const std::string &path, const ContentFolders &folders)
{
    return path.rfind(folders.text, 0) == 0 && !folders.text.empty();
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

bool PageFilesEdit::set(HistoryContext &context, bool after)
{
    TNimbusNode *node = context.store.Find(topicId_);
    if (!node) {
        context.log.AddToLog("*** Undo history: topic " + topicId_ + " is no longer there");
        return false;
    }
    for (const File &file : files_) {
        if (!isPageText(file.path, context.folders))
            continue;
        if (bytesOf(file.path) != (after ? file.before : file.after)) {
            context.log.AddToLog("*** Undo history: the page " + fileio::fileNameOf(file.path) +
                                 " of topic " + topicId_ + " was changed by someone else since");
            return false;
        }
    }
    std::size_t written = 0;
    std::string error;
    for (; written < files_.size(); ++written) {
        const File &file = files_[written];
        if (!put(file.path, after ? file.after : file.before, error))
            break;
    }
    if (written < files_.size()) {
        context.log.AddToLog("*** Undo history: " + files_[written].path +
                             " could not be written: " + error);
        // What was written goes back, so that the topic's files stay one state or the other.
        while (written-- > 0)
            put(files_[written].path, after ? files_[written].before : files_[written].after,
                error);
        return false;
    }
    // The pages are read again from the files when the topic is next shown.
    node->content.reset();
    node->contentLoaded = false;
    return true;
}

std::size_t PageFilesEdit::memoryBytes() const
{
    std::size_t bytes = topicId_.capacity() + files_.capacity() * sizeof(File);
    for (const File &file : files_)
        bytes += file.path.capacity() + (file.before ? file.before->capacity() : 0) +
                 (file.after ? file.after->capacity() : 0);
    return bytes;
}

PageFilesRecorder::PageFilesRecorder(std::string topicId, const ContentFolders &folders,
                                     StoreLog &log)
    : topicId_(std::move(topicId)), folders_(folders), log_(log)
{
    for (std::string &path : files())
        if (std::optional<std::string> bytes = bytesOf(path))
            before_.emplace_back(std::move(path), std::move(*bytes));
}

std::unique_ptr<PageFilesEdit> PageFilesRecorder::finish() const
{
    std::vector<std::string> paths = files();
    for (const auto &[path, bytes] : before_)
        if (std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(path);
    std::vector<PageFilesEdit::File> files;
    for (const std::string &path : paths) {
        PageFilesEdit::File file{path, std::nullopt, bytesOf(path)};
        for (const auto &[keptPath, bytes] : before_)
            if (keptPath == path)
                file.before = bytes;
        if (file.before != file.after)
            files.push_back(std::move(file));
    }
    if (files.empty())
        return nullptr;
    files.shrink_to_fit();
    return std::make_unique<PageFilesEdit>(topicId_, std::move(files));
}

} // namespace nimbus::history
