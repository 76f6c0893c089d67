// Topics' values changed and changed back, by id.
#include "history/FieldEdit.h"

#include "history/StepNames.h"
#include "store/TNimbusStructure.h"

namespace nimbus::history {

namespace {

std::size_t valueBytes(const FieldValue &value)
{
    const auto *text = std::get_if<std::string>(&value);
    // Short texts live inside the string itself.
    return text && text->capacity() > 15 ? text->capacity() + 1 : 0;
}

} // namespace

bool FieldEdit::set(HistoryContext &context, bool after)
{
    // All topics first: a change is made whole or not at all. Each field must still hold the
    // value the step left it with; a value someone else set since (a colleague's packet,
    // calendar sync, nimbus-cli, the deadline timer) is theirs and is not written over.
    std::vector<TNimbusNode *> nodes;
    nodes.reserve(topics_.size());
    for (const TopicChanges &topic : topics_) {
        TNimbusNode *node = context.store.Find(topic.id);
        if (!node && topic.rollUp) {
            nodes.push_back(nullptr); // a group that went has nothing to roll up
            continue;
        }
        if (!node) {
            context.log.AddToLog("*** Undo history: " + topicWords(topic.id, nullptr) +
                                 " is no longer there");
            return false;
        }
        for (const FieldChange &change : topic.changes) {
            const FieldValue &left = after ? change.before : change.after;
            if (topic.rollUp || derivedKind(change.field) != Derived::No)
                continue;
            if (FieldValue now = readField(*node, change.field); now != left) {
                context.log.AddToLog("*** Undo history: " + fieldWords(change.field) + " of " +
                                     topicWords(topic.id, node) +
                                     " was changed by someone else since: it is " +
                                     valueWords(now) + ", the step left " + valueWords(left));
                return false;
            }
        }
        nodes.push_back(node);
    }
    for (std::size_t i = 0; i < topics_.size(); ++i)
        if (nodes[i])
            for (const FieldChange &change : topics_[i].changes)
                setField(*nodes[i], change, after, topics_[i].rollUp);
    context.store.modified = true;
    return true;
}

void FieldEdit::setField(TNimbusNode &node, const FieldChange &change, bool after, bool rollUp)
{
    const FieldValue &left = after ? change.before : change.after;
    const FieldValue &target = after ? change.after : change.before;
    const FieldValue now = readField(node, change.field);
    switch (derivedKind(change.field)) {
    case Derived::No:
        // A roll-up worked out again since is the program's own; the window rolls up anew.
        if (!rollUp || now == left)
            writeField(node, change.field, target);
        break;
    case Derived::Count:
        // A group's count moves by what this step changed; what others added to the subtree
        // meanwhile stays counted.
        if (const auto *count = std::get_if<int>(&now), *to = std::get_if<int>(&target),
            *from = std::get_if<int>(&left);
            count && to && from)
            writeField(node, change.field, *count + (*to - *from));
        break;
    case Derived::DaysLeft:
        // Once the timer has worked it out again, it is the timer's to keep right.
        if (now == left)
            writeField(node, change.field, target);
        break;
    }
}

bool FieldEdit::apply(HistoryContext &context)
{
    return set(context, true);
}

bool FieldEdit::revert(HistoryContext &context)
{
    return set(context, false);
}

std::size_t FieldEdit::memoryBytes() const
{
    std::size_t bytes = topics_.capacity() * sizeof(TopicChanges);
    for (const TopicChanges &topic : topics_) {
        bytes += topic.id.capacity() > 15 ? topic.id.capacity() + 1 : 0;
        bytes += topic.changes.capacity() * sizeof(FieldChange);
        for (const FieldChange &change : topic.changes)
            bytes += valueBytes(change.before) + valueBytes(change.after);
    }
    return bytes;
}

FieldEditRecorder::FieldEditRecorder(const TNimbusStructure &store,
                                     const std::vector<std::string> &ids, Kind kind)
    : store_(store)
{
    for (const std::string &id : ids)
        watch(id, kind);
}

void FieldEditRecorder::watch(const std::string &id, Kind kind)
{
    for (Watched &seen : before_)
        if (seen.id == id) {
            if (kind == Kind::Change)
                seen.kind = kind;
            return;
        }
    if (const TNimbusNode *node = store_.Find(id))
        before_.push_back({id, imageOf(*node), kind});
}

std::unique_ptr<FieldEdit> FieldEditRecorder::finish() const
{
    std::vector<FieldEdit::TopicChanges> topics;
    for (const Watched &watched : before_) {
        const TNimbusNode *node = store_.Find(watched.id);
        if (!node)
            continue;
        std::vector<FieldChange> changes = changesSince(watched.image, *node);
        if (!changes.empty()) {
            changes.shrink_to_fit();
            topics.push_back({watched.id, std::move(changes), watched.kind == Kind::RollUp});
        }
    }
    if (topics.empty())
        return nullptr;
    topics.shrink_to_fit();
    return std::make_unique<FieldEdit>(std::move(topics));
}

} // namespace nimbus::history
