// A lock held on a folder itself (an flock on its descriptor), for as long as the descriptor
// stays open. It counts only while the folder is still the one of that name: another process
// may have removed it between the open and the lock, and a new folder taken the name.
#pragma once

#include <string>

#include "fileio/FolderHandle.h"

namespace nimbus::fileio {

// The open folder name, a plain name inside the open folder parentFd, holding its lock; empty
// when the folder is gone, was replaced, is a link or not a folder, or (wait false) another
// process holds it.
FolderHandle holdFolderAt(int parentFd, const std::string &name, bool wait);

} // namespace nimbus::fileio
