// Splitting a command's words into options and plain words.
#include "cli/Arguments.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

Outcome Arguments::parse(const std::vector<std::string> &words)
{
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string &word = words[i];
        if (optionsEnded || word.size() < 2 || word.compare(0, 2, "--") != 0) {
            plain_.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        if (word == "--help") {
            help_ = true;
            continue;
        }
        const std::size_t eq = word.find('=');
        const std::string name = word.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
        if (valued_.count(name)) {
            if (eq != std::string::npos) {
                values_.emplace(name, word.substr(eq + 1));
            } else if (i + 1 < words.size()) {
                values_.emplace(name, words[++i]);
            } else {
                return Outcome::fail(kUsage, NIMBUS_TEXT_NOOP("CliMessages", "--%1 needs a value"),
                                     {name});
            }
        } else if (flags_.count(name) && eq == std::string::npos) {
            values_.emplace(name, "");
        } else {
            return Outcome::fail(kUsage, NIMBUS_TEXT_NOOP("CliMessages", "unknown option %1"),
                                 {word});
        }
    }
    return Outcome::ok();
}

std::optional<std::string> Arguments::value(const std::string &option) const
{
    const auto it = values_.find(option);
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

std::vector<std::string> Arguments::values(const std::string &option) const
{
    std::vector<std::string> out;
    for (auto [it, end] = values_.equal_range(option); it != end; ++it)
        out.push_back(it->second);
    return out;
}

} // namespace nimbus::cli
