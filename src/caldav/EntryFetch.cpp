// Reading the entries that changed on the server; see EntryFetch.h.
#include "caldav/EntryFetch.h"

#include <algorithm>

#include "caldav/EntryText.h"

namespace nimbus::caldav {

bool EntryFetch::fetchChanged()
{
    const Listing &listing = listed_.listing();
    const bool full = listed_.full();
    std::map<std::string, std::string> uidOfPath;
    for (const auto &[uid, e] : result_.state.entries)
        uidOfPath[e.path] = uid;
    std::vector<std::string> wanted;
    for (const auto &[uid, e] : result_.state.entries) {
        ServerSide r = listing.complete ? ServerSide::Same : ServerSide::NotListed;
        const auto it = listing.items.find(e.path);
        if (it != listing.items.end())
            r = it->second == e.etag ? ServerSide::Same : ServerSide::Changed;
        else if ((full && listing.complete) ||
                 std::find(listing.removed.begin(), listing.removed.end(), e.path) !=
                     listing.removed.end())
            r = ServerSide::Gone;
        entries_.remoteOf[uid] = r;
        if (r == ServerSide::Changed)
            wanted.push_back(e.path);
    }
    // An entry found too large is asked for again only once it changed.
    std::map<std::string, std::string> &large = result_.state.tooLarge;
    if (full && listing.complete)
        std::erase_if(large, [&](const auto &l) { return listing.items.count(l.first) == 0; });
    for (const std::string &gone : listing.removed)
        large.erase(gone);
    for (const auto &[path, etag] : listing.items) {
        const auto known = large.find(path);
        if (known != large.end() && (etag.empty() || known->second != etag))
            large.erase(known);
        if (uidOfPath.count(path) == 0 && large.count(path) == 0)
            wanted.push_back(path);
    }
    std::map<std::string, FetchedItem> items;
    std::string error;
    std::vector<std::string> tooLarge;
    if (!wanted.empty() && !client_.fetch(options_.calendarUrl, wanted, items, error, &tooLarge)) {
        result_.error = error;
        return false;
    }
    for (const std::string &path : tooLarge) {
        result_.log.push_back("Calendar sync skipped the server's entry " + path + ": " +
                              kTooLarge);
        if (const auto listed = listing.items.find(path);
            listed != listing.items.end() && !listed->second.empty())
            large[path] = listed->second;
    }
    for (auto &[path, item] : items) {
        calendar::CalendarTopic topic;
        std::string why;
        std::size_t others = 0;
        std::vector<std::string> warnings;
        if (!readEntry(item.data, topic, why, &others, &warnings)) {
            result_.log.push_back("Calendar sync skipped the server's entry " + path + ": " + why);
            continue;
        }
        for (const std::string &warning : warnings)
            result_.log.push_back("Calendar sync: the server's entry " + path + ": " + warning +
                                  ".");
        if (others > 0)
            result_.log.push_back("Calendar sync: the server's entry " + path + " holds " +
                                  std::to_string(others + 1) + " entries; only \"" +
                                  topic.node.text +
                                  "\" is synced, the others stay on the server as they are.");
        // An entry the answer held beyond those asked for has no listed ETag.
        const auto listed = listing.items.find(path);
        entries_.fetchedEtag[path] = !item.etag.empty()              ? item.etag
                                     : listed != listing.items.end() ? listed->second
                                                                     : std::string();
        entries_.fetched[path] = std::move(topic);
    }
    return true;
}

} // namespace nimbus::caldav
