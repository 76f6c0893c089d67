// A lock held on a folder itself (an flock on its descriptor), for as long as the descriptor
// stays open. It counts only while the folder is still the one of that name: another process
// may have removed it between the open and the lock, and a new folder taken the name.
#pragma once

#include <string>

namespace nimbus::fileio {

// The open descriptor that holds the folder's lock, or -1 when the folder is gone, was
// replaced, or (wait false) another process holds it. The caller closes the descriptor.
int holdFolder(const std::string &folder, bool wait);

} // namespace nimbus::fileio
