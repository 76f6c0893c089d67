// The exit statuses nimbus-cli promises to scripts, and the outcome of one command.
#pragma once

#include <string>
#include <vector>

#include "fileio/UiText.h"

namespace nimbus::cli {

enum ExitStatus : int {
    kSuccess = 0,
    kNothingFound = 1, // an empty list, an unknown id
    kUsage = 2,        // a word, option or value the command does not take
    kStoreProblem = 3, // the data folder or the store cannot be read or written (with the reason)
};

// A command's result: its exit status and, when it failed, the message for standard error.
struct Outcome {
    int status = kSuccess;
    std::string message;
    static Outcome ok() { return {}; }
    static Outcome fail(int status, std::string message) { return {status, std::move(message)}; }
    // A message made from its form, marked NIMBUS_TEXT_NOOP("CliMessages", ...) where it is
    // written, with "%1", "%2" ... replaced by the values. It stays English: the running program
    // sends it on a channel and may keep it; nimbus-cli translates it where it shows it.
    static Outcome fail(int status, const char *form, const std::vector<std::string> &values)
    {
        return {status, text::withValues(form, values)};
    }
    explicit operator bool() const { return status == kSuccess; }
};

} // namespace nimbus::cli
