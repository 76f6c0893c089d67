// A change of a topic's content files made by saving its details page: each file the saves
// wrote, made or removed (the page's text, its description, the page list, with the old
// versions a save keeps of them) with its bytes before and after, by topic id. Undoing writes
// the bytes before back (atomically), redoing the bytes after, and only while every one of
// those files is still as the step left it: a page a colleague's packet brought since is
// theirs. The topic's pages in memory are dropped, to be read again from the files.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "history/FileImage.h"
#include "history/StoreCommand.h"

namespace nimbus::history {

class PageFilesEdit : public StoreCommand {
public:
    // A file as the recorder saw it on both sides; one the same on both is not written, but
    // the step may build others on it.
    struct File {
        std::string path;
        std::optional<std::string> before; // nothing: the file was not there
        std::optional<std::string> after;
    };

    // Keeps each side as an image (see FileImage): mostly a few bytes beside the step's
    // other files.
    PageFilesEdit(std::string topicId, std::vector<File> files);

    bool apply(HistoryContext &context) override { return set(context, true); }
    bool revert(HistoryContext &context) override { return set(context, false); }
    std::size_t memoryBytes() const override;

    const std::string &topicId() const { return topicId_; }
    // The files the step changes.
    std::size_t fileCount() const;

private:
    struct Kept {
        std::string path;
        FileImage before;
        FileImage after;
        bool pageList = false;  // checked without the page shown last, which visits rewrite
        bool reference = false; // left as it was: only a base, checked and never written
    };
    using NoBases = std::vector<const std::string *>;
    // Refuses, writing nothing, when the topic is gone or a file is no longer as the step
    // left it.
    bool set(HistoryContext &context, bool after);
    bool stillAsLeft(const Kept &file, const FileImage &left,
                     const std::optional<std::string> &now) const;
    std::string topicId_;
    std::vector<Kept> files_;
};

// Records a PageFilesEdit around the saves of a topic's page: the topic's content files are
// read when it starts; finish() compares them with the files as they are then.
class PageFilesRecorder {
public:
    PageFilesRecorder(std::string topicId, const ContentFolders &folders, StoreLog &log);
    // Null when no file changed.
    std::unique_ptr<PageFilesEdit> finish() const;
    const std::string &topicId() const { return topicId_; }

private:
    // The topic's content files, with the old versions kept of each.
    std::vector<std::string> files() const;
    std::string topicId_;
    ContentFolders folders_;
    StoreLog &log_;
    std::vector<std::pair<std::string, std::string>> before_;
};

} // namespace nimbus::history
