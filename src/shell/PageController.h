// The right-hand page that follows the tree's selection, and the topic page's typing as steps
// of the tree's undo history.
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
    // Typing in a details page: the run from showing the page to leaving it is one step of
    // the history, and a step that rewrites the shown topic's pages shows them again.
    void connectPageSteps();

private:
    TformMain &window_;
};

} // namespace nimbus
