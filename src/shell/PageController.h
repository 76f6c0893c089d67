// The right-hand pages and what they follow: the page shown for the tree's selection, the
// topic page kept in step with the tree and its undo history, the preferences page's choices
// carried to the parts that use them.
#pragma once

namespace nimbus {

class TNimbusNode;
class TformMain;

class PageController {
public:
    explicit PageController(TformMain &window) : window_(window) {}

    // The tree's selection moved: the shown page is written, and the page of the node's
    // section (its topic page for a topic) takes its place.
    void selectionMoved(TNimbusNode *node);
    // The topic page follows the tree's changes and removals; each change of a checklist, and
    // typing in a details page from showing the page to leaving it, is one step of the tree's
    // history, and a step that rewrites the shown topic's pages shows them again.
    void connectTopicPage();
    // The date order and the details pages' normal font chosen on the preferences page.
    void connectPreferencesPage();

private:
    void connectPageSteps();

    TformMain &window_;
};

} // namespace nimbus
