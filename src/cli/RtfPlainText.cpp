// Reading the text out of an RTF page, without a document model.
#include "cli/RtfPlainText.h"

#include <cctype>
#include <vector>

#include "store/ContentFiles.h"

namespace nimbus::cli {

namespace {

void appendUtf8(std::string &out, long code)
{
    if (code < 0)
        code += 65536; // RTF writes code points above 32767 as negative numbers
    const auto c = static_cast<unsigned long>(code);
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isSkippedDestination(const std::string &word)
{
    static const char *skipped[] = {"fonttbl", "colortbl", "stylesheet", "info",   "pict",
                                    "header",  "footer",   "listtable",  "listoverridetable",
                                    "object",  "fldinst",  "themedata",  "generator"};
    for (const char *name : skipped)
        if (word == name)
            return true;
    return false;
}

} // namespace

std::string rtfPlainText(std::string_view rtf)
{
    if (!content::LooksLikeRtf(rtf))
        return std::string(rtf);
    std::string out;
    std::vector<bool> skip{false};
    int skipChars = 0; // the fallback characters after \uN
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{') {
            skip.push_back(skip.back());
            if (i + 2 < rtf.size() && rtf[i + 1] == '\\' && rtf[i + 2] == '*')
                skip.back() = true;
            continue;
        }
        if (c == '}') {
            if (skip.size() > 1)
                skip.pop_back();
            continue;
        }
        if (c == '\r' || c == '\n')
            continue;
        if (c != '\\') {
            if (skipChars > 0) {
                --skipChars;
                continue;
            }
            if (!skip.back())
                out += c;
            continue;
        }
        // A control word, symbol or escape.
        if (i + 1 >= rtf.size())
            break;
        const char next = rtf[i + 1];
        if (next == '\'' && i + 3 < rtf.size()) {
            const std::string hex(rtf.substr(i + 2, 2));
            i += 3;
            if (skipChars > 0) {
                --skipChars;
                continue;
            }
            if (!skip.back())
                appendUtf8(out, std::strtol(hex.c_str(), nullptr, 16));
            continue;
        }
        if (!std::isalpha(static_cast<unsigned char>(next))) {
            ++i;
            if (!skip.back() && (next == '\\' || next == '{' || next == '}'))
                out += next;
            else if (!skip.back() && next == '~')
                out += ' ';
            continue;
        }
        std::size_t at = i + 1;
        while (at < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[at])))
            ++at;
        const std::string word(rtf.substr(i + 1, at - i - 1));
        std::size_t numberStart = at;
        if (at < rtf.size() && (rtf[at] == '-' || std::isdigit(static_cast<unsigned char>(rtf[at]))))
            ++at;
        while (at < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[at])))
            ++at;
        const std::string number(rtf.substr(numberStart, at - numberStart));
        if (at < rtf.size() && rtf[at] == ' ')
            ++at; // the delimiting blank belongs to the word
        i = at - 1;
        if (isSkippedDestination(word)) {
            skip.back() = true;
        } else if (skip.back()) {
            continue;
        } else if (word == "par" || word == "line" || word == "row") {
            out += '\n';
        } else if (word == "tab" || word == "cell") {
            out += '\t';
        } else if (word == "u" && !number.empty()) {
            appendUtf8(out, std::strtol(number.c_str(), nullptr, 10));
            skipChars = 1;
        }
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    return out;
}

} // namespace nimbus::cli
