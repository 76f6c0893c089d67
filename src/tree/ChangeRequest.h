// One change to the topics that nimbus-cli asks for, and its form on the channel: the line
// "<word>=<name>=<value>&<name>=<value>..." with every name and value percent-encoded, so that
// titles keep their case, their "=", "&" and line ends, and each line stays one packet.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nimbus::cli {

struct ChangeRequest {
    enum class Kind { Add, Done, Set, Remove };
    Kind kind = Kind::Add;
    // The channel the program answers on ("nimbus-cli-<pid>-<n>"); empty: no answer wanted.
    std::string reply;
    // Done, Set, Remove: the topic; Add: the parent ("" = the "Topics" section).
    std::string id;
    // Add: the title; the other values of a new topic come as fields, as for Set.
    std::string title;
    // Field names and values already checked by the command line ("due", "priority", ...).
    std::vector<std::pair<std::string, std::string>> fields;
    // The request's id: the same change sent again with it is answered, not made again.
    std::string request;
};

// The command word of a kind: "topic-add", "topic-done", "topic-set", "topic-remove".
std::string changeWord(ChangeRequest::Kind kind);
// The whole line for the channel.
std::string encodeChange(const ChangeRequest &change);
// A received word and value back into a change; nothing when the word is not ours or the
// value is malformed.
std::optional<ChangeRequest> decodeChange(std::string_view word, std::string_view value);

std::string percentEncode(std::string_view text);
std::optional<std::string> percentDecode(std::string_view text);

// The program's answer on the reply channel: "ok=<id>" or "fail=<status>,<message>".
struct ChangeAnswer {
    int status = 0;      // an ExitStatus
    std::string id;      // the topic changed or made
    std::string message; // why it failed
};
std::string encodeAnswer(const ChangeAnswer &answer);
std::optional<ChangeAnswer> decodeAnswer(std::string_view line);

// Reply channel names the program answers on: our own prefix and a safe file name only.
bool isReplyChannelName(std::string_view name);

} // namespace nimbus::cli
