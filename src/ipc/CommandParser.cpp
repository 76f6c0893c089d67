// The command format: key=value lines; keys "wakeup", "close" and "run".
#include "ipc/CommandParser.h"

#include <charconv>

#include "fileio/OMFILE.h"

namespace nimbus::ipc {

namespace {

bool isWhite(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string trimmed(std::string_view text)
{
    std::size_t from = 0, to = text.size();
    while (from < to && isWhite(text[from]))
        ++from;
    while (to > from && isWhite(text[to - 1]))
        --to;
    return std::string(text.substr(from, to - from));
}

std::size_t skipBlanks(std::string_view text, std::size_t at)
{
    while (at < text.size() && text[at] == ' ')
        ++at;
    return at;
}

std::int32_t wholeNumberOr0(const std::string &text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return 0;
    return value;
}

} // namespace

std::string lowerCaseAscii(std::string_view text)
{
    std::string out(text);
    for (char &c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::vector<std::string> splitRunFields(std::string_view value)
{
    std::vector<std::string> fields;
    std::size_t at = skipBlanks(value, 0);
    for (;;) {
        if (at < value.size() && value[at] == '"') {
            // Quoted: up to the next quote, untrimmed; the rest up to the comma is dropped.
            const auto close = value.find('"', at + 1);
            const std::size_t stop = close == std::string_view::npos ? value.size() : close;
            fields.emplace_back(value.substr(at + 1, stop - at - 1));
            at = close == std::string_view::npos ? value.size() : close + 1;
            const auto comma = value.find(',', at);
            at = comma == std::string_view::npos ? value.size() : comma;
        } else {
            const auto comma = value.find(',', at);
            const std::size_t stop = comma == std::string_view::npos ? value.size() : comma;
            fields.push_back(trimmed(value.substr(at, stop - at)));
            at = stop;
        }
        if (at >= value.size())
            break;
        at = skipBlanks(value, at + 1); // past the comma
        if (at >= value.size())
            break; // a comma at the very end makes no empty last field
    }
    return fields;
}

std::string quoteForShell(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '$' || c == '`' || c == '\\')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

ProcessObj makeProcessObj(std::string_view value)
{
    const std::vector<std::string> fields = splitRunFields(value);
    auto field = [&fields](std::size_t n) { return n <= fields.size() ? fields[n - 1] : ""; };
    ProcessObj process;
    process.program = field(1);
    process.parameter = field(2);
    process.window = lowerCaseAscii(field(3));
    process.control = lowerCaseAscii(field(4));
    process.extra1 = field(5);
    process.extra2 = field(6);
    process.extra3 = field(7);
    process.extraNumber = wholeNumberOr0(process.extra3);
    if (process.window == "minimized")
        process.showCode = kShowMinimized;
    else if (process.window == "hidden")
        process.showCode = kShowHide;
    else
        process.showCode = kShowNormal;
    // The fields come from another process: quoting keeps each one a single argument that the
    // shell does not expand, whatever quotes, "$(...)" or backquotes it holds.
    process.commandLine = quoteForShell(process.program) + " " + quoteForShell(process.parameter);
    return process;
}

bool isTopicChangeWord(std::string_view word)
{
    return word == "topic-add" || word == "topic-done" || word == "topic-set" ||
           word == "topic-remove";
}

CommandAction decideCommand(std::string_view line)
{
    // Keys and the word fields of "run" are compared without regard to case. Program paths
    // and parameters keep their case: file names on this system are case-sensitive, so a
    // lower-cased path would name another file or none.
    std::string key, value;
    fileio::splitPair(line, key, value);
    key = lowerCaseAscii(key);
    CommandAction action;
    if (key == "wakeup") {
        action.kind = CommandAction::Kind::Wakeup;
    } else if (key == "close") {
        action.kind = CommandAction::Kind::Close;
    } else if (key == "run") {
        action.process = makeProcessObj(value);
        // An empty program could not start anything either.
        const bool start =
            action.process.control != "controlled" && !action.process.program.empty();
        action.kind = start ? CommandAction::Kind::Run : CommandAction::Kind::None;
    } else if (isTopicChangeWord(key)) {
        // The value keeps its case: it carries titles, which are the user's text.
        action.kind = CommandAction::Kind::TopicChange;
        action.word = key;
        action.value = value;
    }
    return action;
}

std::vector<CommandAction> decideCommands(const std::vector<std::string> &batch)
{
    std::vector<CommandAction> actions;
    for (const std::string &line : batch) {
        CommandAction action = decideCommand(line);
        if (action.kind == CommandAction::Kind::None)
            continue;
        actions.push_back(std::move(action));
        if (actions.back().kind == CommandAction::Kind::Close)
            break;
    }
    return actions;
}

} // namespace nimbus::ipc
