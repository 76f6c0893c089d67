// One command of nimbus-cli ("summary", "list", "add" ...): its help and its work. Each
// command is a small class of its own; CommandTable lists them.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tree/CliStatus.h"

namespace nimbus {
class Clock;
}

namespace nimbus::cli {

class TopicSnapshot;

// What every command works with; main fills it from the environment, tests from theirs.
struct CliContext {
    std::string dataFolder;    // ending with "/"
    std::string channelFolder; // where the program's channels are
    const Clock &clock;
    std::ostream &out;
    // A read command leaves its topics here: the executable ends the process without taking a
    // hundred thousand nodes apart one by one (tests let the context free them).
    std::shared_ptr<TopicSnapshot> readTopics;
};

class CliCommand {
public:
    virtual ~CliCommand() = default;
    virtual std::string name() const = 0;
    // One line for the overview.
    virtual std::string summary() const = 0;
    // The whole help text of the command.
    virtual std::string help() const = 0;
    virtual Outcome run(const std::vector<std::string> &words, CliContext &context) = 0;
};

} // namespace nimbus::cli
