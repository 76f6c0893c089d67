// Which main-log lines the log view shows in a colour of their own: the add-on merge's lines
// ("Addon - ...") in navy. The window only paints what this decides.
#pragma once

#include <string>

#include "store/TopicCodes.h"

namespace nimbus {

inline constexpr int kLogColourNavy = rgbColour(0, 0, 128);
inline constexpr int kLogColourDefault = -1;

// line is a stamped log line, "date time  message"; the colour of its message, or
// kLogColourDefault.
inline int LogLineColour(const std::string &line)
{
    const std::size_t gap = line.find("  ");
    const std::size_t start = gap == std::string::npos ? 0 : gap + 2;
    return line.compare(start, 8, "Addon - ") == 0 ? kLogColourNavy : kLogColourDefault;
}

} // namespace nimbus
