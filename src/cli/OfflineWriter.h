// A change made while the program does not run: nimbus-cli holds the single-copy lock, reads
// the store file, applies the change through the same rules as the window and writes the
// store through its own atomic save, with its old versions. Anything refused leaves every
// file as it was.
#pragma once

#include <string>

#include "tree/ChangeRequest.h"
#include "tree/CliStatus.h"

namespace nimbus {
class Clock;
}

namespace nimbus::cli {

class OfflineWriter {
public:
    OfflineWriter(std::string dataFolder, const Clock &clock)
        : dataFolder_(std::move(dataFolder)), clock_(clock)
    {
    }
    // The id of the topic changed or made goes to id.
    Outcome apply(const ChangeRequest &change, std::string &id);

private:
    std::string dataFolder_;
    const Clock &clock_;
};

} // namespace nimbus::cli
