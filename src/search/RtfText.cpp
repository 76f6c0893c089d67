// A small RTF reader that keeps only text. It follows the groups so that destinations which
// hold no visible text (tables of fonts, colours and styles, pictures, objects, field
// instructions, anything marked \*) are skipped whole, and it honours \ucN so that the plain
// replacement written after each \uN is not doubled.
#include "search/RtfText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <vector>

#include "search/TextFold.h"
#include "store/ContentFiles.h"

namespace nimbus::search {

namespace {

// Windows-1252 for 0x80..0x9F, the code page the writers of RTF use for \'hh; the rest of
// the upper half is Latin-1.
constexpr std::array<char16_t, 32> kCp1252 = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

constexpr std::array<std::string_view, 24> kHiddenDestinations = {
    "fonttbl",  "colortbl",   "stylesheet", "info",         "pict",         "object",
    "header",   "footer",     "headerl",    "headerr",      "headerf",      "footerl",
    "footerr",  "footerf",    "listtable",  "listoverridetable", "rsidtbl", "generator",
    "fldinst",  "themedata",  "datastore",  "latentstyles", "xmlnstbl",     "revtbl"};

struct GroupState {
    bool hidden = false;
    int unicodeSkip = 1;  // \ucN: characters that stand for each \uN
};

bool isHidden(std::string_view word) {
    return std::find(kHiddenDestinations.begin(), kHiddenDestinations.end(), word) !=
           kHiddenDestinations.end();
}

}  // namespace

std::string RtfToText(std::string_view rtf) {
    if (!content::LooksLikeRtf(rtf)) return std::string(rtf);
    std::string out;
    out.reserve(rtf.size() / 2);
    std::vector<GroupState> stack{GroupState{}};
    int pendingSkip = 0;       // fallback characters still to drop after a \uN
    char32_t highSurrogate = 0;
    const std::size_t n = rtf.size();
    std::size_t i = 0;
    bool groupStart = false;  // the last token opened a group (for \* and destinations)

    auto emit = [&](char32_t cp) {
        if (stack.back().hidden) return;
        AppendUtf8(out, cp);
    };
    auto emitByte = [&](unsigned char b) {
        if (b >= 0x80 && b < 0xA0) {
            emit(kCp1252[b - 0x80]);
        } else {
            emit(b);
        }
    };

    while (i < n) {
        const char c = rtf[i];
        if (c == '{') {
            if (stack.size() < 1000) stack.push_back(stack.back());
            groupStart = true;
            pendingSkip = 0;
            ++i;
            continue;
        }
        if (c == '}') {
            if (stack.size() > 1) stack.pop_back();
            groupStart = false;
            pendingSkip = 0;
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            if (pendingSkip > 0) {
                --pendingSkip;
            } else {
                std::size_t pos = i;
                const char32_t cp = DecodeUtf8(rtf, pos);
                emit(cp);
                i = pos;
                groupStart = false;
                continue;
            }
            ++i;
            groupStart = false;
            continue;
        }
        // A control word or symbol.
        ++i;
        if (i >= n) break;
        const char s = rtf[i];
        const bool wasGroupStart = groupStart;
        groupStart = false;
        if (s == '\'') {
            unsigned value = 0;
            int digits = 0;
            ++i;
            while (digits < 2 && i < n && std::isxdigit(static_cast<unsigned char>(rtf[i]))) {
                const char h = rtf[i];
                value = value * 16 + static_cast<unsigned>(h <= '9' ? h - '0' : (h | 0x20) - 'a' + 10);
                ++digits;
                ++i;
            }
            if (pendingSkip > 0) {
                --pendingSkip;
            } else if (digits == 2) {
                emitByte(static_cast<unsigned char>(value));
            }
            continue;
        }
        if (!std::isalpha(static_cast<unsigned char>(s))) {
            ++i;
            switch (s) {
            case '*':
                if (wasGroupStart) stack.back().hidden = true;
                groupStart = false;
                break;
            case '~': emit(' '); break;
            case '_': emit('-'); break;
            case '\\': case '{': case '}':
                if (pendingSkip > 0) --pendingSkip; else emit(static_cast<unsigned char>(s));
                break;
            case '\r': case '\n': emit('\n'); break;
            default: break;  // \- optional hyphen, \: index entries and the like
            }
            continue;
        }
        const std::size_t wordStart = i;
        while (i < n && i - wordStart < 32 && std::isalpha(static_cast<unsigned char>(rtf[i]))) ++i;
        const std::string_view word = rtf.substr(wordStart, i - wordStart);
        bool hasParam = false;
        bool negative = false;
        std::int64_t param = 0;
        if (i < n && rtf[i] == '-') {
            negative = true;
            ++i;
        }
        while (i < n && std::isdigit(static_cast<unsigned char>(rtf[i]))) {
            if (param < 100000000) param = param * 10 + (rtf[i] - '0');
            hasParam = true;
            ++i;
        }
        if (negative) param = -param;
        if (i < n && rtf[i] == ' ') ++i;  // the delimiter belongs to the control word

        if (word == "bin" && hasParam) {
            i += static_cast<std::size_t>(std::clamp<std::int64_t>(param, 0, static_cast<std::int64_t>(n - i)));
            continue;
        }
        if (wasGroupStart && isHidden(word)) {
            stack.back().hidden = true;
            continue;
        }
        if (word == "uc" && hasParam) {
            stack.back().unicodeSkip = static_cast<int>(std::clamp<std::int64_t>(param, 0, 10));
            continue;
        }
        if (word == "u" && hasParam) {
            char32_t cp = static_cast<char32_t>(param < 0 ? param + 65536 : param);
            if (cp >= 0xD800 && cp <= 0xDBFF) {
                highSurrogate = cp;
            } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                if (highSurrogate != 0) emit(0x10000 + ((highSurrogate - 0xD800) << 10) + (cp - 0xDC00));
                highSurrogate = 0;
            } else {
                emit(cp);
            }
            pendingSkip = stack.back().unicodeSkip;
            continue;
        }
        pendingSkip = 0;
        if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row") {
            emit('\n');
        } else if (word == "tab" || word == "cell") {
            emit('\t');
        } else if (word == "emdash") {
            emit(0x2014);
        } else if (word == "endash") {
            emit(0x2013);
        } else if (word == "lquote") {
            emit(0x2018);
        } else if (word == "rquote") {
            emit(0x2019);
        } else if (word == "ldblquote") {
            emit(0x201C);
        } else if (word == "rdblquote") {
            emit(0x201D);
        } else if (word == "bullet") {
            emit(0x2022);
        }
    }
    return out;
}

}  // namespace nimbus::search
