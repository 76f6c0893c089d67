// Texts that go with the topic codes.
#include "store/TopicCodes.h"

namespace nimbus {

std::string sectionKindName(int kind)
{
    switch (kind) {
    case kSectionTopics: return "Topics";
    case kSectionNetwork: return "Local network information";
    case kSectionPreferences: return "Preferences";
    case kSectionProduct: return "Product information";
    case kSectionContacts: return "Contacts";
    default: return {};
    }
}

std::string periodName(int unit, int count)
{
    static const char *const kSingular[] = {"Minute", "Hour", "Day", "Week", "Month", "Year"};
    static const char *const kPlural[] = {"Minutes", "Hours", "Days", "Weeks", "Months", "Years"};
    if (unit < kUnitMinutes || unit > kUnitYears)
        return {};
    return count == 1 ? kSingular[unit] : kPlural[unit];
}

std::string topicTypeText(int ttype, int status, bool hasChildren)
{
    switch (ttype) {
    case kTopicGeneral: return hasChildren ? "General topic group" : "General topic";
    case kTopicInformation: return "Information topic";
    case kTopicIdea: return "Idea topic";
    case kTopicFinancial: return "Financial topic";
    case kTopicEvent:
        if (hasChildren)
            return "Events group";
        switch (status) {
        case kStatusInProgress: return "Event in progress";
        case kStatusCompleted: return "Event finished";
        default: return "Future event";
        }
    case kTopicTask:
        if (hasChildren)
            return "Task group";
        switch (status) {
        case kStatusInProgress: return "Task in progress";
        case kStatusCompleted: return "Task completed";
        case kStatusOnHold: return "Task on hold";
        case kStatusWaiting: return "Task waiting";
        default: return "Task not started";
        }
    default: return {};
    }
}

}  // namespace nimbus
