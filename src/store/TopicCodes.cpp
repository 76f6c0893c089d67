// Texts that go with the topic codes, in English (files and nimbus-cli use them as they are);
// they are marked for translation and translated where the window shows them.
#include "store/TopicCodes.h"

#include "fileio/UiText.h"

namespace nimbus {

std::string sectionKindName(int kind)
{
    switch (kind) {
    case kSectionTopics:
        return NIMBUS_TEXT_NOOP("TopicCodes", "Topics");
    case kSectionNetwork:
        return NIMBUS_TEXT_NOOP("TopicCodes", "Local network information");
    case kSectionPreferences:
        return NIMBUS_TEXT_NOOP("TopicCodes", "Preferences");
    case kSectionProduct:
        return NIMBUS_TEXT_NOOP("TopicCodes", "Product information");
    case kSectionContacts:
        return NIMBUS_TEXT_NOOP("TopicCodes", "Contacts");
    default: return {};
    }
}

std::string periodName(int unit, int count)
{
    static const char *const kSingular[] = {
        NIMBUS_TEXT_NOOP("TopicCodes", "Minute"), NIMBUS_TEXT_NOOP("TopicCodes", "Hour"),
        NIMBUS_TEXT_NOOP("TopicCodes", "Day"),    NIMBUS_TEXT_NOOP("TopicCodes", "Week"),
        NIMBUS_TEXT_NOOP("TopicCodes", "Month"),  NIMBUS_TEXT_NOOP("TopicCodes", "Year")};
    static const char *const kPlural[] = {
        NIMBUS_TEXT_NOOP("TopicCodes", "Minutes"), NIMBUS_TEXT_NOOP("TopicCodes", "Hours"),
        NIMBUS_TEXT_NOOP("TopicCodes", "Days"),    NIMBUS_TEXT_NOOP("TopicCodes", "Weeks"),
        NIMBUS_TEXT_NOOP("TopicCodes", "Months"),  NIMBUS_TEXT_NOOP("TopicCodes", "Years")};
    if (unit < kUnitMinutes || unit > kUnitYears)
        return {};
    return count == 1 ? kSingular[unit] : kPlural[unit];
}

std::string topicTypeText(int ttype, int status, bool hasChildren)
{
    switch (ttype) {
    case kTopicGeneral:
        return hasChildren ? NIMBUS_TEXT_NOOP("TopicCodes", "General topic group")
                           : NIMBUS_TEXT_NOOP("TopicCodes", "General topic");
    case kTopicInformation:
        return NIMBUS_TEXT_NOOP("TopicCodes", "Information topic");
    case kTopicIdea:
        return NIMBUS_TEXT_NOOP("TopicCodes", "Idea topic");
    case kTopicFinancial:
        return NIMBUS_TEXT_NOOP("TopicCodes", "Financial topic");
    case kTopicEvent:
        if (hasChildren)
            return NIMBUS_TEXT_NOOP("TopicCodes", "Events group");
        switch (status) {
        case kStatusInProgress:
            return NIMBUS_TEXT_NOOP("TopicCodes", "Event in progress");
        case kStatusCompleted:
            return NIMBUS_TEXT_NOOP("TopicCodes", "Event finished");
        default:
            return NIMBUS_TEXT_NOOP("TopicCodes", "Future event");
        }
    case kTopicTask:
        if (hasChildren)
            return NIMBUS_TEXT_NOOP("TopicCodes", "Task group");
        switch (status) {
        case kStatusInProgress:
            return NIMBUS_TEXT_NOOP("TopicCodes", "Task in progress");
        case kStatusCompleted:
            return NIMBUS_TEXT_NOOP("TopicCodes", "Task completed");
        case kStatusOnHold:
            return NIMBUS_TEXT_NOOP("TopicCodes", "Task on hold");
        case kStatusWaiting:
            return NIMBUS_TEXT_NOOP("TopicCodes", "Task waiting");
        default:
            return NIMBUS_TEXT_NOOP("TopicCodes", "Task not started");
        }
    default: return {};
    }
}

}  // namespace nimbus
