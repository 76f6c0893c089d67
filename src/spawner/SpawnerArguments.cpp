// Argument reading: the first character of each argument is a prefix that is not looked at,
// the next two form the key in any case, the rest is the value.
#include "SpawnerArguments.h"

#include <cctype>
#include <charconv>

namespace spawner {

namespace {

char upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

} // namespace

RunSettings SpawnerArguments::parse(const std::vector<std::string> &arguments)
{
    RunSettings settings;
    settings.hasArguments = !arguments.empty();
    for (const std::string &argument : arguments) {
        if (!apply(argument, settings))
            break;
    }
    return settings;
}

bool SpawnerArguments::apply(const std::string &argument, RunSettings &settings)
{
    if (argument.size() == 2 && upper(argument[1]) == 'T') {
        settings.interactive = true;
        return true;
    }
    if (argument.size() >= 3) {
        const std::string key{upper(argument[1]), upper(argument[2])};
        // The value is kept whole: cutting a command line short could run a different command.
        const std::string value = argument.substr(3);
        if (key == "S=") {
            if (value.size() == 1 &&
                std::string("MFHN").find(upper(value[0])) != std::string::npos) {
                settings.screenMode = upper(value[0]);
                return true;
            }
            settings.error = kScreenModeError;
            return false;
        }
        if (key == "E=") {
            settings.command = stripApostrophes(value);
            return true;
        }
        if (key == "D=") {
            settings.delaySeconds = wholeNumberOrZero(value);
            return true;
        }
        if (key == "W=") {
            if (value.size() == 1 && (upper(value[0]) == 'Y' || upper(value[0]) == 'N')) {
                settings.wait = upper(value[0]) == 'Y';
                return true;
            }
            settings.error = kWaitError;
            return false;
        }
    }
    settings.error = std::string(kUnrecognisedPrefix) + argument;
    return false;
}

// E='...' inside a double-quoted argument keeps its spaces: one leading and then one trailing
// apostrophe are removed.
std::string SpawnerArguments::stripApostrophes(std::string value)
{
    if (!value.empty() && value.front() == '\'')
        value.erase(0, 1);
    if (!value.empty() && value.back() == '\'')
        value.pop_back();
    return value;
}

int SpawnerArguments::wholeNumberOrZero(const std::string &value)
{
    const char *first = value.data();
    const char *last = value.data() + value.size();
    if (first != last && *first == '+') {
        ++first; // from_chars takes '-' but not '+'
        if (first != last && *first == '-')
            return 0;
    }
    int number = 0;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last || first == last)
        return 0;
    return number;
}

} // namespace spawner
