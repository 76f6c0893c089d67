// The rules of the folder chooser: where it opens, and making a new sub-folder in the folder
// it shows. The dialog only applies them.
#pragma once

#include <string>

namespace nimbus::fileio::folder_choice {

inline constexpr const char *kInvalidFolderMessage =
    "The folder name is invalid and cannot be created.";
inline constexpr const char *kWarningCaption = "Waymark warning";

// The folder the chooser opens at: start when it is an existing folder, else home (the place a
// user's own folders begin on this system). Without a trailing "/" unless it is the root.
std::string StartFolder(const std::string &start, const std::string &home);

// "folder/name", with one separator between the two.
std::string SubFolderPath(const std::string &folder, const std::string &name);

enum class SubFolderOutcome {
    Nothing, // no name given
    Created, // path exists now (it may have existed before)
    Invalid, // the name cannot be a folder here; nothing was made
};

// Creates folder/name. The name is one folder name: empty does nothing; separators, NUL, "."
// and ".." are invalid, and so is a name the system refuses. path receives the full path.
SubFolderOutcome CreateSubFolder(const std::string &folder, const std::string &name,
                                 std::string &path);

} // namespace nimbus::fileio::folder_choice
