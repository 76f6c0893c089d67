// Access bits from the shared folder's mode.
#include "sharing/SharedAccess.h"

#include <sys/stat.h>

namespace nimbus::sharing {

SharedAccess SharedAccess::fromMode(unsigned folderMode)
{
    SharedAccess access;
    access.folderMode = folderMode & (07777 & ~static_cast<unsigned>(S_ISUID | S_ISVTX));
    // A file is read and written as the folder allows; nobody runs a packet.
    access.fileMode = folderMode & 0666;
    access.known = true;
    return access;
}

SharedAccess SharedAccess::of(const std::string &sharedFolder)
{
    struct stat st {};
    if (sharedFolder.empty() || ::stat(sharedFolder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    return fromMode(st.st_mode);
}

} // namespace nimbus::sharing
