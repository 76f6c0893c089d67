// Turns the shared folder as the user typed it into the folder the program works in. The only
// platform concern of the connection: on POSIX the folder is used as typed (no drive letters,
// no registry) and whether it exists is checked by the connect step.
#pragma once

#include <string>

namespace nimbus {

class SharedFolderResolver {
public:
    virtual ~SharedFolderResolver() = default;
    // folder ends with "/"; false when it cannot be resolved or reconnected.
    virtual bool resolveSharedFolder(const std::string &folder, std::string &resolved) = 0;
};

class PosixFolderResolver : public SharedFolderResolver {
public:
    bool resolveSharedFolder(const std::string &folder, std::string &resolved) override;
    static PosixFolderResolver &instance();
};

} // namespace nimbus
