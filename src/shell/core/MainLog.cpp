// Writing the main log.
#include "shell/core/MainLog.h"
#include "store/ValueText.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "fileio/OMFILE.h"
#include "store/DateFormat.h"

namespace nimbus {

MainLog::MainLog(std::string logFile, const Clock &clock) : file_(std::move(logFile)), clock_(clock)
{
}

std::string MainLog::formatLine(const std::string &message) const
{
    return dates::displayDateTime(clock_.now(), dateOrder_) + "  " + message;
}

bool MainLog::writeLine(const std::string &whole)
{
    // A damaged file can put megabytes into a message; the log keeps a bounded excerpt.
    constexpr std::size_t kLongestLine = 4096;
    std::string line = whole.size() > kLongestLine ? values::excerpt(whole, kLongestLine) : whole;
    // One message, one line: a line break inside (from a server's address, a file's name) is
    // written as \r or \n, so that no one can add lines of their own to the log.
    for (std::size_t at = line.find_first_of("\r\n"); at != std::string::npos; at = line.find_first_of("\r\n", at + 2))
        line.replace(at, 1, line[at] == '\r' ? "\\r" : "\\n");
    if (view_)
        view_(line);
    if (fileio::appendLine(file_, line))
        return true;
    // A data folder that cannot be written must not silence the log: the line goes to the
    // standard error stream instead, where a terminal or the desktop's journal keeps it.
    std::fprintf(stderr, "%s\n", line.c_str());
    return false;
}

bool MainLog::AddToLog(const std::string &message)
{
    return writeLine(formatLine(message));
}

bool MainLog::AddErrorToLog(const std::string &message)
{
    // Take the system's error text before writing the log changes errno.
    const int lastError = errno;
    std::string detail = errorDetail_;
    if (detail.empty())
        detail = lastError ? std::strerror(lastError) : "No error information";
    errorDetail_.clear();
    const bool first = writeLine(formatLine(message));
    const bool second = writeLine(std::string(20, ' ') + detail);
    return first && second;
}

} // namespace nimbus
