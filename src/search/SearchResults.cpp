#include "search/SearchResults.h"

#include <algorithm>

#include "search/SearchFilters.h"

namespace nimbus::search {

namespace {

// Parent of every entry, from the levels of the pre-order list; -1 for sections.
std::vector<int> parentsOf(const TNimbusStructure &store)
{
    std::vector<int> parents(static_cast<std::size_t>(store.Count()), -1);
    std::vector<int> open;  // the last entry seen at each level
    for (int i = 0; i < store.Count(); ++i) {
        const int lev = std::max(0, store.Node(i)->lev);
        open.resize(static_cast<std::size_t>(lev));
        parents[static_cast<std::size_t>(i)] = open.empty() ? -1 : open.back();
        open.push_back(i);
    }
    return parents;
}

std::string pathOf(const TNimbusStructure &store, const std::vector<int> &parents, int index)
{
    std::vector<int> chain;
    for (int i = index; i >= 0 && chain.size() < 64; i = parents[static_cast<std::size_t>(i)])
        chain.push_back(i);
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.empty()) path += " / ";
        path += store.Node(*it)->text;
    }
    return path;
}

}  // namespace

std::vector<SearchResult> ResolveHits(const TopicAnswer &answer, const SearchQuery &query,
                                      const TNimbusStructure &store)
{
    std::vector<SearchResult> results;
    if (answer.hits.empty())
        return results;
    const std::vector<int> parents = parentsOf(store);
    for (const TopicHit &hit : answer.hits) {
        const int index = store.IndexOf(hit.topic);
        if (index < 0)
            continue;
        const TNimbusNode &node = *store.Node(index);
        SearchResult r;
        r.topic = node.uni;
        r.title = node.text;
        r.path = pathOf(store, parents, index);
        r.places = hit.texts;
        if (const TextHit *shown = hit.shown()) {
            r.kind = shown->kind;
            r.page = shown->page;
            r.pageName = shown->pageName;
        }
        // A page whose text could not be read shows the title instead.
        r.snippet =
            hit.snippet && r.kind != HitKind::Title ? *hit.snippet : MakeSnippet(node.text, query);
        results.push_back(std::move(r));
    }
    return results;
}

std::vector<SearchResult> RunSearch(SearchIndex *index, const SearchQuery &query,
                                    const TNimbusStructure &store, const Clock &clock,
                                    std::size_t limit)
{
    TopicFilter allowed;
    if (query.filters.any())
        allowed = FilteredTopics(store, query.filters, clock);
    TopicAnswer answer;
    if (index != nullptr)
        answer = index->Query(query, allowed, limit);
    else if (!query.needsIndex())
        answer = CombineTerms({}, {}, allowed, limit);
    return ResolveHits(answer, query, store);
}

}  // namespace nimbus::search
