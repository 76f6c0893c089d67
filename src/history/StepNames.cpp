// Names of the history's steps.
#include "history/StepNames.h"

#include <cstring>

#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

namespace nimbus::history {

namespace {

constexpr std::size_t kLongestTitle = 40;

const FieldChange *changeOf(const std::vector<FieldChange> &changes, const char *name)
{
    for (const FieldChange &change : changes)
        if (std::strcmp(fieldName(change.field), name) == 0)
            return &change;
    return nullptr;
}

std::string statusWords(int status)
{
    switch (status) {
    case kStatusNotStarted: return "not started";
    case kStatusInProgress: return "in progress";
    case kStatusCompleted: return "completed";
    case kStatusOnHold: return "on hold";
    case kStatusWaiting: return "waiting";
    default: return "none";
    }
}

std::string typeWords(int ttype)
{
    switch (ttype) {
    case kTopicGeneral: return "general topic";
    case kTopicEvent: return "event";
    case kTopicTask: return "task";
    case kTopicInformation: return "information note";
    case kTopicIdea: return "idea";
    case kTopicFinancial: return "financial note";
    default: return "topic";
    }
}

} // namespace

std::string topicWords(const std::string &id, const TNimbusNode *node)
{
    return "topic " + id + (node ? " " + quotedTitle(node->text) : std::string());
}

std::string quotedTitle(const std::string &title)
{
    std::size_t cut = title.size();
    if (cut > kLongestTitle) {
        // Never cut inside a UTF-8 character.
        cut = kLongestTitle;
        while (cut > 0 && (static_cast<unsigned char>(title[cut]) & 0xC0) == 0x80)
            --cut;
    }
    std::string quoted;
    quoted.reserve(cut + 5);
    quoted += '\'';
    quoted.append(title, 0, cut);
    if (cut < title.size())
        quoted += "...";
    quoted += '\'';
    return quoted;
}

std::string removeStepName(const std::string &title, int subTopics)
{
    std::string name = "Remove " + quotedTitle(title);
    if (subTopics == 1)
        name += " and 1 sub-topic";
    else if (subTopics > 1)
        name += " and " + std::to_string(subTopics) + " sub-topics";
    return name;
}

std::string addStepName(const std::string &title)
{
    return "Add " + quotedTitle(title);
}

std::string moveStepName(const std::string &title, MoveKind kind)
{
    switch (kind) {
    case MoveKind::Up: return "Move " + quotedTitle(title) + " up";
    case MoveKind::Down: return "Move " + quotedTitle(title) + " down";
    case MoveKind::LevelDown: return "Make " + quotedTitle(title) + " a sub-topic";
    case MoveKind::LevelUp: return "Make " + quotedTitle(title) + " a topic";
    case MoveKind::Drag: break;
    }
    return "Move " + quotedTitle(title);
}

std::string sortStepName(const std::string &title, int mode)
{
    const char *order = mode == 1 ? "urgency and priority" : mode == 2 ? "date due" : "title";
    return "Sort the sub-topics of " + quotedTitle(title) + " by " + order;
}

std::string optionsStepName(const std::string &title)
{
    return "Change the options of " + quotedTitle(title);
}

std::string detailsPageStepName(const std::string &title)
{
    return "Edit the details page of " + quotedTitle(title);
}

std::string editStepName(const TNimbusNode &node, const std::vector<FieldChange> &changes)
{
    const std::string title = quotedTitle(node.text);
    if (const FieldChange *text = changeOf(changes, "text"))
        return "Rename " + quotedTitle(std::get<std::string>(text->before)) + " to " + title;
    if (changeOf(changes, "ttype"))
        return "Set type of " + title + " to " + typeWords(node.ttype);
    if (changeOf(changes, "status"))
        return "Set status of " + title + " to " + statusWords(node.status);
    if (changeOf(changes, "urgent"))
        return node.urgent ? "Mark " + title + " as urgent" : "Mark " + title + " as not urgent";
    if (changeOf(changes, "pri"))
        return node.pri > 0 ? "Set priority of " + title + " to " + std::to_string(node.pri)
                            : "Clear the priority of " + title;
    if (changeOf(changes, "fav"))
        return node.fav ? "Add " + title + " to favourites"
                        : "Remove " + title + " from favourites";
    return "Change " + title;
}

} // namespace nimbus::history
