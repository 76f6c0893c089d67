// Starting other programs and opening documents (POSIX implementation). The operating-system
// version text lives with the program paths (OsVersionText in shell/core).
#pragma once

#include <cstdint>
#include <string>

namespace nimbus::ipc {

// Starts commandLine with /bin/sh -c in the caller's environment and folder, inheriting no
// open descriptors. creationFlags with kIdlePriorityClass runs it at nice 19. showCode is the
// wished window state; this layer records it and leaves it to the window system. With wait
// the result is false when the process has not ended after timeoutMs (it keeps running; 0
// only looks once). False for an empty command line or when no process could be made. No
// child is left as a zombie: ones not waited for are reaped in the background.
bool RunProcess(const std::string &commandLine, bool wait, std::uint32_t timeoutMs,
                std::uint32_t creationFlags, std::uint16_t showCode);

// Opens a file, folder or address ("scheme://...", "mailto:...") with the desktop's default
// handler (xdg-open). False when the target is empty, names a path that does not exist, or no
// handler could be started.
bool OpenDocument(const std::string &target);

} // namespace nimbus::ipc
