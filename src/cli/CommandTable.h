// Every command of nimbus-cli, the overview help, and the run of one command line with its
// exit status (messages to standard error start with "nimbus-cli: ").
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/commands/CliCommand.h"

namespace nimbus::cli {

class CommandTable {
public:
    CommandTable();
    ~CommandTable();
    const std::vector<std::unique_ptr<CliCommand>> &commands() const { return commands_; }
    CliCommand *find(const std::string &name) const;
    std::string overview() const;
    // The words after the program's name; returns the exit status.
    int run(const std::vector<std::string> &words, CliContext &context, std::ostream &err) const;

private:
    std::vector<std::unique_ptr<CliCommand>> commands_;
};

} // namespace nimbus::cli
