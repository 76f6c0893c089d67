// Folding follows what the index's tokenizer does (lower case, diacritics removed), so that
// the words highlighted in a snippet are the words the index matched.
#include "search/TextFold.h"

#include "fileio/Utf8.h"

namespace nimbus::search {

namespace {

// Base letters of U+00C0..U+00FF (lower case); '\0' where the character is not a letter.
constexpr std::string_view kLatin1{
    "aaaaaaAceeeeiiii"   // C0..CF (C6 handled apart)
    "dnooooo\0ouuuuyTS"  // D0..DF (D7 multiplication sign, DE thorn, DF sharp s: apart)
    "aaaaaaAceeeeiiii"   // E0..EF
    "dnooooo\0ouuuuyTy", 64};  // F0..FF

// Base letters of U+0100..U+017F, lower case.
constexpr std::string_view kLatinExtA =
    "aaaaaaccccccccdd"  // 0100
    "ddeeeeeeeeeegggg"  // 0110
    "gggghhhhiiiiiiii"  // 0120
    "iiIIjjkkklllllll"  // 0130 (0132/0133 ij)
    "lllnnnnnnnnnoooo"  // 0140 (014A/014B eng as n)
    "ooOOrrrrrrssssss"  // 0150 (0152/0153 oe)
    "ssttttttuuuuuuuu"  // 0160
    "uuuuwwyyyzzzzzzs"  // 0170
    ;

}  // namespace

char32_t DecodeUtf8(std::string_view text, std::size_t &pos) {
    const auto b0 = static_cast<unsigned char>(text[pos]);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
    } else {
        ++pos;
        return b0;
    }
    if (pos + static_cast<std::size_t>(extra) >= text.size()) {
        ++pos;
        return b0;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return b0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    pos += static_cast<std::size_t>(extra) + 1;
    return cp;
}

void AppendUtf8(std::string &out, char32_t cp) { fileio::appendUtf8(out, cp); }

void AppendFolded(std::string &out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp >= 'A' && cp <= 'Z' ? cp + 32 : cp);
        return;
    }
    if (cp >= 0xC0 && cp <= 0xFF) {
        if (cp == 0xC6 || cp == 0xE6) {
            out += "ae";
            return;
        }
        if (cp == 0xDF) {
            out += "ss";
            return;
        }
        if (cp == 0xDE || cp == 0xFE) {
            out += "th";
            return;
        }
        const char c = kLatin1[cp - 0xC0];
        if (c != '\0') {
            out += c;
            return;
        }
    } else if (cp >= 0x100 && cp <= 0x17F) {
        if (cp == 0x132 || cp == 0x133) {
            out += "ij";
            return;
        }
        if (cp == 0x152 || cp == 0x153) {
            out += "oe";
            return;
        }
        if (cp == 0x17F) {
            out += 's';
            return;
        }
        out += kLatinExtA[cp - 0x100];
        return;
    } else if (cp >= 0x300 && cp <= 0x36F) {
        return;  // combining accents
    } else if (cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2) {
        cp += 0x20;  // Greek capitals
    } else if (cp >= 0x386 && cp <= 0x3CE) {
        switch (cp) {  // Greek letters with tonos or dialytika
        case 0x386: case 0x3AC: cp = 0x3B1; break;
        case 0x388: case 0x3AD: cp = 0x3B5; break;
        case 0x389: case 0x3AE: cp = 0x3B7; break;
        case 0x38A: case 0x3AF: case 0x3AA: case 0x3CA: case 0x390: cp = 0x3B9; break;
        case 0x38C: case 0x3CC: cp = 0x3BF; break;
        case 0x38E: case 0x3CD: case 0x3AB: case 0x3CB: case 0x3B0: cp = 0x3C5; break;
        case 0x38F: case 0x3CE: cp = 0x3C9; break;
        case 0x3C2: cp = 0x3C3; break;  // final sigma
        default: break;
        }
    } else if (cp >= 0x410 && cp <= 0x42F) {
        cp += 0x20;  // Cyrillic capitals
    } else if (cp >= 0x400 && cp <= 0x40F) {
        cp += 0x50;
    }
    if (cp == 0x451) cp = 0x435;  // ё as е
    if (cp == 0x439) cp = 0x438;  // й as и, as the tokenizer removes the breve
    AppendUtf8(out, cp);
}

std::string Fold(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) AppendFolded(out, DecodeUtf8(text, pos));
    return out;
}

bool IsIdeographic(char32_t cp) {
    return (cp >= 0x2E80 && cp <= 0x2FDF) || (cp >= 0x3040 && cp <= 0x30FF) ||
           (cp >= 0x3400 && cp <= 0x4DBF) || (cp >= 0x4E00 && cp <= 0x9FFF) ||
           (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0x20000 && cp <= 0x3FFFF);
}

bool IsWordChar(char32_t cp) {
    if (cp < 0x80) {
        return (cp >= '0' && cp <= '9') || (cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z');
    }
    if (cp < 0xC0) return cp == 0xAA || cp == 0xB5 || cp == 0xBA || cp == 0xB2 || cp == 0xB3 ||
                          cp == 0xB9;
    if (cp == 0xD7 || cp == 0xF7) return false;
    if (cp >= 0x2000 && cp <= 0x2BFF) return false;   // punctuation, symbols, arrows
    if (cp >= 0x3000 && cp <= 0x303F) return false;   // ideographic punctuation
    if (cp >= 0xFE30 && cp <= 0xFE4F) return false;
    if (cp >= 0xFF00 && cp <= 0xFF0F) return false;   // full-width punctuation
    if (cp >= 0xFF1A && cp <= 0xFF20) return false;
    if (cp == 0xFEFF || cp == 0xFFFD) return false;
    if (cp >= 0x1F000 && cp <= 0x1FAFF) return false;  // emoji
    return true;
}

std::vector<Token> Tokenize(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t pos = 0;
    Token current;
    bool inWord = false;
    while (pos < text.size()) {
        const std::size_t start = pos;
        const char32_t cp = DecodeUtf8(text, pos);
        const bool word = IsWordChar(cp);
        const bool ideo = word && IsIdeographic(cp);
        if (inWord && (!word || ideo)) {
            tokens.push_back(std::move(current));
            current = Token{};
            inWord = false;
        }
        if (!word) continue;
        if (!inWord) {
            current.begin = start;
            inWord = true;
        }
        AppendFolded(current.folded, cp);
        current.end = pos;
        if (ideo) {
            tokens.push_back(std::move(current));
            current = Token{};
            inWord = false;
        }
    }
    if (inWord) tokens.push_back(std::move(current));
    return tokens;
}

std::string SegmentForIndex(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        const char32_t cp = DecodeUtf8(text, pos);
        if (cp >= 0x2E80 && IsIdeographic(cp)) {
            out += ' ';
            out.append(text.substr(start, pos - start));
            out += ' ';
        } else if (cp == 0) {
            out += ' ';
        } else {
            out.append(text.substr(start, pos - start));
        }
    }
    return out;
}

}  // namespace nimbus::search
