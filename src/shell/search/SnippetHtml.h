// A snippet of the results list as rich text: the matched words in bold, everything else
// escaped so that a page's own "<" or "&" shows as written.
#pragma once

#include <QString>

#include "search/TextMatcher.h"

namespace nimbus::searchui {

QString snippetHtml(const search::Snippet &snippet);
// The character positions (QString units) of byte ranges of a UTF-8 text.
std::vector<std::pair<int, int>> charRanges(const std::string &utf8,
                                            const std::vector<search::MatchRange> &ranges);

} // namespace nimbus::searchui
