// The checklist's list view: ticks by mouse and Space, presses and dropped files as signals.
#include "shell/checklist/ChecklistView.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace nimbus::checklist {

namespace {

QStringList localFiles(const QMimeData *mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile());
    }
    return paths;
}

} // namespace

ChecklistView::ChecklistView(QWidget *parent) : QTreeView(parent)
{
    setObjectName(QStringLiteral("listviewCheck"));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    header()->setStretchLastSection(false);
}

void ChecklistView::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    // Ticking is not choosing an item to change: the selection and the entry box stay as
    // they were, so the next text typed never lands in the item just ticked.
    if (index.isValid() && event->button() == Qt::LeftButton && pos.x() < kTickZone) {
        tickPress_ = true;
        event->accept();
        emit tickClicked(index.row());
        return;
    }
    tickPress_ = false;
    QTreeView::mousePressEvent(event);
    if (!index.isValid()) {
        clearSelection();
        emit emptyAreaPressed();
        return;
    }
    emit itemPressed(index.row());
}

void ChecklistView::mouseMoveEvent(QMouseEvent *event)
{
    if (tickPress_ && (event->buttons() & Qt::LeftButton)) {
        event->accept();
        return;
    }
    QTreeView::mouseMoveEvent(event);
}

void ChecklistView::mouseReleaseEvent(QMouseEvent *event)
{
    if (tickPress_ && event->button() == Qt::LeftButton) {
        tickPress_ = false;
        event->accept();
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}

void ChecklistView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || event->button() != Qt::LeftButton) {
        QTreeView::mouseDoubleClickEvent(event);
        return;
    }
    // A quick second click on the tick box arrives as a press too and has toggled already.
    if (pos.x() >= kTickZone)
        emit itemDoubleClicked(index.row());
}

void ChecklistView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
        currentIndex().isValid()) {
        emit tickClicked(currentIndex().row());
        return;
    }
    QTreeView::keyPressEvent(event);
}

void ChecklistView::dragEnterEvent(QDragEnterEvent *event)
{
    if (isEnabled() && !localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void ChecklistView::dragMoveEvent(QDragMoveEvent *event)
{
    if (isEnabled() && !localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void ChecklistView::dropEvent(QDropEvent *event)
{
    const QStringList paths = localFiles(event->mimeData());
    if (!isEnabled() || paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(paths);
}

} // namespace nimbus::checklist
