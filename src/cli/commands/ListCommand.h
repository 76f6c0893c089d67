// "nimbus-cli list [LIST]": one line per topic of a summary group, of today's or this week's
// due topics, or of all topics.
#pragma once

#include "cli/commands/CliCommand.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

class ListCommand : public CliCommand {
public:
    std::string name() const override { return "list"; }
    std::string summary() const override
    {
        return text::translate("ListCommand", "list the topics of a group, one line each");
    }
    std::string help() const override;
    Outcome run(const std::vector<std::string> &words, CliContext &context) override;
};

} // namespace nimbus::cli
