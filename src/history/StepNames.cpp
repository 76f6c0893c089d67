// Names of the history's steps.
#include "history/StepNames.h"

#include <cstring>

#include "fileio/UiText.h"
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

StepName removeStepName(const std::string &title, int subTopics)
{
    if (subTopics > 0)
        return StepName::counted(NIMBUS_TEXT_N_NOOP("StepNames", "Remove %1 and %n sub-topic(s)"),
                                 subTopics, {quotedTitle(title)});
    return {NIMBUS_TEXT_NOOP("StepNames", "Remove %1"), {quotedTitle(title)}};
}

StepName addStepName(const std::string &title)
{
    return {NIMBUS_TEXT_NOOP("StepNames", "Add %1"), {quotedTitle(title)}};
}

StepName moveStepName(const std::string &title, MoveKind kind)
{
    switch (kind) {
    case MoveKind::Up:
        return {NIMBUS_TEXT_NOOP("StepNames", "Move %1 up"), {quotedTitle(title)}};
    case MoveKind::Down:
        return {NIMBUS_TEXT_NOOP("StepNames", "Move %1 down"), {quotedTitle(title)}};
    case MoveKind::LevelDown:
        return {NIMBUS_TEXT_NOOP("StepNames", "Make %1 a sub-topic"), {quotedTitle(title)}};
    case MoveKind::LevelUp:
        return {NIMBUS_TEXT_NOOP("StepNames", "Make %1 a topic"), {quotedTitle(title)}};
    case MoveKind::Drag: break;
    }
    return {NIMBUS_TEXT_NOOP("StepNames", "Move %1"), {quotedTitle(title)}};
}

StepName sortStepName(const std::string &title, int mode)
{
    if (mode == 1)
        return {NIMBUS_TEXT_NOOP("StepNames", "Sort the sub-topics of %1 by urgency and priority"),
                {quotedTitle(title)}};
    if (mode == 2)
        return {NIMBUS_TEXT_NOOP("StepNames", "Sort the sub-topics of %1 by date due"),
                {quotedTitle(title)}};
    return {NIMBUS_TEXT_NOOP("StepNames", "Sort the sub-topics of %1 by title"),
            {quotedTitle(title)}};
}

StepName optionsStepName(const std::string &title)
{
    return {NIMBUS_TEXT_NOOP("StepNames", "Change the options of %1"), {quotedTitle(title)}};
}

StepName detailsPageStepName(const std::string &title)
{
    return {NIMBUS_TEXT_NOOP("StepNames", "Edit the details page of %1"), {quotedTitle(title)}};
}

StepName changeStepName(const std::string &title)
{
    return {NIMBUS_TEXT_NOOP("StepNames", "Change %1"), {quotedTitle(title)}};
}

StepName skipOccurrenceStepName(const std::string &title)
{
    return {NIMBUS_TEXT_NOOP("StepNames", "Skip an occurrence of %1"), {quotedTitle(title)}};
}

namespace {

StepName statusStepName(const std::string &title, int status)
{
    switch (status) {
    case kStatusNotStarted:
        return {NIMBUS_TEXT_NOOP("StepNames", "Set status of %1 to not started"), {title}};
    case kStatusInProgress:
        return {NIMBUS_TEXT_NOOP("StepNames", "Set status of %1 to in progress"), {title}};
    case kStatusCompleted:
        return {NIMBUS_TEXT_NOOP("StepNames", "Set status of %1 to completed"), {title}};
    case kStatusOnHold:
        return {NIMBUS_TEXT_NOOP("StepNames", "Set status of %1 to on hold"), {title}};
    case kStatusWaiting:
        return {NIMBUS_TEXT_NOOP("StepNames", "Set status of %1 to waiting"), {title}};
    default:
        return {NIMBUS_TEXT_NOOP("StepNames", "Set status of %1 to none"), {title}};
    }
}

StepName typeStepName(const std::string &title, int ttype)
{
    switch (ttype) {
    case kTopicGeneral:
        return {NIMBUS_TEXT_NOOP("StepNames", "Set type of %1 to general topic"), {title}};
    case kTopicEvent:
        return {NIMBUS_TEXT_NOOP("StepNames", "Set type of %1 to event"), {title}};
    case kTopicTask:
        return {NIMBUS_TEXT_NOOP("StepNames", "Set type of %1 to task"), {title}};
    case kTopicInformation:
        return {NIMBUS_TEXT_NOOP("StepNames", "Set type of %1 to information note"), {title}};
    case kTopicIdea:
        return {NIMBUS_TEXT_NOOP("StepNames", "Set type of %1 to idea"), {title}};
    case kTopicFinancial:
        return {NIMBUS_TEXT_NOOP("StepNames", "Set type of %1 to financial note"), {title}};
    default:
        return {NIMBUS_TEXT_NOOP("StepNames", "Set type of %1 to topic"), {title}};
    }
}

} // namespace

StepName editStepName(const TNimbusNode &node, const std::vector<FieldChange> &changes)
{
    const std::string title = quotedTitle(node.text);
    if (const FieldChange *text = changeOf(changes, "text"))
        return {NIMBUS_TEXT_NOOP("StepNames", "Rename %1 to %2"),
                {quotedTitle(std::get<std::string>(text->before)), title}};
    if (changeOf(changes, "ttype"))
        return typeStepName(title, node.ttype);
    if (changeOf(changes, "status"))
        return statusStepName(title, node.status);
    if (changeOf(changes, "urgent"))
        return node.urgent
                   ? StepName(NIMBUS_TEXT_NOOP("StepNames", "Mark %1 as urgent"), {title})
                   : StepName(NIMBUS_TEXT_NOOP("StepNames", "Mark %1 as not urgent"), {title});
    if (changeOf(changes, "pri"))
        return node.pri > 0
                   ? StepName(NIMBUS_TEXT_NOOP("StepNames", "Set priority of %1 to %2"),
                              {title, std::to_string(node.pri)})
                   : StepName(NIMBUS_TEXT_NOOP("StepNames", "Clear the priority of %1"), {title});
    if (changeOf(changes, "fav"))
        return node.fav
                   ? StepName(NIMBUS_TEXT_NOOP("StepNames", "Add %1 to favourites"), {title})
                   : StepName(NIMBUS_TEXT_NOOP("StepNames", "Remove %1 from favourites"), {title});
    return {NIMBUS_TEXT_NOOP("StepNames", "Change %1"), {title}};
}

} // namespace nimbus::history
