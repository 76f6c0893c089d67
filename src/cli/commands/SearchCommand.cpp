// Searching the topics' words.
#include "cli/commands/SearchCommand.h"

#include <memory>

#include "cli/Arguments.h"
#include "cli/OutputFormat.h"
#include "cli/SearchIndexAccess.h"
#include "cli/SearchStoreSubset.h"
#include "cli/TerminalText.h"
#include "cli/TopicSnapshot.h"
#include "fileio/UiText.h"
#include "search/SavedSearches.h"
#include "search/SearchQuery.h"
#include "search/SearchResults.h"
#include "search/StoreTopics.h"
#include "store/TNimbusNode.h"

namespace nimbus::cli {

namespace {

constexpr int kDefaultLimit = 200; // as many as the window's results page lists
constexpr const char *kStoreFile = "Structure.dat";

// The words as one query: a word the shell kept together with its blanks is a phrase.
std::string queryText(const std::vector<std::string> &words)
{
    std::string text;
    for (const std::string &word : words) {
        const bool phrase =
            word.find_first_of(" \t") != std::string::npos && word.find('"') == std::string::npos;
        text += (text.empty() ? "" : " ") + (phrase ? "\"" + word + "\"" : word);
    }
    return text;
}

// Every text that holds a word: "title, page: Notes, checklist: Jobs".
std::string matchOf(const search::SearchResult &result)
{
    std::string where;
    for (const search::TextHit &text : result.places) {
        if (!where.empty())
            where += ", ";
        switch (text.kind) {
        case search::HitKind::Title:
            where += "title";
            break;
        case search::HitKind::Page:
            where += "page: " + text.pageName;
            break;
        case search::HitKind::Checklist:
            where += "checklist: " + text.pageName;
            break;
        }
    }
    return where;
}

} // namespace

Outcome savedQuery(const std::string &dataFolder, const std::string &name, std::string &query)
{
    search::SavedSearches saved(dataFolder);
    if (!saved.load())
        return Outcome::fail(kStoreProblem, saved.errorText());
    if (const search::SavedSearch *found = saved.find(name)) {
        query = found->query;
        return Outcome::ok();
    }
    std::string message =
        "no saved search is called \"" + search::SavedSearches::NormalizedName(name) + "\"";
    for (const std::string &problem : saved.problems())
        message += "\n" + saved.path() + ", " + problem;
    return Outcome::fail(kNothingFound, terminalText(message));
}

namespace {

// "--saved" with no name after it (the last word, or another option next) asks for the list
// of saved searches; it is taken out of the words.
bool takeSavedListRequest(std::vector<std::string> &words)
{
    for (std::size_t i = 0; i < words.size() && words[i] != "--"; ++i)
        if (words[i] == "--saved" && (i + 1 == words.size() || words[i + 1].starts_with("--"))) {
            words.erase(words.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    return false;
}

// The saved searches, in the order they were saved: their names (text), name and query (tsv),
// or objects of both (json). The file's damaged lines go to standard error.
Outcome listSavedSearches(const std::string &dataFolder, Format format, std::ostream &out)
{
    search::SavedSearches saved(dataFolder);
    if (!saved.load())
        return Outcome::fail(kStoreProblem, saved.errorText());
    const auto &searches = saved.searches();
    if (format == Format::Json) {
        out << "[";
        for (std::size_t i = 0; i < searches.size(); ++i)
            out << (i ? ",\n " : "\n ") << "{\"name\":" << jsonString(searches[i].name)
                << ",\"query\":" << jsonString(searches[i].query) << "}";
        out << (searches.empty() ? "]\n" : "\n]\n");
    } else {
        for (const search::SavedSearch &search : searches) {
            out << terminalText(search.name);
            if (format == Format::Tsv)
                out << '\t' << terminalText(search.query);
            out << '\n';
        }
    }
    std::string problems;
    for (const std::string &problem : saved.problems())
        problems += (problems.empty() ? "" : "\n") + saved.path() + ", " + problem;
    const int status = searches.empty() ? kNothingFound : kSuccess;
    return {status, terminalText(problems, Lines::Many)};
}

} // namespace

std::string SearchCommand::help() const
{
    return text::translate(
        "SearchCommand",
        "Usage: nimbus-cli search QUERY... [--limit N] [--format text|json|tsv]\n"
        "       nimbus-cli search --saved NAME [QUERY...] [--limit N] [--format ...]\n"
        "       nimbus-cli search --saved [--format text|json|tsv]\n"
        "\n"
        "Finds topics by the words of their titles, details pages and checklists, with the\n"
        "search field's language: words that must all appear in the topic (its title, any\n"
        "page or checklist), \"exact phrases\" (within one of them), prefix*, -excluded words\n"
        "(a topic holding one anywhere is left out) and the filters type:task, status:waiting,\n"
        "urgent, due:<7d, due:>2w, due:today, due:overdue and section:NAME (filters alone list\n"
        "every topic they pass). Topics whose title matches come first. A word holding blanks\n"
        "is searched as a phrase.\n"
        "\n"
        "  --saved NAME    the search saved under NAME in the window (its words come first)\n"
        "  --saved         without a name: lists the saved searches' names (tsv and json\n"
        "                  add each one's query); exit status 1 when there are none\n"
        "  --limit N       at most N matches (200)\n"
        "  --format FORM   text, json or tsv: id, path, status, due text and where it matched\n"
        "\n"
        "The index \"Search.db\" is brought up to date with the topics first (when Nimbus Desk\n"
        "runs, in a private copy: the running program alone writes its index).\n"
        "Exit status 1 when nothing matches.\n");
}

Outcome SearchCommand::run(const std::vector<std::string> &given, CliContext &context)
{
    std::vector<std::string> words = given;
    const bool listSaved = takeSavedListRequest(words);
    Arguments arguments({"limit", "format", "saved"}, {});
    if (Outcome parsed = arguments.parse(words); !parsed)
        return parsed;
    if (listSaved) {
        if (!arguments.plain().empty() || arguments.has("saved") || arguments.has("limit"))
            return Outcome::fail(
                kUsage,
                NIMBUS_TEXT_NOOP("CliMessages", "--saved without a name lists the saved searches: "
                                                "it takes no words to find and no --limit"));
        Format format = Format::Text;
        if (const auto f = arguments.value("format"); f && !parseFormat(*f, format))
            return Outcome::fail(
                kUsage, NIMBUS_TEXT_NOOP("CliMessages", "--format takes text, json or tsv"));
        return listSavedSearches(context.dataFolder, format, context.out);
    }
    std::string text = queryText(arguments.plain());
    if (const auto name = arguments.value("saved")) {
        std::string saved;
        if (Outcome found = savedQuery(context.dataFolder, *name, saved); !found)
            return found;
        text = text.empty() ? saved : saved + " " + text;
    }
    int limit = kDefaultLimit;
    if (const auto value = arguments.value("limit")) {
        char *end = nullptr;
        const long n = std::strtol(value->c_str(), &end, 10);
        if (value->empty() || *end != '\0' || n < 1 || n > 1000000)
            return Outcome::fail(
                kUsage,
                NIMBUS_TEXT_NOOP("CliMessages", "--limit takes a number from 1 to 1000000"));
        limit = static_cast<int>(n);
    }
    Format format = Format::Text;
    if (const auto f = arguments.value("format"); f && !parseFormat(*f, format))
        return Outcome::fail(kUsage,
                             NIMBUS_TEXT_NOOP("CliMessages", "--format takes text, json or tsv"));
    return answerQuery(text, static_cast<std::size_t>(limit), format, true, context);
}

namespace {

search::TopicList everyNodeOf(const TNimbusStructure &store)
{
    // The window's worker indexes every node of the store, sections too: so does this.
    return search::CopyTopics(store);
}

OnePassReader::Keep keepHits(const search::TopicAnswer &answer)
{
    OnePassReader::Keep keep;
    for (const search::TopicHit &hit : answer.hits)
        keep.ids.insert(hit.topic);
    return keep;
}

bool everyHitIn(const search::TopicAnswer &answer, TopicSnapshot &snapshot)
{
    for (const search::TopicHit &hit : answer.hits)
        if (snapshot.store().Find(hit.topic) == nullptr)
            return false;
    return true;
}

// The index fits the store file exactly: only the records the hits' rows need are read (see
// SearchStoreSubset). False when that cannot be done (the file changed meanwhile, or reads
// otherwise); then the caller reads the store as usual.
bool answerFromHitsAlone(const search::TopicAnswer &answer, const search::SearchQuery &query,
                         search::SearchIndex &index, std::int64_t stamp,
                         std::shared_ptr<TopicSnapshot> &snapshot, CliContext &context,
                         std::vector<search::SearchResult> &results)
{
    if (answer.hits.empty()) {
        results.clear(); // nothing to read
        return true;
    }
    const std::string file = context.dataFolder + kStoreFile;
    SearchStoreSubset subset;
    if (!subset.scan(file) || index.StoreFileStamp(file) != stamp)
        return false;
    const OnePassReader::Keep keep = keepHits(answer);
    const std::string folder = subset.writeFor(keep.ids, context.dataFolder);
    if (folder.empty() ||
        !snapshot->loadInOnePass(folder, context.clock, keep, false,
                                 StructureReader::Use::Listing) ||
        !snapshot->readInOnePass() || !everyHitIn(answer, *snapshot))
        return false;
    results = search::ResolveHits(answer, query, snapshot->store());
    return true;
}

// Words without filters, from an index there already is. When the store file and the content
// folders are exactly as when nimbus-cli last brought the index in line with them (their stamp
// is noted in the index), the index answers and only the records of its hits are read.
// Otherwise one pass over the store keeps only the topics of the answer while it notes every
// topic's id and title; those bring the index in line; only when that changed anything is the
// query asked again (and the store read again if the answer needs other topics). Nothing when
// there is no usable index (answered is false then).
Outcome answerFromIndex(const search::SearchQuery &query, std::size_t limit,
                        std::shared_ptr<TopicSnapshot> &snapshot, CliContext &context,
                        std::vector<search::SearchResult> &results, bool &answered)
{
    answered = false;
    SearchIndexAccess access(context.dataFolder, context.channelFolder);
    if (!access.openAsFound())
        return Outcome::ok();
    const std::string file = context.dataFolder + kStoreFile;
    // Taken before the store is read: a store saved meanwhile differs from it next time.
    const std::int64_t stamp = access.index().StoreFileStamp(file);
    search::TopicAnswer answer = access.index().Query(query, {}, limit);
    if (access.index().FitsStoreFile(stamp)) {
        if (answerFromHitsAlone(answer, query, access.index(), stamp, snapshot, context, results)) {
            answered = true;
            return Outcome::ok();
        }
        snapshot = std::make_shared<TopicSnapshot>();
        context.readTopics = snapshot;
    }
    // The scan of the file, checked record by record against what the store reader sees: when
    // they agree, the next search may read only its hits.
    SearchStoreSubset subset;
    bool scanAgrees = stamp != 0 && !access.privateCopy() && subset.scan(file);
    std::size_t scanned = 0;
    search::TopicList topics;
    snapshot->setEveryRecord([&](const TNimbusNode &node) {
        topics.add(node.uni, node.text);
        if (scanAgrees) {
            const auto &records = subset.records();
            scanAgrees = scanned < records.size() && subset.uni(records[scanned]) == node.uni &&
                         records[scanned].lev == node.lev;
            ++scanned;
        }
    });
    if (Outcome loaded =
            snapshot->loadInOnePass(context.dataFolder, context.clock, keepHits(answer), false,
                                    StructureReader::Use::Listing);
        !loaded)
        return loaded;
    snapshot->setEveryRecord({});
    const bool onePass = snapshot->readInOnePass();
    if (!onePass)
        topics = everyNodeOf(snapshot->store()); // loaded whole: the records seen do not count
    const int changed = access.bringInLine(topics);
    if (changed < 0)
        return access.problem().empty()
                   ? Outcome::fail(
                         kStoreProblem,
                         NIMBUS_TEXT_NOOP("CliMessages", "the search index could not be built"))
                   : Outcome::fail(
                         kStoreProblem,
                         NIMBUS_TEXT_NOOP("CliMessages", "the search index could not be built: %1"),
                         {access.problem()});
    if (onePass && scanAgrees && scanned == subset.records().size())
        access.index().NoteStoreFile(stamp);
    if (changed > 0) {
        answer = access.index().Query(query, {}, limit);
        if (!everyHitIn(answer, *snapshot)) {
            snapshot = std::make_shared<TopicSnapshot>();
            context.readTopics = snapshot;
            if (Outcome loaded =
                    snapshot->loadInOnePass(context.dataFolder, context.clock, keepHits(answer),
                                            false, StructureReader::Use::Listing);
                !loaded)
                return loaded;
        }
    }
    results = search::ResolveHits(answer, query, snapshot->store());
    answered = true;
    return Outcome::ok();
}

} // namespace

Outcome answerQuery(const std::string &text, std::size_t limit, Format format, bool withMatch,
                    CliContext &context)
{
    const search::SearchQuery query = search::ParseQuery(text);
    if (query.empty())
        return Outcome::fail(
            kUsage, NIMBUS_TEXT_NOOP("CliMessages", "search needs words to find or a filter"));
    auto snapshot = std::make_shared<TopicSnapshot>();
    context.readTopics = snapshot;
    std::vector<search::SearchResult> results;
    bool answered = false;
    if (query.needsIndex() && !query.filters.any())
        if (Outcome found = answerFromIndex(query, limit, snapshot, context, results, answered);
            !found)
            return found;
    if (!answered) {
        // Filters look at every topic (and a missing index is built from every topic).
        snapshot = std::make_shared<TopicSnapshot>();
        context.readTopics = snapshot;
        if (Outcome loaded =
                snapshot->loadForReading(context.dataFolder, context.clock, false, true);
            !loaded)
            return loaded;
        std::unique_ptr<SearchIndexAccess> access;
        if (query.needsIndex()) {
            access = std::make_unique<SearchIndexAccess>(context.dataFolder, context.channelFolder);
            if (Outcome opened = access->open(everyNodeOf(snapshot->store())); !opened)
                return opened;
        }
        results = search::RunSearch(access ? &access->index() : nullptr, query, snapshot->store(),
                                    context.clock, limit);
    }
    const TNimbusStructure &store = snapshot->store();
    std::vector<TopicRow> rows;
    rows.reserve(results.size());
    for (const search::SearchResult &result : results)
        if (const TNimbusNode *node = store.Find(result.topic)) {
            rows.push_back(rowOf(*node, snapshot->displayOrder()));
            if (withMatch && query.hasWords())
                rows.back().match = matchOf(result);
        }
    printRows(context.out, rows, format, withMatch);
    return rows.empty() ? Outcome::fail(kNothingFound, "") : Outcome::ok();
}

} // namespace nimbus::cli
