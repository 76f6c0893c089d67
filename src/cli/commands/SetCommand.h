// "nimbus-cli set": change fields of a topic.
#pragma once

#include "cli/commands/CliCommand.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

class SetCommand : public CliCommand {
public:
    std::string name() const override { return "set"; }
    std::string summary() const override
    {
        return text::translate("SetCommand", "change fields of a topic");
    }
    std::string help() const override;
    Outcome run(const std::vector<std::string> &words, CliContext &context) override;
};

} // namespace nimbus::cli
