// Cutting words and paragraphs too long to lay out.
#include "shell/pages/LongWords.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <utility>
#include <vector>

namespace nimbus::pages {

int CutLongWords(QTextDocument &document, int longestWord, int longestParagraph)
{
    // Spans to remove, as document positions, found first and removed from the end so that
    // the positions still to come stay right.
    std::vector<std::pair<int, int>> cuts;
    int longest = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const int base = block.position();
        int start = -1;
        for (int i = 0; i <= text.size(); ++i) {
            const bool blank = i == text.size() || text.at(i).isSpace();
            if (!blank && start < 0)
                start = i;
            if (blank && start >= 0) {
                if (i - start > longestWord) {
                    cuts.emplace_back(base + start + longestWord, base + i);
                    longest = std::max(longest, i - start);
                }
                start = -1;
            }
        }
        if (text.size() > longestParagraph) {
            cuts.emplace_back(base + longestParagraph, base + static_cast<int>(text.size()));
            longest = std::max(longest, static_cast<int>(text.size()));
        }
    }
    if (cuts.empty())
        return 0;
    std::sort(cuts.begin(), cuts.end());
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    int removedFrom = -1;  // a paragraph's cut overlaps the cut of its last long word
    for (auto it = cuts.rbegin(); it != cuts.rend(); ++it) {
        const int end = removedFrom >= 0 ? std::min(it->second, removedFrom) : it->second;
        if (end <= it->first)
            continue;
        cursor.setPosition(it->first);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        removedFrom = it->first;
    }
    cursor.endEditBlock();
    return longest;
}

}  // namespace nimbus::pages
