// The tool row at the top of the main window (`panelTools`): the parts' controls at its left
// (the tree's toolbar, the summary button), the help button and Exit at its right end.
#pragma once

#include <QObject>

class QHBoxLayout;
class QPushButton;
class QToolButton;
class QWidget;

namespace nimbus {

struct TAppPaths;
namespace pages {
class PagePrompts;
}

class ToolsPanel : public QObject {
public:
    // Fills panelTools, which owns the controls. Exit closes window; the help button opens the
    // help file that paths names when it is clicked (start-up fills paths in later).
    ToolsPanel(QWidget *panelTools, QWidget *window, const TAppPaths &paths,
               pages::PagePrompts &prompts);

    // Puts a control at the row's left end, before the ones added before.
    void addAtStart(QWidget *widget, int stretch = 0);
    // Puts a control right before Exit.
    void addBeforeExit(QWidget *widget);

    void buttonHelpClick();
    void buttonCloselClick();

    QToolButton *buttonHelp = nullptr;
    QPushButton *buttonClosel = nullptr;

private:
    QWidget *window_;
    const TAppPaths &paths_;
    pages::PagePrompts &prompts_;
    QHBoxLayout *row_ = nullptr;
};

} // namespace nimbus
