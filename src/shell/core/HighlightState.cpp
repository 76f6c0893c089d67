// The highlighter's switches.
#include "shell/core/HighlightState.h"

namespace nimbus::pages {

HighlightState::Step HighlightState::TextColour()
{
    if (!anyChosen())
        return Step::OpenChooser;
    active_ = !active_;
    if (!active_)
        return Step::Off;
    // Turned on with both switches off would paint nothing: the chosen colours come on.
    if (!textOn_ && !backOn_) {
        textOn_ = text_ != kNoColour;
        backOn_ = back_ != kNoColour;
    }
    return Step::Apply;
}

HighlightState::Step HighlightState::PanelClick(bool background)
{
    if ((background ? back_ : text_) == kNoColour)
        return Step::OpenChooser;
    bool &on = background ? backOn_ : textOn_;
    on = !on;
    if (!textOn_ && !backOn_) {
        active_ = false;
        return Step::Off;
    }
    active_ = true;
    return Step::Apply;
}

HighlightState::Step HighlightState::ChooserClosed(bool ok, int chosenText, int chosenBack)
{
    if (!ok) {
        active_ = false;
        return Step::Off;
    }
    if (chosenText != kNoColour) {
        text_ = chosenText;
        textOn_ = true;
    }
    if (chosenBack != kNoColour) {
        back_ = chosenBack;
        backOn_ = true;
    }
    active_ = anyChosen();
    return active_ ? Step::Apply : Step::Off;
}

} // namespace nimbus::pages
