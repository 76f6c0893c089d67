// "nimbus-cli add": add a topic.
#pragma once

#include "cli/commands/CliCommand.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

class AddCommand : public CliCommand {
public:
    std::string name() const override { return "add"; }
    std::string summary() const override { return text::translate("AddCommand", "add a topic"); }
    std::string help() const override;
    Outcome run(const std::vector<std::string> &words, CliContext &context) override;
};

} // namespace nimbus::cli
