// A command's words: options ("--name value", "--name=value" or a flag "--name") that the
// command declares, and the plain words in order. Anything else is a usage error.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tree/CliStatus.h"

namespace nimbus::cli {

class Arguments {
public:
    // valued: options that take a value; flags: options that do not.
    Arguments(std::set<std::string> valued, std::set<std::string> flags)
        : valued_(std::move(valued)), flags_(std::move(flags))
    {
    }
    Outcome parse(const std::vector<std::string> &words);

    const std::vector<std::string> &plain() const { return plain_; }
    bool has(const std::string &option) const { return values_.count(option) > 0; }
    std::optional<std::string> value(const std::string &option) const;
    // Every value of an option that may be repeated, in order.
    std::vector<std::string> values(const std::string &option) const;
    bool helpAsked() const { return help_; }

private:
    std::set<std::string> valued_;
    std::set<std::string> flags_;
    std::multimap<std::string, std::string> values_;
    std::vector<std::string> plain_;
    bool help_ = false;
};

} // namespace nimbus::cli
