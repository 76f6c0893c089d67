#include "search/SearchFilters.h"

#include <optional>

#include "search/TextFold.h"
#include "store/DateDigits.h"
#include "store/DateTime.h"
#include "store/TopicCodes.h"

namespace nimbus::search {

namespace {

// Days from today to a date key, or nothing when the key is not a date.
std::optional<std::int64_t> daysUntil(const std::string &key, const Clock &clock)
{
    dates::CivilDate date;
    if (!dates::readDateKeyDigits(key, date))
        return std::nullopt;
    return DateTime::fromCivil(date.year, date.month, date.day).dayNumber() -
           clock.now().dayNumber();
}

} // namespace

bool PassesFilters(const TNimbusNode &node, const std::string &sectionTitle,
                   const QueryFilters &filters, const Clock &clock)
{
    if (!filters.any())
        return true;
    if (node.lev <= 0)
        return false;
    if (filters.ttype && node.ttype != *filters.ttype)
        return false;
    if (filters.status && node.status != *filters.status)
        return false;
    if (filters.urgent && !node.urgent)
        return false;
    if (!filters.section.empty() && Fold(sectionTitle).rfind(filters.section, 0) != 0)
        return false;
    if (filters.due) {
        const auto days = daysUntil(node.dlDate, clock);
        if (!days)
            return false;
        const bool open = node.status != kStatusCompleted;
        switch (filters.due->op) {
        case DueFilter::Op::Within:
            return *days >= 0 && *days < filters.due->days;
        case DueFilter::Op::Beyond:
            return *days > filters.due->days;
        case DueFilter::Op::Today:
            return *days == 0;
        case DueFilter::Op::Overdue:
            return *days < 0 && open;
        }
    }
    return true;
}

std::vector<std::string> FilteredTopics(const TNimbusStructure &store, const QueryFilters &filters,
                                        const Clock &clock)
{
    std::vector<std::string> topics;
    std::string section; // the store is in pre-order: the last section seen holds the topic
    for (int i = 0; i < store.Count(); ++i) {
        const TNimbusNode &node = *store.Node(i);
        if (node.lev <= 0) {
            section = node.text;
            continue;
        }
        if (PassesFilters(node, section, filters, clock))
            topics.push_back(node.uni);
    }
    return topics;
}

} // namespace nimbus::search
