// Accessible names and keyboard routes for the windows' controls. A button that shows only a
// picture is named from the hint it already has, so that a screen reader says what the tooltip
// says; controls that Qt leaves to the mouse get a key.
#pragma once

#include <QList>
#include <QString>
#include <functional>

class QAbstractButton;
class QAbstractItemView;
class QModelIndex;
class QToolBar;
class QToolButton;
class QWidget;

namespace nimbus::access {

// The caption as it is read out: mnemonic markers removed ("&Bold" is "Bold", "&&" is "&").
QString spokenText(const QString &caption);

// Names a widget from its tooltip when it has no accessible name of its own.
void nameFromHint(QWidget *widget);

// A button that shows a picture (or a sign such as "?") instead of words: named from its
// tooltip, and reachable with Tab.
void iconButton(QAbstractButton *button);

// The buttons a tool bar made for its actions: named from the action's caption, described by
// its tooltip, and reachable with Tab (a QToolBar leaves them to the mouse).
void reachableToolBar(QToolBar *bar);

// Return and Enter on the view act on its current row as a double-click does. The key is taken
// by the view, so that it does not also press a dialog's default button.
void activateOnEnter(QAbstractItemView *view, std::function<void(const QModelIndex &)> act);

// A button whose menu opens from its arrow part: Alt+Down or the menu key opens it too.
void menuFromKeyboard(QToolButton *button);

// Puts the Tab chain of the window in the order of the blocks given: every control inside the
// first block (or the block itself), then those of the second, and so on, each block keeping
// its own order. For windows whose parts are made in another order than they are shown.
void orderTabChain(QWidget *window, const QList<QWidget *> &blocks);

} // namespace nimbus::access
