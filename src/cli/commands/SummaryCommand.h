// "nimbus-cli summary": the nine counts of the summary page; --format json gives one object
// for status bars (text, tooltip, class).
#pragma once

#include "cli/commands/CliCommand.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

class SummaryCommand : public CliCommand {
public:
    std::string name() const override { return "summary"; }
    std::string summary() const override
    {
        return text::translate("SummaryCommand", "the nine counts of the summary page");
    }
    std::string help() const override;
    Outcome run(const std::vector<std::string> &words, CliContext &context) override;
};

} // namespace nimbus::cli
