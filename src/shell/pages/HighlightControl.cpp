// Highlighting the details text.
#include "shell/pages/HighlightControl.h"

#include <QAction>
#include <QHBoxLayout>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QToolButton>

#include "shell/dialogs/ColourPanel.h"
#include "shell/dialogs/ColourValue.h"
#include "shell/pages/DetailsTextEdit.h"
#include "shell/pages/FormatIcons.h"
#include "shell/pages/PagePrompts.h"
#include "store/TScreenSetup.h"
#include "widgets/KeyboardAccess.h"

namespace nimbus::pages {

using dialogs::colourFromValue;
using dialogs::ColourPanel;

namespace {

// An outer panel (the switch) with its inner panel (the colour) inside.
ColourPanel *outerPanel(const char *name, QWidget *parent, ColourPanel *&inner,
                        const char *innerName)
{
    auto *outer = new ColourPanel(Qt::white, parent);
    outer->setObjectName(name);
    outer->setFixedSize(22, 22);
    auto *layout = new QHBoxLayout(outer);
    layout->setContentsMargins(4, 4, 4, 4);
    inner = new ColourPanel(QColor(), outer);
    inner->setObjectName(innerName);
    // The outer panel takes the keys for both.
    inner->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(inner);
    return outer;
}

} // namespace

HighlightControl::HighlightControl(DetailsTextEdit &edit, PagePrompts &prompts, TScreenSetup &setup,
                                   const QCursor &cursor, QWidget *owner)
    : QObject(owner), edit_(edit), prompts_(prompts), setup_(setup), cursor_(cursor), owner_(owner),
      state_(setup.hit, setup.hib)
{
    TextColour = new QAction(icons::format("highlight"), tr("Highlight text"), owner);
    TextColour->setObjectName("TextColour");
    TextColour->setProperty(icons::kFormatIconProperty, QStringLiteral("highlight"));
    TextColour->setProperty("category", QStringLiteral("Format"));
    TextColour->setShortcut(QKeySequence("Ctrl+H"));
    TextColour->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    owner->addAction(TextColour);
    RemoveHighlighting = new QAction(tr("Remove highlighting"), owner);
    RemoveHighlighting->setObjectName("RemoveHighlighting");
    RemoveHighlighting->setShortcut(QKeySequence("Ctrl+R"));
    RemoveHighlighting->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    owner->addAction(RemoveHighlighting);

    panels_ = new QWidget(owner);
    auto *row = new QHBoxLayout(panels_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    buttonColour = new QToolButton(panels_);
    buttonColour->setObjectName("buttonColour");
    buttonColour->setIcon(icons::format("highlight"));
    buttonColour->setToolTip(tr("Highlight text"));
    buttonColour->setCheckable(true);
    buttonColour->setAutoRaise(true);
    access::iconButton(buttonColour);
    row->addWidget(buttonColour);
    panelFore = outerPanel("panelFore", panels_, panelForeInner, "panelForeInner");
    panelFore->setToolTip(tr("Text highlighting on or off"));
    panelBack = outerPanel("panelBack", panels_, panelBackInner, "panelBackInner");
    panelBack->setToolTip(tr("Background highlighting on or off"));
    access::nameFromHint(panelFore);
    access::nameFromHint(panelBack);
    row->addWidget(panelFore);
    row->addWidget(panelBack);

    // The button toggles through the action, so its down state is always the state's.
    connect(buttonColour, &QToolButton::clicked, this, &HighlightControl::TextColourExecute);
    connect(TextColour, &QAction::triggered, this, &HighlightControl::TextColourExecute);
    connect(RemoveHighlighting, &QAction::triggered, this,
            &HighlightControl::RemoveHighlightingExecute);
    for (ColourPanel *panel : {panelFore, panelForeInner}) {
        connect(panel, &ColourPanel::clicked, this, [this] { panelClick(false); });
        connect(panel, &ColourPanel::doubleClicked, this, &HighlightControl::openChooser);
    }
    for (ColourPanel *panel : {panelBack, panelBackInner}) {
        connect(panel, &ColourPanel::clicked, this, [this] { panelClick(true); });
        connect(panel, &ColourPanel::doubleClicked, this, &HighlightControl::openChooser);
    }
    // While highlighting is on, every selection the mouse leaves is painted.
    connect(&edit_, &DetailsTextEdit::mouseReleased, this, [this] {
        if (state_.active() && edit_.textCursor().hasSelection())
            applyToSelection();
    });
    showState();
}

void HighlightControl::TextColourExecute()
{
    carryOut(state_.TextColour());
}

void HighlightControl::panelClick(bool background)
{
    carryOut(state_.PanelClick(background));
}

void HighlightControl::openChooser()
{
    const QTextDocumentFragment preview = edit_.textCursor().selection();
    const HiliteChoice choice =
        prompts_.chooseHighlight(owner_, preview, state_.textColour(), state_.backColour());
    const HighlightState::Step step =
        state_.ChooserClosed(choice.ok, choice.textColour, choice.backColour);
    setup_.hit = state_.textColour();
    setup_.hib = state_.backColour();
    carryOut(step);
}

void HighlightControl::carryOut(HighlightState::Step step)
{
    switch (step) {
    case HighlightState::Step::OpenChooser:
        openChooser();
        return;
    case HighlightState::Step::Apply:
        applyToSelection();
        break;
    case HighlightState::Step::Off:
    case HighlightState::Step::Nothing:
        break;
    }
    showState();
}

void HighlightControl::applyToSelection()
{
    QTextCursor cursor = edit_.textCursor();
    if (!cursor.hasSelection())
        return;
    QTextCharFormat format;
    if (state_.appliesBack())
        format.setBackground(colourFromValue(state_.backColour()));
    if (state_.appliesText())
        format.setForeground(colourFromValue(state_.textColour()));
    if (format.properties().isEmpty())
        return;
    // The edit's own cursor keeps its selection.
    cursor.mergeCharFormat(format);
}

void HighlightControl::RemoveHighlightingExecute()
{
    state_.SwitchOff();
    showState();
    QTextCursor cursor = edit_.textCursor();
    if (!cursor.hasSelection())
        return;
    QTextCharFormat format;
    format.setForeground(edit_.palette().color(QPalette::Text));
    format.setBackground(Qt::white);
    cursor.mergeCharFormat(format);
}

void HighlightControl::switchOff()
{
    state_.SwitchOff();
    showState();
}

void HighlightControl::showState()
{
    panelForeInner->setColour(colourFromValue(state_.textColour()));
    panelBackInner->setColour(colourFromValue(state_.backColour()));
    panelFore->setColour(colourFromValue(state_.textOn() ? kSwitchOnColour : kSwitchOffColour));
    panelBack->setColour(colourFromValue(state_.backOn() ? kSwitchOnColour : kSwitchOffColour));
    panelFore->setSwitchedOn(state_.textOn());
    panelBack->setSwitchedOn(state_.backOn());
    buttonColour->setChecked(state_.active());
    if (state_.active())
        edit_.viewport()->setCursor(cursor_);
    else
        edit_.viewport()->setCursor(Qt::IBeamCursor);
}

} // namespace nimbus::pages
