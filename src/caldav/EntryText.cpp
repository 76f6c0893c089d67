// A topic as its entry's text; see EntryText.h.
#include "caldav/EntryText.h"

#include "caldav/CompactTimezone.h"
#include "caldav/DetailsPages.h"
#include "calendar/IcsReader.h"
#include "calendar/IcsWriter.h"
#include "calendar/RecurrenceIcal.h"
#include "store/TopicCodes.h"

namespace nimbus::caldav {

void entryFields(TNimbusNode &entry, const TNimbusNode &topic)
{
    entry.AssignNode(topic);
    entry.richRule = topic.richRule;
    entry.uni = topic.uni;
    const recurrence::Series *series = topic.ttype == kTopicEvent ? repeatSeries(topic) : nullptr;
    if (series != nullptr) {
        entry.dlDate = entry.rsDate = calendar::seriesStartDate(*series);
        entry.dlTime = entry.rsTime = calendar::seriesStartTime(*series);
    }
}

bool readEntry(const std::string &data, calendar::CalendarTopic &topic, std::string &why,
               std::size_t *others, std::vector<std::string> *warnings)
{
    calendar::ReadResult read = calendar::readCalendar(data);
    if (!read.ok) {
        why = read.error;
        return false;
    }
    if (read.topics.empty()) {
        why = read.skipped.empty() ? "it holds no task, event or note" : read.skipped.front().why;
        return false;
    }
    if (others != nullptr)
        *others = read.topics.size() - 1;
    if (warnings != nullptr)
        *warnings = std::move(read.warnings);
    topic = std::move(read.topics.front());
    return true;
}

std::string entryBody(const LocalTopic &local, const std::string &stampNow)
{
    calendar::WriteOptions w;
    w.stampNow = stampNow;
    w.oneOffTimesInUtc = true;
    std::vector<calendar::CalendarTopic> one(1);
    entryFields(one[0].node, local.topic.node);
    one[0].uid = local.topic.uid;
    one[0].parentUid = local.topic.parentUid;
    if (local.pageTravels) {
        one[0].detailsText = comparableText(local.topic.detailsText);
        one[0].detailsHtml = local.topic.detailsHtml;
    }
    return withCompactTimezone(calendar::writeCalendar(one, w));
}

} // namespace nimbus::caldav
