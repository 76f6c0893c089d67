// The channel form of nimbus-cli's changes and of the program's answers.
#include "tree/ChangeRequest.h"

#include <charconv>

#include "fileio/FolderOps.h"
#include "fileio/HexDigits.h"
#include "tree/CliStatus.h"

namespace nimbus::cli {

namespace {

constexpr std::string_view kReplyPrefix = "nimbus-cli-";

} // namespace

std::string changeWord(ChangeRequest::Kind kind)
{
    switch (kind) {
    case ChangeRequest::Kind::Add:
        return "topic-add";
    case ChangeRequest::Kind::Done:
        return "topic-done";
    case ChangeRequest::Kind::Set:
        return "topic-set";
    case ChangeRequest::Kind::Remove:
        return "topic-remove";
    }
    return {};
}

std::string percentEncode(std::string_view text)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        const bool plain = (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '-' ||
                           u == '_' || u == '.' || u == ':' || u == '+' || u == '/';
        if (plain) {
            out += c;
        } else {
            // Capitals too: copies that lower-case whole lines must not change a title.
            out += '%';
            out += digits[u >> 4];
            out += digits[u & 15];
        }
    }
    return out;
}

std::optional<std::string> percentDecode(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int high = fileio::hexDigitValue(text[i + 1]);
        const int low = fileio::hexDigitValue(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::string encodeChange(const ChangeRequest &change)
{
    std::string line = changeWord(change.kind) + "=";
    auto add = [&line, first = true](std::string_view name, std::string_view value) mutable {
        if (!first)
            line += '&';
        first = false;
        line += percentEncode(name);
        line += '=';
        line += percentEncode(value);
    };
    add("reply", change.reply);
    if (!change.request.empty())
        add("request", change.request);
    add("id", change.id);
    if (change.kind == ChangeRequest::Kind::Add)
        add("title", change.title);
    for (const auto &[name, value] : change.fields)
        add("field." + name, value);
    return line;
}

std::optional<ChangeRequest> decodeChange(std::string_view word, std::string_view value)
{
    ChangeRequest change;
    bool known = false;
    for (auto kind : {ChangeRequest::Kind::Add, ChangeRequest::Kind::Done, ChangeRequest::Kind::Set,
                      ChangeRequest::Kind::Remove})
        if (word == changeWord(kind)) {
            change.kind = kind;
            known = true;
        }
    if (!known)
        return std::nullopt;
    std::size_t at = 0;
    while (at < value.size()) {
        std::size_t end = value.find('&', at);
        if (end == std::string_view::npos)
            end = value.size();
        const std::string_view pair = value.substr(at, end - at);
        const std::size_t eq = pair.find('=');
        if (eq == std::string_view::npos)
            return std::nullopt;
        auto name = percentDecode(pair.substr(0, eq));
        auto text = percentDecode(pair.substr(eq + 1));
        if (!name || !text)
            return std::nullopt;
        if (*name == "reply")
            change.reply = *text;
        else if (*name == "id")
            change.id = *text;
        else if (*name == "title")
            change.title = *text;
        else if (*name == "request")
            change.request = *text;
        else if (name->rfind("field.", 0) == 0)
            change.fields.emplace_back(name->substr(6), *text);
        // Other names come from later versions: ignored.
        at = end + 1;
    }
    if (!change.reply.empty() && !isReplyChannelName(change.reply))
        return std::nullopt;
    return change;
}

std::string encodeAnswer(const ChangeAnswer &answer)
{
    if (answer.status == kSuccess)
        return "ok=" + percentEncode(answer.id);
    return "fail=" + std::to_string(answer.status) + "," + percentEncode(answer.message);
}

std::optional<ChangeAnswer> decodeAnswer(std::string_view line)
{
    ChangeAnswer answer;
    if (line.rfind("ok=", 0) == 0) {
        auto id = percentDecode(line.substr(3));
        if (!id)
            return std::nullopt;
        answer.id = *id;
        return answer;
    }
    if (line.rfind("fail=", 0) != 0)
        return std::nullopt;
    const std::string_view rest = line.substr(5);
    const std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + comma, answer.status);
    auto message = percentDecode(rest.substr(comma + 1));
    if (error != std::errc() || end != rest.data() + comma || !message || answer.status == kSuccess)
        return std::nullopt;
    answer.message = *message;
    return answer;
}

bool isReplyChannelName(std::string_view name)
{
    return name.size() > kReplyPrefix.size() && name.size() < 100 &&
           name.substr(0, kReplyPrefix.size()) == kReplyPrefix &&
           fileio::isSafeFileName(std::string(name));
}

} // namespace nimbus::cli
