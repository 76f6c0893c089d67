// "nimbus-cli done": mark a task or event done.
#pragma once

#include "cli/commands/CliCommand.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

class DoneCommand : public CliCommand {
public:
    std::string name() const override { return "done"; }
    std::string summary() const override
    {
        return text::translate("DoneCommand", "mark a task or event done");
    }
    std::string help() const override;
    Outcome run(const std::vector<std::string> &words, CliContext &context) override;
};

} // namespace nimbus::cli
