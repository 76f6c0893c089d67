// Conversions of stored values.
#include "store/ValueText.h"

#include <charconv>

namespace nimbus::values {

std::optional<int> strictInt(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    const char *first = text.data();
    const char *last = text.data() + text.size();
    if (*first == '+') {
        ++first;
        if (first != last && *first == '-')
            return std::nullopt;
    }
    int value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || first == last)
        return std::nullopt;
    return value;
}

int intOr(std::string_view text, int fallback)
{
    return strictInt(text).value_or(fallback);
}

bool numberFlag(std::string_view text)
{
    const std::optional<int> value = strictInt(text);
    return !value || *value != 0;
}

void appendInt(std::string &out, int value)
{
    char buffer[16];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    out.append(buffer, ptr);
}

std::string excerpt(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return std::string(text);
    return std::string(text.substr(0, limit)) + "... (" + std::to_string(text.size()) + " bytes)";
}

}  // namespace nimbus::values
