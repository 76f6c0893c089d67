// Drawing, mouse rules and drag and drop of the topic tree view.
#include "shell/MainTreeView.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QUrl>
#include <QMouseEvent>
#include <QPainter>

#include "shell/TopicItemDelegate.h"
#include "shell/TopicTreeModel.h"
#include "shell/TreeColours.h"
#include "store/TNimbusNode.h"

namespace nimbus {

using tree::TreeItem;

MainTreeView::MainTreeView(QWidget *parent) : QTreeView(parent)
{
    setObjectName("treeMain");
    setHeaderHidden(true);
    setUniformRowHeights(true); // lets the view lay out 100,000 rows without asking each
    setIndentation(treelook::kIndent);
    setExpandsOnDoubleClick(false);
    setAnimated(false);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setItemDelegate(new TopicItemDelegate(this));
    setFrameShape(QFrame::NoFrame);
    // Deep captions are not cut to a few letters: the column is as wide as the captions on
    // screen and the view scrolls sideways when the pane is narrower.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTextElideMode(Qt::ElideRight);
    followPalette();
}

void MainTreeView::followPalette()
{
    // Qt paints the selection of the branch area itself: in the row's selected colour, light
    // or dark as the desktop is.
    const look::TreeLook &look = treelook::lookFor(palette());
    const QColor selected = treelook::toQColor(look.selectedBackground);
    const QColor caption = treelook::toQColor(look.topicCaption);
    if (palette().color(QPalette::Highlight) == selected &&
        palette().color(QPalette::HighlightedText) == caption)
        return;
    QPalette colours = palette();
    colours.setColor(QPalette::Highlight, selected);
    colours.setColor(QPalette::HighlightedText, caption);
    setPalette(colours);
}

void MainTreeView::changeEvent(QEvent *event)
{
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        followPalette();
}

void MainTreeView::setTopicModel(TopicTreeModel *model)
{
    model_ = model;
    setModel(model);
    // The core items follow the view's expansion, whichever way it was made.
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex &index) {
        if (TreeItem *item = model_->itemOf(index))
            item->expanded = true;
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex &index) {
        if (TreeItem *item = model_->itemOf(index))
            item->expanded = false;
    });
    // Rows about to go may take their nodes with them: forget the nodes numbered on screen.
    auto forget = [this] {
        pressed_ = nullptr;
        shownNodes_.clear();
    };
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, forget);
    connect(model_, &QAbstractItemModel::rowsAboutToBeRemoved, this, forget);
}

TreeItem *MainTreeView::itemAt(const QPoint &viewportPos) const
{
    return model_ ? model_->itemOf(indexAt(viewportPos)) : nullptr;
}

TreeItem *MainTreeView::currentItem() const
{
    return model_ ? model_->itemOf(currentIndex()) : nullptr;
}

TreeItem *MainTreeView::firstVisibleItem() const
{
    return itemAt(QPoint(1, 1));
}

void MainTreeView::selectItem(const TreeItem *item)
{
    const QModelIndex index = model_->indexOf(item);
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    scrollTo(index);
}

void MainTreeView::scrollToTop(const TreeItem *item)
{
    const QModelIndex index = model_->indexOf(item);
    if (index.isValid())
        scrollTo(index, QAbstractItemView::PositionAtTop);
}

bool MainTreeView::inExpandZone(const QPoint &viewportPos) const
{
    // The strip left of the caption: the indentation of the item's level and its expand sign
    // (level x 24 pixels and the sign's own 24).
    const QModelIndex index = indexAt(viewportPos);
    return index.isValid() && viewportPos.x() < visualRect(index).left();
}

std::vector<TreeRow> MainTreeView::visibleRows()
{
    for (TNimbusNode *node : shownNodes_)
        node->rowIndex = -1;
    shownNodes_.clear();
    std::vector<TreeRow> rows;
    const int height = viewport()->height();
    QModelIndex index = indexAt(QPoint(1, 1));
    const int limit = height / treelook::kRowHeight + 1;
    for (int row = 0; index.isValid() && row < limit; ++row, index = indexBelow(index)) {
        TNimbusNode *node = model_->nodeOf(index);
        QRect rect = visualRect(index);
        rect.setLeft(0);
        rect.setRight(viewport()->width() - 1);
        node->rowIndex = row;
        node->rowShade = bandedRow(row) ? 1 : 0;
        shownNodes_.push_back(node);
        rows.push_back({node, rect});
        if (rect.bottom() >= height)
            break;
    }
    return rows;
}

