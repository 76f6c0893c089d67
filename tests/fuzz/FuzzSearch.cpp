// Fuzz target for search's text handling: the input is taken as a details page (RTF or plain)
// and as a typed query; the page's text is folded, split, matched and cut into a snippet.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "search/RtfText.h"
#include "search/SearchQuery.h"
#include "search/TextFold.h"
#include "search/TextMatcher.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace nimbus::search;
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::string text = RtfToText(input);
    const std::size_t cut = input.find('\n');
    const SearchQuery query = ParseQuery(input.substr(0, cut == std::string_view::npos ? 64 : cut));
    for (const QueryTerm &term : query.terms)
        (void)FtsPhrase(term);
    (void)SegmentForIndex(Fold(text));
    const Snippet snippet = MakeSnippet(text, query, 120);
    for (const MatchRange &r : snippet.marks) {
        if (r.begin > r.end || r.end > snippet.text.size())
            __builtin_trap();
    }
    return 0;
}
