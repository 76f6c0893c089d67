// Splitting and joining table lines.
#include "viewer/TableLine.h"

namespace nimbus::viewer {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

void splitTableLine(std::string_view line, std::vector<std::string> &fields)
{
    fields.clear();
    std::size_t pos = 0;
    const std::size_t n = line.size();
    if (n == 0)
        return;
    for (;;) {
        while (pos < n && isBlank(line[pos]))
            ++pos;
        std::size_t separator;
        if (pos < n && line[pos] == '"') {
            const std::size_t close = line.find('"', pos + 1);
            if (close == std::string_view::npos) {
                fields.emplace_back(line.substr(pos + 1));
                return;
            }
            fields.emplace_back(line.substr(pos + 1, close - pos - 1));
            separator = line.find(kTableSeparator, close + 1);
        } else {
            separator = line.find(kTableSeparator, pos);
            const std::string_view raw = separator == std::string_view::npos
                                             ? line.substr(pos)
                                             : line.substr(pos, separator - pos);
            fields.emplace_back(trimmed(raw));
        }
        if (separator == std::string_view::npos || separator + 1 >= n)
            return;
        pos = separator + 1;
    }
}

std::vector<std::string> splitTableLine(std::string_view line)
{
    std::vector<std::string> fields;
    splitTableLine(line, fields);
    return fields;
}

std::string quoteTableField(std::string_view field)
{
    const bool quote = field.find(kTableSeparator) != std::string_view::npos ||
                       (!field.empty() &&
                        (field.front() == '"' || isBlank(field.front()) || isBlank(field.back())));
    if (!quote)
        return std::string(field);
    std::string out;
    out.reserve(field.size() + 2);
    out.push_back('"');
    out.append(field);
    out.push_back('"');
    return out;
}

std::string joinTableLine(const std::vector<std::string> &fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line.push_back(kTableSeparator);
        line += quoteTableField(fields[i]);
    }
    // A last field that is empty would be lost to the trailing-separator rule: quote it.
    if (!fields.empty() && fields.back().empty())
        line += "\"\"";
    return line;
}

} // namespace nimbus::viewer
