// Answering a query from the index. Each term is looked up on its own, so that the words of one
// topic may lie in different texts (rows), and CombineTerms joins them per topic. With several
// words, the rarest is read first; each further word's texts are ranked and kept only for the
// topics that every word before it found (a topic lacking one word is out whatever the others
// say), so a common word beside a rare one costs little more than walking its list.
#include <sqlite3.h>

#include <algorithm>
#include <numeric>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "search/IndexStatements.h"
#include "search/SearchIndex.h"

namespace nimbus::search {

namespace {

// nimbus_among(topic): whether the topic is among the candidates set for this read.
void amongFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    const auto *among =
        *static_cast<const SearchIndex::Candidates *const *>(sqlite3_user_data(context));
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const std::string_view topic(text ? text : "",
                                 static_cast<std::size_t>(sqlite3_value_bytes(argv[0])));
    sqlite3_result_int(context, among != nullptr && among->contains(topic));
}

// Appends the rows a term statement answers (topic, kind, page, text, rank); returns the last
// step's result, SQLITE_DONE when every row was read.
int readTermRows(sqlite3_stmt *statement, std::vector<TermRow> &rows)
{
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        rows.push_back(TermRow{column(statement, 0),
                               static_cast<HitKind>(sqlite3_column_int(statement, 1)),
                               sqlite3_column_int(statement, 2), column(statement, 3),
                               sqlite3_column_double(statement, 4)});
    return rc;
}

} // namespace

bool SearchIndex::registerAmong()
{
    // Direct use only: the file's schema can never call it.
    return sqlite3_create_function_v2(db_, "nimbus_among", 1, SQLITE_UTF8 | SQLITE_DIRECTONLY,
                                      &among_, amongFunction, nullptr, nullptr,
                                      nullptr) == SQLITE_OK;
}

bool SearchIndex::termRows(const std::string &phrase, std::vector<TermRow> &rows)
{
    Stmt &s = st_->termRows;
    s.reset();
    s.text(1, phrase);
    const int rc = readTermRows(s.s, rows);
    s.reset();
    return rc == SQLITE_DONE || (noteFailure(rc, "answering a search"), false);
}

bool SearchIndex::termRowsAmong(const std::string &phrase, const Candidates &among,
                                std::vector<TermRow> &rows)
{
    Stmt &s = st_->termRowsAmong;
    s.reset();
    s.text(1, phrase);
    among_ = &among;
    const int rc = readTermRows(s.s, rows);
    s.reset();
    among_ = nullptr;
    return rc == SQLITE_DONE || (noteFailure(rc, "answering a search"), false);
}

std::int64_t SearchIndex::termCount(const std::string &phrase)
{
    Stmt &s = st_->termCount;
    s.reset();
    s.text(1, phrase);
    const std::int64_t count = sqlite3_step(s.s) == SQLITE_ROW ? sqlite3_column_int64(s.s, 0) : 0;
    s.reset();
    return count;
}

bool SearchIndex::excludedTopics(const std::string &phrase, std::unordered_set<std::string> &topics)
{
    Stmt &s = st_->termTopics;
    s.reset();
    s.text(1, phrase);
    int rc;
    while ((rc = sqlite3_step(s.s)) == SQLITE_ROW)
        topics.insert(column(s.s, 0));
    s.reset();
    return rc == SQLITE_DONE || (noteFailure(rc, "answering a search"), false);
}

TopicAnswer SearchIndex::Query(const SearchQuery &query, const TopicFilter &allowed,
                               std::size_t limit)
{
    std::vector<std::vector<TermRow>> positive;
    std::unordered_set<std::string> excluded;
    if (query.needsIndex()) {
        if (db_ == nullptr)
            return {};
        std::vector<std::string> words;
        for (const QueryTerm &term : query.terms) {
            std::string phrase = FtsPhrase(term);
            if (phrase.empty())
                continue;
            if (term.excluded) {
                if (!excludedTopics(phrase, excluded))
                    return {};
            } else {
                words.push_back(std::move(phrase));
            }
        }
        std::vector<std::int64_t> counts(words.size(), 0);
        std::vector<std::size_t> order(words.size());
        std::iota(order.begin(), order.end(), 0);
        if (words.size() > 1) {
            for (std::size_t i = 0; i < words.size(); ++i)
                counts[i] = termCount(words[i]);
            std::stable_sort(order.begin(), order.end(), [&counts](std::size_t a, std::size_t b) {
                return counts[a] < counts[b];
            });
        }
        std::optional<std::unordered_set<std::string_view>> passing;
        if (allowed)
            passing.emplace(allowed->begin(), allowed->end());
        Candidates among;
        for (std::size_t k = 0; k < order.size(); ++k) {
            const std::size_t i = order[k];
            std::vector<TermRow> rows;
            if (!(k == 0 ? termRows(words[i], rows) : termRowsAmong(words[i], among, rows)))
                return {};
            // The topics that every word so far found (and the filter lets through).
            Candidates found;
            for (const TermRow &row : rows)
                if ((k == 0 || among.contains(row.topic)) &&
                    (!passing || passing->contains(row.topic)))
                    found.insert(row.topic);
            among = std::move(found);
            positive.push_back(std::move(rows));
            if (among.empty())
                break; // no topic holds every word
        }
    }
    return CombineTerms(std::move(positive), excluded, allowed, limit);
}

} // namespace nimbus::search
