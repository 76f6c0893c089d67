// The access bits that folders and files made in the shared folder take: those of the shared
// folder itself, whatever this user's umask. Colleagues are different accounts; a folder made
// with umask 022 would keep the inbox's owner from deleting the packets others put in it.
#pragma once

#include <string>

namespace nimbus::sharing {

struct SharedAccess {
    unsigned folderMode = 0;  // permission bits and set-group-id of a new folder
    unsigned fileMode = 0;    // permission bits of a new file
    bool known = false;       // false: the shared folder could not be looked at; the umask rules

    // From the shared folder's own mode: a set-group-id folder passes its group on (the bit is
    // kept); the sticky bit is not, as it would stop the inbox's owner removing packets.
    static SharedAccess of(const std::string &sharedFolder);
    static SharedAccess fromMode(unsigned folderMode);
};

} // namespace nimbus::sharing
