// "nimbus-cli remove": remove a topic with everything below it.
#pragma once

#include "cli/commands/CliCommand.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

class RemoveCommand : public CliCommand {
public:
    std::string name() const override { return "remove"; }
    std::string summary() const override
    {
        return text::translate("RemoveCommand", "remove a topic with everything below it");
    }
    std::string help() const override;
    Outcome run(const std::vector<std::string> &words, CliContext &context) override;
};

} // namespace nimbus::cli
