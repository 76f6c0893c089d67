// "nimbus-cli export --ics": topics as an iCalendar file, as the window's calendar export
// writes them.
#pragma once

#include "cli/commands/CliCommand.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

class ExportCommand : public CliCommand {
public:
    std::string name() const override { return "export"; }
    std::string summary() const override
    {
        return text::translate("ExportCommand", "write the topics as an iCalendar (.ics) file");
    }
    std::string help() const override;
    Outcome run(const std::vector<std::string> &words, CliContext &context) override;
};

} // namespace nimbus::cli
