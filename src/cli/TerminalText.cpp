// Text printed for a person; see TerminalText.h.
#include "cli/TerminalText.h"

namespace nimbus::cli {

namespace {

void appendEscaped(std::string &out, unsigned char byte)
{
    static const char digits[] = "0123456789abcdef";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 15];
}

} // namespace

bool isC1At(std::string_view text, std::size_t i)
{
    return i + 1 < text.size() && static_cast<unsigned char>(text[i]) == 0xC2 &&
           static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
           static_cast<unsigned char>(text[i + 1]) <= 0x9F;
}

std::string terminalText(std::string_view text, Lines lines)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (lines == Lines::Many && (byte == '\n' || byte == '\t')) {
            out += text[i];
        } else if (byte < 0x20 || byte == 0x7F) {
            appendEscaped(out, byte);
        } else if (isC1At(text, i)) {
            appendEscaped(out, static_cast<unsigned char>(text[++i]));
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace nimbus::cli
