// The POSIX shared-folder resolution: the folder as typed.
#include "sharing/SharedFolderResolver.h"

namespace nimbus {

bool PosixFolderResolver::resolveSharedFolder(const std::string &folder, std::string &resolved)
{
    // Only an empty folder cannot be resolved; a missing one is "not found" at the next step.
    if (folder.empty() || folder == "/")
        return false;
    resolved = folder;
    return true;
}

PosixFolderResolver &PosixFolderResolver::instance()
{
    static PosixFolderResolver resolver;
    return resolver;
}

} // namespace nimbus
