// The undo history's buttons beside the tree: undo, redo and the list of steps. They carry
// the tree menu's actions, so a button is enabled and named exactly as the menu entry is.
#pragma once

#include <QWidget>

class QAction;
class QToolButton;

namespace nimbus {

class HistoryButtons : public QWidget {
    Q_OBJECT
public:
    HistoryButtons(QAction *undo, QAction *redo, QAction *list, QWidget *parent = nullptr);

    QToolButton *buttonUndo = nullptr;
    QToolButton *buttonRedo = nullptr;
    QToolButton *buttonUndoHistory = nullptr;
};

} // namespace nimbus
