// Fuzz target: arbitrary bytes as a batch of command lines from another process (split at
// newlines and zero bytes, as messages would arrive), through parsing and field splitting.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "ipc/CommandParser.h"

using namespace nimbus::ipc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    std::vector<std::string> batch;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size() || bytes[i] == '\n' || bytes[i] == '\0') {
            batch.emplace_back(bytes.substr(start, i - start));
            start = i + 1;
        }
    }
    const auto actions = decideCommands(batch);
    if (actions.size() > batch.size())
        std::abort();
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const auto &action = actions[i];
        // Only the last action may be a close; a run always names a program.
        if (action.kind == CommandAction::Kind::Close && i + 1 != actions.size())
            std::abort();
        if (action.kind == CommandAction::Kind::Run &&
            (action.process.program.empty() || action.process.control == "controlled"))
            std::abort();
        const int show = action.process.showCode;
        if (show != kShowHide && show != kShowNormal && show != kShowMinimized)
            std::abort();
    }
    // Every field split yields at least one field, and never more than commas + 1.
    const auto fields = splitRunFields(bytes);
    std::size_t commas = 0;
    for (char c : bytes)
        commas += c == ',';
    if (fields.empty() || fields.size() > commas + 1)
        std::abort();
    // Quoting leaves no unescaped character that keeps a meaning inside double quotes.
    const std::string quoted = quoteForShell(bytes);
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        const char c = quoted[i];
        if (c == '\\') {
            ++i;
            continue;
        }
        if (c == '"' || c == '$' || c == '`')
            std::abort();
    }
    return 0;
}
