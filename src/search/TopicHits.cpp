// The rows of each term are joined per topic: the rarest term first, so that the candidates
// stay few, and a topic is kept only when every term found it.
#include "search/TopicHits.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

namespace nimbus::search {

namespace {

struct Candidate {
    std::size_t terms = 0; // how many of the terms, taken in order, found the topic
    std::vector<TextHit> texts;
};

void addRow(Candidate &candidate, TermRow &row)
{
    for (TextHit &text : candidate.texts) {
        if (text.kind == row.kind && text.page == row.page) {
            text.rank += row.rank;
            return;
        }
    }
    candidate.texts.push_back(TextHit{row.kind, row.page, std::move(row.pageName), row.rank});
}

double bestRank(const TopicHit &hit)
{
    double best = 0;
    for (const TextHit &text : hit.texts)
        best = std::min(best, text.rank);
    return best;
}

bool textBefore(const TextHit &a, const TextHit &b)
{
    const bool titleA = a.kind == HitKind::Title;
    const bool titleB = b.kind == HitKind::Title;
    if (titleA != titleB)
        return titleA;
    if (a.rank != b.rank)
        return a.rank < b.rank;
    return std::tie(a.kind, a.page) < std::tie(b.kind, b.page);
}

bool topicBefore(const TopicHit &a, const TopicHit &b)
{
    if (a.inTitle() != b.inTitle())
        return a.inTitle();
    const double rankA = bestRank(a);
    const double rankB = bestRank(b);
    if (rankA != rankB)
        return rankA < rankB;
    return a.topic < b.topic;
}

} // namespace

const TextHit *TopicHit::shown() const
{
    for (const TextHit &text : texts) {
        if (text.kind != HitKind::Title)
            return &text;
    }
    return texts.empty() ? nullptr : &texts.front();
}

TopicAnswer CombineTerms(std::vector<std::vector<TermRow>> positive,
                         const std::unordered_set<std::string> &excluded,
                         const TopicFilter &allowed, std::size_t limit)
{
    TopicAnswer answer;
    if (positive.empty()) {
        if (!allowed)
            return answer;
        for (const std::string &topic : *allowed) {
            if (excluded.contains(topic))
                continue;
            ++answer.total;
            if (answer.hits.size() < limit)
                answer.hits.push_back(TopicHit{topic, {}, {}});
        }
        return answer;
    }
    std::unordered_set<std::string> passing;
    if (allowed)
        passing.insert(allowed->begin(), allowed->end());

    std::sort(positive.begin(), positive.end(),
              [](const auto &a, const auto &b) { return a.size() < b.size(); });
    std::unordered_map<std::string, Candidate> candidates;
    for (TermRow &row : positive.front()) {
        if (excluded.contains(row.topic) || (allowed && !passing.contains(row.topic)))
            continue;
        Candidate &candidate = candidates[row.topic];
        candidate.terms = 1;
        addRow(candidate, row);
    }
    for (std::size_t term = 1; term < positive.size() && !candidates.empty(); ++term) {
        for (TermRow &row : positive[term]) {
            const auto found = candidates.find(row.topic);
            if (found == candidates.end() || found->second.terms < term)
                continue;
            found->second.terms = term + 1;
            addRow(found->second, row);
        }
    }

    std::vector<TopicHit> hits;
    for (auto &[topic, candidate] : candidates) {
        if (candidate.terms != positive.size())
            continue;
        std::sort(candidate.texts.begin(), candidate.texts.end(), textBefore);
        hits.push_back(TopicHit{topic, std::move(candidate.texts), {}});
    }
    answer.total = hits.size();
    if (hits.size() > limit) {
        std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(limit),
                          hits.end(), topicBefore);
        hits.resize(limit);
    } else {
        std::sort(hits.begin(), hits.end(), topicBefore);
    }
    answer.hits = std::move(hits);
    return answer;
}

} // namespace nimbus::search
