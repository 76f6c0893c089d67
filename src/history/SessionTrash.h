// Where the content files of removed topics wait while their removal can still be undone:
// "RemovedTopics" in the data folder holds one sub-folder per running session, locked
// (flock) for as long as the session lives, so that another copy of the program on the same
// data folder never empties a folder whose files an undo history still needs. Each
// sub-folder lists what it keeps in "Kept.txt" (kept name, topic id, original path; a line
// with no kept name: the file went back to that path for an undo). A
// session that ended without closing (a crash, a kill) leaves its folder unlocked: the next
// session to start takes it over, puts back the files of topics the saved store still holds
// (their removal was never saved) and drops the rest, and removes the files it had put back
// for topics the saved store does not hold (the undo was never saved). Files are moved, never
// copied, so removing and restoring a large subtree costs one rename per file. Every folder here is
// opened by its plain name inside the one above it and never through a symbolic link, so what
// is emptied lies inside the data folder: a "RemovedTopics" that is a link is not used at all
// (logged; removed topics' pages then stay where they were), and a link found inside is
// removed itself, never followed.
#pragma once

#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "fileio/FolderHandle.h"
#include "store/StoreLog.h"

namespace nimbus::history {

class SessionTrash {
public:
    // Whether the store still holds the topic: a left-over file of such a topic goes back.
    using StillStored = std::function<bool(const std::string &topicId)>;

    // root is the shared folder (ending with "/") in the data folder; it is made when missing,
    // this session's own sub-folder is made in it, and what ended sessions left there is
    // taken over.
    SessionTrash(std::string root, StoreLog &log, StillStored stillStored = {});
    ~SessionTrash(); // removes this session's folder, and the shared one once it is empty
    SessionTrash(const SessionTrash &) = delete;
    SessionTrash &operator=(const SessionTrash &) = delete;

    // Name of the data folder's sub-folder the program uses.
    static constexpr const char *kFolderName = "RemovedTopics";
    // The list of kept files in each session's folder.
    static constexpr const char *kListName = "Kept.txt";

    // Moves the file in; its name in the trash, or empty when it could not be moved (logged;
    // the file then stays where it was). topicId is the topic the file belongs to.
    std::string keep(const std::string &path, const std::string &topicId = {});
    // Moves a kept file back to path. A file that is there again (a colleague's packet brought
    // one of the same name) is left in place and the kept one stays until the program closes.
    bool giveBack(const std::string &kept, const std::string &path);
    // Whether a kept file is still there to give back (something outside this session, an
    // older copy of the program or the user, may have emptied the folder).
    bool holds(const std::string &kept) const;
    // Deletes a kept file for good, as the session's end would (the removal that kept it can
    // no longer be undone); a link of that name is removed itself, never followed.
    void discard(const std::string &kept);

    // This session's own folder, ending with "/".
    const std::string &folder() const { return folder_; }

private:
    bool openRoot();
    bool claimOwnFolder();
    void noteKept(const std::string &kept, const std::string &topicId, const std::string &path);

    std::string root_;
    std::string folder_;
    std::string ownName_; // folder_'s name in root_
    StoreLog &log_;
    fileio::FolderHandle rootHeld_;
    fileio::FolderHandle ownHeld_; // holds this session's lock
    std::FILE *list_ = nullptr;    // kListName, open for appending from the first kept file
    unsigned long next_ = 0;
    bool usable_ = false;
    std::map<std::string, std::string> topicOf_; // kept name -> topic id, while kept
};

} // namespace nimbus::history
