// File work for packets: quick writes and copies for the outbox and inboxes, bounded reads of
// other people's files, reading their lines by the store's line rules, and setting a refused
// file aside.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sharing/SharedAccess.h"

namespace nimbus::sharing {

inline constexpr const char *kRejectedFolder = "rejected/";

// Writes bytes as path through a hidden temporary file in the same folder and a rename, so a
// reader in another program never sees half a file. No fsync: packets are transient (the
// outbox is rebuilt for every send, an inbox file is consumed by the next tick), and syncing
// thousands of small files would make a large send take minutes. The temporary name cannot be
// guessed and is made with O_EXCL | O_NOFOLLOW, so a link a colleague planted is never written
// through. The file takes access's file mode (the umask's when access is not known).
bool writeQuick(const std::string &path, std::string_view bytes, std::string *error = nullptr,
                const SharedAccess &access = {});
// Copies source to target the same way.
bool copyQuick(const std::string &source, const std::string &target, std::string *error = nullptr,
               const SharedAccess &access = {});

// Reads a file that came from someone else: it must be a regular file (not a link, device or
// folder) of at most maxBytes bytes. On failure, problem says why.
bool readBounded(const std::string &path, std::int64_t maxBytes, std::string &bytes,
                 std::string &problem);
// True for a regular file that is not a symbolic link.
bool isPlainFile(const std::string &path);

// Every line of bytes by the line-file rules (CR, LF, CR LF or LF CR end a line; NULs dropped),
// until line returns false.
void forEachLine(const std::string &bytes, const std::function<bool(const std::string &)> &line);
// The name/value pairs of plain bytes, split and trimmed as a plain file's pairs are.
void parsePairs(const std::string &bytes, std::vector<std::string> &names,
                std::vector<std::string> &values);

// Moves folder + name into folder + "rejected/" (replacing a file of that name there), or,
// when that is impossible, renames it to name + ".rejected". A "rejected" that is a link is
// not used; refusal then says why. False when neither worked.
bool setAside(const std::string &folder, const std::string &name, const SharedAccess &access = {},
              std::string *refusal = nullptr);

} // namespace nimbus::sharing
