// Very long words on a page: the text layout breaks a word that does not fit its line in time
// that grows with the square of its length (a word of 300,000 characters takes about a minute),
// so a page shows such words cut to a length it lays out at once.
#pragma once

class QTextDocument;

namespace nimbus::pages {

// Words (runs without blank) and paragraphs longer than these are cut when a page is shown.
constexpr int kLongestShownWord = 10000;
constexpr int kLongestShownParagraph = 1000000;

// Cuts every word and paragraph of the document that is longer than the limits; returns the
// length of the longest one that was cut, 0 when nothing was.
int CutLongWords(QTextDocument &document, int longestWord = kLongestShownWord,
                 int longestParagraph = kLongestShownParagraph);

}  // namespace nimbus::pages
