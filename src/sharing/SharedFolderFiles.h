// Making folders and files in the shared folder, where every colleague can write. Nothing a
// colleague planted may lead a write elsewhere: names of temporary files cannot be guessed and
// are created exclusively without following links, appends refuse links, and a folder that is
// a link is not used.
#pragma once

#include <string>
#include <string_view>

#include "sharing/SharedAccess.h"

namespace nimbus::sharing {

// A real folder (not a link to one).
bool isRealFolder(const std::string &path);

// Makes path (one level) with the shared access bits, or checks that the folder there is a
// real folder; one this user owns gains the group and other bits the shared folder gives
// (inboxes made by older copies under a narrow umask), keeping every bit it has. False with the reason in problem for a link or anything else.
bool makeSharedFolder(const std::string &path, const SharedAccess &access, std::string &problem);

// "<folder>.<name>.<12 random characters>": hidden, and not to be guessed by a colleague.
std::string unpredictableTempName(const std::string &path);

// Opens a new file for writing with O_CREAT | O_EXCL | O_NOFOLLOW, taking access's file mode
// (or the umask's when it is not known). -1 with errno set when it cannot be made.
int createExclusive(const std::string &path, const SharedAccess &access);

// Appends text and CR LF to a regular file, created with the shared file mode when missing;
// a link or anything but a regular file is refused (problem says so).
bool appendSharedLine(const std::string &path, std::string_view text, const SharedAccess &access,
                      std::string &problem);

} // namespace nimbus::sharing
