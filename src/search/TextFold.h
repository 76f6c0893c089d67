// Words as search sees them: UTF-8 split into word tokens, each folded to lower case without
// accents ("Café" and "CAFE" both become "cafe"). Han and kana characters, which are written
// without spaces, are one token each, so a word of them is searched as a phrase of characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace nimbus::search {

struct Token {
    std::size_t begin = 0;  // byte range in the text
    std::size_t end = 0;
    std::string folded;
};

// Decodes one UTF-8 character at pos and advances pos; an invalid byte is taken as one
// Latin-1 character so that no input is ever rejected.
char32_t DecodeUtf8(std::string_view text, std::size_t &pos);
void AppendUtf8(std::string &out, char32_t cp);

// Lower case, accents removed; may give more than one letter ("ß" gives "ss").
void AppendFolded(std::string &out, char32_t cp);
std::string Fold(std::string_view text);

// True for the characters that make up words (letters, digits, marks).
bool IsWordChar(char32_t cp);
// True for the scripts that are written without spaces between words.
bool IsIdeographic(char32_t cp);

std::vector<Token> Tokenize(std::string_view text);

// The text as the index receives it: ideographic characters stand apart, so that the index's
// tokenizer makes one token of each.
std::string SegmentForIndex(std::string_view text);

}  // namespace nimbus::search
