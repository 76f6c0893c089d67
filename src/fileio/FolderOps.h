// Small file and folder operations shared by every module (POSIX implementation).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nimbus::fileio {

// Names (without folder) of the files matching a pattern ("folder/*.txt"); a path ending in
// "/" means every file of that folder. Wildcards * and ? apply to the last component only.
void listFiles(const std::string &patternOrFolder, std::vector<std::string> &list);
// Names of the sub-folders, skipping names that begin with ".".
void listFolders(const std::string &folder, std::vector<std::string> &list);
// Deletes everything below folder; the folder itself stays. Links are removed themselves,
// never followed, and a folder that is a link (or not a folder) is left alone: false then, or
// when something could not be removed. A missing folder counts as empty.
bool emptyFolderTree(const std::string &folder);
// The system's message text for the calling thread's last error (errno).
std::string lastErrorText();

bool fileExists(const std::string &path); // a regular file (or link to one)
bool folderExists(const std::string &path);
// Anything at all at path, a dangling symbolic link included.
bool entryExists(const std::string &path);
// The last byte of a regular file; -1 when it is empty or cannot be read.
int lastByteOf(const std::string &path);
// Creates one folder level with the given mode; true when it exists afterwards.
bool createFolder(const std::string &path, unsigned mode = 0700);
// Copies source over target atomically (target keeps no torn state). errorText on failure.
bool copyFile(const std::string &source, const std::string &target,
              std::string *errorText = nullptr);
bool deleteFile(const std::string &path);
bool renameFile(const std::string &from, const std::string &to);
// Reads a whole file; false when it cannot be opened or read completely.
bool readWholeFile(const std::string &path, std::string &bytes);
// The same for name inside the open folder folderFd; noLink refuses a link in name's place.
bool readWholeFileAt(int folderFd, const std::string &name, std::string &bytes,
                     bool noLink = true);
std::int64_t fileSize(const std::string &path);         // -1 when missing
std::int64_t fileModifiedTime(const std::string &path); // seconds since the epoch, -1 when missing

// Path pieces: "dir/a.b.txt" -> folder "dir/", name "a.b.txt", base "a.b", ext ".txt".
std::string folderOf(const std::string &path);
std::string fileNameOf(const std::string &path);
std::string baseNameOf(const std::string &path);
std::string extensionOf(const std::string &path);

// True when name can safely be used as one path component: not empty, no '/', '\\' or NUL,
// not "." or "..". Names from outside the program must pass this before becoming paths.
bool isSafeFileName(const std::string &name);

} // namespace nimbus::fileio
