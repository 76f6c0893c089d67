// The record of one "run" command: the fields it named and the command line built from them.
// Made for the command and discarded after it.
#pragma once

#include <cstdint>
#include <string>

namespace nimbus::ipc {

// Show codes for a started program's first window, by their Windows values.
inline constexpr std::uint16_t kShowHide = 0;
inline constexpr std::uint16_t kShowNormal = 1;
inline constexpr std::uint16_t kShowMinimized = 2;
// The idle priority class; on POSIX the started process runs at nice 19.
inline constexpr std::uint32_t kIdlePriorityClass = 0x40;

struct ProcessObj {
    std::string program;          // field 1
    std::string parameter;        // field 2, passed as one argument
    std::string window;           // field 3: "minimized", "hidden" or anything else (normal)
    std::string extra1;           // field 5, stored only
    std::string extra2;           // field 6, stored only
    std::string extra3;           // field 7, stored only
    std::string control;          // field 4: "controlled" starts nothing
    std::int32_t extraNumber = 0; // field 7 as a whole number, 0 when it is not one
    std::int32_t reserved = 0;
    std::int32_t showCode = kShowNormal;
    std::string commandLine; // "program" "parameter", for /bin/sh -c
};

} // namespace nimbus::ipc
