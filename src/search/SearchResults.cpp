#include "search/SearchResults.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <unordered_set>

#include "search/TextFold.h"
#include "search/TextMatcher.h"
#include "store/DateTime.h"
#include "store/TopicCodes.h"

namespace nimbus::search {

namespace {

// Days from today to a date key, or nothing when the key is not a date.
std::optional<std::int64_t> daysUntil(const std::string &key, const Clock &clock) {
    if (key.size() != 8) return std::nullopt;
    for (const char c : key) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    const int y = std::atoi(key.substr(0, 4).c_str());
    const int m = std::atoi(key.substr(4, 2).c_str());
    const int d = std::atoi(key.substr(6, 2).c_str());
    if (!DateTime::isValidDate(y, m, d)) return std::nullopt;
    return DateTime::fromCivil(y, m, d).dayNumber() - clock.now().dayNumber();
}

// Parent of every entry, from the levels of the pre-order list; -1 for sections.
std::vector<int> parentsOf(const TNimbusStructure &store) {
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

std::string pathOf(const TNimbusStructure &store, const std::vector<int> &parents, int index,
                   std::string *section) {
    std::vector<int> chain;
    for (int i = index; i >= 0 && chain.size() < 64; i = parents[static_cast<std::size_t>(i)]) chain.push_back(i);
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.empty()) path += " / ";
        path += store.Node(*it)->text;
    }
    if (section) *section = store.Node(chain.back())->text;
    return path;
}

}  // namespace

bool PassesFilters(const TNimbusNode &node, const std::string &sectionTitle,
                   const QueryFilters &filters, const Clock &clock) {
    if (filters.ttype && node.ttype != *filters.ttype) return false;
    if (filters.status && node.status != *filters.status) return false;
    if (filters.urgent && !node.urgent) return false;
    if (!filters.section.empty() && Fold(sectionTitle).rfind(filters.section, 0) != 0) return false;
    if (filters.due) {
        const auto days = daysUntil(node.dlDate, clock);
        if (!days) return false;
        const bool open = node.status != kStatusCompleted;
        switch (filters.due->op) {
        case DueFilter::Op::Within: return *days >= 0 && *days < filters.due->days;
        case DueFilter::Op::Beyond: return *days > filters.due->days;
        case DueFilter::Op::Today: return *days == 0;
        case DueFilter::Op::Overdue: return *days < 0 && open;
        }
    }
    return true;
}

std::vector<SearchResult> ResolveHits(const std::vector<IndexHit> &hits, const SearchQuery &query,
                                      const TNimbusStructure &store, const Clock &clock,
                                      std::size_t limit) {
    std::vector<SearchResult> results;
    const std::vector<int> parents = parentsOf(store);
    auto consider = [&](int index, const IndexHit *hit) {
        const TNimbusNode &node = *store.Node(index);
        std::string section;
        std::string path = pathOf(store, parents, index, &section);
        if (!PassesFilters(node, section, query.filters, clock)) return;
        SearchResult r;
        r.topic = node.uni;
        r.path = std::move(path);
        if (hit) {
            r.kind = hit->kind;
            r.page = hit->page;
            r.pageName = hit->pageName;
        }
        results.push_back(std::move(r));
    };
    if (query.hasWords()) {
        for (const IndexHit &hit : hits) {
            if (results.size() >= limit) break;
            const int index = store.IndexOf(hit.topic);
            if (index >= 0) consider(index, &hit);
        }
        return results;
    }
    if (!query.filters.any()) return results;
    // Filters alone: every topic below the sections, titles checked against excluded words.
    SearchQuery excluded;
    for (QueryTerm t : query.terms) {
        if (!t.excluded) continue;
        t.excluded = false;
        excluded.terms.push_back(std::move(t));
    }
    for (int i = 0; i < store.Count() && results.size() < limit; ++i) {
        const TNimbusNode &node = *store.Node(i);
        if (node.lev <= 0) continue;
        if (!excluded.terms.empty() && !FindMatches(node.text, excluded).empty()) continue;
        consider(i, nullptr);
    }
    return results;
}

}  // namespace nimbus::search
