// `listviewCheck`: the checklist's list. A press near its left edge toggles an item's tick and
// nothing else, a press on empty space starts a new item, and files dropped on it become items.
#pragma once

#include <QStringList>
#include <QTreeView>

namespace nimbus::checklist {

class ChecklistView : public QTreeView {
    Q_OBJECT
public:
    // Presses this close to the list's left edge hit the tick box.
    static constexpr int kTickZone = 16;

    explicit ChecklistView(QWidget *parent = nullptr);

signals:
    void tickClicked(int row);
    void itemPressed(int row);
    void emptyAreaPressed();
    void itemDoubleClicked(int row);
    // Local file paths, in the order they were dropped.
    void filesDropped(const QStringList &paths);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The button went down on a tick box: its move and release are the tick's, not a
    // selection's.
    bool tickPress_ = false;
};

} // namespace nimbus::checklist
