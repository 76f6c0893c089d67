// What a search means, over topics: every word must appear somewhere in the topic (its title,
// any details page or checklist), a phrase within one of those texts; an excluded word found in
// any of them removes the topic; the filters decide before anything is ranked or cut. Topics
// whose title holds a word come first, then by their best text. Pure rules over the index's
// rows, so that they can be tested without a file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "search/TextMatcher.h"
#include "search/TopicDocuments.h"

namespace nimbus::search {

// One text of one topic that holds a term, as the index found it.
struct TermRow {
    std::string topic;
    HitKind kind = HitKind::Title;
    int page = 0;
    std::string pageName;
    double rank = 0; // lower is better (the index's bm25)
};

// One text of a topic that holds at least one of the words.
struct TextHit {
    HitKind kind = HitKind::Title;
    int page = 0;
    std::string pageName;
    double rank = 0; // summed over the words it holds; lower is better
};

struct TopicHit {
    std::string topic;
    std::vector<TextHit> texts;     // the title first when it holds a word, then best first
    std::optional<Snippet> snippet; // of the shown text when that is a page or checklist

    bool inTitle() const { return !texts.empty() && texts.front().kind == HitKind::Title; }
    // The text a results row shows and opens: the best page or checklist, else the title.
    const TextHit *shown() const;
};

struct TopicAnswer {
    std::vector<TopicHit> hits; // ranked, at most the limit
    std::size_t total = 0;      // every topic that matched
};

// The topics that the query's filters let through, in store order; nothing when the query
// has no filters (every topic may match).
using TopicFilter = std::optional<std::vector<std::string>>;

// positive: the rows of each word or phrase that must match, one list per term. excluded:
// topics holding an excluded term. Without positive terms the answer is the filter's topics,
// in its order, less the excluded ones.
TopicAnswer CombineTerms(std::vector<std::vector<TermRow>> positive,
                         const std::unordered_set<std::string> &excluded,
                         const TopicFilter &allowed, std::size_t limit);

} // namespace nimbus::search
