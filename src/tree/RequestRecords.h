// The changes from nimbus-cli already made, by request id, kept in "CliRequests.dat" in the
// data folder: a script that sends the same change again (it gave up waiting, or was killed
// before it read the answer) gets the first answer and the change is never made twice. Written
// only by the one writer of the store at a time (the running program, or nimbus-cli under the
// single-copy lock), right after the change is saved; the newest 500 are kept.
#pragma once

#include <optional>
#include <string>

#include "tree/ChangeRequest.h"

namespace nimbus::cli {

class RequestRecords {
public:
    static constexpr const char *kFileName = "CliRequests.dat";
    static constexpr std::size_t kKept = 500;

    explicit RequestRecords(std::string dataFolder) : path_(std::move(dataFolder) + kFileName) {}

    // The answer the request got when it was made; nothing for a request not made yet (or an
    // empty id: a change sent without one).
    std::optional<ChangeAnswer> find(const std::string &request) const;
    // Notes a change made; false when the file could not be written (the change stands).
    bool remember(const std::string &request, const ChangeAnswer &answer) const;

private:
    std::string path_;
};

// A request id as the command line takes it: 1 to 64 letters, digits, ".", "_" or "-".
bool isRequestId(const std::string &text);
// A new random request id: 16 lower-case hex digits.
std::string newRequestId();

} // namespace nimbus::cli
