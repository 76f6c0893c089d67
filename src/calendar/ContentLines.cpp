// Writing iCalendar content lines; see ContentLines.h.
#include "calendar/ContentLines.h"

#include <charconv>

namespace nimbus::calendar {

namespace {

constexpr std::size_t kMaxOctets = 75; // per physical line, without its CR LF

bool continuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

ContentLines &ContentLines::name(std::string_view name)
{
    line_.assign(name);
    return *this;
}

ContentLines &ContentLines::param(std::string_view name, std::string_view value)
{
    line_ += ';';
    line_ += name;
    line_ += '=';
    bool plain = true;
    for (const char c : value)
        plain = plain && c != ':' && c != ';' && c != ',';
    if (plain) {
        line_ += value;
    } else {
        line_ += '"';
        line_ += value;
        line_ += '"';
    }
    return *this;
}

void ContentLines::value(std::string_view value)
{
    line_ += ':';
    line_ += value;
    finish();
}

void ContentLines::text(std::string_view value)
{
    line_ += ':';
    escaped(value, true);
    finish();
}

void ContentLines::extension(std::string_view value)
{
    line_ += ':';
    escaped(value, false);
    finish();
}

void ContentLines::line(std::string_view whole)
{
    line_.assign(whole);
    finish();
}

void ContentLines::number(std::string_view name, long long v)
{
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, v);
    (void)ec;
    line_.assign(name);
    line_ += ':';
    line_.append(digits, end);
    finish();
}

void ContentLines::escaped(std::string_view value, bool listSeparators)
{
    const std::size_t nul = value.find('\0');
    if (nul != std::string_view::npos)
        value = value.substr(0, nul);
    std::size_t plain = 0; // start of the run of bytes that need no escape
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        const char *replacement;
        switch (c) {
        case '\\':
            replacement = "\\\\";
            break;
        case '\n':
            replacement = "\\n";
            break;
        case '\r':
        case '\b':
        case '\f':
            replacement = "";
            break;
        case ';':
            replacement = listSeparators ? "\\;" : nullptr;
            break;
        case ',':
            replacement = listSeparators ? "\\," : nullptr;
            break;
        default:
            replacement = nullptr;
            break;
        }
        if (replacement == nullptr)
            continue;
        line_.append(value.data() + plain, i - plain);
        line_ += replacement;
        plain = i + 1;
    }
    line_.append(value.data() + plain, value.size() - plain);
}

void ContentLines::finish()
{
    appendFolded(out_, line_);
}

void ContentLines::appendFolded(std::string &out, std::string_view line)
{
    std::size_t at = 0;
    std::size_t room = kMaxOctets;
    while (line.size() - at > room) {
        std::size_t cut = at + room;
        // The next piece must not begin inside a character; invalid text with no character
        // start in reach is cut where the octets run out.
        while (cut > at && continuationByte(line[cut]))
            --cut;
        if (cut == at)
            cut = at + room;
        out.append(line.data() + at, cut - at);
        out += "\r\n ";
        at = cut;
        room = kMaxOctets - 1; // the leading space counts
    }
    out.append(line.data() + at, line.size() - at);
    out += "\r\n";
}

} // namespace nimbus::calendar
