// A change of topics' values (type, status, urgency, priority, title, the options dialog's
// fields, favourites, the groups' roll-up that follows): for each topic, by id, the fields it
// changed with their values before and after. Undone or redone only while every field still
// holds the value the step left it with.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "history/NodeFields.h"
#include "history/StoreCommand.h"

namespace nimbus::history {

class FieldEdit : public StoreCommand {
public:
    struct TopicChanges {
        std::string id;
        std::vector<FieldChange> changes;
        // Values the program worked out (a group's roll-up, a topic's page counts): those
        // someone else's change has worked out again since are left as they are, not refused.
        bool rollUp = false;
    };

    explicit FieldEdit(std::vector<TopicChanges> topics) : topics_(std::move(topics)) {}

    bool apply(HistoryContext &context) override;
    bool revert(HistoryContext &context) override;
    std::size_t memoryBytes() const override;

    bool empty() const { return topics_.empty(); }
    const std::vector<TopicChanges> &topics() const { return topics_; }

private:
    // Refuses, changing nothing, when a topic is gone or a field no longer holds the value
    // the step left it with.
    bool set(HistoryContext &context, bool after);
    static void setField(TNimbusNode &node, const FieldChange &change, bool after, bool rollUp);
    std::vector<TopicChanges> topics_;
};

// Records a FieldEdit around a change made by other code: the images of the named topics are
// taken first; finish() compares them with the topics as they are then.
class FieldEditRecorder {
public:
    enum class Kind { Change, RollUp };
    FieldEditRecorder(const TNimbusStructure &store, const std::vector<std::string> &ids,
                      Kind kind = Kind::Change);
    // Also watches this topic (one the change is about to touch); a topic watched for its
    // roll-up and then as changed counts as changed.
    void watch(const std::string &id, Kind kind = Kind::Change);
    // Null when nothing changed.
    std::unique_ptr<FieldEdit> finish() const;

private:
    const TNimbusStructure &store_;
    struct Watched {
        std::string id;
        NodeImage image;
        Kind kind;
    };
    std::vector<Watched> before_;
};

} // namespace nimbus::history
