// The names of the history's steps, as the undo and redo entries show them ("Undo %1"): what
// was done, to which topic, as whole sentences that are translated where they are shown.
#pragma once

#include <string>

#include "history/FieldEdit.h"
#include "history/StepName.h"

namespace nimbus {

class TNimbusNode;

namespace history {

// 'Title', cut to a readable length.
std::string quotedTitle(const std::string &title);
// A topic in a log line: "topic 1003 'Call Anna'" (just the id when it is not at hand).
std::string topicWords(const std::string &id, const TNimbusNode *node);

StepName removeStepName(const std::string &title, int subTopics);
StepName addStepName(const std::string &title);

enum class MoveKind { Up, Down, LevelDown, LevelUp, Drag };
StepName moveStepName(const std::string &title, MoveKind kind);

// mode: 0 title, 1 urgency and priority, 2 date due.
StepName sortStepName(const std::string &title, int mode);

// The topic options dialog's changes, whatever they were.
StepName optionsStepName(const std::string &title);

// A run of typing in a topic's details page, from showing the page to leaving it.
StepName detailsPageStepName(const std::string &title);

// A change the fields do not tell (only the groups above changed), and a skipped occurrence.
StepName changeStepName(const std::string &title);
StepName skipOccurrenceStepName(const std::string &title);

// A change of one topic's values, named by the field that says most about it; `changes` are
// that topic's changes (see FieldEdit), node is the topic as it is after them.
StepName editStepName(const TNimbusNode &node, const std::vector<FieldChange> &changes);

} // namespace history
} // namespace nimbus