void MainTreeView::drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                           const QModelIndex &index) const
{
    // The whole row's width, indentation included, takes the row's background.
    const look::TreeLook &look = treelook::lookFor(palette());
    look::Rgb background = look.plainBackground;
    if (selectionModel() && selectionModel()->isSelected(index))
        background = look.selectedBackground;
    else if (bandedRow(option.rect.top() / treelook::kRowHeight))
        background = look.bandBackground;
    painter->fillRect(QRect(0, option.rect.top(), viewport()->width(), option.rect.height()),
                      treelook::toQColor(background));
    QStyleOptionViewItem plain = option;
    plain.state &= ~QStyle::State_Selected; // the background above shows the selection
    QTreeView::drawRow(painter, plain, index);
}

void MainTreeView::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    pressed_ = itemAt(pos);
    if (event->button() == Qt::LeftButton && pressed_ && inExpandZone(pos)) {
        // Only the expand zone opens and closes an item; the caption never does.
        if (pressed_->hasChildren()) {
            const QModelIndex index = model_->indexOf(pressed_);
            setExpanded(index, !isExpanded(index));
            setCurrentIndex(index);
            emit userToggled(pressed_);
        } else {
            setCurrentIndex(model_->indexOf(pressed_));
        }
        event->accept();
        return;
    }
    QTreeView::mousePressEvent(event);
}

void MainTreeView::mouseReleaseEvent(QMouseEvent *event)
{
    TreeItem *released = itemAt(event->position().toPoint());
    if (released && released == pressed_ && currentItem() != released)
        selectItem(released);
    pressed_ = nullptr;
    QTreeView::mouseReleaseEvent(event);
}

void MainTreeView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    TreeItem *item = itemAt(pos);
    if (!item)
        return;
    setCurrentIndex(model_->indexOf(item));
    if (!inExpandZone(pos))
        emit propertiesRequested(item);
    event->accept();
}

void MainTreeView::leaveEvent(QEvent *event)
{
    pressed_ = nullptr;
    QTreeView::leaveEvent(event);
}

bool MainTreeView::acceptsDrop(const QPoint &viewportPos) const
{
    TreeItem *target = itemAt(viewportPos);
    TreeItem *dragged = currentItem();
    return target && dragged && dropRule_ && dropRule_(dragged, target);
}

QStringList MainTreeView::calendarFiles(const QDropEvent *event, const QWidget *self)
{
    QStringList paths;
    if (event->source() == self || !event->mimeData()->hasUrls())
        return {};
    for (const QUrl &url : event->mimeData()->urls()) {
        if (!url.isLocalFile() || !url.toLocalFile().endsWith(".ics", Qt::CaseInsensitive))
            return {};
        paths << url.toLocalFile();
    }
    return paths;
}

void MainTreeView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!calendarFiles(event, this).isEmpty())
        event->acceptProposedAction();
    else if (event->source() == this && event->mimeData()->hasFormat(TopicTreeModel::kMimeType))
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainTreeView::dragMoveEvent(QDragMoveEvent *event)
{
    QTreeView::dragMoveEvent(event); // scrolling near the edges and the drop indicator
    if (!calendarFiles(event, this).isEmpty())
        event->acceptProposedAction();
    else if (event->source() == this && acceptsDrop(event->position().toPoint()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainTreeView::dropEvent(QDropEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (const QStringList files = calendarFiles(event, this); !files.isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        emit calendarFilesDropped(files, itemAt(pos));
        return;
    }
    if (event->source() != this || !acceptsDrop(pos)) {
        event->ignore();
        return;
    }
    TreeItem *dragged = currentItem();
    TreeItem *target = itemAt(pos);
    // Reported as a copy: the move is made by rebuilding the tree, and the view must not
    // remove the dragged rows itself afterwards.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit dropRequested(dragged, target);
}

void MainTreeView::resizeEvent(QResizeEvent *event)
{
    QTreeView::resizeEvent(event);
    emit geometryChanged();
}

} // namespace nimbus
