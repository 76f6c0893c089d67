// Pictures of the details editor's format toolbar and the topic page's lock, drawn with
// QPainter so that they are sharp at any screen scale.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace nimbus::pages::icons {

// One of "font", "bold", "italic", "underline", "strikeout", "bullets", "numbers", "indent",
// "outdent", "highlight", "print", "save".
QIcon format(const QString &name);
// The property that names the picture of an action drawn by format(), so that it can be drawn
// again in another palette's ink.
inline constexpr const char *kFormatIconProperty = "formatIcon";
// The padlock shown beside a locked topic's name, size logical pixels square, drawn for a
// screen of the given device pixel ratio.
QPixmap lock(int size = 20, qreal devicePixelRatio = 1.0);
// The details editor's highlighting cursor: a 20 x 20 monochrome pen.
QCursor highlightCursor();

} // namespace nimbus::pages::icons
