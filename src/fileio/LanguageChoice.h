// Which languages the user asked for, read the way gettext reads the environment, so the window
// follows the same setting as the rest of the desktop.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace nimbus {

class LanguageChoice {
public:
    using Lookup = std::function<const char *(const char *name)>;

    // Reads LANGUAGE, LC_ALL, LC_MESSAGES and LANG through lookup (getenv in the program).
    explicit LanguageChoice(const Lookup &lookup);

    // Language tags to try in order ("de_AT", "de", ...). Empty means English: English is the
    // language the texts are written in, so a list stops where the user put English.
    const std::vector<std::string> &candidates() const { return candidates_; }

private:
    void addEntry(const std::string &entry);

    std::vector<std::string> candidates_;
    bool reachedEnglish_ = false;
};

} // namespace nimbus
