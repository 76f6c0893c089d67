// Text colours that follow the desktop's palette: a title's accent, a quiet note and the
// captions of the window's panels keep their look on a light palette and become light on a
// dark one, always readable on the background they are drawn on.
#pragma once

#include <QColor>
#include <QPalette>
#include <functional>

class QWidget;

namespace nimbus::pages::theme {

enum class TextRole {
    Title,   // a page's title: navy on a light palette
    Quiet,   // a note beside the main text: grey
    Caption, // a panel's caption: dark grey, bold
};

// Whether the palette's window background is dark.
bool isDark(const QPalette &palette);

// wanted when it reads at 4.5:1 or better on background; otherwise the palette's text colour
// for that background (text, window text or button text, whichever reads best).
QColor readableOn(const QColor &wanted, const QColor &background, const QPalette &palette);

// The colour of a text of this role on the palette's window background.
QColor textColour(TextRole role, const QPalette &palette);

// Colours widget's text (its WindowText role) for the role, now and whenever the
// application's palette changes.
void followPalette(QWidget *widget, TextRole role);

// Calls apply now and again whenever the application's palette changes, while widget lives
// (for looks set through a style sheet, which does not follow the palette by itself).
void whenPaletteChanges(QWidget *widget, std::function<void()> apply);

// The ink for line pictures drawn on buttons.
QColor ink(const QPalette &palette);

// The contrast ratio of two colours (1 to 21).
double contrast(const QColor &first, const QColor &second);

} // namespace nimbus::pages::theme
