// The query language. Whitespace separates terms; a term in double quotes is a phrase; a
// leading "-" excludes; a trailing "*" matches words that start with it; "name:value" is a
// filter when the name is one of ours and the value makes sense, otherwise it is searched as
// words. A lone "urgent" is the urgency filter; "\"urgent\"" searches the word.
#include "search/SearchQuery.h"

#include <cctype>
#include <cstdlib>

#include "search/TextFold.h"
#include "store/TopicCodes.h"

namespace nimbus::search {

namespace {

std::optional<int> typeCode(const std::string &v) {
    if (v == "task" || v == "tasks") return kTopicTask;
    if (v == "event" || v == "events") return kTopicEvent;
    if (v == "general" || v == "topic") return kTopicGeneral;
    if (v == "info" || v == "information" || v == "note") return kTopicInformation;
    if (v == "idea" || v == "ideas") return kTopicIdea;
    if (v == "finance" || v == "finances" || v == "financial") return kTopicFinancial;
    return std::nullopt;
}

std::optional<int> statusCode(const std::string &v) {
    if (v == "notstarted" || v == "not-started" || v == "new" || v == "future") return kStatusNotStarted;
    if (v == "inprogress" || v == "in-progress" || v == "progress" || v == "started") return kStatusInProgress;
    if (v == "completed" || v == "done" || v == "finished") return kStatusCompleted;
    if (v == "onhold" || v == "on-hold" || v == "hold") return kStatusOnHold;
    if (v == "waiting") return kStatusWaiting;
    return std::nullopt;
}

// "<7d", "<=2w", ">3d", "today", "overdue".
std::optional<DueFilter> dueFilter(const std::string &v) {
    if (v == "today") return DueFilter{DueFilter::Op::Today, 0};
    if (v == "overdue") return DueFilter{DueFilter::Op::Overdue, 0};
    if (v.size() < 2 || (v[0] != '<' && v[0] != '>')) return std::nullopt;
    std::size_t i = 1;
    const bool orEqual = v[i] == '=';
    if (orEqual) ++i;
    std::size_t digitsEnd = i;
    while (digitsEnd < v.size() && std::isdigit(static_cast<unsigned char>(v[digitsEnd]))) ++digitsEnd;
    if (digitsEnd == i || digitsEnd - i > 5) return std::nullopt;
    int days = std::atoi(v.substr(i, digitsEnd - i).c_str());
    const std::string unit = v.substr(digitsEnd);
    if (unit == "w") {
        days *= 7;
    } else if (unit == "m") {
        days *= 30;
    } else if (!unit.empty() && unit != "d") {
        return std::nullopt;
    }
    if (v[0] == '<') return DueFilter{DueFilter::Op::Within, orEqual ? days + 1 : days};
    return DueFilter{DueFilter::Op::Beyond, orEqual ? days - 1 : days};
}

bool applyFilter(QueryFilters &filters, const std::string &name, const std::string &value) {
    const std::string v = Fold(value);
    if (name == "type") {
        if (auto code = typeCode(v)) return filters.ttype = code, true;
    } else if (name == "status") {
        if (auto code = statusCode(v)) return filters.status = code, true;
    } else if (name == "due") {
        if (auto due = dueFilter(v)) return filters.due = due, true;
    } else if (name == "section") {
        if (!v.empty()) return filters.section = v, true;
    } else if (name == "is" && v == "urgent") {
        return filters.urgent = true, true;
    }
    return false;
}

}  // namespace

bool SearchQuery::hasWords() const {
    for (const QueryTerm &t : terms) {
        if (!t.excluded && !Tokenize(t.text).empty()) return true;
    }
    return false;
}

bool SearchQuery::hasExclusions() const
{
    for (const QueryTerm &t : terms) {
        if (t.excluded && !Tokenize(t.text).empty())
            return true;
    }
    return false;
}

SearchQuery ParseQuery(std::string_view text) {
    SearchQuery query;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (i < n) {
        while (i < n && isSpace(text[i])) ++i;
        if (i >= n) break;
        QueryTerm term;
        if (text[i] == '-' && i + 1 < n && !isSpace(text[i + 1])) {
            term.excluded = true;
            ++i;
        }
        if (text[i] == '"') {
            const std::size_t close = text.find('"', i + 1);
            const std::size_t end = close == std::string_view::npos ? n : close;
            term.text = std::string(text.substr(i + 1, end - i - 1));
            term.phrase = true;
            i = close == std::string_view::npos ? n : close + 1;
            if (i < n && text[i] == '*') {
                term.prefix = true;
                ++i;
            }
            if (!term.text.empty()) query.terms.push_back(std::move(term));
            continue;
        }
        std::size_t end = i;
        while (end < n && !isSpace(text[end])) {
            if (text[end] == ':' && end + 1 < n && text[end + 1] == '"') {
                const std::size_t close = text.find('"', end + 2);
                end = close == std::string_view::npos ? n : close + 1;
                break;
            }
            ++end;
        }
        std::string word(text.substr(i, end - i));
        i = end;
        const std::size_t colon = word.find(':');
        if (!term.excluded && colon != std::string::npos && colon > 0) {
            std::string value = word.substr(colon + 1);
            if (value.size() >= 2 && value.front() == '"') value = value.substr(1, value.size() - (value.back() == '"' ? 2 : 1));
            if (applyFilter(query.filters, Fold(word.substr(0, colon)), value)) continue;
        }
        if (!term.excluded && Fold(word) == "urgent") {
            query.filters.urgent = true;
            continue;
        }
        if (word.size() > 1 && word.back() == '*') {
            term.prefix = true;
            word.pop_back();
        }
        term.text = std::move(word);
        query.terms.push_back(std::move(term));
    }
    return query;
}

std::string FtsPhrase(const QueryTerm &term)
{
    if (Tokenize(term.text).empty())
        return {};
    std::string s = "\"";
    for (const char c : SegmentForIndex(Fold(term.text))) {
        if (c == '"')
            s += '"';
        s += c;
    }
    s += '"';
    if (term.prefix)
        s += " *";
    return s;
}

}  // namespace nimbus::search
