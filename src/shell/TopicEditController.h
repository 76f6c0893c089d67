// Editing a topic from the window: its options dialog ("Edit details", a double-click on the
// tree or a grid row), the type chooser, and the question before a removal. What the user
// changed is applied as one step of the undo history, merged with what a sync, a colleague's
// packet or nimbus-cli changed while the dialog was open.
#pragma once

#include <string>

namespace nimbus {

class TNimbusNode;
class TformMain;

class TopicEditController {
public:
    explicit TopicEditController(TformMain &window) : window_(window) {}

    // The topic options dialog for the node, and its values applied. Sections have none.
    void editTopic(TNimbusNode *node);
    // The type chooser for the node, and the type applied.
    void changeTopicType(TNimbusNode *node);
    // Asks before the node with so many sub-topics is removed.
    bool confirmRemoval(const TNimbusNode &node, int subTopics);

private:
    // The node of the id as the store has it now; null (and the user told) when it is gone.
    TNimbusNode *stillThere(const std::string &uni);

    TformMain &window_;
};

} // namespace nimbus
