// "nimbus-cli search QUERY": full-text search with the window's query language.
#pragma once

#include "cli/OutputFormat.h"
#include "cli/commands/CliCommand.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

// The query saved under name in the data folder's saved searches; kNothingFound (with the
// file's damaged lines, if any, in the message) when no search has that name.
Outcome savedQuery(const std::string &dataFolder, const std::string &name, std::string &query);

// Answers a query as the search command does and prints at most limit topics; withMatch adds
// where each matched. kNothingFound when nothing matches.
Outcome answerQuery(const std::string &queryText, std::size_t limit, Format format, bool withMatch,
                    CliContext &context);

class SearchCommand : public CliCommand {
public:
    std::string name() const override { return "search"; }
    std::string summary() const override
    {
        return text::translate("SearchCommand",
                               "find topics by the words of their titles, pages and checklists");
    }
    std::string help() const override;
    Outcome run(const std::vector<std::string> &words, CliContext &context) override;
};

} // namespace nimbus::cli
