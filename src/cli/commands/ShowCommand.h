// "nimbus-cli show ID": a topic's fields, schedule, details pages as plain text and checklists.
#pragma once

#include "cli/commands/CliCommand.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

class ShowCommand : public CliCommand {
public:
    std::string name() const override { return "show"; }
    std::string summary() const override
    {
        return text::translate("ShowCommand", "a topic's fields, schedule, details and checklist");
    }
    std::string help() const override;
    Outcome run(const std::vector<std::string> &words, CliContext &context) override;
};

} // namespace nimbus::cli
