#include "shell/search/SnippetHtml.h"

namespace nimbus::searchui {

namespace {
QString piece(const std::string &text, std::size_t begin, std::size_t end)
{
    return QString::fromUtf8(text.data() + begin, static_cast<qsizetype>(end - begin)).toHtmlEscaped();
}
} // namespace

QString snippetHtml(const search::Snippet &snippet)
{
    QString html;
    std::size_t at = 0;
    for (const search::MatchRange &mark : snippet.marks) {
        if (mark.begin < at || mark.end > snippet.text.size())
            continue; // never overlapping by contract; a bad range is left plain
        html += piece(snippet.text, at, mark.begin);
        html += QStringLiteral("<b>") + piece(snippet.text, mark.begin, mark.end) +
                QStringLiteral("</b>");
        at = mark.end;
    }
    html += piece(snippet.text, at, snippet.text.size());
    return html;
}

std::vector<std::pair<int, int>> charRanges(const std::string &utf8,
                                            const std::vector<search::MatchRange> &ranges)
{
    // Bytes before a range, decoded, give its start in characters; ranges come in text order.
    std::vector<std::pair<int, int>> out;
    std::size_t bytes = 0;
    int chars = 0;
    for (const search::MatchRange &r : ranges) {
        if (r.begin < bytes || r.end > utf8.size())
            continue;
        chars += static_cast<int>(
            QString::fromUtf8(utf8.data() + bytes, static_cast<qsizetype>(r.begin - bytes)).size());
        const int length = static_cast<int>(
            QString::fromUtf8(utf8.data() + r.begin, static_cast<qsizetype>(r.end - r.begin)).size());
        out.emplace_back(chars, chars + length);
        chars += length;
        bytes = r.end;
    }
    return out;
}

} // namespace nimbus::searchui
