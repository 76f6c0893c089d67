// "nimbus-cli search QUERY": full-text search with the window's query language.
#pragma once

#include "cli/commands/CliCommand.h"

namespace nimbus::cli {

class SearchCommand : public CliCommand {
public:
    std::string name() const override { return "search"; }
    std::string summary() const override
    {
        return "find topics by the words of their titles, pages and checklists";
    }
    std::string help() const override;
    Outcome run(const std::vector<std::string> &words, CliContext &context) override;
};

} // namespace nimbus::cli
