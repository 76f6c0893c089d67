// Numbered old versions of a file, base(N).ext, kept beside it when it is rewritten.
#pragma once

#include <string>
#include <vector>

namespace nimbus::fileio {

// Old-version names in their ten-digit sorting form, oldest first.
void listVersions(const std::string &file, std::vector<std::string> &list);

// Keeps the current file as a new old version: method "R" renames, anything else copies.
// Returns the new version's full path, or empty (errorText says why when the file existed).
std::string makeVersion(const std::string &file, std::vector<std::string> &versions,
                        const std::string &method, std::string &errorText);

// Deletes the oldest versions until at most keep remain in the list.
void pruneVersions(const std::string &file, int keep, std::vector<std::string> &versions,
                   std::vector<std::string> *deleted = nullptr);

// listVersions, pruneVersions(keep = versionsToKeep - 1), makeVersion "C": at no instant
// are there more than versionsToKeep old versions.
void rotateVersions(const std::string &file, int versionsToKeep);

// The old versions of file as named on disk, in sorted order (oldest first).
void listVersionFiles(const std::string &file, std::vector<std::string> &list);
// Every file in file's folder whose name starts with file's base name.
void listBaseNameFiles(const std::string &file, std::vector<std::string> &list);

// Deletes every old version (and date-stamped variant) of file.
void deleteAllVersions(const std::string &file);

// Sorting form of an old-version name ("a(12).txt" -> "a(9990000012).txt") and back.
std::string toSortingForm(const std::string &name);
std::string fromSortingForm(const std::string &name);
// True when name has the shape base(N).ext with a non-negative integer N.
bool isVersionName(const std::string &name);

} // namespace nimbus::fileio
