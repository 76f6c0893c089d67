// The details editor's highlighter without a window: the two chosen colours (kept in the
// window layout record), their two switches and whether highlighting is on (the colour
// button down, the highlighting cursor shown). Each user step returns what the editor does.
#pragma once

namespace nimbus::pages {

// Colours are stored as the system stores them: red + green * 256 + blue * 65536.
constexpr int kNoColour = -1;
constexpr int colourValue(int red, int green, int blue)
{
    return red | (green << 8) | (blue << 16);
}
// The outer panel of a switched-on colour.
constexpr int kSwitchOnColour = colourValue(255, 217, 0);
constexpr int kSwitchOffColour = colourValue(255, 255, 255);

class HighlightState {
public:
    enum class Step {
        Nothing,
        OpenChooser, // ask for the colours first
        Apply,       // highlighting is on: paint the selection
        Off,         // highlighting went off: the normal cursor returns
    };

    HighlightState(int textColour, int backColour) : text_(textColour), back_(backColour) {}

    int textColour() const { return text_; }
    int backColour() const { return back_; }
    bool textOn() const { return textOn_; }
    bool backOn() const { return backOn_; }
    bool active() const { return active_; }
    bool anyChosen() const { return text_ != kNoColour || back_ != kNoColour; }
    // What applying paints now.
    bool appliesText() const { return active_ && textOn_ && text_ != kNoColour; }
    bool appliesBack() const { return active_ && backOn_ && back_ != kNoColour; }

    // "Highlight text" (the colour button, Ctrl+H): the chooser when no colour was chosen yet,
    // otherwise highlighting on or off.
    Step TextColour();
    // A click on the text (background false) or background panel: the chooser when that
    // colour was not chosen, otherwise its switch toggles; with both switches off the
    // highlighting goes off.
    Step PanelClick(bool background);
    // The chooser closed. OK: each chosen colour is kept and switched on, and highlighting is
    // on. Cancel: highlighting is off and the colours stay as they were.
    Step ChooserClosed(bool ok, int chosenText, int chosenBack);
    // "Remove highlighting", a page shown: highlighting off.
    void SwitchOff() { active_ = false; }

private:
    int text_;
    int back_;
    bool textOn_ = false;
    bool backOn_ = false;
    bool active_ = false;
};

} // namespace nimbus::pages
