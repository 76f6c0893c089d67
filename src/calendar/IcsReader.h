// Reads an iCalendar file into topics. The file comes from outside the program: it is size-
// checked before it is read, NUL bytes, deep nesting and floods of components refuse the whole
// file, and a component that cannot be a topic is skipped and listed with the reason. Entries
// are read a batch at a time, so that libical never holds a large file's tree whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/CalendarTopic.h"

namespace nimbus::calendar {

// One entry or a server's answer (readCalendar), and a file the user chose (readCalendarFile):
// an export of every topic of a large store must come back in.
constexpr std::int64_t kMaxCalendarBytes = 16 * 1024 * 1024;
constexpr std::int64_t kMaxCalendarFileBytes = 128 * 1024 * 1024;
constexpr int kMaxNesting = 8;             // VCALENDAR > VEVENT > VALARM is 3
constexpr int kMaxComponents = 200'000;
constexpr int kMaxFileComponents = 500'000;

struct SkippedComponent {
    std::string what;  // "VEVENT "Title"", as a user would recognise it
    std::string why;
};

struct ReadResult {
    bool ok = false;
    std::string error;  // why the whole file was refused
    std::vector<CalendarTopic> topics;    // in file order; checklist items inside their topic
    std::vector<SkippedComponent> skipped;
    std::vector<std::string> warnings;    // readable, for the log
};

ReadResult readCalendar(std::string_view bytes);
ReadResult readCalendarFile(const std::string &path);

}  // namespace nimbus::calendar
