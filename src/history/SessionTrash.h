// Where the content files of removed topics wait while their removal can still be undone:
// a folder of our own in the data folder, emptied when the program starts (left over from a
// session that did not close) and removed when it closes. Files are moved, never copied, so
// removing and restoring a large subtree costs one rename per file.
#pragma once

#include <string>

#include "store/StoreLog.h"

namespace nimbus::history {

class SessionTrash {
public:
    // The folder (ending with "/") is made, or emptied when it is there.
    SessionTrash(std::string folder, StoreLog &log);
    ~SessionTrash(); // empties and removes the folder
    SessionTrash(const SessionTrash &) = delete;
    SessionTrash &operator=(const SessionTrash &) = delete;

    // Name of the data folder's sub-folder the program uses.
    static constexpr const char *kFolderName = "RemovedTopics";

    // Moves the file in; its name in the trash, or empty when it could not be moved (logged;
    // the file then stays where it was).
    std::string keep(const std::string &path);
    // Moves a kept file back to path. A file that is there again (a colleague's packet brought
    // one of the same name) is left in place and the kept one stays until the program closes.
    bool giveBack(const std::string &kept, const std::string &path);

    const std::string &folder() const { return folder_; }

private:
    std::string folder_;
    StoreLog &log_;
    unsigned long next_ = 0;
    bool usable_ = false;
};

} // namespace nimbus::history
