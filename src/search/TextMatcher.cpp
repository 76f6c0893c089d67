// Matching runs over the tokens of the text: a term is a run of folded tokens, its last one
// compared as a prefix when the term ends with "*".
#include "search/TextMatcher.h"

#include <algorithm>

#include "search/TextFold.h"

namespace nimbus::search {

namespace {

struct TermTokens {
    std::vector<std::string> words;
    bool prefix = false;
};

std::vector<TermTokens> positiveTerms(const SearchQuery &query) {
    std::vector<TermTokens> terms;
    for (const QueryTerm &t : query.terms) {
        if (t.excluded) continue;
        TermTokens tt;
        for (Token &tok : Tokenize(t.text)) tt.words.push_back(std::move(tok.folded));
        tt.prefix = t.prefix;
        if (!tt.words.empty()) terms.push_back(std::move(tt));
    }
    return terms;
}

bool matchesAt(const std::vector<Token> &tokens, std::size_t at, const TermTokens &term) {
    if (at + term.words.size() > tokens.size()) return false;
    for (std::size_t k = 0; k < term.words.size(); ++k) {
        const std::string &have = tokens[at + k].folded;
        const std::string &want = term.words[k];
        const bool last = k + 1 == term.words.size();
        if (last && term.prefix) {
            if (have.compare(0, want.size(), want) != 0) return false;
        } else if (have != want) {
            return false;
        }
    }
    return true;
}

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::vector<MatchRange> FindMatches(std::string_view text, const SearchQuery &query) {
    std::vector<MatchRange> ranges;
    const std::vector<TermTokens> terms = positiveTerms(query);
    if (terms.empty()) return ranges;
    const std::vector<Token> tokens = Tokenize(text);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        std::size_t longest = 0;
        for (const TermTokens &term : terms) {
            if (term.words.size() > longest && matchesAt(tokens, i, term)) longest = term.words.size();
        }
        if (longest == 0) continue;
        ranges.push_back(MatchRange{tokens[i].begin, tokens[i + longest - 1].end});
        i += longest - 1;
    }
    return ranges;
}

Snippet MakeSnippet(std::string_view text, const SearchQuery &query, std::size_t width) {
    const std::vector<MatchRange> all = FindMatches(text, query);
    std::size_t from = 0;
    if (!all.empty() && all.front().begin > width / 3) {
        from = all.front().begin - width / 3;
        while (from < all.front().begin && isContinuation(text[from])) ++from;
        // Start at a word: skip to just after the next blank when one is near.
        const std::size_t blank = text.find_first_of(" \t\n", from);
        if (blank != std::string_view::npos && blank < all.front().begin) from = blank + 1;
    }
    std::size_t to = std::min(text.size(), from + width);
    while (to < text.size() && to > from && isContinuation(text[to])) --to;
    if (to < text.size()) {
        const std::size_t blank = text.find_last_of(" \t\n", to);
        if (blank != std::string_view::npos && blank > from + width / 2) to = blank;
    }
    Snippet snippet;
    const std::string_view lead = from > 0 ? "… " : "";
    snippet.text.append(lead);
    for (std::size_t i = from; i < to; ++i) {
        const char c = text[i];
        snippet.text += (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
    }
    if (to < text.size()) snippet.text += " …";
    for (const MatchRange &r : all) {
        if (r.begin < from || r.end > to) continue;
        snippet.marks.push_back(MatchRange{r.begin - from + lead.size(), r.end - from + lead.size()});
    }
    return snippet;
}

}  // namespace nimbus::search
