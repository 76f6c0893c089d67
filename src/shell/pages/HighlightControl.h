// The details editor's highlighter on screen: the colour button buttonColour, the panels
// panelFore/panelForeInner and panelBack/panelBackInner, the "HighLight Colour" chooser and
// the painting of the selection. The switches themselves are HighlightState's.
#pragma once

#include <QCursor>
#include <QObject>

#include "shell/core/HighlightState.h"

class QAction;
class QToolButton;
class QWidget;

namespace nimbus {
class TScreenSetup;
namespace dialogs {
class ColourPanel;
}
} // namespace nimbus

namespace nimbus::pages {

class DetailsTextEdit;
class PagePrompts;

class HighlightControl : public QObject {
    Q_OBJECT
public:
    // The chosen colours are kept in setup ("hit", "hib"); cursor is the highlighting cursor.
    HighlightControl(DetailsTextEdit &edit, PagePrompts &prompts, TScreenSetup &setup,
                     const QCursor &cursor, QWidget *owner);

    QAction *TextColour = nullptr;         // "Highlight text", Ctrl+H
    QAction *RemoveHighlighting = nullptr; // "Remove highlighting", Ctrl+R
    QToolButton *buttonColour = nullptr;
    dialogs::ColourPanel *panelFore = nullptr;
    dialogs::ColourPanel *panelForeInner = nullptr;
    dialogs::ColourPanel *panelBack = nullptr;
    dialogs::ColourPanel *panelBackInner = nullptr;
    // The panels and the button in one row for the format toolbar.
    QWidget *panels() const { return panels_; }

    const HighlightState &state() const { return state_; }

    void TextColourExecute();
    void panelClick(bool background);
    // The colour chooser; OK switches the chosen colours on, Cancel switches highlighting off.
    void openChooser();
    // Paints the selection with the colours that are switched on.
    void applyToSelection();
    void RemoveHighlightingExecute();
    // A page is shown: highlighting is off.
    void switchOff();

private:
    void carryOut(HighlightState::Step step);
    void showState();

    DetailsTextEdit &edit_;
    PagePrompts &prompts_;
    TScreenSetup &setup_;
    QCursor cursor_;
    QWidget *owner_;
    QWidget *panels_ = nullptr;
    HighlightState state_;
};

} // namespace nimbus::pages
