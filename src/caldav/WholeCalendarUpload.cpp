// The whole calendar in one upload; see WholeCalendarUpload.h.
#include "caldav/WholeCalendarUpload.h"

#include <set>
#include <vector>

#include "caldav/CompactTimezone.h"
#include "caldav/DavXml.h"
#include "caldav/DetailsPages.h"
#include "caldav/EntryText.h"
#include "calendar/IcsWriter.h"
#include "store/TopicCodes.h"

namespace nimbus::caldav {

bool WholeCalendarUpload::wholeUploadFits() const
{
    const Listing &listing = listed_.listing();
    return listed_.full() && listing.complete && listing.items.empty() && listing.removed.empty() &&
           result_.state.entries.empty() && options_.wholeUploadMinimum > 0 &&
           snapshot_.topics.size() >= options_.wholeUploadMinimum;
}

bool WholeCalendarUpload::keptByWholeUpload(const std::string &name)
{
    static const std::set<std::string> kept = {
        "DAV: principal-collection-set",
        "DAV: current-user-principal",
        "DAV: current-user-privilege-set",
        "DAV: supported-report-set",
        "DAV: resourcetype",
        "DAV: owner",
        "DAV: getetag",
        "DAV: getlastmodified",
        "DAV: getcontenttype",
        "DAV: getcontentlength",
        "DAV: displayname",
        "DAV: sync-token",
        "http://calendarserver.org/ns/ getctag",
        "urn:ietf:params:xml:ns:caldav supported-calendar-component-set",
        "urn:ietf:params:xml:ns:caldav calendar-description",
        "http://apple.com/ns/ical/ calendar-color",
        "http://apple.com/ns/ical/ calendar-order",
    };
    return kept.count(name) != 0;
}

std::string WholeCalendarUpload::icsText(const std::string &value)
{
    std::string out;
    for (char c : value) {
        if (c == '\\' || c == ';' || c == ',')
            out += '\\';
        if (c == '\n')
            out += "\\n";
        else if (c != '\r')
            out += c;
    }
    return out;
}

// Sends every topic in one PUT of the whole calendar, conditional on the calendar's ETag
// as seen empty, so that nothing another program put there meanwhile can be replaced.
// Radicale takes such a PUT as the calendar's new contents; a server that refuses it, a
// calendar that is no longer empty or that holds properties the upload would drop, and
// the entries go one by one. When the server took them, the listing that follows binds
// them by UID. Without an answer the server may still be taking them in: the sync ends
// there, and the next one finds what arrived.
WholeCalendarUpload::Upload WholeCalendarUpload::uploadWholeCalendar()
{
    const std::string &url = options_.calendarUrl;
    const auto oneByOne = [&](const std::string &why) {
        result_.log.push_back("Calendar sync: " + why + "; the entries are sent one by one.");
        return Upload::OneByOne;
    };
    std::vector<std::string> names;
    std::string error;
    if (!client_.propertyNames(url, names, error))
        return oneByOne("the calendar's properties could not be listed (" + error + ")");
    for (const std::string &name : names)
        if (!keptByWholeUpload(name))
            return oneByOne("the calendar has a property (" + name +
                            ") that an upload of the whole calendar would drop");
    const CollectionState seen = client_.collectionState(url);
    if (!seen.ok)
        return oneByOne("the calendar could not be read (" + seen.error + ")");
    if (seen.members != 0 || seen.collection.etag.empty())
        return oneByOne(seen.members != 0 ? "the calendar is no longer empty"
                                          : "the calendar has no ETag");

    calendar::WriteOptions w;
    w.stampNow = options_.stampNow;
    w.oneOffTimesInUtc = true;
    // An event without a date has no start, and servers refuse such an entry: one of them
    // would turn the whole upload down. They go one by one after it, each refused alone.
    std::vector<calendar::CalendarTopic> all;
    all.reserve(snapshot_.topics.size());
    for (const LocalTopic &local : snapshot_.topics) {
        const TNimbusNode &n = local.topic.node;
        if (n.ttype == kTopicEvent && !calendar::writesDate(n))
            continue;
        calendar::CalendarTopic &t = all.emplace_back();
        entryFields(t.node, n);
        t.uid = local.topic.uid;
        t.parentUid = local.topic.parentUid;
        if (local.pageTravels) {
            t.detailsText = comparableText(local.topic.detailsText);
            t.detailsHtml = local.topic.detailsHtml;
        }
    }
    std::string body = withCompactTimezone(calendar::writeCalendar(all, w));
    // The calendar's name and description travel inside the upload (X-WR-CALNAME and
    // X-WR-CALDESC), so that they are never missing, not even for a moment.
    std::string calendarLines;
    if (!seen.collection.displayName.empty())
        calendarLines += "X-WR-CALNAME:" + icsText(seen.collection.displayName) + "\r\n";
    if (!seen.collection.description.empty())
        calendarLines += "X-WR-CALDESC:" + icsText(seen.collection.description) + "\r\n";
    const std::size_t afterBegin = body.find("\r\n");
    if (afterBegin != std::string::npos)
        body.insert(afterBegin + 2, calendarLines);
    const WriteResult put = client_.putCollection(url, body, seen.collection.etag);
    context_.step("Sent the whole calendar");
    if (put.status == 0) {
        result_.error = put.error;
        return Upload::NoAnswer;
    }
    if (!put.ok())
        return oneByOne("the server did not take the whole calendar at once (" +
                        (put.status ? std::to_string(put.status) : put.error) + ")");

    std::string props;
    if (!seen.collection.color.empty())
        props += "<a:calendar-color>" + xmlEscape(seen.collection.color) + "</a:calendar-color>";
    if (!seen.collection.order.empty())
        props += "<a:calendar-order>" + xmlEscape(seen.collection.order) + "</a:calendar-order>";
    if (seen.collection.hasComponentSet) {
        props += "<c:supported-calendar-component-set>";
        for (const std::string &c : seen.collection.components)
            props += "<c:comp name=\"" + xmlEscape(c) + "\"/>";
        props += "</c:supported-calendar-component-set>";
    }
    if (!props.empty() && !client_.setProperties(url, props, error))
        result_.log.push_back("Calendar sync: the calendar's colour, order or kinds of entries "
                              "could not be set again after "
                              "the upload: " +
                              error);
    result_.counts.sent += static_cast<int>(all.size());
    result_.log.push_back("Calendar sync: the whole calendar was sent at once (" +
                          std::to_string(all.size()) + " entries).");
    return Upload::Taken;
}

} // namespace nimbus::caldav
