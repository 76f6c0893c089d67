// A change of a topic's content files made by saving its details page: each file the saves
// wrote, made or removed (the page's text, its description, the page list) with its bytes
// before and after, by topic id (with the old versions a save keeps of them). Undoing writes the
// bytes before back (atomically), redoing the bytes after; the topic's pages in memory are dropped,
// to be read again from the files.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "history/StoreCommand.h"

namespace nimbus::history {

class PageFilesEdit : public StoreCommand {
public:
    struct File {
        std::string path;
        std::optional<std::string> before; // nothing: the file was not there
        std::optional<std::string> after;
    };

    PageFilesEdit(std::string topicId, std::vector<File> files)
        : topicId_(std::move(topicId)), files_(std::move(files))
    {
    }

    bool apply(HistoryContext &context) override { return set(context, true); }
    bool revert(HistoryContext &context) override { return set(context, false); }
    std::size_t memoryBytes() const override;

    const std::string &topicId() const { return topicId_; }
    const std::vector<File> &files() const { return files_; }

private:
    bool set(HistoryContext &context, bool after);
    std::string topicId_;
    std::vector<File> files_;
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
